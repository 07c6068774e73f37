#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTarnwickApp.h"
#include "base/CommandIds.h"
#include "support/SampleDocument.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>

class CTarnwickAppTest : public BrowserTest {};

TEST_F(CTarnwickAppTest, ReadsTheQuoteFolderSymbolAndHostsFileFromTheCommandLine)
{
    QString error;
    const auto options = CTarnwickApp::ParseOptions(
        {"tarnwick", "--quote-dir", "data/sample/CAT", "--symbol", "cat", "--config", "/tmp/hosts.ini", "--all-hosts",
         "127.0.0.1:8080"},
        error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->quoteDir, "data/sample/CAT");
    EXPECT_EQ(options->symbol, "cat");
    EXPECT_EQ(options->config, "/tmp/hosts.ini");
    EXPECT_EQ(options->allHosts, "127.0.0.1:8080");

    EXPECT_FALSE(CTarnwickApp::ParseOptions({"tarnwick", "--colour"}, error));
    EXPECT_TRUE(error.contains("--colour"));
    EXPECT_FALSE(CTarnwickApp::ParseOptions({"tarnwick", "--symbol"}, error));
    EXPECT_TRUE(error.contains("needs a value"));
}

TEST_F(CTarnwickAppTest, StartsWithOneDocumentOnTheBrowserViewAndTheSymbolFilledIn)
{
    CTarnwickApp app;
    CTarnwickApp::Options options;
    options.quoteDir = SampleDir("IBM");
    options.symbol = "ibm";
    options.config = "/nonexistent/hosts.ini";
    options.allHosts = "127.0.0.1:8080";
    ASSERT_TRUE(app.InitInstance(options));
    EXPECT_EQ(app.services().hosts.Base(HostRole::YahooCharts), "http://127.0.0.1:8080");

    CMainFrame* frame = app.mainFrame();
    EXPECT_EQ(frame->windowTitle(), "Tarnwick - [Stock1]");  // the maximized document names itself
    EXPECT_EQ(frame->symbolBox()->text(), "IBM");
    ASSERT_EQ(frame->mdiArea()->subWindowList().size(), 1);
    auto* document = qobject_cast<CChildFrame*>(frame->mdiArea()->subWindowList().front());
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->activeViewId, CChildFrame::kBrowserView);
    EXPECT_EQ(document->windowTitle(), "Stock1");
    EXPECT_TRUE(frame->action(kStockNews)->isEnabled());  // a market page
    EXPECT_FALSE(frame->action(kUndo)->isEnabled());  // Undo: nothing can be undone

    frame->mdiArea()->setActiveSubWindow(document);
    frame->action(kReadLocal)->trigger();  // Read C:\ .
    EXPECT_EQ(document->activeViewId, CChildFrame::kChartView);
    EXPECT_EQ(document->document().store.barCount, 400);
    EXPECT_EQ(document->document().loadedSymbol, "IBM");

    frame->action(kNew)->trigger();  // New
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 2);
}
