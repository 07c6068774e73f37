#pragma once

#include <ostream>
#include <span>
#include <string_view>

// tarnwick-cli screen --quote-dir DIR [--threads N] [--sort total|buy|sell|symbol]
//                     [--only-signals] [--json | --csv]
// Reads and analyses every symbol of the quote folder DIR and writes the
// signals of each one's newest day to `out`: a readable table, JSON or CSV.
// Returns the exit status: 0 the scan ran (also when some symbols could not
// be read; their rows say why), 1 the folder cannot be read or holds no
// symbol, 2 the arguments were wrong.
int RunScreen(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

inline constexpr std::string_view kScreenUsage =
    "usage: tarnwick-cli screen --quote-dir DIR [--threads N] [--sort total|buy|sell|symbol]\n"
    "                           [--only-signals] [--json | --csv]\n"
    "  Reads every symbol of the quote folder DIR (its folders with table.csv\n"
    "  and its CSV histories SYMBOL.csv) as Read C:\\ does, runs every indicator\n"
    "  and lists each symbol's newest bar and the buy and sell signals of its\n"
    "  day. --threads sets the worker threads (default: one per processor),\n"
    "  --sort the order (default symbol; the others put the most signals first),\n"
    "  --only-signals keeps the symbols with a signal today. A symbol that cannot\n"
    "  be read is listed with its error.\n";
