#include "base/Errors.h"
#include "net/HostsConfig.h"
#include "support/NamedPipe.h"
#include "support/TempFolder.h"
#include "support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
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

TEST(HostsConfig, ANamedPipeOrADeviceIsRefusedWithoutWaitingOrReadingWithoutEnd)
{
    TempFolder folder;
    const std::filesystem::path pipe = folder.path() / "hosts.ini";
    ASSERT_TRUE(MakeNamedPipe(pipe));
    EXPECT_THAT(PipeReadFailure(pipe, [&] { HostsConfig::Load(pipe); }),
                testing::HasSubstr("\"" + pipe.string() + "\" is not a regular file but a named pipe"));
    // Nor is a device read: /dev/zero would fill the memory before it failed.
    EXPECT_THAT(ThrownMessage<FileError>([] { HostsConfig::Load("/dev/null"); }),
                testing::HasSubstr("\"/dev/null\" is not a regular file but a device"));
}

namespace {

// The one warning of a file that is not used, and that every role kept its default.
std::string SetAsideWarning(const std::filesystem::path& file)
{
    const HostsConfig hosts = HostsConfig::Load(file);
    for (const HostRoleInfo& info : kHostRoles)
        EXPECT_EQ(hosts.Base(info.role), info.defaultBase) << info.key;
    EXPECT_EQ(hosts.warnings().size(), 1u);
    return hosts.warnings().empty() ? "" : hosts.warnings().front();
}

}  // namespace

TEST(HostsConfig, AFileTooLargeEmptyOrNotTextIsSetAsideWithOneWarningAndTheBuiltInHosts)
{
    TempFolder folder;
    const std::filesystem::path file = folder.path() / "hosts.ini";
    const std::string hosts = "[hosts]\nyahooFinance=http://127.0.0.1:8080\n";
    const struct {
        std::string text;
        const char* says;
    } cases[] = {
        {hosts + "# " + std::string(HostsConfig::kMaxFileSize, 'x') + "\n", "is larger than 1 MB"},
        {"", "is empty"},
        {"\xEF\xBB\xBF", "is empty"},
        {"\xFF\xFE[\0h\0o\0s\0t\0s\0]\0\n\0", "is UTF-16 text"},
        {std::string("[\0h\0o\0s\0t\0s\0]\0\n\0", 16), "is UTF-16 text"},
        {hosts + std::string("\x7F" "ELF\x02\x01\x01\0\0\0", 11), "holds NUL bytes"},
        {"[hosts]\ryahooFinance=http://127.0.0.1:8080\r", "ends its lines with a carriage return alone"},
    };
    for (const auto& c : cases) {
        folder.Write("hosts.ini", c.text);
        const std::string warning = SetAsideWarning(file);
        EXPECT_THAT(warning, testing::StartsWith("The hosts file \"" + file.string() + "\" " + c.says)) << c.says;
        EXPECT_THAT(warning, testing::EndsWith("The built-in hosts apply.")) << c.says;
    }

    // A file of exactly the limit is read.
    std::string full = hosts;
    while (full.size() < HostsConfig::kMaxFileSize)
        full += std::string(std::min<std::size_t>(64, HostsConfig::kMaxFileSize - full.size()) - 1, '#') + "\n";
    folder.Write("hosts.ini", full);
    const HostsConfig read = HostsConfig::Load(file);
    EXPECT_EQ(read.Base(HostRole::YahooFinance), "http://127.0.0.1:8080");
    EXPECT_TRUE(read.warnings().empty());
}

TEST(HostsConfig, UnreadableLinesAreSkippedAndNamedByNumberInOneWarningWithoutTheirText)
{
    TempFolder folder;
    folder.Write("hosts.ini", "[hosts]\n"
                              "yahooFinance=http://127.0.0.1:8080\n"
                              "webSearch=http://evil.test\x1B[2J\n"
                              "ipoSite=http://127.0.0.1:8081\n"
                              "quoteSite=http://" + std::string(5000, 'q') + ".test\n"
                              "\x01\x02\x03\n"
                              "insiderTrading=http://caf\xE9.test\n");
    const HostsConfig hosts = HostsConfig::Load(folder.path() / "hosts.ini");
    EXPECT_EQ(hosts.Base(HostRole::YahooFinance), "http://127.0.0.1:8080");
    EXPECT_EQ(hosts.Base(HostRole::IpoSite), "http://127.0.0.1:8081");
    EXPECT_EQ(hosts.Base(HostRole::WebSearch), "http://search.example.com");
    EXPECT_EQ(hosts.Base(HostRole::QuoteSite), "http://quotes.example.com");
    ASSERT_EQ(hosts.warnings().size(), 2u);
    // An 8-bit letter is text: its line is read, and rejected as no host name.
    EXPECT_THAT(hosts.warnings()[0], testing::HasSubstr(":7: not an http://"));
    const std::string& unreadable = hosts.warnings()[1];
    EXPECT_THAT(unreadable, testing::StartsWith((folder.path() / "hosts.ini").string() +
                                                ": lines 3, 5, 6 cannot be read (control characters"));
    EXPECT_THAT(unreadable, testing::EndsWith("and are ignored."));
    EXPECT_THAT(unreadable, testing::Not(testing::HasSubstr("evil")));
    EXPECT_THAT(unreadable, testing::Not(testing::HasSubstr("qqq")));
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

TEST(HostsConfig, TheLimitsSectionGivesTheTimeOfACommandInWholeSeconds)
{
    using namespace std::chrono_literals;
    EXPECT_EQ(HostsConfig().commandTime(), 90s);
    TempFolder folder;
    folder.Write("hosts.ini", "[Limits]\nCommandSeconds = 5\nother = 1\n");
    const HostsConfig hosts = HostsConfig::Load(folder.path() / "hosts.ini");
    EXPECT_EQ(hosts.commandTime(), 5s);
    EXPECT_TRUE(hosts.warnings().empty());

    for (const char* bad : {"0", "-5", "3601", "1.5", "5s", "", "99999999999"}) {
        folder.Write("hosts.ini", std::string("[limits]\ncommandSeconds = ") + bad + "\n");
        const HostsConfig rejected = HostsConfig::Load(folder.path() / "hosts.ini");
        EXPECT_EQ(rejected.commandTime(), 90s) << bad;
        ASSERT_EQ(rejected.warnings().size(), 1u) << bad;
        EXPECT_THAT(rejected.warnings()[0], testing::HasSubstr(":2: not a whole number of seconds from 1 to 3600"));
    }
}
