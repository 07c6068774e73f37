#pragma once

#include <ostream>
#include <span>
#include <string_view>

// tarnwick-cli render [--quote-dir DIR] --symbol SYM [--page chart|table] --out FILE [--dpi N]
// Loads the local quote files of DIR for SYM as the "Read C:\" command does,
// then draws the chart page (or the quote table) into FILE, a PNG, SVG or PDF
// file by its extension, at the page's physical size. Works without a
// display. Returns the exit status: 0 written (one line about it goes to
// `out`), 1 the load failed, found no bars or the file could not be written
// (the reason goes to `err`), 2 the arguments were wrong.
int RunRender(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

inline constexpr int kMinRenderDpi = 24;
inline constexpr int kMaxRenderDpi = 600;

inline constexpr std::string_view kRenderUsage =
    "usage: tarnwick-cli render [--quote-dir DIR] --symbol SYMBOL [--page chart|table] --out FILE [--dpi N]\n"
    "       tarnwick-cli render --file PATH [--symbol SYMBOL] [--page chart|table] --out FILE [--dpi N]\n"
    "  Loads the symbol from the quote folder DIR (default: the samples), or the\n"
    "  CSV history PATH, and draws the chart page (default) or the quote table\n"
    "  into FILE at its real size: the chart page is 12 x 41 inches. The type\n"
    "  follows FILE's extension:\n"
    "  .png (N pixels an inch, 24 to 600, default 96), .svg (N units an inch)\n"
    "  or .pdf (one page).\n";
