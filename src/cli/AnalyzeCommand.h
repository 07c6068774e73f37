#pragma once

#include <ostream>
#include <span>
#include <string_view>

// tarnwick-cli analyze [--quote-dir DIR] --symbol SYM [--json]
// Loads the local quote files of DIR for SYM as the "Read C:\" command does,
// runs the analysis and writes the report (or the JSON) to `out`.
// Returns the exit status: 0 done, 1 the load failed or found no bars (the
// reason goes to `err`), 2 the arguments were wrong.
int RunAnalyze(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

inline constexpr std::string_view kAnalyzeUsage =
    "usage: tarnwick-cli analyze [--quote-dir DIR] --symbol SYMBOL [--json]\n"
    "  Loads DIR/quotes.csv and DIR/table.csv (default: the sample IBM history),\n"
    "  runs every indicator and prints the day's signals, or everything as JSON.\n";
