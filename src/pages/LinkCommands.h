#pragma once

#include "base/CommandIds.h"
#include "net/HostsConfig.h"

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
    {kIntradayCharts, HostRole::IntradayCharts,
     "/cgi-bin/intraday?index=%24COMPX&intraday=symbol&symbol={symbol}&exchange=USA&size=640x480"
     "&frequency=5+minute&type=Bar&color=Graph+Paper&scale=Linear"
     "&moving1=50+minute&moving2=None&moving3=None&moving=bollinger&bollinger=20+minute&ind_vol=on&ind_obv=on"
     "&ind_sto=on&sto=15-5-5&ind_wpr=on&wpr=12&ind_rsi=on&rsi=8&ind_macd=on&macd=12-25-9&ind_roc=on&roc=16-8"
     "&ind_mfi=on&mfi=13&refresh=180",
     false},
    {kStockResearch, HostRole::YahooBusiness, "/z/a/{initial}/{symbol}.html", false},
    {kResearchReport, HostRole::ResearchReports, "/tickersearch.asp?Process=1&Ticker={symbol}&image1.x=19&image1.y=8", false},
    {kStockInsiderTrades, HostRole::YahooBusiness, "/t/{initial}/{symbol}.html", false},
    {kStockOptions, HostRole::YahooFinance, "/q?s={symbol}&d=o", false},
    {kMostActives, HostRole::MarketData, "/pl/wsrn/padvance.asp", false},
    {kUpgradesDowngrades, HostRole::FinancialNews, "/news/current/ratings.htx", false},
    {kEarningsCalendar, HostRole::InvestorInformation, "/earnings_calendar.shtml", false},
    {kEarningsSurprises, HostRole::EarningsResearch, "/earnings/index.php3", false},
    {kEarningsWarnings, HostRole::InvestorNews, "/earnings-warnings.asp", false},
    {kStockSplits, HostRole::InvestorNews, "/splits/splits-thisweek.asp", false},
    {kLockUpPeriod, HostRole::IpoSite, "/ipoinfo/lockup.asp?p=ONIN", false},
    {kMarketInsiderTrades, HostRole::InsiderTrading, "/", false},
    {kEconomicCalendar, HostRole::QuoteSite, "/quotecom/markets/brief_calendar.asp", false},
    {kSearch, HostRole::WebSearch, "/escapes/search/netsearch_0.html", false},
    {kDirections, HostRole::ProductSite, "/download.htm", true},
}};

// The product site's home page, opened as the start page and after the
// eleventh counted command.
inline constexpr std::string_view kProductHomePath = "/index.htm";

// The link command `id`, or nullptr.
const LinkCommand* FindLinkCommand(int id);

// The full address of link command `commandId` for `symbol`: the role's base
// address followed by the command's path, the symbol percent-encoded where it
// is inserted. An empty symbol leaves its places empty.
// Nothing when the ID is no link command, when its site has no address (the
// product site unless configured), or when the symbol starts with '.' and the
// path has an {initial} segment (that segment would read as "." and take a
// level off the path).
std::optional<std::string> LinkUrl(int commandId, std::string_view symbol, const HostsConfig& hosts);

// Why LinkUrl gives no address for the command called `name`, in words for
// the user: the hosts-file key to set, or the symbol it cannot take. Empty
// when it gives one or the ID is no link command.
std::string LinkUnavailableReason(int commandId, std::string_view name, std::string_view symbol,
                                  const HostsConfig& hosts);

// What to tell the user when the product site's home page was due but no
// product site is configured.
std::string NoProductSiteMessage(std::string_view wanted);

// The product site's home page; nothing when no product site is configured
// (the caller then shows the start page shipped with the program).
std::optional<std::string> ProductHomeUrl(const HostsConfig& hosts);
