#include "analysis/SignalSet.h"

#include <algorithm>

namespace {

void Record(std::array<int, SignalSet::kCapacity>& bars, std::array<double, SignalSet::kCapacity>& levels,
            int& count, int& today, int scanIndex, int bar, double level)
{
    if (count >= SignalSet::kCapacity)
        return;
    bars[count] = bar;
    levels[count] = level;
    ++count;
    if (scanIndex == 0)
        ++today;
}

}  // namespace

void SignalSet::Clear()
{
    // Entries past the counts are still 0: only the listed ones need it.
    std::fill_n(buyBars.begin(), buyCount, 0);
    std::fill_n(buyLevels.begin(), buyCount, 0.0);
    std::fill_n(sellBars.begin(), sellCount, 0);
    std::fill_n(sellLevels.begin(), sellCount, 0.0);
    buyCount = 0;
    buyToday = 0;
    sellCount = 0;
    sellToday = 0;
}

void SignalSet::RecordBuy(int scanIndex, int bar, double level)
{
    Record(buyBars, buyLevels, buyCount, buyToday, scanIndex, bar, level);
}

void SignalSet::RecordSell(int scanIndex, int bar, double level)
{
    Record(sellBars, sellLevels, sellCount, sellToday, scanIndex, bar, level);
}
