#include "analysis/Averages.h"

#include "analysis/SeriesMath.h"

void AveragePositive(const QuoteSeries& store, int n, Series& out)
{
    const int c = store.BarsLoaded();
    for (int i = 0; i <= c - n; ++i) {
        double sum = 0;
        int counted = 0;
        for (int j = i; j < i + n; ++j) {
            if (store.close[j] > 0) {
                sum += store.close[j];
                ++counted;
            }
        }
        out[i] = Ratio(sum, counted);
    }
}

void AveragePlain(const QuoteSeries& store, int n, Series& out)
{
    const int c = store.BarsLoaded();
    for (int i = 0; i <= c - n; ++i) {
        double sum = 0;
        for (int j = i; j < i + n; ++j)
            sum += store.volume[j];
        out[i] = sum / n;
    }
}
