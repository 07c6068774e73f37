#pragma once

#include "analysis/SignalSet.h"
#include "quotes/QuoteSeries.h"

#include <vector>

// A module's results listed by field name, for reports and checks that walk
// every result without naming each one.
struct NamedSeries {
    const char* name;
    const Series* values;
};

struct NamedSignalSet {
    const char* name;
    const SignalSet* signals;
};

using SeriesList = std::vector<NamedSeries>;
using SignalSetList = std::vector<NamedSignalSet>;
