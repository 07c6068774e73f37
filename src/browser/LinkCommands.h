#pragma once

#include "browser/HostsConfig.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The commands that go straight to a fixed outside address: a site by role
// plus a fixed path and query. In `path`, "{symbol}" stands for the
// document's symbol and "{initial}" for its first character.
struct LinkCommand {
    int id;
    HostRole role;
    std::string_view path;
    bool defaultBrowser;  // opened in the user's web browser, not in the browser view
};

inline constexpr std::array<LinkCommand, 16> kLinkCommands = {{
    {32775, HostRole::IntradayCharts,
     "/cgi-bin/intraday?index=%24COMPX&intraday=symbol&symbol={symbol}&exchange=USA&size=640x480"
     "&frequency=5+minute&type=Bar&color=Graph+Paper&scale=Linear"
     "&moving1=50+minute&moving2=None&moving3=None&moving=bollinger&bollinger=20+minute&ind_vol=on&ind_obv=on"
     "&ind_sto=on&sto=15-5-5&ind_wpr=on&wpr=12&ind_rsi=on&rsi=8&ind_macd=on&macd=12-25-9&ind_roc=on&roc=16-8"
     "&ind_mfi=on&mfi=13&refresh=180",
     false},
    {32831, HostRole::YahooBusiness, "/z/a/{initial}/{symbol}.html", false},
    {32833, HostRole::ResearchReports, "/tickersearch.asp?Process=1&Ticker={symbol}&image1.x=19&image1.y=8", false},
    {32835, HostRole::YahooBusiness, "/t/{initial}/{symbol}.html", false},
    {32836, HostRole::YahooFinance, "/q?s={symbol}&d=o", false},
    {32798, HostRole::MarketData, "/pl/wsrn/padvance.asp", false},
    {32799, HostRole::FinancialNews, "/news/current/ratings.htx", false},
    {32800, HostRole::InvestorInformation, "/earnings_calendar.shtml", false},
    {32801, HostRole::EarningsResearch, "/earnings/index.php3", false},
    {32823, HostRole::InvestorNews, "/earnings-warnings.asp", false},
    {32802, HostRole::InvestorNews, "/splits/splits-thisweek.asp", false},
    {32803, HostRole::IpoSite, "/ipoinfo/lockup.asp?p=ONIN", false},
    {32825, HostRole::InsiderTrading, "/", false},
    {32804, HostRole::QuoteSite, "/quotecom/markets/brief_calendar.asp", false},
    {32795, HostRole::WebSearch, "/escapes/search/netsearch_0.html", false},
    {32851, HostRole::ProductSite, "/download.htm", true},
}};

// The product site's home page, opened as the start page and after the
// eleventh counted command.
inline constexpr std::string_view kProductHomePath = "/index.htm";

// The link command `id`, or nullptr.
const LinkCommand* FindLinkCommand(int id);

// Every byte other than ASCII letters, digits and the `kept` characters as
// %XX (upper-case hex), so the text stays one path segment or one query value.
std::string PercentEncode(std::string_view text, std::string_view kept = "-._~");

// `path` with "{symbol}" replaced by the symbol and "{initial}" by its first
// character (a whole UTF-8 character), both percent-encoded keeping `kept`.
std::string ExpandSymbolPath(std::string_view path, std::string_view symbol, std::string_view kept = "-._~");

// The full address of link command `commandId` for `symbol`: the role's base
// address followed by the command's path, the symbol percent-encoded where it
// is inserted. An empty symbol leaves its places empty.
// Nothing when the ID is no link command, when its site has no address (the
// product site unless configured), or when the symbol starts with '.' and the
// path has an {initial} segment (that segment would read as "." and take a
// level off the path).
std::optional<std::string> LinkUrl(int commandId, std::string_view symbol, const HostsConfig& hosts);

// The product site's home page; nothing when no product site is configured
// (the caller then shows the start page shipped with the program).
std::optional<std::string> ProductHomeUrl(const HostsConfig& hosts);
