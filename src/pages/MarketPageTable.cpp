#include "pages/MarketPageTable.h"

namespace {

using enum HostRole;

// The fragment from the first `start` to the last `end`.
FragmentRule FirstToLast(std::string_view start, std::string_view end, int endOffset)
{
    return {{{start}}, {{end, 6}}, EndMatch::Last, endOffset};
}

LinkItem Label(std::string_view text)
{
    return {LinkItem::Label, text};
}
LinkItem Link(std::string_view text, HostRole role, std::string_view path)
{
    return {LinkItem::Link, text, role, path};
}
const LinkItem kBreak{LinkItem::Break, ""};

}  // namespace

const PageRecipe& NewsIndexRecipe()
{
    static const PageRecipe recipe{
        .head = {"resnewsindex", "#B1DEC0", "100%", "font-size: 12pt; word-spacing: 0; margin-top: 0; margin-bottom: 0",
                 "#2C8730", 74, "#FFFFFF", "News&nbsp; Index", ""},
        .links = {Label("Business Wire"), Link("Headlines", BusinessWire, "/headlines/"), Label("CNET"),
                  Link("Tech News", Cnet, "/news/"), kBreak, Label("Newswire"),
                  Link("Headlines", Newswire, "/headlines/"), Label("Yahoo"),
                  Link("High Tech Industry News", YahooBusiness, "/news/tech/")},
        // The magazine's section comes first, above the closing line.
        .closingLineBefore = 1,
        .sources = {{.role = NewsMagazine,
                     .path = "/money/markets/",
                     .fragment = {{{"<B>Market News from CNNfn</B>"}}, {{"<IMG SRC=", 0}}, EndMatch::First, 0},
                     .pairs = {{"</A></B>", "</A></B><BR>"}, {"</DIV>", "</DIV><BR>"}}},
                    {.role = FinancialNews,
                     .path = "/newsindex/newsindex.asp",
                     .fragment = FirstToLast("<body", "</html>", 8),
                     .pairs = {{"return false;", "return true;"},
                               {"background=\"/", "background=\"{R}/"},
                               {"href=\"/", "href=\"{R}/"}},
                     .label = "<hr><html>"}},
    };
    return recipe;
}

const PageRecipe& MarketAnalysisRecipe()
{
    static const PageRecipe recipe{
        .head = {"Market Analysis", "#ACCBE1", "100%", "", "#3366FF", 56, "#FFFFFF",
                 "Market&nbsp; Analysis&nbsp; and&nbsp;Forecast", ""},
        .links = {Label("Brellow"), Link("Market Analysis", ProductSite, "/marketanalysis.htm"),
                  Link("Market Commentary", WorldFinance, "/content/markets/commentary.phtml"), kBreak,
                  Label("BusinessWeek"), Link("Investment", BusinessWeek, "/investor/"), Label("Multex Investor"),
                  Link("Analyst Corner", MultexInvestor, "/analystcorner/")},
        .closingLineBefore = 0,
        .sources = {{.role = PersonalFinance,
                     .path = "/cgi-bin/WebObjects/SNP?action=gotoMiniStocks",
                     .fragment = FirstToLast("<html>", "</html>", 8),
                     .pairs = {{"src='/", "src='{R}/"},
                               {"URL(\"/", "URL(\"{R}/"},
                               {"open(\"/", "open(\"{R}/"},
                               {"href=\"/", "href=\"{R}/"},
                               {"HREF=\"/", "HREF=\"{R}/"},
                               {"src=\"/", "src=\"{R}/"},
                               {"SRC=\"/", "SRC=\"{R}/"},
                               {"SIZE=\"-1\"", "size=1"}},
                     // The first page only names the page of the column.
                     .followed = FollowedPath{{{{"Inside Wall Street"}, {"/cgi-bin/", 0}},
                                               {{"LocalNavCell", 6}},
                                               EndMatch::First,
                                               static_cast<int>(std::string_view("LocalNavCell").size())},
                                              1299}},
                    {.role = FinancialWeb,
                     .path = "/edtarticle.asp?columnID=19",
                     .fragment = FirstToLast("<html>", "</TABLE>", 9),
                     .pairs = {{"src=\"images", "src=\"{R}/images"}},
                     .label = "<hr>"}},
    };
    return recipe;
}

