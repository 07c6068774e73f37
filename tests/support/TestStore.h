#pragma once

#include "quotes/QuoteSeries.h"

#include <initializer_list>
#include <memory>
#include <ostream>
#include <vector>

// Stores filled straight from numbers, newest bar first, for module tests.
// Unnamed prices follow the close (open, high and low equal to it); volume
// defaults to 1000.
std::unique_ptr<QuoteSeries> StoreWithCloses(std::initializer_list<double> closes);
std::unique_ptr<QuoteSeries> StoreFromCloses(const std::vector<double>& closes);

struct TestBar {
    double open;
    double high;
    double low;
    double close;
    double volume;
    friend bool operator==(const TestBar&, const TestBar&) = default;
};
std::ostream& operator<<(std::ostream& out, const TestBar& bar);
std::unique_ptr<QuoteSeries> StoreWithBars(std::initializer_list<TestBar> bars);

// Bar i of `store`, read or written whole.
TestBar BarOf(const QuoteSeries& store, int i);
void SetBar(QuoteSeries& store, int i, const TestBar& bar);

// `count` bars whose close is `close(i)` for bar i, high close + 1, low
// close - 1, volume 1000 + 10 * i.
template <typename CloseOf>
std::unique_ptr<QuoteSeries> StoreOf(int count, CloseOf close)
{
    auto store = std::make_unique<QuoteSeries>();
    for (int i = 0; i < count; ++i) {
        store->close[i] = close(i);
        store->open[i] = store->close[i];
        store->high[i] = store->close[i] + 1;
        store->low[i] = store->close[i] - 1;
        store->volume[i] = 1000 + 10 * i;
    }
    store->barCount = count;
    return store;
}
