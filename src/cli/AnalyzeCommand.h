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
    "       tarnwick-cli analyze --file PATH [--symbol SYMBOL] [--json]\n"
    "  Loads the symbol from the quote folder DIR (default: the samples): its own\n"
    "  quotes.csv and table.csv, or the symbol's folder or SYMBOL.csv in it; or\n"
    "  with --source the web source NAME (\"Yahoo\", \"csv\" for the CSV quote\n"
    "  service of the hosts file, or any other name for the second source); or\n"
    "  with --file the CSV history PATH. Runs every indicator and prints the\n"
    "  day's signals, or everything as JSON.\n";
