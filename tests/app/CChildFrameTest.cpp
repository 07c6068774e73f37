#include "app/CChildFrame.h"
#include "app/CHtmView.h"
#include "app/CMainFrame.h"
#include "app/FrameServices.h"
#include "base/CommandIds.h"
#include "document/CTarnwickDoc.h"
#include "quotes/YahooQuoteSource.h"
#include "support/CsvHistoryText.h"
#include "support/PageServer.h"
#include "support/ProgramFixtures.h"
#include "support/SampleDocument.h"
#include "support/ScriptedServer.h"
#include "support/SilentServer.h"
#include "support/TempFolder.h"
#include "support/WebQuotePages.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QComboBox>
#include <QHostAddress>
#include <QImage>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTimer>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTcpServer>
#include <QTest>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

using namespace std::chrono_literals;

struct ShownProgress {
    QString title;
    QString label;
};

class CChildFrameTest : public DocumentWindowTest {
protected:
    // Presses Cancel on the frame's progress dialog once it is up, keeping what it showed.
    void CancelProgressSoon(ShownProgress& shown)
    {
        QTimer::singleShot(300, frame.get(), [this, &shown] {
            if (auto* dialog = frame->findChild<QProgressDialog*>()) {
                shown = {dialog->windowTitle(), dialog->labelText()};
                dialog->cancel();
            }
        });
    }
};

}  // namespace

TEST_F(CChildFrameTest, ReadLocalFromTheBrowserEndsOnTheLoadedChart)
{
    ASSERT_EQ(frame->activeViewId, CChildFrame::kBrowserView);
    mainFrame.symbolBox()->setText("IBM");
    EXPECT_TRUE(frame->OnCommand(kReadLocal));
    EXPECT_EQ(frame->activeViewId, CChildFrame::kChartView);
    EXPECT_EQ(document.store.barCount, 400);
    EXPECT_EQ(document.loadedSymbol, "IBM");
    EXPECT_EQ(document.sourceMode, 1);
    EXPECT_EQ(document.latestQuote().quoteMerged, 1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(CChildFrameTest, AMissingQuoteFileIsReported)
{
    // A symbol's folder: its history without its latest quote.
    TempFolder folder;
    folder.Write("table.csv", "Date,Open,High,Low,Close,Volume\n4-Dec-00,100,105,99,104,2000\n");
    document.quoteDir = folder.path();
    frame->OnCommand(kReadLocal);
    EXPECT_EQ(document.store.barCount, 0);
    ASSERT_EQ(errors.size(), 1u);
    const QString missing = QString::fromStdString((folder.path() / "quotes.csv").string());
    EXPECT_TRUE(errors[0].contains(missing)) << errors[0].toStdString();
}

TEST_F(CChildFrameTest, TheEleventhCountedCommandOpensTheProductHomePageInTheUsersBrowser)
{
    document.commandCount = 10;
    frame->OnCommand(kHistoricalCharts);
    frame->OnCommand(kQuoteData);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toString(), "http://127.0.0.1:9/index.htm");
    EXPECT_EQ(document.commandCount, 12);
}

TEST_F(CChildFrameTest, WithoutAProductSiteTheHomePageAndDirectionsSayWhichSettingIsMissing)
{
    services.hosts.Set(HostRole::ProductSite, "");
    document.commandCount = 10;
    frame->OnCommand(kHistoricalCharts);
    frame->OnCommand(kQuoteData);  // the eleventh: the home page is due
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(mainFrame.statusBar()->currentMessage().contains("productSite"))
        << mainFrame.statusBar()->currentMessage().toStdString();

    frame->OnCommand(kDirections);
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].startsWith("\"Directions for use\" needs the program's web site")) << errors[0].toStdString();
}

