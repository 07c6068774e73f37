#include "base/Errors.h"
#include "net/HostsConfig.h"
#include "support/TempFolder.h"
#include "support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <set>

TEST(HostsConfig, MissingFileGivesTheBuiltInDefaultOfEveryRole)
{
    TempFolder folder;
    const HostsConfig hosts = HostsConfig::Load(folder.path() / "hosts.ini");
    std::set<std::string_view> keys;
    for (std::size_t i = 0; i < kHostRoles.size(); ++i) {
        const HostRoleInfo& info = kHostRoles[i];
        EXPECT_EQ(static_cast<std::size_t>(info.role), i) << info.key;
        EXPECT_TRUE(keys.insert(info.key).second) << info.key;
        EXPECT_EQ(hosts.Base(info.role), info.defaultBase) << info.key;
        EXPECT_EQ(IsBaseAddress(info.defaultBase), info.role != HostRole::ProductSite) << info.key;
    }
    EXPECT_TRUE(hosts.warnings().empty());
}

TEST(HostsConfig, ReadsOverridesAndSkipsCommentsBlanksOtherSectionsAndUnknownKeys)
{
    TempFolder folder;
    folder.Write("hosts.ini",
                 "\xEF\xBB\xBF# outside sites\r\n"
                 "[other]\r\nyahoo_finance=http://wrong.example\r\n\r\n"
                 "[Hosts]\r\n"
                 "; the quote pages come from a local mirror\r\n"
                 "  yahooFinance =  http://127.0.0.1:8080/  \r\n"
                 "YAHOOCHART=https://charts.test\r\n"
                 "not_a_role=ftp://whatever\r\n"
                 "productSite=http://tarnwick.test\r\n"
                 "webSearch=http://first.test\r\nwebsearch=http://second.test");
    const HostsConfig hosts = HostsConfig::Load(folder.path() / "hosts.ini");
    EXPECT_EQ(hosts.Base(HostRole::YahooFinance), "http://127.0.0.1:8080");
    EXPECT_EQ(hosts.Base(HostRole::YahooCharts), "https://charts.test");
    EXPECT_EQ(hosts.Base(HostRole::ProductSite), "http://tarnwick.test");
    EXPECT_EQ(hosts.Base(HostRole::WebSearch), "http://second.test");
    EXPECT_EQ(hosts.Base(HostRole::IpoSite), "http://ipo.example.com");
    EXPECT_TRUE(hosts.warnings().empty()) << hosts.warnings().front();
}

TEST(HostsConfig, EveryRoleCanBePointedAtTheLoopbackHost)
{
    TempFolder folder;
    std::string text = "[hosts]\n";
    for (const HostRoleInfo& info : kHostRoles)
        text += std::string(info.key) + "=http://127.0.0.1:" + std::to_string(9000 + static_cast<int>(info.role)) + "\n";
    folder.Write("hosts.ini", text);
    const HostsConfig hosts = HostsConfig::Load(folder.path() / "hosts.ini");
    for (const HostRoleInfo& info : kHostRoles)
        EXPECT_EQ(hosts.Base(info.role), "http://127.0.0.1:" + std::to_string(9000 + static_cast<int>(info.role)));
    EXPECT_TRUE(hosts.warnings().empty());

    HostsConfig mirrored = hosts;
    for (const std::string_view wrong : {"", "a b:80", "127.0.0.1:0", "host/path", "http://host"})
        EXPECT_FALSE(mirrored.PointAllAt(wrong)) << wrong;
    EXPECT_EQ(mirrored.Base(HostRole::WebSearch), hosts.Base(HostRole::WebSearch));
    ASSERT_TRUE(mirrored.PointAllAt("127.0.0.1:8080"));
    for (const HostRoleInfo& info : kHostRoles)
        EXPECT_EQ(mirrored.Base(info.role), "http://127.0.0.1:8080");
}

