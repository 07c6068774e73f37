#include "base/CommandIds.h"
#include "base/Errors.h"
#include "pages/MarketPages.h"
#include "support/FileSizeLimit.h"
#include "support/PageServer.h"
#include "support/TempFolder.h"
#include "support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using testing::ElementsAre;
using testing::HasSubstr;

namespace {

std::string Repeat(std::string_view text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

// Where `text` is in `page`.
std::size_t Where(const std::string& page, std::string_view text)
{
    const std::size_t at = page.find(text);
    EXPECT_NE(at, std::string::npos) << "missing: " << text;
    return at;
}

constexpr std::string_view kClosingLine = "</td></tr></table></body></html>";

class MarketPagesTest : public testing::Test {
protected:
    MarketPagesTest() { hosts.PointAllAt(server.base().substr(std::string_view("http://").size())); }

    std::string Build(const PageCompositor& page, const std::string& symbol = "IBM")
    {
        return ReadFile(page.Build({.hosts = hosts,
                                    .folder = folder.path(),
                                    .symbol = symbol,
                                    .warn = [this](const std::string& warning) { warnings.push_back(warning); }}));
    }

    // The names of the files in the page folder.
    std::vector<std::string> FilesInFolder() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    PageServer server;
    HostsConfig hosts;
    TempFolder folder;
    MarketPages pages;
    std::vector<std::string> warnings;
};

TEST_F(MarketPagesTest, MessageBoardsPageByteForByte)
{
    server.Serve("/?action=q&board=IBM",
                 "<p>top</p><html><a href=/b/1>one</a> <a href=\"/b/2\">two</a></html>tail</html>end");
    server.Serve("/stocktalk/searchresults.gsp?s=IBM&domain=Messages",
                 "<table>menu</table><!-- TOPIC SECTION --> <table><tr><td><a href=\"/stocktalk/m1\">m</a>"
                 "</td></tr></table> <br>rest<br>");
    server.Serve("/mboard/boards.cgi?board=IBM",
                 "<HTML><a HREF=\"/x\">x</a><img src=\"/i.gif\"><form action=\"/f\">< href=\"q\"></HTML>");

    const std::string page = Build(pages.messageBoardsPage);

    const std::string r = server.base();
    EXPECT_EQ(page,
              "<html><head>\n"
              "<meta http-equiv=\"Content-Language\" content=\"de\">\n"
              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n"
              "<meta name=\"GENERATOR\" content=\"Microsoft FrontPage 4.0\">\n"
              "<meta name=\"ProgId\" content=\"FrontPage.Editor.Document\">\n"
              "<title>Messaga Boards</title>\n</head>\n<body bgcolor=\"#C0BEEB\">\n"
              "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"980\">\n"
              "<tr><td bgcolor=\"#8E84D9\"><font size=\"4\" color=\"#00FFFF\">" +
                  Repeat("&nbsp;", 74) + "Message&nbsp; Boards</font></td></tr>\n<tr><td>" +
                  std::string(kClosingLine) + "<html><a href=" + r + "/b/1>one</a> <a href=\"" + r +
                  "/b/2\">two</a></html>tail</html>e" +
                  "<hr>Information from Silicon Investor :     Symbol: <b>IBM<b>   " +
                  "<table><tr><td><a href=\"" + r + "/stocktalk/m1\">m</a></td></tr></table> <" +
                  "</table><hr>Information from Ragingbull :" + "<HTML><a HREF=\"" + r + "/x\">x</a><img src=\"" +
                  r + "/i.gif\"><form action=\"" + r + "/f\"><a href=\"q\"></HTML>");
    ASSERT_THAT(server.targets(), ElementsAre("/?action=q&board=IBM", "/stocktalk/searchresults.gsp?s=IBM&domain=Messages",
                                              "/mboard/boards.cgi?board=IBM"));
    // One connection serves the whole build.
    const std::vector<SeenRequest> seen = server.requests();
    EXPECT_EQ(seen[0].clientPort, seen[1].clientPort);
    EXPECT_EQ(seen[1].clientPort, seen[2].clientPort);
}

TEST_F(MarketPagesTest, ErrorPagesAndMissingStartMarkersLeaveTheLabelsOnly)
{
    // The boards' page is the server's 404 page, markers and all: never cut in.
    server.Serve("/stocktalk/searchresults.gsp?s=IBM&domain=Messages", "no topics here");
    server.Serve("/mboard/boards.cgi?board=IBM", "<HTML>bull</HTML>");
    const std::string page = Build(pages.messageBoardsPage);
    EXPECT_THAT(page, testing::EndsWith(std::string(kClosingLine) +
                                        "<hr>Information from Silicon Investor :     Symbol: <b>IBM<b>   "
                                        "</table><hr>Information from Ragingbull :<HTML>bull</HTML>"));
    EXPECT_THAT(warnings, ElementsAre(server.base().substr(7) + " answered /?action=q&board=IBM with HTTP status 404 "
                                                                "instead of the page; its section stays empty."));
}

TEST_F(MarketPagesTest, APageNoSiteGaveContentToIsNotBuiltAndTheOldOneStays)
{
    const std::filesystem::path file = pages.messageBoardsPage.PagePath(folder.path());
    server.Serve("/mboard/boards.cgi?board=IBM", "<HTML>bull</HTML>");
    const std::string good = Build(pages.messageBoardsPage);

    // An error status, a page without the markers and an empty page.
    server.Handle("/mboard/boards.cgi", [](const httplib::Request&, httplib::Response& response) {
        response.status = 500;
        response.set_content("<HTML>Internal error</HTML>", "text/html");
    });
    server.Serve("/stocktalk/searchresults.gsp?s=IBM&domain=Messages", "no topics here");
    server.Serve("/?action=q&board=IBM", "");
    const std::string site = server.base().substr(7);
    EXPECT_EQ(ThrownMessage<PageError>([&] { Build(pages.messageBoardsPage); }),
              "No site gave content for htmmessageboards.htm (" + site +
                  "/?action=q&board=IBM: no content found in it; " + site +
                  "/stocktalk/searchresults.gsp?s=IBM&domain=Messages: no content found in it; " + site +
                  "/mboard/boards.cgi?board=IBM: HTTP status 500), so the page was not rebuilt.");
    EXPECT_EQ(ReadFile(file), good);
    EXPECT_THAT(FilesInFolder(), ElementsAre("htmmessageboards.htm"));
}

TEST_F(MarketPagesTest, HostileSymbolIsEncodedInRequestsAndEscapedInThePage)
{
    server.ServeOthers("<HTML>boards</HTML>");
    const std::string page = Build(pages.messageBoardsPage, "<b>&\" /x");
    EXPECT_EQ(server.targets()[1], "/stocktalk/searchresults.gsp?s=%3Cb%3E%26%22%20%2Fx&domain=Messages");
    EXPECT_THAT(page, HasSubstr("Symbol: <b>&lt;b&gt;&amp;&quot; /x<b>   "));
}

TEST_F(MarketPagesTest, NewsIndexWritesTheMagazineAboveTheClosingLine)
{
    server.Serve("/money/markets/", "<B>Market News from CNNfn</B><A>x</A></B> <DIV>d</DIV><IMG SRC=pic>");
    server.Serve("/newsindex/newsindex.asp", "<head></head><body>return false; <a href=\"/n\">n</a></body></html>");

    const std::string page = Build(pages.newsIndexPage);

    EXPECT_THAT(server.targets(), ElementsAre("/money/markets/", "/newsindex/newsindex.asp"));
    const std::size_t links = Where(page, "<b>Business Wire :</b>");
    const std::size_t magazine = Where(page, "<B>Market News from CNNfn</B><A>x</A></B><BR> <DIV>d</DIV><BR>");
    const std::size_t closing = Where(page, kClosingLine);
    const std::size_t news = Where(page, "<hr><html><body>return true; <a href=\"" + server.base() + "/n\">n</a>");
    EXPECT_LT(links, magazine);
    EXPECT_LT(magazine, closing);
    EXPECT_LT(closing, news);
    EXPECT_THAT(page, testing::EndsWith("</body></html>"));
}

TEST_F(MarketPagesTest, MarketAnalysisPostsThePathItFound)
{
    const std::string path = "/cgi-bin/WebObjects/SNP?col=iws&x=LocalNavCell";
    server.Serve("/cgi-bin/WebObjects/SNP?action=gotoMiniStocks",
                 "<a>Inside Wall Street</a> <a href=\"" + path + "\">column</a>");
    server.Serve(path, "<html><font SIZE=\"-1\">column text</font></html>");
    server.Serve("/edtarticle.asp?columnID=19", "<html><img src=\"images/a.gif\"></TABLE>+</TABLE>xx");

    const std::string page = Build(pages.marketAnalysisPage);

    ASSERT_THAT(server.targets(), ElementsAre("/cgi-bin/WebObjects/SNP?action=gotoMiniStocks", path,
                                              "/edtarticle.asp?columnID=19"));
    const std::vector<SeenRequest> seen = server.requests();
    EXPECT_EQ(seen[0].method + " " + seen[1].method + " " + seen[2].method, "GET POST GET");
    EXPECT_THAT(page, testing::EndsWith(std::string(kClosingLine) + "<html><font size=1>column text</font></html>" +
                                        "<hr><html><img src=\"" + server.base() + "/images/a.gif\"></TABLE>+</TABLE>x"));
}

TEST_F(MarketPagesTest, MarketAnalysisWithoutInsideWallStreetSkipsTheColumn)
{
    server.Serve("/cgi-bin/WebObjects/SNP?action=gotoMiniStocks", "<a href=\"/cgi-bin/x LocalNavCell\">");
    server.Serve("/edtarticle.asp?columnID=19", "<html>article</TABLE>");

    const std::string page = Build(pages.marketAnalysisPage);

    EXPECT_THAT(server.targets(), ElementsAre("/cgi-bin/WebObjects/SNP?action=gotoMiniStocks",
                                              "/edtarticle.asp?columnID=19"));
    EXPECT_THAT(page, testing::EndsWith(std::string(kClosingLine) + "<hr><html>article</TABLE>"));
}

class StockEvaluatorTest : public MarketPagesTest {
protected:
    void ServeFivePages(const std::string& symbol)
    {
        const std::string base = "/investments/seceval/?symbol=" + symbol;
        server.Serve(base, "SUMMARY x <TR>one =\"indicator1.gif\" <TR>Media General Financial Services "
                           "</TD></TABLE> <TD>a</TD>zz");
        const char* suffixes[] = {"&cmetric=summary&cmetric=health", "&cmetric=health&cmetric=mgmt",
                                  "&cmetric=mgmt&cmetric=mktval"};
        for (int i = 0; i < 3; ++i)
            server.Serve(base + suffixes[i], "SUMMARY <TR>part" + std::to_string(i + 2) +
                                                 " =\"legend.gif\"12345<TD class=bSH>&nbsp;Industry/Sector "
                                                 "Information</TD>");
        server.Serve(base + "&cmetric=mktval&cmetric=intrinsic",
                     "SUMMARY <TR>part5 67890<TR><TD CLASS=fFP>*Quotes provided by us");
    }
};

TEST_F(StockEvaluatorTest, FiveSourcesWithTheirEndsAndSymbolLines)
{
    ServeFivePages("IBM");
    const std::string page = Build(pages.stockEvaluatorPage);

    ASSERT_EQ(server.targets().size(), 5u);
    EXPECT_EQ(server.targets()[4], "/investments/seceval/?symbol=IBM&cmetric=mktval&cmetric=intrinsic");
    const std::string r = server.base();
    const std::string symbolLine =
        "     Symbol: <b>IBM<b><br><table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"760\">";
    const std::string later = "</table><hr>Information from 127.0.0.1 :" + symbolLine;
    EXPECT_THAT(page, HasSubstr("<tr><td>Information from 127.0.0.1 :" + symbolLine + "<TR>one =\"" + r +
                                "/investments/seceval/indicator1.gif\" <TR>Media General Financial Services "
                                "</TD></TABLE> <TD>a<" + later + "<TR>part2 =\"" + r +
                                "/investments/seceval/legend.gif\"" + later + "<TR>part3"));
    EXPECT_THAT(page, testing::EndsWith(later + "<TR>part5 </table><br><hr></td></tr><tr><td>*****Brellow*****"
                                                "Tarnwick*****</td></tr></table></body></html>"));
}

TEST_F(StockEvaluatorTest, EmptySymbolWritesTheLabelsWithoutSymbolLines)
{
    ServeFivePages("");
    const std::string page = Build(pages.stockEvaluatorPage, "");
    EXPECT_EQ(server.targets()[0], "/investments/seceval/?symbol=");
    EXPECT_THAT(page, testing::Not(HasSubstr("Symbol:")));
    EXPECT_THAT(page, HasSubstr("<tr><td>Information from 127.0.0.1 :<TR>one"));
    EXPECT_THAT(page, HasSubstr("</table><hr>Information from 127.0.0.1 :<TR>part5 </table><br><hr>"));
}

TEST_F(MarketPagesTest, StockAnalysisSendsViewerLinksToTheSecondRoot)
{
    hosts.Set(HostRole::VideoViewer, "http://viewer.test");
    server.Serve("/newsline/channels/top_analysts/1.htm",
                 "<html><a href=\"/vuwindow?id=1\" onclick=\"openthis)\"><img src=\"/images/a.gif\"></a></html>");
    const std::string page = Build(pages.stockAnalysisPage);
    EXPECT_THAT(page, testing::EndsWith("<html><a href=\"http://viewer.test/vuwindow?id=1\" onclick=\"open(this)\">"
                                        "<img src=\"" + server.base() + "/images/a.gif\"></a></html>"));
    // The portal's 404 page has no "<BODY": its section is the label alone.
    EXPECT_THAT(page, HasSubstr(std::string(kClosingLine) + "<HTML><html><a href"));
}

TEST_F(MarketPagesTest, SymbolPagesAskForTheSymbolsPaths)
{
    server.Serve("/p/I/IBM.html", "<html><body>profile <a href=/q>q</a></body></html>");
    const std::string profile = Build(pages.companyProfilePage);
    EXPECT_THROW(Build(pages.stockNewsPage), PageError);  // only its requests count here
    EXPECT_THAT(server.targets(), testing::Contains("/p/I/IBM.html"));
    EXPECT_THAT(server.targets(), testing::Contains("/n/I/IBM.html"));
    EXPECT_THAT(server.targets(), testing::Contains("/investments/news/?symbol=IBM&button=Go&choice=on"));
    EXPECT_THAT(profile, testing::EndsWith("<hr><body>profile <a href=" + server.base() + "/q>q</a></body><"));
}

TEST_F(MarketPagesTest, ASymbolStartingWithADotKeepsItsPathsLevel)
{
    server.ServeOthers("<html><body>any page</body></html>");
    Build(pages.companyProfilePage, ".IBM");
    Build(pages.stockNewsPage, ".IBM");
    EXPECT_THAT(server.targets(), testing::Contains("/p/%2E/.IBM.html"));
    EXPECT_THAT(server.targets(), testing::Contains("/n/%2E/.IBM.html"));
}

TEST_F(MarketPagesTest, StockNewsCutsBetweenItsTableMarkers)
{
    server.Serve("/investments/news/?symbol=IBM&button=Go&choice=on",
                 "You can enter multiple tickers <TABLE a><TABLE b><a href=\"../news/1\">1</a> Older Stories "
                 "<TABLE c>");
    const std::string page = Build(pages.stockNewsPage);
    EXPECT_THAT(page, HasSubstr("<hr>Information from 127.0.0.1 :<TABLE b><a href=\"" + server.base() +
                                "/investments/news/1\">1</a> Older Stories <br><hr></td></tr>"));
}

TEST_F(MarketPagesTest, FragmentLongerThanThePieceTableIsCutOff)
{
    server.Serve("/?action=q&board=IBM", "<html>" + std::string(600000, 'y') + "</html>");
    const std::string messageBoards = Build(pages.messageBoardsPage);
    EXPECT_EQ(messageBoards.find("</html>", messageBoards.find("<html>y")), std::string::npos);
    EXPECT_NE(messageBoards.find(std::string(500000 - 6, 'y')), std::string::npos);
    EXPECT_EQ(messageBoards.find(std::string(500000 - 5, 'y')), std::string::npos);

    // The IPO page's table holds 1000 pieces: the whole page fits.
    server.Serve("/content/companies/analysis.phtml", "<html>" + std::string(900000, 'z') + "</html>");
    const std::string ipo = Build(pages.ipoPage);
    EXPECT_THAT(ipo, testing::EndsWith(std::string(900000, 'z') + "</html>"));
}

TEST_F(MarketPagesTest, AFailedBuildLeavesThePreviousPageAsItWas)
{
    const std::filesystem::path file = pages.priceForecastPage.PagePath(folder.path());
    const std::string history = "/investor/research/wizards/SRWHistory.asp?Symbol=IBM";
    server.Serve(history, "<HTML>support and resistance</HTML>");
    const std::string good = Build(pages.priceForecastPage);
    ASSERT_THAT(good, HasSubstr("support and resistance"));

    // No site reachable: the first fetch fails, naming the site.
    hosts.PointAllAt("127.0.0.1:1");
    EXPECT_THAT(ThrownMessage<NetworkError>([&] { Build(pages.priceForecastPage); }),
                HasSubstr(history + " from 127.0.0.1:1: Connection refused"));
    EXPECT_EQ(ReadFile(file), good);

    // The disk fills up while the new page is written.
    hosts.PointAllAt(server.base().substr(7));
    server.Serve(history, "<HTML>" + std::string(5000, 'n') + "</HTML>");
    {
        const FileSizeLimit fullDisk(1000);
        EXPECT_THAT(ThrownMessage<FileError>([&] { Build(pages.priceForecastPage); }),
                    HasSubstr("Could not write the page file " + file.string() + ": File too large."));
    }
    EXPECT_EQ(ReadFile(file), good);
    EXPECT_THAT(FilesInFolder(), ElementsAre("htmsupport.htm"));

    // Without a previous page there is none afterwards either.
    hosts.PointAllAt("127.0.0.1:1");
    EXPECT_THROW(Build(pages.stockNewsPage), NetworkError);
    EXPECT_THAT(FilesInFolder(), ElementsAre("htmsupport.htm"));
}

TEST_F(MarketPagesTest, AFolderOfAnyPathLengthHoldsThePages)
{
    const std::filesystem::path deep = folder.path() / std::string(120, 'd') / std::string(120, 'e');
    const std::filesystem::path written =
        pages.stocksOnTheMovePage.Build({.hosts = hosts, .folder = deep, .symbol = ""});
    EXPECT_EQ(written, deep / "htmstocksmove.htm");
    EXPECT_GT(written.string().size(), 250u);
    EXPECT_THAT(ReadFile(written), HasSubstr("/intro/I_inplay.htm"));
}

TEST_F(MarketPagesTest, UnwritableFolderIsReportedByName)
{
    folder.Write("file", "not a folder");
    const std::filesystem::path blocked = folder.path() / "file" / "pages";
    EXPECT_THAT(
        ThrownMessage<FileError>([&] { pages.ipoPage.Build({.hosts = hosts, .folder = blocked, .symbol = ""}); }),
        HasSubstr(blocked.string()));
    EXPECT_TRUE(server.targets().empty());
}

TEST_F(MarketPagesTest, FramesetPagesNameTheirTwoFrames)
{
    folder.Write("htmmarketupdate.htm", std::string(5000, '#'));
    const std::string update = Build(pages.marketUpdatePage);
    EXPECT_THAT(update, testing::StartsWith("<html><head><title>Tarnwick</title>"));
    EXPECT_THAT(update, HasSubstr("<frameset rows=\"*,*\">\n<frame name=\"Oben\" src=\"" + server.base() +
                                  "/bbn/snapshot.html\">\n<frame name=\"Unten\" src=\"" + server.base() +
                                  "/intro/i_stocks.htm\">"));
    EXPECT_THAT(update, HasSubstr("This page uses Frames. But your Browser don't support Frames."));
    EXPECT_EQ(update.find('#'), std::string::npos);

    const std::string dow = Build(pages.dowChartsPage);
    EXPECT_THAT(dow, HasSubstr("<frame name=\"Oben\" src=\"./htmDowCharts.htm\">"));
    const std::string charts = ReadFile(folder.path() / "htmDowCharts.htm");
    EXPECT_THAT(charts, HasSubstr("<title>DowCharts</title>"));
    EXPECT_THAT(charts, HasSubstr("<body bgcolor=\"#BDFDDD\">"));
    std::size_t images = 0;
    for (std::size_t at = charts.find("<img src=\"" + server.base()); at != std::string::npos;
         at = charts.find("<img src=\"" + server.base(), at + 1))
        ++images;
    EXPECT_EQ(images, 3u);
    EXPECT_THAT(charts, HasSubstr("width=\"195\" height=\"185\""));
    EXPECT_TRUE(server.targets().empty());
}

TEST(MarketPages, EachCompositorIsFoundByItsCommandItsClassAndItsFile)
{
    const MarketPages pages;
    for (const PageCompositor* page : pages.all()) {
        EXPECT_EQ(pages.ForCommand(page->commandId()), page) << page->className();
        EXPECT_EQ(pages.Named(page->className()), page);
        EXPECT_EQ(pages.Named(page->fileName()), page);
    }
    EXPECT_EQ(pages.Named("htmDowCharts.htm"), nullptr);
    EXPECT_EQ(pages.ForCommand(kMostActives), nullptr);
}

}  // namespace