TEST_F(CChildFrameTest, ReadLocalOfAnEmptyHistorySaysSoAndOfAnotherSymbolsFolderSaysWhoseItIs)
{
    TempFolder folder;
    folder.Write("table.csv", "");
    folder.Write("quotes.csv", "");
    document.quoteDir = folder.path();
    mainFrame.symbolBox()->setText("IBM");
    frame->OnCommand(kReadLocal);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].startsWith(QString::fromStdString("No daily bars in \"" +
                                                            (folder.path() / "table.csv").string())))
        << errors[0].toStdString();

    document.quoteDir = SampleDir("IBM");
    mainFrame.symbolBox()->setText("CAT");
    frame->OnCommand(kReadLocal);
    EXPECT_EQ(document.store.barCount, 400);
    EXPECT_EQ(mainFrame.statusBar()->currentMessage(),
              "The quote folder's table.csv is not tied to CAT; its quotes.csv is for IBM.");
}

TEST_F(CChildFrameTest, ASourceBoxWithoutAChoiceKeepsTheSourceChosenBefore)
{
    QComboBox* source = mainFrame.sourceBox();
    source->setCurrentIndex(source->findText("Silicon Investor"));
    frame->OnCommand(kStockOptions);
    source->setCurrentIndex(-1);
    frame->OnCommand(kStockOptions);
    EXPECT_EQ(document.sourceName, "Silicon Investor");
}

TEST_F(CChildFrameTest, MonthSpanSwitchesTheSpanOnTheChartAndReloadsNothing)
{
    frame->OnCommand(kMonthSpan);
    EXPECT_EQ(document.monthSpan, 1);
    EXPECT_EQ(frame->activeViewId, CChildFrame::kChartView);
    EXPECT_EQ(document.store.barCount, 0);
    EXPECT_EQ(document.commandCount, 0);
}

TEST_F(CChildFrameTest, StockResearchGoesToTheSymbolsPage)
{
    mainFrame.symbolBox()->setText("IBM");
    QSignalSpy loaded(frame->browserView(), &QWebEngineView::loadFinished);
    frame->OnCommand(kStockResearch);
    EXPECT_EQ(frame->activeViewId, CChildFrame::kBrowserView);
    // The closed port fails the load at once; the view keeps the address it went to.
    loaded.wait(10000);
    EXPECT_EQ(frame->browserView()->url().toString(), "http://127.0.0.1:9/z/a/I/IBM.html");
}

TEST_F(CChildFrameTest, ReadWebLoadsThroughTheConfiguredHostsAndReportsAPageWithoutData)
{
    PageServer server;
    services.hosts.Set(HostRole::YahooFinance, server.base());
    services.hosts.Set(HostRole::YahooCharts, server.base());
    YahooQuoteSource expected;
    expected.ComputeDateRange(WebAccess().today(), -1);
    server.Serve("/q?s=YHOO&d=t", YahooPages::QuotePage());
    server.Serve(expected.HistoryRequest("YHOO", services.hosts).object,
                 YahooPages::HistoryPage({{"4-Dec-00", 100, 105, 99, 104, 2000, 104}}));

    frame->OnCommand(kReadWeb);
    EXPECT_EQ(frame->activeViewId, CChildFrame::kChartView);
    EXPECT_EQ(document.sourceMode, 2);
    EXPECT_EQ(document.store.barCount, 2);
    EXPECT_EQ(document.latestQuote().quoteMerged, 1);
    EXPECT_TRUE(errors.empty());

    mainFrame.symbolBox()->setText("NONE");
    frame->OnCommand(kReadWeb);
    EXPECT_EQ(document.store.barCount, -1);
    EXPECT_EQ(errors, QStringList{"No data available for NONE"});
}

TEST_F(CChildFrameTest, CancelStopsAReadWebFromAServerThatNeverAnswers)
{
    const SilentServer silent;
    services.hosts.Set(HostRole::YahooFinance, silent.base());

    ShownProgress shown;
    CancelProgressSoon(shown);
    frame->OnCommand(kReadWeb);
    EXPECT_EQ(shown.title, "Read Web");
    EXPECT_TRUE(shown.label.startsWith(QString::fromStdString("Reading quotes for YHOO\n" + silent.base().substr(7) +
                                                              "/q?s=YHOO&d=t")))
        << shown.label.toStdString();
    EXPECT_EQ(document.store.barCount, 0);
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(frame->findChild<QProgressDialog*>(), nullptr);
}

