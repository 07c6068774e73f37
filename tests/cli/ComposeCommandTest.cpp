#include "cli/ComposeCommand.h"
#include "support/CliRun.h"
#include "support/PageServer.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using testing::HasSubstr;

namespace {

class ComposeCommandTest : public testing::Test {
protected:
    Outcome Compose(std::vector<std::string> args)
    {
        const std::vector<std::string> common = {"--config", "/nonexistent/hosts.ini", "--out-dir",
                                                 folder.path().string()};
        args.insert(args.end(), common.begin(), common.end());
        const std::vector<std::string_view> views(args.begin(), args.end());
        return RunCli(RunCompose, views);
    }

    PageServer server;
    TempFolder folder;
};

}  // namespace

TEST_F(ComposeCommandTest, BuildsAPageByClassOrFileNameFromOneServer)
{
    const std::string serverAddress = server.base().substr(7);
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
    EXPECT_THAT(refused.err, HasSubstr("/content/companies/analysis.phtml from 127.0.0.1"));
    EXPECT_TRUE(refused.out.empty());
}
