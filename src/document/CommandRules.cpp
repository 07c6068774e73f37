#include "document/CommandRules.h"

#include "document/CTarnwickDoc.h"

CountResult CountCommand(CTarnwickDoc& document)
{
    const CountResult result{.openHomePage = document.commandCount == kCountedCommandsBeforeHomePage};
    ++document.commandCount;
    return result;
}

CountResult PrepareWebCommand(CTarnwickDoc& document, std::string_view symbolBoxText, std::string_view sourceBoxText)
{
    document.symbol = symbolBoxText.empty() ? CTarnwickDoc::kDefaultSymbol : symbolBoxText;
    document.sourceName = sourceBoxText.empty() ? CTarnwickDoc::kDefaultSourceName : sourceBoxText;
    return CountCommand(document);
}

void PrepareQuoteLoad(CTarnwickDoc& document, int sourceMode)
{
    document.loadedSymbol = document.symbol;
    document.sourceMode = sourceMode;
    document.chartPage = 0;
}

void SwitchMonthSpan(CTarnwickDoc& document)
{
    document.monthSpan = -document.monthSpan;
}
