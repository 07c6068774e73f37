#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTarnwickApp.h"
#include "app/CommandLine.h"
#include "app/DocumentManager.h"
#include "base/CommandIds.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QIcon>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QTimer>

class CTarnwickAppTest : public BrowserTest {};

TEST_F(CTarnwickAppTest, StartsWithOneDocumentOnTheBrowserViewAndTheSymbolFilledIn)
{
    CTarnwickApp app;
    CommandLine commandLine;
    commandLine.quoteDir = SampleDir("IBM");
    commandLine.symbol = "ibm";
    commandLine.config = "/nonexistent/hosts.ini";
    commandLine.allHosts = "127.0.0.1:8080";
    QString error;
    ASSERT_TRUE(app.InitInstance(commandLine, error)) << error.toStdString();
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
}

TEST_F(CTarnwickAppTest, DoesNotStartOnSitesOtherThanTheOnesNamed)
{
    TempFolder folder;
    CommandLine unreadable;
    unreadable.config = folder.path().string();  // a folder, not a hosts file
    CTarnwickApp first;
    QString error;
    EXPECT_FALSE(first.InitInstance(unreadable, error));
    EXPECT_TRUE(error.contains(QString::fromStdString(folder.path().string()))) << error.toStdString();
    EXPECT_EQ(first.mainFrame(), nullptr);

    CommandLine noServer;
    noServer.config = "/nonexistent/hosts.ini";
    noServer.allHosts = "127.0.0.1:8080/pages";
    CTarnwickApp second;
    EXPECT_FALSE(second.InitInstance(noServer, error));
    EXPECT_TRUE(error.contains("--all-hosts needs HOST:PORT")) << error.toStdString();
}

TEST_F(CTarnwickAppTest, ErrorBoxesShowFileNamesAsTheyAreNeverAsMarkup)
{
    CTarnwickApp app;
    CommandLine commandLine;
    commandLine.config = "/nonexistent/hosts.ini";
    QString error;
    ASSERT_TRUE(app.InitInstance(commandLine, error)) << error.toStdString();
    app.documents().chooseFile = [](DocumentManager::FileChoice, const QString&) {
        return QStringLiteral("/nonexistent/<b>x</b>.csv");
    };

    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            format = box->textFormat();
            box->button(QMessageBox::Ok)->click();
        }
    });
    watch.start(50);
    app.mainFrame()->action(kImportQuotes)->trigger();
    watch.stop();
    EXPECT_TRUE(shown.contains("/nonexistent/<b>x</b>.csv")) << shown.toStdString();
    EXPECT_EQ(format, Qt::PlainText);
}

TEST_F(CTarnwickAppTest, TheAboutBoxNamesTheVersionTheDataSourcesAndTheTermsWithTheProgramsIcon)
{
    CTarnwickApp app;
    CommandLine commandLine;
    commandLine.config = "/nonexistent/hosts.ini";
    QString error;
    ASSERT_TRUE(app.InitInstance(commandLine, error)) << error.toStdString();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarnwick/tarnwick.svg")));

    QString title;
    QString text;
    bool hasIcon = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            text = box->text();
            hasIcon = !box->iconPixmap().isNull();
            box->button(QMessageBox::Ok)->click();
        }
    });
    watch.start(50);
    app.mainFrame()->action(kAbout)->trigger();
    watch.stop();
    EXPECT_EQ(title, "About Tarnwick");
    EXPECT_TRUE(text.contains(QStringLiteral("Tarnwick " TARNWICK_VERSION))) << text.toStdString();
    EXPECT_TRUE(text.contains("Yahoo")) << text.toStdString();
    EXPECT_TRUE(text.contains("All rights reserved")) << text.toStdString();
    EXPECT_TRUE(hasIcon);
}
