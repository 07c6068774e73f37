#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Every outside site the program reaches, by the role it plays. The paths and
// queries on each site are fixed by the code that uses it; only the base
// address (scheme, host and optional port) is configured.
enum class HostRole {
    ProductSite,          // the program's own web site: home and download pages
    IntradayCharts,       // intraday-chart service
    YahooBusiness,        // Yahoo business site: research and insider pages
    ResearchReports,      // research-report search
    YahooFinance,         // Yahoo finance site: options page, quote page server
    YahooCharts,          // Yahoo chart server: historical prices
    MarketData,           // market-data site: most actives
    FinancialNews,        // financial-news site: analyst ratings
    InvestorInformation,  // investor-information site: earnings calendar
    EarningsResearch,     // earnings-research site: earnings surprises
    InvestorNews,         // investor-news site: earnings warnings, stock splits
    IpoSite,              // IPO site: lock-up periods
    InsiderTrading,       // insider-trading site
    QuoteSite,            // quote site: economic calendar
    WebSearch,            // web-search page
    SecondQuoteSource,    // the second quote source's site; also its message boards
    // Sites the market pages are composed from.
    ChartingSite,       // charting site: markets page
    ChartImages,        // chart-image service of the Dow charts page
    MarketBriefing,     // market-briefing site: stocks and stocks in play
    NewsMagazine,       // news magazine: market news
    PersonalFinance,    // personal-finance site: market commentary, top picks
    FinancialWeb,       // financial-web site: editorial columns
    InvestorPortal,     // investor-news portal: today's articles
    VideoNews,          // financial-video news site: top analysts
    VideoViewer,        // the video news site's viewer host
    WorldFinance,       // world-finance site: company analysis, IPOs
    YahooMessages,      // Yahoo message boards
    RagingBull,         // Raging Bull message boards
    ResearchPortal,     // investor-research portal: support and resistance
    InvestmentCenter,   // investment centre: news search, security evaluator
    MarketWire,         // market-news wire: company tip sheets
    // Sites only linked from the market pages' link blocks.
    BusinessWire,
    Cnet,
    Newswire,
    BusinessWeek,
    MultexInvestor,
    WallStreetCity,
    SmartMoney,
    AnalystSite,
    NewsAlert,
    MetaMarkets,
    StandardAndPoors,
    CbsMarketWatch,
    Hoovers,
    WorldFinancialNetwork,
};

inline constexpr std::size_t kHostRoleCount = 45;

struct HostRoleInfo {
    HostRole role;
    std::string_view key;          // key in the [hosts] section of the hosts file
    std::string_view defaultBase;  // built-in base address
};

// One entry per role, in the order of HostRole. The product site has no
// built-in address: without one the program shows the start page it ships.
// The other defaults of sites without a known name are reserved example
// hosts; a user who wants those pages names the real site in the hosts file.
inline constexpr std::array<HostRoleInfo, kHostRoleCount> kHostRoles = {{
    {HostRole::ProductSite, "productSite", ""},
    {HostRole::IntradayCharts, "intradayCharts", "http://intraday.example.com"},
    {HostRole::YahooBusiness, "yahooBusiness", "http://biz.yahoo.com"},
    {HostRole::ResearchReports, "researchReports", "http://research.example.com"},
    {HostRole::YahooFinance, "yahooFinance", "http://finance.yahoo.com"},
    {HostRole::YahooCharts, "yahooChart", "http://chart.yahoo.com"},
    {HostRole::MarketData, "marketData", "http://marketdata.example.com"},
    {HostRole::FinancialNews, "financialNews", "http://news.example.com"},
    {HostRole::InvestorInformation, "investorInformation", "http://investorinfo.example.com"},
    {HostRole::EarningsResearch, "earningsResearch", "http://earnings.example.com"},
    {HostRole::InvestorNews, "investorNews", "http://investornews.example.com"},
    {HostRole::IpoSite, "ipoSite", "http://ipo.example.com"},
    {HostRole::InsiderTrading, "insiderTrading", "http://insider.example.com"},
    {HostRole::QuoteSite, "quoteSite", "http://quotes.example.com"},
    {HostRole::WebSearch, "webSearch", "http://search.example.com"},
    {HostRole::SecondQuoteSource, "secondService", "http://www.siliconinvestor.com"},
    {HostRole::ChartingSite, "chartingSite", "http://charts.example.com"},
    {HostRole::ChartImages, "chartImages", "http://chartimages.example.com"},
    {HostRole::MarketBriefing, "marketBriefing", "http://briefing.example.com"},
    {HostRole::NewsMagazine, "newsMagazine", "http://magazine.example.com"},
    {HostRole::PersonalFinance, "personalFinance", "http://personalfinance.example.com"},
    {HostRole::FinancialWeb, "financialWeb", "http://financialweb.example.com"},
    {HostRole::InvestorPortal, "investorPortal", "http://investorportal.example.com"},
    {HostRole::VideoNews, "videoNews", "http://videonews.example.com"},
    {HostRole::VideoViewer, "videoViewer", "http://viewer.videonews.example.com"},
    {HostRole::WorldFinance, "worldFinance", "http://worldfinance.example.com"},
    {HostRole::YahooMessages, "yahooMessages", "http://messages.yahoo.com"},
    {HostRole::RagingBull, "ragingBull", "http://www.ragingbull.com"},
    {HostRole::ResearchPortal, "researchPortal", "http://researchportal.example.com"},
    {HostRole::InvestmentCenter, "investmentCenter", "http://investing.example.com"},
    {HostRole::MarketWire, "marketWire", "http://marketwire.example.com"},
    {HostRole::BusinessWire, "businessWire", "http://www.businesswire.com"},
    {HostRole::Cnet, "cnet", "http://news.cnet.com"},
    {HostRole::Newswire, "newswire", "http://newswire.example.com"},
    {HostRole::BusinessWeek, "businessWeek", "http://www.businessweek.com"},
    {HostRole::MultexInvestor, "multexInvestor", "http://www.multexinvestor.com"},
    {HostRole::WallStreetCity, "wallStreetCity", "http://www.wallstreetcity.com"},
    {HostRole::SmartMoney, "smartMoney", "http://www.smartmoney.com"},
    {HostRole::AnalystSite, "analystSite", "http://analyst.example.com"},
    {HostRole::NewsAlert, "newsAlert", "http://www.newsalert.com"},
    {HostRole::MetaMarkets, "metaMarkets", "http://www.metamarkets.com"},
    {HostRole::StandardAndPoors, "standardAndPoors", "http://www.standardandpoors.com"},
    {HostRole::CbsMarketWatch, "cbsMarketWatch", "http://cbs.marketwatch.com"},
    {HostRole::Hoovers, "hoovers", "http://www.hoovers.com"},
    {HostRole::WorldFinancialNetwork, "worldFinancialNetwork", "http://www.wfn.com"},
}};

