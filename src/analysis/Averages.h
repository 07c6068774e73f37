#pragma once

#include "quotes/QuoteSeries.h"

// For i = 0 to barCount - n: out[i] = the mean of the closes above 0 in the
// n-bar window at i (bars i to i + n - 1). Closes of 0 or less are left out of
// both sum and divisor, so a gap does not drag the average down; a window
// with no close above 0 gives NaN. Writes nothing when barCount is below n.
void AveragePositive(const QuoteSeries& store, int n, Series& out);

// For i = 0 to barCount - n: out[i] = the sum of the n volumes of the window
// at i divided by n. Writes nothing when barCount is below n.
void AveragePlain(const QuoteSeries& store, int n, Series& out);