TEST(HostsConfig, RejectsWhatIsNoBaseAddressKeepsTheDefaultAndSaysWhichLine)
{
    const char* bad[] = {"ftp://host",     "http://",       "http://a b",        "http://host/path", "http://host?x=1",
                         "http://u@host",  "http://host:0", "http://host:70000", "http://host:8o",   "host.example",
                         "javascript:x()", "http://[::1]",  ""};
    TempFolder folder;
    std::string text = "[hosts]\n";
    for (const char* value : bad)
        text += std::string("quoteSite=") + value + "\n";
    folder.Write("hosts.ini", text + "no equals sign here\nproduct_site=\n");
    const HostsConfig hosts = HostsConfig::Load(folder.path() / "hosts.ini");

    EXPECT_EQ(hosts.Base(HostRole::QuoteSite), "http://quotes.example.com");
    EXPECT_EQ(hosts.Base(HostRole::ProductSite), "");  // an empty product site is allowed
    ASSERT_EQ(hosts.warnings().size(), std::size(bad) + 1);
    const std::string file = (folder.path() / "hosts.ini").string();
    EXPECT_EQ(hosts.warnings()[0].rfind(file + ":2: ", 0), 0u) << hosts.warnings()[0];
    EXPECT_NE(hosts.warnings()[2].find("\"quoteSite=http://a b\""), std::string::npos) << hosts.warnings()[2];
    EXPECT_EQ(hosts.warnings().back().rfind(file + ":" + std::to_string(std::size(bad) + 2) + ": ", 0), 0u);
    for (const char* value : bad)
        EXPECT_FALSE(IsBaseAddress(value)) << value;
    for (const char* value : {"http://127.0.0.1", "HTTPS://Finance.Yahoo.com:443", "http://a-b.c:65535"})
        EXPECT_TRUE(IsBaseAddress(value)) << value;
}

TEST(HostsConfig, AFolderInPlaceOfTheFileIsAnErrorNamingIt)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "hosts.ini");
    EXPECT_THAT(ThrownMessage<FileError>([&] { HostsConfig::Load(folder.path() / "hosts.ini"); }),
                testing::HasSubstr((folder.path() / "hosts.ini").string()));
}

TEST(HostsConfig, DefaultPathFollowsXdgConfigHome)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(HostsConfig::DefaultPath(), "/tmp/cfg/Tarnwick/hosts.ini");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored, as the XDG rules say
    EXPECT_TRUE(HostsConfig::DefaultPath().native().ends_with(".config/Tarnwick/hosts.ini"));
    saved ? setenv("XDG_CONFIG_HOME", saved->c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
}

TEST(HostsConfig, TheCsvServiceSectionNamesAWholeAddressThatAllHostsRebases)
{
    TempFolder folder;
    folder.Write("hosts.ini", "[csvService]\n"
                              "url = https://quotes.example/q/d/l/?s={symbol}&i=d\n"
                              "[hosts]\nurl = http://ignored.example\n");
    HostsConfig hosts = HostsConfig::Load(folder.path() / "hosts.ini");
    EXPECT_EQ(hosts.csvServiceUrl(), "https://quotes.example/q/d/l/?s={symbol}&i=d");
    EXPECT_TRUE(hosts.warnings().empty());
    ASSERT_TRUE(hosts.PointAllAt("127.0.0.1:8080"));
    EXPECT_EQ(hosts.csvServiceUrl(), "http://127.0.0.1:8080/q/d/l/?s={symbol}&i=d");

    for (const char* bad : {"ftp://quotes.example/x", "https://quotes.example/q d", "https://a\"b.example/",
                            "https://quotes.example/<x>", "https://quotes.example/#top", "quotes.example/x"}) {
        folder.Write("hosts.ini", std::string("[csvService]\nurl = ") + bad + "\n");
        const HostsConfig rejected = HostsConfig::Load(folder.path() / "hosts.ini");
        EXPECT_EQ(rejected.csvServiceUrl(), "") << bad;
        EXPECT_EQ(rejected.warnings().size(), 1u) << bad;
    }
    EXPECT_EQ(HostsConfig().csvServiceUrl(), "");
}