const PageRecipe& StockAnalysisRecipe()
{
    static const PageRecipe recipe{
        .head = {"Stock Analysis", "#BAADD3", "100%", "", "#944AE6", 63, "#FFFFFF",
                 "Stock&nbsp; Analysis&nbsp; and&nbsp; Picks", ""},
        .links = {Label("Brellow"), Link("Stock Analysis", ProductSite, "/stockanalysis.htm"),
                  Link("Focus Stocks", ProductSite, "/focusstocks.htm"),
                  Link("Stock Picks", ProductSite, "/stockpicks.htm"),
                  Link("Top Picks from the Pros", PersonalFinance, "/toppicks/"), kBreak,
                  Label("Wall Street City"), Link("The INVESTools Advisory", WallStreetCity, "/investools/"),
                  Link("Featured Stocks", WallStreetCity, "/featured/"), Label("SmartMoney"),
                  Link("Latest Picks", SmartMoney, "/picks/"), kBreak,
                  Link("The Internet Analyst", AnalystSite, "/internet/"),
                  Link("The Telecomm Analyst", AnalystSite, "/telecomm/"), Label("NewsALERT"),
                  Link("Analysts' Corner", NewsAlert, "/analysts/"), kBreak,
                  Link("The Stock Exchange", NewsMagazine, "/money/markets/stockexchange/"), Label("MetaMarkets"),
                  Link("Stocks We Watch", MetaMarkets, "/watch/"), kBreak, Label("S&amp;P"),
                  Link("Picks and Pans", StandardAndPoors, "/picks/"), Label("CBS. MW"),
                  Link("Analysts' Rating Revisions", CbsMarketWatch, "/news/ratings/"), kBreak},
        .closingLineBefore = 0,
        .sources = {{.role = InvestorPortal,
                     .path = "/articles/newtoday.asp",
                     .fragment = FirstToLast("<BODY", "</HTML>", 8),
                     .pairs = {{"HREF=/", "HREF={R}/"},
                               {"HREF=\"/", "HREF=\"{R}/"},
                               {"SRC=/", "SRC={R}/"},
                               {"SRC=\"/", "SRC=\"{R}/"},
                               {"src=/", "src={R}/"},
                               {"< HREF", "<A HREF"},
                               {">TD", "><TD"},
                               {">/TD", "></TD"},
                               {">/TR>", "></TR>"},
                               {"WIDT=", "WIDTH="}},
                     .label = "<HTML>"},
                    {.role = VideoNews,
                     .path = "/newsline/channels/top_analysts/1.htm",
                     .fragment = FirstToLast("<html>", "</html>", 8),
                     .pairs = {{"openthis", "open(this"},
                               {"href=\"/vuwindow", "href=\"{R2}/vuwindow"},
                               {"src=\"/images", "src=\"{R}/images"},
                               {"HREF=\"../top", "HREF=\"{R}/newsline/channels/top"},
                               {"href=\"2.htm", "href=\"{R}/newsline/channels/top_analysts/2.htm"}},
                     .secondRoot = VideoViewer}},
    };
    return recipe;
}

const PageRecipe& IpoRecipe()
{
    static const PageRecipe recipe{
        .head = {"IPO", "#CCCC99", "100%", "", "#808000", 74, "#FFFFFF", " I P O", ""},
        .links = {Label("Brellow"), Link("IPO Ratings", ProductSite, "/iporatings.htm"), Label("Hoover's"),
                  Link("IPO Calendar", Hoovers, "/ipo/calendar/"), kBreak, Label("WFN"),
                  Link("Aftermarket Performance", WorldFinancialNetwork, "/ipo/aftermarket/"),
                  Label("Personal Wealth"), Link("IPO Research", PersonalFinance, "/ipo/"), kBreak,
                  Link("Quiet Period", IpoSite, "/ipoinfo/quiet.asp"),
                  Link("Lock-up Period", IpoSite, "/ipoinfo/lockup.asp?p=ONIN"),
                  Link("IPO News", IpoSite, "/ipoinfo/news.asp"), kBreak},
        .closingLineBefore = 0,
        .sources = {{.role = WorldFinance,
                     .path = "/content/companies/analysis.phtml",
                     .fragment = FirstToLast("<html>", "</html>", 8),
                     .pairs = {{"/images/", "{R}/images/"},
                               {"/tools/", "{R}/tools/"},
                               {"href=\"/", "href=\"{R}/"},
                               {"src=\"/", "src=\"{R}/"}}}},
        .pieceLimit = 1000,
    };
    return recipe;
}