TEST_F(CChildFrameTest, TheProgressDialogShowsWithinASecondOfAWaitNamingTheHostAndPort)
{
    const SilentServer silent;
    services.hosts.Set(HostRole::YahooFinance, silent.base());
    bool shownInTime = false;
    QString label;
    QTimer::singleShot(1000, frame.get(), [&] {
        if (auto* dialog = frame->findChild<QProgressDialog*>()) {
            shownInTime = dialog->isVisible();
            label = dialog->labelText();
            dialog->cancel();
        }
    });
    frame->OnCommand(kReadWeb);
    EXPECT_TRUE(shownInTime);
    EXPECT_TRUE(label.contains(QString::fromStdString(silent.base().substr(7)))) << label.toStdString();
}

// A message box runs an event loop of its own while the user reads it; the
// stand-in does the same, and looks whether a progress dialog came up over it.
TEST_F(CChildFrameTest, AFailedCommandTakesItsProgressDialogDownBeforeItsMessage)
{
    bool progressOverMessage = false;
    services.showError = [&](const QString& message) {
        errors.push_back(message);
        QTest::qWait(1000);
        for (const QProgressDialog* dialog : frame->findChildren<QProgressDialog*>())
            progressOverMessage = progressOverMessage || dialog->isVisible();
    };
    TempFolder folder;
    services.pageFolder = folder.path();
    frame->OnCommand(kReadWeb);  // every site is a closed port
    frame->OnCommand(kIpoResearch);
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_FALSE(progressOverMessage);
}

TEST_F(CChildFrameTest, CancelStopsAPageBuildAndShowsNothing)
{
    const SilentServer silent;
    services.hosts.Set(HostRole::WorldFinance, silent.base());
    TempFolder folder;
    services.pageFolder = folder.path();
    const QUrl before = frame->browserView()->url();

    ShownProgress shown;
    CancelProgressSoon(shown);
    frame->OnCommand(kIpoResearch);  // IPO Research
    EXPECT_TRUE(shown.label.startsWith(QString::fromStdString("Building IPO Research\n" + silent.base().substr(7) +
                                                              "/content/companies/analysis.phtml")))
        << shown.label.toStdString();
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(frame->browserView()->url(), before);
    EXPECT_EQ(document.commandCount, 0);
}

TEST_F(CChildFrameTest, APageBuildStopsAtTheCommandsTimeLimitNamingWhatItWasReading)
{
    // Each of the Stock Evaluator's five pages comes in just inside half a second.
    const std::string answer = HttpAnswer(200, "OK", "", "<html>evaluation</html>");
    const ScriptedServer slow({{answer.substr(0, 20), 400ms}, {answer.substr(20)}}, ScriptedServer::End::Close);
    services.hosts.Set(HostRole::InvestmentCenter, slow.base());
    ASSERT_TRUE(services.hosts.SetCommandSeconds("1"));
    TempFolder folder;
    services.pageFolder = folder.path();
    const QUrl before = frame->browserView()->url();

    frame->OnCommand(kStockEvaluator);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains(QString::fromStdString("/investments/seceval/?symbol=YHOO&cmetric=")))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(QString::fromStdString(
        " from " + slow.server() + ": the command ran past its time limit of 1 s.")))
        << errors[0].toStdString();
    EXPECT_EQ(frame->browserView()->url(), before);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "htmstockevaluator.htm"));
}

