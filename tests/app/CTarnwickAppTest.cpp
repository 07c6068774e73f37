#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTarnwickApp.h"
#include "app/CommandLine.h"
#include "app/DocumentManager.h"
#include "base/CommandIds.h"
#include "support/ProgramFixtures.h"
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

// The program on the sample, its message boxes answered with OK as they come up.
class ProgramMessageBoxTest : public ProgramTest {
protected:
    ProgramMessageBoxTest() { recordErrors = false; }

    struct ShownBox {
        QString title;
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        bool hasIcon = false;
    };

    // The message box that came up while command `id` ran.
    ShownBox BoxOf(int id) const
    {
        ShownBox shown;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = {box->windowTitle(), box->text(), box->textFormat(), !box->iconPixmap().isNull()};
                box->button(QMessageBox::Ok)->click();
            }
        });
        watch.start(50);
        app.mainFrame()->action(id)->trigger();
        return shown;
    }
};

TEST_F(ProgramMessageBoxTest, ErrorBoxesShowFileNamesAsTheyAreNeverAsMarkup)
{
    answers = {QStringLiteral("/nonexistent/<b>x</b>.csv")};
    const ShownBox shown = BoxOf(kImportQuotes);
    EXPECT_TRUE(shown.text.contains("/nonexistent/<b>x</b>.csv")) << shown.text.toStdString();
    EXPECT_EQ(shown.format, Qt::PlainText);
}

TEST_F(ProgramMessageBoxTest, TheAboutBoxNamesTheVersionTheDataSourcesAndTheTermsWithTheProgramsIcon)
{
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarnwick/tarnwick.svg")));
    const ShownBox shown = BoxOf(kAbout);
    EXPECT_EQ(shown.title, "About Tarnwick");
    EXPECT_TRUE(shown.text.contains(QStringLiteral("Tarnwick " TARNWICK_VERSION))) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.contains("Yahoo")) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.contains("All rights reserved")) << shown.text.toStdString();
    EXPECT_TRUE(shown.hasIcon);
}