const PageRecipe& StockNewsRecipe()
{
    static const PageRecipe recipe{
        .head = {"Stock News", "#E0D7D6", "760", "", "#866966", 74, "#00FF00", "Stock&nbsp; News", "<tr><td>"},
        .closingLineBefore = -1,
        .sources = {{.role = YahooBusiness,
                     .path = "/n/{initial}/{symbol}.html",
                     .fragment = FirstToLast("<html>", "</html>", 8),
                     .pairs = {{"href=/", "href={R}/"}}},
                    {.role = InvestmentCenter,
                     .path = "/investments/news/?symbol={symbol}&button=Go&choice=on",
                     .fragment = {{{"You can enter multiple tickers"}, {"<TABLE"}, {"<TABLE"}},
                                  {{"Older Stories"}, {"<TABLE"}},
                                  EndMatch::First,
                                  0},
                     .pairs = {{"../news/", "{R}/investments/news/"}, {"HREF=\"/n/", "HREF=\"{R}/investments/news/"}},
                     .label = "<hr>Information from {site} :"}},
        .closingText = "<br><hr></td></tr><tr><td>*****Brellow*****Tarnwick*****</td></tr></table></body></html>",
    };
    return recipe;
}

const PageRecipe& MessageBoardsRecipe()
{
    static const PageRecipe recipe{
        .head = {"Messaga Boards", "#C0BEEB", "980", "", "#8E84D9", 74, "#00FFFF", "Message&nbsp; Boards",
                 "<tr><td>"},
        .closingLineBefore = 0,
        .sources = {{.role = YahooMessages,
                     .path = "/?action=q&board={symbol}",
                     .fragment = FirstToLast("<html>", "</html>", 8),
                     .pairs = {{"href=/", "href={R}/"}, {"href=\"/", "href=\"{R}/"}}},
                    {.role = SecondQuoteSource,
                     .path = "/stocktalk/searchresults.gsp?s={symbol}&domain=Messages",
                     .fragment = {{{"<!-- TOPIC SECTION -->"}, {"<table"}},
                                  {{"</table>"}, {"<br>"}},
                                  EndMatch::First,
                                  1},
                     .pairs = {{"/stocktalk/", "{R}/stocktalk/"}},
                     .label = "<hr>Information from Silicon Investor :",
                     .symbolLineEnd = "<b>   "},
                    {.role = RagingBull,
                     .path = "/mboard/boards.cgi?board={symbol}",
                     .fragment = FirstToLast("<HTML>", "</HTML>", 8),
                     .pairs = {{"HREF=\"/", "HREF=\"{R}/"},
                               {"src=\"/", "src=\"{R}/"},
                               {"action=\"/", "action=\"{R}/"},
                               {"< href", "<a href"}},
                     .label = "</table><hr>Information from Ragingbull :"}},
    };
    return recipe;
}

const PageRecipe& PriceForecastRecipe()
{
    static const std::vector<PairTemplate> pairs = {
        {"document.QlistCtl.Symbol.focus();document.QlistCtl.Symbol.select();", ""},
        {"HREF=\"/", "HREF=\"{R}/"},
        {"HREF=\"../../", "HREF=\"{R}/investor/"},
        {"HREF=../../", "HREF={R}/investor/"},
        {"scr=\"../../", "scr=\"{R}/investor/"},
        {"SRC=\"../../", "SRC=\"{R}/investor/"},
        {"SRC=/", "SRC={R}/"},
        {"href=srw", "href={R}/investor/srw"},
    };
    static const PageRecipe recipe{
        .head = {"support", "#9AD6B8", "100%", "", "#008000", 48, "#00FFFF",
                 "Support,&nbsp; Resistance&nbsp; and&nbsp;Price&nbsp; Forecast", "<tr><td width=\"100%\">"},
        .closingLineBefore = 0,
        .sources = {{.role = ResearchPortal,
                     .path = "/investor/research/wizards/SRWHistory.asp?Symbol={symbol}",
                     .fragment = FirstToLast("<HTML>", "</HTML>", 8),
                     .pairs = pairs},
                    {.role = ResearchPortal,
                     .path = "/investor/research/wizards/SRWTarget.asp?Symbol={symbol}",
                     .fragment = FirstToLast("<HTML>", "</HTML>", 8),
                     .pairs = pairs,
                     .label = "<hr>"}},
    };
    return recipe;
}