TEST_F(CChildFrameTest, EveryMarketAndStockPageIsBuiltAndShown)
{
    PageServer server;
    // One page that every composed page finds a part of.
    server.ServeOthers("<html><HTML><BODY <body>SUMMARY <TR>sector figures"
                       "<TD class=bSH>&nbsp;Industry/Sector Information</TD></TABLE></body></HTML></html>");
    for (const HostRoleInfo& role : kHostRoles)
        services.hosts.Set(role.role, server.base());
    TempFolder folder;
    services.pageFolder = folder.path() / "pages";
    mainFrame.symbolBox()->setText("IBM");
    const struct {
        int id;
        const char* file;
        const char* title;
    } pages[] = {{kDowCharts, "htmmarketsummary.htm", "Tarnwick"}, {kMarketUpdate, "htmmarketupdate.htm", "Tarnwick"},
                 {kStocksOnTheMove, "htmstocksmove.htm", "Tarnwick"},    {kNewsIndex, "htmnewsindex.htm", "resnewsindex"},
                 {kMarketAnalysis, "htmmarketanal.htm", "Market Analysis"}, {kStockAnalysis, "htmstockanal.htm", "Stock Analysis"},
                 {kIpoResearch, "htmipo.htm", "IPO"},                {kStockNews, "htmstocknews.htm", "Stock News"},
                 {kMessageBoards, "htmmessageboards.htm", "Messaga Boards"}, {kPriceForecast, "htmsupport.htm", "support"},
                 {kStockEvaluator, "htmstockevaluator.htm", "Stock Evaluator"}, {kCompanyProfile, "htmprofile.htm", "Profile"}};
    for (const auto& page : pages) {
        frame->OnCommand(page.id);
        const QUrl file = QUrl::fromLocalFile(QString::fromStdString((services.pageFolder / page.file).string()));
        EXPECT_TRUE(WaitUntil(
            [&] { return frame->browserView()->Address() == file && frame->browserView()->title() == page.title; }))
            << page.file << " shows " << frame->browserView()->Address().toString().toStdString();
    }
    EXPECT_EQ(frame->activeViewId, CChildFrame::kBrowserView);
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    // Each page command counts once: the symbol pages when they read the symbol box.
    EXPECT_EQ(document.commandCount, 12);
    EXPECT_EQ(document.symbol, "IBM");
}

TEST_F(CChildFrameTest, DowChartsShowsTheChartPageBesideItAboveTheChartingSite)
{
    PageServer server;
    server.Serve("/markets/", "<html><body bgcolor='#FFC040'>markets</body></html>");
    services.hosts.Set(HostRole::ChartImages, server.base());
    services.hosts.Set(HostRole::ChartingSite, server.base());
    TempFolder folder;
    services.pageFolder = folder.path();
    frame->resize(800, 600);
    frame->show();
    ASSERT_TRUE(frame->OnCommand(kDowCharts));

    // The chart page's background in the upper half, the site's in the lower,
    // right of the charts and left of any scroll bar.
    const auto colourAt = [this](double height) {
        const QImage shown = frame->browserView()->grab().toImage();
        return shown.pixelColor(shown.width() - 40, static_cast<int>(shown.height() * height)).name();
    };
    EXPECT_TRUE(WaitUntil([&] { return colourAt(0.45) == "#bdfddd" && colourAt(0.9) == "#ffc040"; }))
        << colourAt(0.45).toStdString() << " above, " << colourAt(0.9).toStdString() << " below";
    // The page may show its colours before its last chart image is asked for.
    const auto asked = [&server](const char* target) {
        const std::vector<std::string> seen = server.targets();
        return std::find(seen.begin(), seen.end(), target) != seen.end();
    };
    for (const char* target : {"/markets/", "/charts/dow.gif", "/charts/nasdaq.gif", "/charts/sp500.gif"})
        EXPECT_TRUE(WaitUntil([&] { return asked(target); })) << target;
    EXPECT_EQ(frame->browserView()->Address(),
              QUrl::fromLocalFile(QString::fromStdString((folder.path() / "htmmarketsummary.htm").string())));
}

