#pragma once

#include <ostream>
#include <span>
#include <string_view>

// tarnwick-cli compose NAME [--symbol SYM] [--config FILE] [--all-hosts HOST:PORT] [--out-dir DIR]
// Builds the market page NAME (a compositor's class name, such as
// MessageBoardsPage, or its page file's name) into DIR as the page commands
// do, fetching its sources from the sites of the hosts file. Returns the exit
// status: 0 built (the page's path goes to `out`), 1 the build failed (the
// reason goes to `err`; the file stays as it was), 2 the arguments were
// wrong.
int RunCompose(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

inline constexpr std::string_view kComposeUsage =
    "usage: tarnwick-cli compose NAME [--symbol SYMBOL] [--config FILE] [--all-hosts HOST:PORT] [--out-dir DIR]\n"
    "  Builds a market page into DIR (default: the current folder) and prints its path.\n"
    "  NAME is the page's class or file name: DowChartsPage, MarketUpdatePage,\n"
    "  StocksOnTheMovePage, NewsIndexPage, MarketAnalysisPage, StockAnalysisPage,\n"
    "  IpoPage, StockNewsPage, MessageBoardsPage, PriceForecastPage,\n"
    "  StockEvaluatorPage, CompanyProfilePage, or htmmessageboards.htm and the like.\n"
    "  SYMBOL (default YHOO) fills the symbol pages; --symbol \"\" builds without one.\n"
    "  The sites come from FILE (default: the user's hosts file); --all-hosts points\n"
    "  every site at one server.\n";