const PageRecipe& StockEvaluatorRecipe()
{
    static const std::vector<PairTemplate> pairs = {
        {"=\"indicator", "=\"{R}/investments/seceval/indicator"},
        {"=\"legend", "=\"{R}/investments/seceval/legend"},
    };
    static const std::vector<MarkerStep> start = {{"SUMMARY"}, {"<TR"}};
    static const std::vector<MarkerStep> sectorEnd = {{"<TD class=bSH>&nbsp;Industry/Sector Information</TD>"}};
    constexpr std::string_view symbolLineEnd =
        "<b><br><table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"760\">";
    constexpr std::string_view laterLabel = "</table><hr>Information from {site} :";
    auto source = [&](std::string_view path, std::vector<MarkerStep> end, int endOffset, std::string_view label) {
        return SourceRecipe{.role = InvestmentCenter,
                            .path = path,
                            .fragment = {start, std::move(end), EndMatch::First, endOffset},
                            .pairs = pairs,
                            .label = label,
                            .symbolLineEnd = symbolLineEnd};
    };
    static const PageRecipe recipe{
        .head = {"Stock Evaluator", "#FCEFFB", "580", "", "#129292", 75, "#800080",
                 " </font><font size=\"4\" color=\"#FFFFFF\">Stock&nbsp;Evaluator", "<tr><td>"},
        .closingLineBefore = -1,
        .sources = {source("/investments/seceval/?symbol={symbol}",
                           {{"Media General Financial Services", 6}, {"</TABLE>", 6}, {"</TD>", 6}}, 1,
                           "Information from {site} :"),
                    source("/investments/seceval/?symbol={symbol}&cmetric=summary&cmetric=health", sectorEnd, -5,
                           laterLabel),
                    source("/investments/seceval/?symbol={symbol}&cmetric=health&cmetric=mgmt", sectorEnd, -5,
                           laterLabel),
                    source("/investments/seceval/?symbol={symbol}&cmetric=mgmt&cmetric=mktval", sectorEnd, -5,
                           laterLabel),
                    source("/investments/seceval/?symbol={symbol}&cmetric=mktval&cmetric=intrinsic",
                           {{"<TR><TD CLASS=fFP>*Quotes provided by"}}, -5, laterLabel)},
        .closingText =
            "</table><br><hr></td></tr><tr><td>*****Brellow*****Tarnwick*****</td></tr></table></body></html>",
    };
    return recipe;
}

const PageRecipe& CompanyProfileRecipe()
{
    static const PageRecipe recipe{
        .head = {"Profile", "#FFFFE1", "100%", "", "#CADC25", 61, "#5278FC", "Stock  Fundamental  and  Profile",
                 "<tr><td width=\"100%\">"},
        .closingLineBefore = 0,
        .sources = {{.role = MarketWire,
                     .path = "/cgi-bin/info_disp?ticker={symbol}&ChartSelection=TipSheet&rpt_type=++&chart_type=++"
                             "&alert_type=++&hn=stock_theader.inc&fn=footer.inc&template_name=++&template_st=++"
                             "&template=++&site=fox&request=s0&group=wf&x=14&y=6",
                     .fragment = FirstToLast("<HTML>", "</HTML>", 8),
                     .pairs = {{"'../", "'{R}/"},
                               {"src = \"../", "src = \"{R}/"},
                               {"src=\"../", "src=\"{R}/"},
                               {"SRC=\"../", "SRC=\"{R}/"},
                               {"src=\"/", "src=\"{R}/"},
                               {"href=\"../", "href=\"{R}/"},
                               {"action=\"../", "action=\"{R}/"}}},
                    {.role = YahooBusiness,
                     .path = "/p/{initial}/{symbol}.html",
                     .fragment = FirstToLast("<body>", "</body>", 8),
                     .pairs = {{"href=/", "href={R}/"}},
                     .label = "<hr>"}},
    };
    return recipe;
}
