#pragma once

#include "analysis/SignalSet.h"
#include "quotes/QuoteSeries.h"

#include <string_view>
#include <vector>

// A module's results listed by field name, for reports and checks that walk
// every result without naming each one.
struct NamedSeries {
    std::string_view name;  // the field name in its module
    const Series* values;
};

struct NamedSignalSet {
    std::string_view name;  // the field name in its module, from SignalTitles
    const SignalSet* signals;
};

using SeriesList = std::vector<NamedSeries>;
using SignalSetList = std::vector<NamedSignalSet>;
