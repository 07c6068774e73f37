#include "base/CommandIds.h"
#include "pages/LinkCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Every role on the loopback host, each on a port of its own, so a link that
// goes to the wrong site shows.
std::string LoopbackBase(HostRole role)
{
    return "http://127.0.0.1:" + std::to_string(8000 + static_cast<int>(role));
}

HostsConfig LoopbackHosts()
{
    HostsConfig hosts;
    for (const HostRoleInfo& info : kHostRoles)
        EXPECT_TRUE(hosts.Set(info.role, LoopbackBase(info.role)));
    return hosts;
}

std::size_t CountOf(const std::string& text, std::string_view chars)
{
    return std::count_if(text.begin(), text.end(), [&](char c) { return chars.find(c) != std::string_view::npos; });
}

}  // namespace

TEST(LinkUrl, BaseOfTheRightSitePlusTheFixedPathWithTheSymbolInserted)
{
    using enum HostRole;
    const struct {
        int id;
        std::string_view symbol;
        HostRole role;
        std::string_view pathAndQuery;
    } cases[] = {
        {kIntradayCharts, "IBM", IntradayCharts,
         "/cgi-bin/intraday?index=%24COMPX&intraday=symbol&symbol=IBM&exchange=USA&size=640x480&frequency=5+minute"
         "&type=Bar&color=Graph+Paper&scale=Linear&moving1=50+minute&moving2=None&moving3=None&moving=bollinger"
         "&bollinger=20+minute&ind_vol=on&ind_obv=on&ind_sto=on&sto=15-5-5&ind_wpr=on&wpr=12&ind_rsi=on&rsi=8"
         "&ind_macd=on&macd=12-25-9&ind_roc=on&roc=16-8&ind_mfi=on&mfi=13&refresh=180"},
        {kStockResearch, "IBM", YahooBusiness, "/z/a/I/IBM.html"},
        {kResearchReport, "IBM", ResearchReports, "/tickersearch.asp?Process=1&Ticker=IBM&image1.x=19&image1.y=8"},
        {kStockInsiderTrades, "MSFT", YahooBusiness, "/t/M/MSFT.html"},
        {kStockOptions, "IBM", YahooFinance, "/q?s=IBM&d=o"},
        // The fixed addresses are the link table's own; these two stand for them.
        {kMarketInsiderTrades, "IBM", InsiderTrading, "/"},
        {kDirections, "IBM", ProductSite, "/download.htm"},
        // What the symbol may hold.
        {kStockResearch, "BRK.B", YahooBusiness, "/z/a/B/BRK.B.html"},
        {kStockResearch, "\xC3\x91X", YahooBusiness, "/z/a/%C3%91/%C3%91X.html"},
        {kStockOptions, "A&B C/<x>", YahooFinance, "/q?s=A%26B%20C%2F%3Cx%3E&d=o"},
        {kResearchReport, "#?%\"'", ResearchReports, "/tickersearch.asp?Process=1&Ticker=%23%3F%25%22%27&image1.x=19&image1.y=8"},
        {kStockResearch, "", YahooBusiness, "/z/a//.html"},
    };
    const HostsConfig hosts = LoopbackHosts();
    for (const auto& c : cases)
        EXPECT_EQ(LinkUrl(c.id, c.symbol, hosts), LoopbackBase(c.role) + std::string(c.pathAndQuery)) << c.id;
}

TEST(LinkUrl, AHostileSymbolAddsNoPathSegmentNoQueryKeyNoFragment)
{
    const HostsConfig hosts = LoopbackHosts();
    for (const LinkCommand& link : kLinkCommands) {
        const std::string plain = *LinkUrl(link.id, "IBM", hosts);
        for (std::string_view symbol : {"A&B C/<x>", "X?y=1#z", "../..", "%2F", "a\nb"}) {
            const auto hostile = LinkUrl(link.id, symbol, hosts);
            if (!hostile) {
                EXPECT_TRUE(symbol.starts_with('.')) << link.id << " " << symbol;  // see below
                continue;
            }
            for (char c : std::string_view("/?&=#\n "))
                EXPECT_EQ(CountOf(*hostile, {&c, 1}), CountOf(plain, {&c, 1})) << link.id << " " << symbol << " " << c;
        }
    }
    // A first character '.' would make a "." segment, which takes a level off the path.
    EXPECT_EQ(LinkUrl(kStockResearch, ".X", hosts), std::nullopt);
    EXPECT_EQ(LinkUrl(kStockOptions, ".X", hosts), LoopbackBase(HostRole::YahooFinance) + "/q?s=.X&d=o");
}

TEST(LinkUrl, EveryLinkStartsWithItsSiteAndOtherCommandsHaveNone)
{
    const HostsConfig defaults;
    const HostsConfig loopback = LoopbackHosts();
    for (const LinkCommand& link : kLinkCommands) {
        for (const HostsConfig* hosts : {&defaults, &loopback}) {
            const auto url = LinkUrl(link.id, "IBM", *hosts);
            if (hosts->Base(link.role).empty())
                EXPECT_EQ(url, std::nullopt) << link.id;  // no product site configured
            else
                EXPECT_TRUE(url && url->starts_with(hosts->Base(link.role) + "/")) << link.id;
        }
    }
    for (int id : {0, int{kReadLocal}, int{kStockNews}, int{kBack}, kFirstFavoriteId})
        EXPECT_EQ(LinkUrl(id, "IBM", loopback), std::nullopt) << id;
    EXPECT_TRUE(FindLinkCommand(kDirections)->defaultBrowser);
    EXPECT_EQ(ProductHomeUrl(defaults), std::nullopt);
    EXPECT_EQ(ProductHomeUrl(loopback), LoopbackBase(HostRole::ProductSite) + "/index.htm");
}

// Every link that gives no address says why, and one that gives an address says nothing.
TEST(LinkUnavailableReason, NamesTheKeyToSetOrTheSymbolAndIsEmptyExactlyWhenThereIsAnAddress)
{
    const HostsConfig defaults;
    const HostsConfig loopback = LoopbackHosts();
    for (const LinkCommand& link : kLinkCommands)
        for (const HostsConfig* hosts : {&defaults, &loopback})
            for (std::string_view symbol : {"IBM", ".DJI"}) {
                const std::string reason = LinkUnavailableReason(link.id, "Name", symbol, *hosts);
                EXPECT_EQ(reason.empty(), LinkUrl(link.id, symbol, *hosts).has_value()) << link.id << " " << symbol;
            }
    EXPECT_EQ(LinkUnavailableReason(kDirections, "Directions for use", "IBM", defaults).substr(0, 80),
              "\"Directions for use\" needs the program's web site: name it as productSite in the");
    EXPECT_EQ(LinkUnavailableReason(kReadLocal, "Read", "IBM", defaults), "");
}