// True for "http://" or "https://" followed by a host name (letters, digits,
// '-', '.') and an optional ":port" (1 to 65535), nothing else: no path,
// query, user name or blank. The scheme may be written in any case.
bool IsBaseAddress(std::string_view text);

// True for a base address (see IsBaseAddress) followed by nothing or by a path
// starting with '/' and an optional query, with no blank, control character,
// quote, '<', '>' or '#' anywhere.
bool IsServiceUrl(std::string_view text);

// The base address of every role and the CSV quote service's address. A
// default-constructed object holds the built-in defaults and no CSV service.
class HostsConfig {
public:
    HostsConfig();

    // The hosts file `path`: a "[hosts]" section of "key=value" lines; lines
    // starting with '#' or ';' and blank lines are skipped, CR LF line ends
    // are accepted, keys and values are trimmed, keys and section names are
    // compared without case, unknown keys and other sections are ignored, the
    // last line of a key wins. A value must satisfy IsBaseAddress (one
    // trailing '/' is dropped); the product site may also be empty. Any other
    // value, and any line in [hosts] that is not "key=value", is rejected: the
    // role keeps its default and the line is reported in warnings().
    // A "[csvService]" section's "url" key names the CSV quote service: a
    // value satisfying IsServiceUrl, or the line is rejected likewise, as is
    // a "[limits]" section's "commandSeconds" that SetCommandSeconds refuses.
    // A missing file gives the defaults. Throws FileError naming the path
    // when the file exists but cannot be read (a folder, a named pipe, a
    // device, no permission). A file larger than kMaxFileSize, an empty one,
    // and one that is no 8-bit text (UTF-16, NUL bytes, carriage returns
    // alone as line ends) is not used: one warning says why, and every role
    // keeps its default. Lines holding control characters, or longer than
    // any address, are skipped, and one warning lists their numbers without
    // repeating them.
    static HostsConfig Load(const std::filesystem::path& path);

    // The most a hosts file may hold; no more than one byte past it is read.
    static constexpr std::size_t kMaxFileSize = 1u << 20;

    // $XDG_CONFIG_HOME/Tarnwick/hosts.ini when that variable holds an
    // absolute path, else $HOME/.config/Tarnwick/hosts.ini.
    static std::filesystem::path DefaultPath();

    // The base address of `role`, without trailing '/'; empty only for the
    // product site when none is configured.
    const std::string& Base(HostRole role) const;

    // Sets the base address of `role` when `base` is acceptable as in Load;
    // returns false and changes nothing otherwise.
    bool Set(HostRole role, std::string_view base);

    // Points every role, and the CSV quote service, at the one server
    // "host:port" (a local mirror or a test server); false, changing nothing,
    // when it is no such server.
    bool PointAllAt(std::string_view server);

    // The CSV quote service's address with its places "{symbol}",
    // "{symbolLower}", "{from}" and "{to}"; empty when none is configured.
    const std::string& csvServiceUrl() const { return csvServiceUrl_; }

    // Sets it when `url` satisfies IsServiceUrl; false, changing nothing,
    // otherwise.
    bool SetCsvServiceUrl(std::string_view url);

    // The time one command may take with all its fetches: the "[limits]"
    // section's "commandSeconds", a whole number from 1 to kMaxCommandTime.
    std::chrono::seconds commandTime() const { return commandTime_; }

    // Sets it from such a number; false, changing nothing, for anything else.
    bool SetCommandSeconds(std::string_view seconds);

    static constexpr std::chrono::seconds kDefaultCommandTime{90};
    static constexpr std::chrono::seconds kMaxCommandTime{3600};

    // One message per rejected line of the last Load, naming file and line,
    // and one for the file as a whole or for all its unreadable lines.
    const std::vector<std::string>& warnings() const { return warnings_; }

private:
    std::array<std::string, kHostRoleCount> bases_;
    std::string csvServiceUrl_;
    std::chrono::seconds commandTime_ = kDefaultCommandTime;
    std::vector<std::string> warnings_;
};
