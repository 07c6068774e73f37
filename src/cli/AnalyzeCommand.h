#pragma once

#include <ostream>
#include <span>
#include <string_view>

// tarnwick-cli analyze [--quote-dir DIR] --symbol SYM [--json] [web source options]
// Loads the local quote files of DIR for SYM as the "Read C:\" command does,
// or with --source the web source's pages as "Read Web" does, runs the
// analysis and writes the report (or the JSON) to `out`.
// Returns the exit status: 0 done, 1 the load failed or found no bars (the
// reason goes to `err`), 2 the arguments were wrong.
int RunAnalyze(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

inline constexpr std::string_view kAnalyzeUsage =
    "usage: tarnwick-cli analyze [--quote-dir DIR] --symbol SYMBOL [--json]\n"
    "                            [--source NAME [--months 5|10] [--today YYYY-MM-DD]\n"
    "                             [--config FILE] [--all-hosts HOST:PORT]]\n"
    "  Loads DIR/quotes.csv and DIR/table.csv (default: the sample IBM history),\n"
    "  or with --source the pages of the web source NAME (\"Yahoo\", or any other\n"
    "  name for the second source), runs every indicator and prints the day's\n"
    "  signals, or everything as JSON.\n";
