// The market pages: cutting and rewriting the fragment of a page of the size
// of the receive buffer (target: under 5 ms a source), and a whole Message
// Boards build from three such pages served on 127.0.0.1.
#include "pages/ComposedPage.h"
#include "pages/MarketPageTable.h"
#include "pages/MarketPages.h"
#include "support/PageServer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

// A page of links and text just under the receive buffer, between the markers
// `open` and `close`.
std::string LinkPage(std::string_view open, std::string_view close)
{
    const std::string row = "<tr><td><a href=\"/mboard/threads/12345.html\">Re: earnings</a> by <a href=/profile/u1>"
                            "trader</a> <img src=\"/i/star.gif\"></td></tr>\n";
    std::string page = "<head><title>board</title></head>" + std::string(open);
    const std::size_t size = kReceiveBufferSize - 10000;
    while (page.size() + row.size() + close.size() + 100 < size)
        page += row;
    return page + std::string(close) + "\n";
}

void BM_CutAndRewriteOneSource(benchmark::State& state)
{
    const SourceRecipe& source = MessageBoardsRecipe().sources[0];
    const std::string page = LinkPage("<html>", "</html>");
    const std::vector<RewritePair> pairs = ExpandPairs(source.pairs, "http://messages.example.com", "");
    for (auto _ : state) {
        const std::vector<std::string> pieces = CutAndRewrite(page, source.fragment, pairs, kPieceLimit);
        benchmark::DoNotOptimize(pieces.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_CutAndRewriteOneSource)->Unit(benchmark::kMillisecond);

void BM_BuildMessageBoardsFromLoopback(benchmark::State& state)
{
    PageServer server;
    server.Serve("/?action=q&board=IBM", LinkPage("<html>", "</html>"));
    server.Serve("/stocktalk/searchresults.gsp?s=IBM&domain=Messages",
                 LinkPage("<!-- TOPIC SECTION --> <table>", "</table> <br>"));
    server.Serve("/mboard/boards.cgi?board=IBM", LinkPage("<HTML>", "</HTML>"));
    HostsConfig hosts;
    hosts.PointAllAt(server.base().substr(std::string_view("http://").size()));
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tarnwick-bench-pages";
    const MarketPages pages;
    for (auto _ : state)
        benchmark::DoNotOptimize(pages.messageBoardsPage.Build({.hosts = hosts, .folder = folder, .symbol = "IBM"}));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_BuildMessageBoardsFromLoopback)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