TEST_F(CChildFrameTest, AFrameWhoseSiteRefusedSaysWhichSite)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const std::string refusing = "http://127.0.0.1:" + std::to_string(closed.serverPort());
    closed.close();
    PageServer server;
    services.hosts.Set(HostRole::ChartImages, server.base());
    services.hosts.Set(HostRole::ChartingSite, refusing);
    TempFolder folder;
    services.pageFolder = folder.path();
    frame->resize(800, 600);
    frame->show();
    QSignalSpy loaded(frame->browserView(), &QWebEngineView::loadFinished);
    ASSERT_TRUE(frame->OnCommand(kDowCharts));
    // The frameset has loaded once each of its frames has, or failed.
    ASSERT_TRUE(loaded.wait(20000));

    // Finding in the page searches every frame, but only text that shows.
    const auto shows = [this](const QString& text) {
        const auto matches = std::make_shared<int>(-1);
        frame->browserView()->page()->findText(
            text, {}, [matches](const QWebEngineFindTextResult& result) { *matches = result.numberOfMatches(); });
        const bool found = WaitUntil([&] { return *matches >= 0; }) && *matches > 0;
        // Asked again, the same text would only step to its next match.
        frame->browserView()->page()->findText(QString());
        return found;
    };
    EXPECT_TRUE(shows("127.0.0.1 could not be loaded (ERR_CONNECTION_REFUSED)."));
    EXPECT_TRUE(shows("Intraday charts by"));
}

TEST_F(CChildFrameTest, APageThatCannotBeBuiltIsReportedAndNotShown)
{
    TempFolder folder;
    services.pageFolder = folder.path();
    const QUrl before = frame->browserView()->url();
    frame->OnCommand(kNewsIndex);  // News Index, its sites at a closed port
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains("/money/markets/ from 127.0.0.1:9")) << errors[0].toStdString();
    EXPECT_EQ(frame->browserView()->url(), before);
    EXPECT_EQ(document.commandCount, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "htmnewsindex.htm"));
}

TEST_F(CChildFrameTest, ASiteThatAnsweredWithAnErrorIsNamedInTheStatusBar)
{
    PageServer server;  // it has no Silicon Investor search: a 404
    for (const HostRole role : {HostRole::YahooMessages, HostRole::SecondQuoteSource, HostRole::RagingBull})
        services.hosts.Set(role, server.base());
    server.Serve("/?action=q&board=IBM", "<html>boards</html>");
    TempFolder folder;
    services.pageFolder = folder.path();
    mainFrame.symbolBox()->setText("IBM");

    EXPECT_TRUE(frame->OnCommand(kMessageBoards));
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_TRUE(mainFrame.statusBar()->currentMessage().contains(QString::fromStdString(
        "answered /stocktalk/searchresults.gsp?s=IBM&domain=Messages with HTTP status 404")))
        << mainFrame.statusBar()->currentMessage().toStdString();
}

TEST_F(CChildFrameTest, RunningAPageCommandAgainShowsTheNewPage)
{
    PageServer server;
    services.hosts.Set(HostRole::WorldFinance, server.base());
    TempFolder folder;
    services.pageFolder = folder.path();
    // The text of the page shown; the engine answers later, so the answer
    // lives as long as the callback may.
    const auto shownText = [this] {
        const auto text = std::make_shared<QString>();
        frame->browserView()->page()->toPlainText([text](const QString& plain) { *text = plain; });
        return WaitUntil([&] { return !text->isNull(); }) ? *text : QString();
    };
    const QUrl file = QUrl::fromLocalFile(QString::fromStdString((folder.path() / "htmipo.htm").string()));

    server.Serve("/content/companies/analysis.phtml", "<html>first analysis</html>");
    frame->OnCommand(kIpoResearch);
    ASSERT_TRUE(WaitUntil([&] { return frame->browserView()->Address() == file; }));
    ASSERT_TRUE(WaitUntil([&] { return shownText().contains("first analysis"); }));

    server.Serve("/content/companies/analysis.phtml", "<html>second analysis</html>");
    frame->OnCommand(kIpoResearch);
    EXPECT_TRUE(WaitUntil([&] { return shownText().contains("second analysis"); }));
    EXPECT_FALSE(shownText().contains("first analysis"));
}

