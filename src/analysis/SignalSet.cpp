#include "analysis/SignalSet.h"

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
    *this = SignalSet{};
}

void SignalSet::RecordBuy(int scanIndex, int bar, double level)
{
    Record(buyBars, buyLevels, buyCount, buyToday, scanIndex, bar, level);
}

void SignalSet::RecordSell(int scanIndex, int bar, double level)
{
    Record(sellBars, sellLevels, sellCount, sellToday, scanIndex, bar, level);
}
