// Feeds arbitrary bytes to the local quote reader, the analysis and the
// tool's JSON output: the bytes before the first NUL are the latest-quote
// file, the rest the history file, and the first bytes also name the symbol.
// Whatever the bytes, the JSON must be written without an exception and
// read back as valid JSON: 8-bit dates and symbols come out as UTF-8.
#include "cli/AnalysisJson.h"
#include "cli/JsonOutput.h"
#include "document/CTarnwickDoc.h"
#include "document/LoadQuotes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static auto document = std::make_unique<CTarnwickDoc>();
    const auto* text = reinterpret_cast<const char*>(data);
    document->symbol.assign(text, std::min<std::size_t>(size, 8));
    document->loadedSymbol = document->symbol;
    document->store.Clear();
    const auto* nul = static_cast<const char*>(std::memchr(text, 0, size));
    const std::size_t quoteSize = nul ? static_cast<std::size_t>(nul - text) : 0;
    const std::size_t historyStart = nul ? quoteSize + 1 : 0;
    const std::size_t quoteLength = std::min(quoteSize, LocalQuoteReader::kQuoteReadLimit);
    const std::size_t historyLength = std::min(size - historyStart, LocalQuoteReader::kHistoryReadLimit);
    std::memcpy(document->store.quoteText.data(), text, quoteLength);
    document->store.quoteText[quoteLength] = '\0';
    std::memcpy(document->store.historyText.data(), text + historyStart, historyLength);
    document->store.historyText[historyLength] = '\0';
    document->localReader.Parse(document->store, document->symbol, document->latestQuote());
    if (document->store.barCount > 0)
        AnalyzeQuotes(*document);

    const std::string line = JsonLine(AnalysisToJson(*document));
    if (!nlohmann::json::accept(line))
        std::abort();
    return 0;
}
