#include "chart/PageSheets.h"

#include <algorithm>

namespace {

// The bands sorted by top, overlapping ones joined.
std::vector<PageBand> Joined(std::span<const PageBand> bands)
{
    std::vector<PageBand> sorted;
    for (const PageBand& band : bands)
        if (band.bottom > band.top)
            sorted.push_back(band);
    std::ranges::sort(sorted, {}, &PageBand::top);
    std::vector<PageBand> joined;
    for (const PageBand& band : sorted) {
        if (!joined.empty() && band.top < joined.back().bottom)
            joined.back().bottom = std::max(joined.back().bottom, band.bottom);
        else
            joined.push_back(band);
    }
    return joined;
}

}  // namespace

std::vector<PageBand> SplitIntoSheets(std::span<const PageBand> keepTogether, int sheetHeight)
{
    const std::vector<PageBand> bands = Joined(keepTogether);
    if (bands.empty() || sheetHeight < 1)
        return {};
    const int pageEnd = bands.back().bottom;
    std::vector<PageBand> sheets;
    int start = 0;
    while (start < pageEnd) {
        int end = std::min(start + sheetHeight, pageEnd);
        // Joined bands do not overlap, so at most one crosses the edge.
        const auto crossing = std::ranges::find_if(bands, [end](const PageBand& band) {
            return band.top < end && end < band.bottom;
        });
        if (crossing != bands.end() && crossing->top > start)
            end = crossing->top;
        sheets.push_back({start, end});
        start = end;
    }
    return sheets;
}
