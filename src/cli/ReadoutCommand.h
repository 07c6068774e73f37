#pragma once

#include <ostream>
#include <span>
#include <string_view>

// tarnwick-cli readout [--quote-dir DIR] --symbol SYM --bar N [--json]
// Loads the symbol as "Read C:\" does and writes what the chart page shows at
// bar N: the bar's date and prices, and for every strip each series and mark
// there, as the hairline readout shows them; the JSON carries each value at
// full precision beside its text, null where there is none.
// Returns the exit status: 0 done, 1 the quotes could not be read or hold no
// bar, 2 the arguments were wrong or N is not a bar of the chart page.
int RunReadout(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

inline constexpr std::string_view kReadoutUsage =
    "usage: tarnwick-cli readout [--quote-dir DIR] --symbol SYMBOL --bar N [--json]\n"
    "  Loads the symbol from the quote folder DIR (default: the samples) and prints\n"
    "  what the chart page reads at bar N (0 the newest): the date, open, high, low,\n"
    "  close and volume, and every chart's series and buy and sell marks there.\n"
    "  With --json each value also comes at full precision, null where the\n"
    "  indicator has none.\n";
