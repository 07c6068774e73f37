// Feeds arbitrary bytes to the local quote reader and the analysis: the bytes
// before the first NUL are the latest-quote file, the rest the history file,
// each cut at the size a file read can deliver. Whatever the text, the reader
// must stay inside its buffers, load 0 to 400 bars, and every series the
// analysis stores must be finite.
#include "document/CTarnwickDoc.h"
#include "document/LoadQuotes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr std::size_t kBlock = 4096;

void Fill(TextBuffer& buffer, const std::uint8_t* data, std::size_t size, std::size_t readLimit)
{
    const std::size_t length = std::min(size, readLimit + kBlock - 1);
    std::memcpy(buffer.data(), data, length);
    buffer[length] = '\0';
}

template <typename Module>
void CheckFinite(const Module& module)
{
    for (const NamedSeries& series : module.AllSeries())
        for (double value : *series.values)
            if (!std::isfinite(value))
                std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static auto document = std::make_unique<CTarnwickDoc>();
    document->symbol = "IBM";
    document->store.Clear();

    const auto* nul = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    const std::size_t quoteSize = nul ? static_cast<std::size_t>(nul - data) : 0;
    const std::size_t historyStart = nul ? quoteSize + 1 : 0;
    Fill(document->store.quoteText, data, quoteSize, LocalQuoteReader::kQuoteReadLimit);
    Fill(document->store.historyText, data + historyStart, size - historyStart, LocalQuoteReader::kHistoryReadLimit);

    document->localReader.Parse(document->store, document->symbol, document->latestQuote());
    if (document->store.barCount < 0 || document->store.barCount > kMaxBars)
        std::abort();
    if (document->store.barCount > 0) {
        AnalyzeQuotes(*document);
        CheckFinite(document->movingAverages);
        CheckFinite(document->oscillators);
        CheckFinite(document->flowDirection);
        CheckFinite(document->volumeForecast);
    }
    return 0;
}
