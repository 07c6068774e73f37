#include "document/LoadQuotes.h"

#include "document/CTarnwickDoc.h"

#include <vector>

void LoadQuotes(CTarnwickDoc& document)
{
    document.store.Clear();
    document.latestQuote().quoteMerged = 0;

    if (document.sourceMode == 1)
        document.localReader.Load(document.store, document.quoteDir, document.symbol, document.latestQuote());
    else if (document.sourceName != "Yahoo")
        document.historyTableSource.LoadFromWeb(document.store, document.symbol, document.monthSpan, document.web);
    else
        document.yahooSource.LoadFromWeb(document.store, document.symbol, document.monthSpan, document.web);

    if (document.store.barCount > 0)
        AnalyzeQuotes(document);
}

void AnalyzeQuotes(CTarnwickDoc& document)
{
    const QuoteSeries& store = document.store;
    document.movingAverages.Analyze(store);
    document.oscillators.Analyze(store);
    document.flowDirection.Analyze(store);

    std::vector<const SignalSet*> earlier;
    for (const SignalSetList& list : {document.movingAverages.AllSignalSets(), document.oscillators.AllSignalSets(),
                                      document.flowDirection.AllSignalSets()})
        for (const NamedSignalSet& named : list)
            earlier.push_back(named.signals);
    document.volumeForecast.Analyze(store, document.oscillators.stochK, earlier);
}
