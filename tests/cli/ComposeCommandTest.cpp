#include "cli/ComposeCommand.h"
#include "pages/PageFragment.h"
#include "support/CliRun.h"
#include "support/PageServer.h"
#include "support/ScriptedServer.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

using testing::HasSubstr;

namespace {

using namespace std::chrono_literals;

class ComposeCommandTest : public testing::Test {
protected:
    Outcome Compose(std::vector<std::string> args)
    {
        const std::vector<std::string> common = {"--config", config, "--out-dir", folder.path().string()};
        args.insert(args.end(), common.begin(), common.end());
        return RunCli(RunCompose, args);
    }

    PageServer server;
    TempFolder folder;
    std::string config = "/nonexistent/hosts.ini";
};

}  // namespace

TEST_F(ComposeCommandTest, BuildsAPageByClassOrFileNameFromOneServer)
{
    const std::string serverAddress = server.base().substr(7);
    server.Serve("/p/I/IBM.html", "<html><body>profile</body></html>");
    server.Serve("/?action=q&board=", "<html>boards</html>");
    const Outcome byClass = Compose({"CompanyProfilePage", "--symbol", "IBM", "--all-hosts", serverAddress});
    ASSERT_EQ(byClass.status, 0) << byClass.err;
    EXPECT_EQ(byClass.out, (folder.path() / "htmprofile.htm").string() + "\n");
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "htmprofile.htm"));
    EXPECT_THAT(server.targets(), testing::Contains("/p/I/IBM.html"));

    // An empty symbol builds without one, where the program would take YHOO.
    const Outcome byFile = Compose({"htmmessageboards.htm", "--symbol", "", "--all-hosts", serverAddress});
    ASSERT_EQ(byFile.status, 0) << byFile.err;
    EXPECT_THAT(server.targets(), testing::Contains("/?action=q&board="));
}

TEST_F(ComposeCommandTest, WrongArgumentsAndFailedBuildsSayWhy)
{
    const Outcome unknown = Compose({"NoSuchPage"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_THAT(unknown.err, HasSubstr("there is no page \"NoSuchPage\""));
    EXPECT_EQ(Compose({}).status, 2);
    EXPECT_EQ(Compose({"IpoPage", "--all-hosts", "nowhere"}).status, 1);

    const Outcome refused = Compose({"IpoPage", "--all-hosts", "127.0.0.1:1"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_THAT(refused.err, HasSubstr("/content/companies/analysis.phtml from 127.0.0.1:1: Connection refused"));
    EXPECT_TRUE(refused.out.empty());
}

TEST_F(ComposeCommandTest, ASiteThatMisbehavesFailsTheBuildByNameAndKeepsTheGoodPage)
{
    folder.Write("hosts.ini", "[limits]\ncommandSeconds = 1\n");
    config = (folder.path() / "hosts.ini").string();
    const std::filesystem::path file = folder.path() / "htmmessageboards.htm";
    server.Serve("/mboard/boards.cgi?board=IBM", "<HTML>good boards</HTML>");
    ASSERT_EQ(Compose({"MessageBoardsPage", "--symbol", "IBM", "--all-hosts", server.base().substr(7)}).status, 0);
    const std::string good = ReadFile(file);

    const std::string page = HttpAnswer(200, "OK", "", "<html>boards</html>");
    const std::string noContent = "No site gave content for htmmessageboards.htm ({site}/?action=q&board=IBM: ";
    using End = ScriptedServer::End;
    const Misbehaviour cases[] = {
        {"silent", {}, End::Hold, 1, {"/?action=q&board=IBM from {site}: the command ran past its time limit of 1 s."}},
        {"headers, then nothing", {{kCutShortAnswer}}, End::Hold, 1,
         {"/?action=q&board=IBM from {site}: the command ran past its time limit of 1 s."}},
        {"drip", {{page.substr(0, page.size() - 7), 700ms}, {page.substr(page.size() - 7)}}, End::Close, 1,
         {"/stocktalk/searchresults.gsp?s=IBM&domain=Messages from {site}: the command ran past its time limit"}},
        {"reset mid-body", {{kCutShortAnswer}}, End::Reset, 1,
         {"/?action=q&board=IBM from {site}: Failure when receiving data from the peer."}},
        {"404", {{HttpAnswer(404, "Not Found", "", "<html>Not Found</html><HTML>x</HTML>")}}, End::Close, 1,
         {"warning: {site} answered /?action=q&board=IBM with HTTP status 404 instead of the page",
          "warning: {site} answered /mboard/boards.cgi?board=IBM with HTTP status 404",
          noContent + "HTTP status 404; "}},
        {"500", {{HttpAnswer(500, "Internal Server Error", "", "<html>trace</html>")}}, End::Close, 1,
         {noContent + "HTTP status 500; "}},
        {"redirect loop", {{HttpAnswer(302, "Found", "Location: {target}\r\n", "<html>moved</html>")}}, End::Close,
         1, {noContent + "HTTP status 302; "}},
        {"empty body", {{HttpAnswer(200, "OK", "", "")}}, End::Close, 1, {noContent + "no content found in it; "}},
        {"binary body", {{kBinaryAnswer}}, End::Close, 1, {noContent + "no content found in it; "}},
        {"long header line", {{kLongHeaderAnswer}}, End::Close, 1,
         {"/?action=q&board=IBM from {site}: the reply's header was too long (a line of more than 100 KB)."}},
    };
    for (const Misbehaviour& misbehaviour : cases) {
        const ScriptedServer site(misbehaviour.script, misbehaviour.end);
        const Outcome outcome = Compose({"MessageBoardsPage", "--symbol", "IBM", "--all-hosts", site.server()});
        EXPECT_EQ(outcome.status, misbehaviour.status) << misbehaviour.name;
        for (const std::string& said : misbehaviour.said)
            EXPECT_THAT(outcome.err, HasSubstr(ReplaceAll(said, "{site}", site.server()))) << misbehaviour.name;
        EXPECT_TRUE(outcome.out.empty()) << misbehaviour.name;
        EXPECT_EQ(ReadFile(file), good) << misbehaviour.name;
    }

    // A body larger than the receive buffer is cut there; the page is built from what came.
    const ScriptedServer oversized({{HttpAnswer(200, "OK", "", "<html>big boards</html>" + std::string(3 << 20, 'x'))}},
                                   ScriptedServer::End::Close);
    const Outcome outcome = Compose({"MessageBoardsPage", "--symbol", "IBM", "--all-hosts", oversized.server()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_THAT(ReadFile(file), HasSubstr("<html>big boards</html>"));
}