TEST_F(CChildFrameTest, ReadQuoteServiceReadsTheSymbolFromTheConfiguredAddress)
{
    PageServer server;
    ASSERT_TRUE(services.hosts.SetCsvServiceUrl(server.base() + "/hist/{symbolLower}.csv?s={symbol}&i=d"));
    server.Serve("/hist/ibm.csv?s=IBM&i=d", CsvHistoryText(50));
    mainFrame.symbolBox()->setText("IBM");
    EXPECT_TRUE(frame->OnCommand(kReadQuoteService));
    EXPECT_EQ(server.targets(), std::vector<std::string>{"/hist/ibm.csv?s=IBM&i=d"});
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(frame->activeViewId, CChildFrame::kChartView);
    EXPECT_EQ(document.store.barCount, 50);
    EXPECT_EQ(document.sourceMode, CTarnwickDoc::kCsvService);
    EXPECT_EQ(document.loadedSymbol, "IBM");
    EXPECT_EQ(document.commandCount, 1);  // counted once, as Read Web is
    const QString status = mainFrame.statusBar()->currentMessage();
    EXPECT_TRUE(status.contains("50 rows read, 1 row skipped: line 3")) << status.toStdString();
}

TEST_F(CChildFrameTest, ReadQuoteServiceWithoutAnAddressSaysHowToNameOneAndKeepsTheChart)
{
    mainFrame.symbolBox()->setText("IBM");
    frame->OnCommand(kReadLocal);
    ASSERT_EQ(document.store.barCount, 400);
    frame->OnCommand(kReadQuoteService);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains("[csvService] section")) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("url = ")) << errors[0].toStdString();
    EXPECT_EQ(document.store.barCount, 400);
    EXPECT_EQ(document.sourceMode, CTarnwickDoc::kLocalFiles);
}

TEST_F(CChildFrameTest, CancelStopsAReadQuoteServiceAndKeepsTheChart)
{
    const SilentServer silent;
    ASSERT_TRUE(services.hosts.SetCsvServiceUrl(silent.base() + "/q?s={symbol}"));
    mainFrame.symbolBox()->setText("IBM");
    frame->OnCommand(kReadLocal);
    const std::string newest = document.store.dates[0];

    ShownProgress shown;
    CancelProgressSoon(shown);
    frame->OnCommand(kReadQuoteService);
    EXPECT_EQ(shown.title, "Read Quote Service");
    EXPECT_TRUE(shown.label.startsWith(QString::fromStdString("Reading quotes for IBM\n" + silent.base().substr(7) +
                                                              "/q?s=IBM")))
        << shown.label.toStdString();
    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(frame->activeViewId, CChildFrame::kChartView);
    EXPECT_EQ(document.store.barCount, 400);
    EXPECT_EQ(document.store.dates[0], newest);
    EXPECT_EQ(document.sourceMode, CTarnwickDoc::kLocalFiles);
    EXPECT_EQ(frame->findChild<QProgressDialog*>(), nullptr);
}

TEST_F(CChildFrameTest, ReadLocalSaysWhatItFoundOnlyWhenItReadACsvHistory)
{
    mainFrame.symbolBox()->setText("IBM");
    frame->OnCommand(kReadLocal);  // the sample folder's own two files
    EXPECT_EQ(mainFrame.statusBar()->currentMessage(), "Ready");

    TempFolder library;
    library.Write("MSFT.csv", CsvHistoryText(30));
    document.quoteDir = library.path();
    mainFrame.symbolBox()->setText("MSFT");
    frame->OnCommand(kReadLocal);
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(document.store.barCount, 30);
    const QString status = mainFrame.statusBar()->currentMessage();
    EXPECT_TRUE(status.contains("30 rows read")) << status.toStdString();
}
