// Feeds arbitrary bytes to the CSV history reader as the text of a file.
// Whatever the text, the reader either refuses it with a FileError or loads
// 1 to 400 bars, newest first, each with a date, prices above 0 and a
// volume not below 0; any other exception or a read outside the text is a
// fault.
#include "base/Errors.h"
#include "quotes/CsvHistoryReader.h"
#include "quotes/QuoteSeries.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool Positive(double value)
{
    return std::isfinite(value) && value > 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static auto store = std::make_unique<QuoteSeries>();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const CsvReadReport report = CsvHistoryReader().Parse(*store, text, "fuzz.csv");
        Require(store->barCount >= 1 && store->barCount <= kMaxBars && report.rowsRead == store->barCount);
        for (int i = 0; i < store->barCount; ++i) {
            Require(!store->dates[i].empty());
            Require(Positive(store->close[i]) && Positive(store->open[i]) && Positive(store->high[i]) &&
                    Positive(store->low[i]));
            Require(std::isfinite(store->volume[i]) && store->volume[i] >= 0);
        }
    } catch (const FileError&) {
        Require(store->barCount == 0);
    }
    return 0;
}
