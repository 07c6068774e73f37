#include "support/TestStore.h"

std::unique_ptr<QuoteSeries> StoreWithCloses(std::initializer_list<double> closes)
{
    auto store = std::make_unique<QuoteSeries>();
    int i = 0;
    for (double close : closes) {
        store->open[i] = store->high[i] = store->low[i] = store->close[i] = close;
        store->volume[i] = 1000;
        ++i;
    }
    store->barCount = i;
    return store;
}

std::unique_ptr<QuoteSeries> StoreWithBars(std::initializer_list<TestBar> bars)
{
    auto store = std::make_unique<QuoteSeries>();
    int i = 0;
    for (const TestBar& bar : bars)
        SetBar(*store, i++, bar);
    store->barCount = i;
    return store;
}

TestBar BarOf(const QuoteSeries& store, int i)
{
    return {store.open[i], store.high[i], store.low[i], store.close[i], store.volume[i]};
}

void SetBar(QuoteSeries& store, int i, const TestBar& bar)
{
    store.open[i] = bar.open;
    store.high[i] = bar.high;
    store.low[i] = bar.low;
    store.close[i] = bar.close;
    store.volume[i] = bar.volume;
}

std::ostream& operator<<(std::ostream& out, const TestBar& bar)
{
    return out << "open " << bar.open << ", high " << bar.high << ", low " << bar.low << ", close " << bar.close
               << ", volume " << bar.volume;
}

std::unique_ptr<QuoteSeries> StoreFromCloses(const std::vector<double>& closes)
{
    return StoreOf(static_cast<int>(closes.size()), [&](int i) { return closes[i]; });
}
