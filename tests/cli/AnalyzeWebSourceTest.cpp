#include "cli/AnalyzeCommand.h"
#include "pages/PageFragment.h"
#include "support/CliRun.h"
#include "support/PageServer.h"
#include "support/ScriptedServer.h"
#include "support/TempFolder.h"
#include "support/WebQuotePages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

using namespace std::chrono_literals;

class AnalyzeWebSourceTest : public testing::Test {
protected:
    Outcome Analyze(std::vector<std::string> extra)
    {
        std::vector<std::string> args = {"--symbol", "YHOO", "--json", "--today", "2000-12-05",
                                         "--config", config, "--all-hosts", server.base().substr(7)};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(RunAnalyze, args);
    }

    PageServer server;
    std::string config = "/nonexistent/hosts.ini";
};

std::vector<PageRow> ThreeRows(bool monthFirst)
{
    return {{monthFirst ? "Dec-4-00" : "4-Dec-00", 100, 105, 99, 104, 2000, 104},
            {monthFirst ? "Dec-1-00" : "1-Dec-00", 98, 101, 97, 100, 3000, 100},
            {monthFirst ? "Nov-30-00" : "30-Nov-00", 97, 99, 96, 98, 1000, 98}};
}

}  // namespace

TEST_F(AnalyzeWebSourceTest, PrintsTheBarsTheRequestsAndTheYahooRecord)
{
    server.Serve("/q?s=YHOO&d=t", YahooPages::QuotePage());
    server.Serve("/t?a=07&b=05&c=00&d=12&e=05&f=00&g=d&s=YHOO&Get+Historical+Data&y=0",
                 YahooPages::HistoryPage(ThreeRows(false)));
    const Outcome outcome = Analyze({"--source", "Yahoo"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const json result = json::parse(outcome.out);
    EXPECT_EQ(result["dates"], json({"4:00PM", "4-Dec-00", "1-Dec-00", "30-Nov-00"}));
    EXPECT_EQ(result["quoteMerged"], 1);
    EXPECT_EQ(result["latestQuote"]["lastTrade"], 112.375);
    EXPECT_EQ(result["messages"], json::array());
    ASSERT_EQ(result["requests"].size(), 2U);
    EXPECT_EQ(result["requests"][0]["object"], "/q?s=YHOO&d=t");
    EXPECT_EQ(result["requests"][0]["port"], 80);
    EXPECT_EQ(result["requests"][0]["credentials"], "empty");
    EXPECT_EQ(result["requests"][1]["port"], "default");
    EXPECT_EQ(result["requests"][1]["credentials"], "none");
    EXPECT_EQ(result["requests"][1]["url"],
              server.base() + "/t?a=07&b=05&c=00&d=12&e=05&f=00&g=d&s=YHOO&Get+Historical+Data&y=0");
}

TEST_F(AnalyzeWebSourceTest, AnyOtherNameReadsTheSecondSourceAndItsOwnRecord)
{
    server.Serve("/research/quote.gsp?s=YHOO", SecondSourcePages::QuotePage());
    server.Serve("/research/historical.gsp?s=YHOO&c=0&o=d&fm=02&fd=05&fy=2000&tm=12&td=05&ty=2000",
                 SecondSourcePages::HistoryPage(ThreeRows(true)));
    const Outcome outcome = Analyze({"--source", "Silicon Investor", "--months", "10"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const json result = json::parse(outcome.out);
    EXPECT_EQ(result["dates"].size(), 4U);
    EXPECT_EQ(result["latestQuote"]["lastTrade"], 112.25);
    EXPECT_EQ(result["quoteMerged"], 0);  // the summary reads the Yahoo record only
}

TEST_F(AnalyzeWebSourceTest, NoDataAndUnreachableServersExitWithAReason)
{
    Outcome outcome = Analyze({"--source", "Yahoo"});  // every page a 404 page
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(json::parse(outcome.out)["messages"], json({"No data available for YHOO"}));
    EXPECT_NE(outcome.err.find("no daily bars from the \"Yahoo\" pages for YHOO"), std::string::npos) << outcome.err;

    outcome = Analyze({"--source", "Yahoo", "--all-hosts", "127.0.0.1:1"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("127.0.0.1"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("/q?s=YHOO&d=t"), std::string::npos) << outcome.err;

    EXPECT_EQ(Analyze({"--source", "Yahoo", "--all-hosts", "a b"}).status, 1);
    EXPECT_EQ(Analyze({"--source", "Yahoo", "--months", "7"}).status, 2);
    EXPECT_EQ(Analyze({"--source", "Yahoo", "--today", "2000-13-01"}).status, 2);
}

TEST_F(AnalyzeWebSourceTest, ASiteThatMisbehavesEndsTheLoadWithAReason)
{
    const TempFolder folder;
    folder.Write("hosts.ini", "[limits]\ncommandSeconds = 1\n");
    config = (folder.path() / "hosts.ini").string();
    const std::string quotePage = HttpAnswer(200, "OK", "", YahooPages::QuotePage());
    const std::string noBars = "no daily bars from the \"Yahoo\" pages for YHOO";
    using End = ScriptedServer::End;
    const Misbehaviour cases[] = {
        {"silent", {}, End::Hold, 1, {"/q?s=YHOO&d=t from {site}: the command ran past its time limit of 1 s."}},
        {"headers, then nothing", {{kCutShortAnswer}}, End::Hold, 1,
         {"/q?s=YHOO&d=t from {site}: the command ran past its time limit of 1 s."}},
        // The quote page drips in just inside the limit; the history no longer fits.
        {"drip", {{quotePage.substr(0, quotePage.size() - 7), 700ms}, {quotePage.substr(quotePage.size() - 7)}},
         End::Close, 1,
         {"/t?a=07&b=05&c=00&d=12&e=05&f=00&g=d&s=YHOO&Get+Historical+Data&y=0 from {site}: the command ran past"}},
        {"reset mid-body", {{kCutShortAnswer}}, End::Reset, 1,
         {"/q?s=YHOO&d=t from {site}: Failure when receiving data from the peer."}},
        // The quote sources read an error page as a page: it holds no quote.
        {"500", {{HttpAnswer(500, "Internal Server Error", "", "<html>trace</html>")}}, End::Close, 1, {noBars}},
        {"redirect loop", {{HttpAnswer(302, "Found", "Location: {target}\r\n", "<html>moved</html>")}}, End::Close,
         1, {noBars}},
        {"binary body", {{kBinaryAnswer}}, End::Close, 1, {noBars}},
        {"oversized body", {{HttpAnswer(200, "OK", "", std::string(3 << 20, '7'))}}, End::Close, 1, {noBars}},
        {"long header line", {{kLongHeaderAnswer}}, End::Close, 1,
         {"/q?s=YHOO&d=t from {site}: the reply's header was too long (a line of more than 100 KB)."}},
    };
    for (const Misbehaviour& misbehaviour : cases) {
        const ScriptedServer site(misbehaviour.script, misbehaviour.end);
        const Outcome outcome = Analyze({"--source", "Yahoo", "--all-hosts", site.server()});
        EXPECT_EQ(outcome.status, misbehaviour.status) << misbehaviour.name;
        for (const std::string& said : misbehaviour.said)
            EXPECT_THAT(outcome.err, testing::HasSubstr(ReplaceAll(said, "{site}", site.server())))
                << misbehaviour.name;
    }
}
