#include "support/SampleDocument.h"

#include "document/LoadQuotes.h"

std::string SampleDir(const std::string& symbol)
{
    return std::string(TARNWICK_SAMPLE_DIR) + "/" + symbol;
}

std::unique_ptr<CTarnwickDoc> LoadedSample(const std::string& symbol, const std::filesystem::path& folder)
{
    auto document = std::make_unique<CTarnwickDoc>();
    document->symbol = symbol;
    document->loadedSymbol = symbol;
    document->quoteDir = folder.empty() ? std::filesystem::path(SampleDir(symbol)) : folder;
    LoadQuotes(*document);
    return document;
}
