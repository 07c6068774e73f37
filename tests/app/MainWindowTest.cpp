#include "app/CChildFrame.h"
#include "app/CHtmView.h"
#include "app/CMainFrame.h"
#include "app/CTarnwickApp.h"
#include "app/CommandLine.h"
#include "app/DocumentManager.h"
#include "app/ProgramSettings.h"
#include "app/SettingsDialog.h"
#include "base/CommandIds.h"
#include "support/PageServer.h"
#include "support/ProgramFixtures.h"
#include "support/TempFolder.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// The whole program, its settings in a folder of the test's own and its
// messages recorded, driven as a user drives it: keys go to the widget that
// has the focus.
class MainWindowTest : public ProgramTest {
protected:
    MainWindowTest() { commandLine.allHosts = "127.0.0.1:9"; }  // every outside site a closed port

    void SetUp() override
    {
        ProgramTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        frame()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
    }

    CMainFrame* frame() const { return app.mainFrame(); }
    QString Shown() const { return Active()->browserView()->url().toString(); }

    // Clicks into the address bar, types `text` over what it shows and presses Enter.
    void EnterAddress(const QString& text) const
    {
        QTest::mouseClick(frame()->addressBar()->lineEdit(), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    // Opens the Favorites menu with a click on its title and chooses the entry `title` there.
    void ChooseFavorite(const QString& title) const
    {
        QMenu* favorites = frame()->popup(MenuPopup::Favorites);
        QMenuBar* bar = frame()->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(favorites->menuAction()).center());
        ASSERT_TRUE(WaitUntil([&] { return favorites->isVisible(); }));
        for (QAction* entry : favorites->actions()) {
            if (entry->text() == title) {
                favorites->setActiveAction(entry);
                QTest::keyClick(favorites, Qt::Key_Return);
                return;
            }
        }
        QTest::keyClick(favorites, Qt::Key_Escape);
        FAIL() << "no Favorites entry " << title.toStdString();
    }

    QStringList FavoriteTitles() const
    {
        QStringList titles;
        for (const QAction* entry : frame()->popup(MenuPopup::Favorites)->actions())
            titles << entry->text();
        return titles;
    }

    // A folder of the test's own for the Favorites menu.
    void UseFavorites(const TempFolder& folder)
    {
        ProgramSettings settings = app.settings();
        settings.favoritesFolder = Folder(folder);
        app.ApplySettings(settings);
    }

    static void WriteShortcut(const TempFolder& folder, const std::string& title, const std::string& url)
    {
        folder.Write(title + ".url", "[InternetShortcut]\nURL=" + url + "\n");
    }

};

}  // namespace

TEST_F(MainWindowTest, EnterInTheAddressBarGoesThereAndTheListOffersItAgain)
{
    PageServer server;
    server.Serve("/a.htm", "<html><title>A</title>a</html>");
    server.Serve("/b.htm", "<html><title>B</title>b</html>");
    const QString a = QString::fromStdString(server.base() + "/a.htm");
    const QString b = QString::fromStdString(server.base() + "/b.htm");

    EnterAddress(a);
    EXPECT_TRUE(WaitUntil([&] { return Shown() == a; })) << Shown().toStdString();
    EnterAddress(b);
    EXPECT_TRUE(WaitUntil([&] { return Shown() == b; })) << Shown().toStdString();
    QComboBox* address = frame()->addressBar();
    ASSERT_EQ(address->count(), 2);
    EXPECT_EQ(address->itemText(0), a);
    EXPECT_EQ(address->itemText(1), b);

    // Alt+Down opens the list; Enter chooses its first entry, the current one.
    address->setCurrentIndex(0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(WaitUntil([&] { return address->view()->isVisible(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(WaitUntil([&] { return Shown() == a; })) << Shown().toStdString();
    EXPECT_EQ(address->count(), 2);  // a choice adds nothing
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, TheAddressBarShowsAnAddressThatFailedToLoad)
{
    PageServer server;
    server.Serve("/a.htm", "<html><title>A</title>a</html>");
    const QString a = QString::fromStdString(server.base() + "/a.htm");
    Active()->browserView()->Navigate(a);
    ASSERT_TRUE(WaitUntil([&] { return frame()->addressBar()->currentText() == a; }));

    frame()->action(kStockResearch)->trigger();
    const QString failed = "http://127.0.0.1:9/z/a/Y/YHOO.html";
    EXPECT_TRUE(WaitUntil([&] { return frame()->addressBar()->currentText() == failed; }, 10000))
        << frame()->addressBar()->currentText().toStdString();
}

TEST_F(MainWindowTest, AFavoritesEntryOpensItsOwnSiteInEveryDocumentAfterTheFolderChanged)
{
    PageServer server;
    for (const char* page : {"/alpha.htm", "/beta.htm", "/aardvark.htm", "/gamma.htm"})
        server.Serve(page, "<html>page</html>");
    const auto url = [&](const char* page) { return QString::fromStdString(server.base() + page); };
    TempFolder favorites;
    WriteShortcut(favorites, "Alpha", server.base() + "/alpha.htm");
    WriteShortcut(favorites, "Beta", server.base() + "/beta.htm");
    UseFavorites(favorites);
    EXPECT_EQ(FavoriteTitles(), QStringList({"Alpha", "Beta"}));
    CChildFrame* first = Active();

    // A shortcut added while the first document is open comes before the others.
    WriteShortcut(favorites, "Aardvark", server.base() + "/aardvark.htm");
    frame()->action(kNew)->trigger();
    ASSERT_NE(Active(), first);
    frame()->mdiArea()->setActiveSubWindow(first);
    ChooseFavorite("Beta");
    EXPECT_TRUE(WaitUntil([&] { return Shown() == url("/beta.htm"); })) << Shown().toStdString();
    ChooseFavorite("Alpha");
    EXPECT_TRUE(WaitUntil([&] { return Shown() == url("/alpha.htm"); })) << Shown().toStdString();

    // A shortcut removed leaves the menu the next time it opens.
    std::filesystem::remove(favorites.path() / "Aardvark.url");
    ChooseFavorite("Beta");
    EXPECT_TRUE(WaitUntil([&] { return Shown() == url("/beta.htm"); })) << Shown().toStdString();
    EXPECT_EQ(FavoriteTitles(), QStringList({"Alpha", "Beta"}));

    // Another folder in the settings: its shortcuts at once.
    TempFolder other;
    WriteShortcut(other, "Gamma", server.base() + "/gamma.htm");
    UseFavorites(other);
    EXPECT_EQ(FavoriteTitles(), QStringList({"Gamma"}));
    ChooseFavorite("Gamma");
    EXPECT_TRUE(WaitUntil([&] { return Shown() == url("/gamma.htm"); })) << Shown().toStdString();
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, SettingsAndRecentFilesThatCannotBeWrittenAreReported)
{
    // The settings folder is a file, which no one, not even root, can write into.
    settingsFolder.Write("blocked", "");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder(settingsFolder) + "/blocked");
    TempFolder pages;
    QTimer accept;
    QObject::connect(&accept, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget())) {
            dialog->pageFolderEdit()->setText(Folder(pages));
            dialog->accept();
            if (dialog->isVisible())
                dialog->reject();  // refused: the check below says so
        }
    });
    accept.start(50);
    frame()->action(kSettings)->trigger();
    accept.stop();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains("The settings could not be saved to " + Folder(settingsFolder) + "/blocked"))
        << errors[0].toStdString();
    EXPECT_EQ(app.settings().pageFolder, Folder(pages));  // for this session

    TempFolder files;
    app.documents().chooseFile = [&](DocumentManager::FileChoice, const QString&) {
        return Folder(files) + "/week.stk";
    };
    frame()->action(kSaveAs)->trigger();
    EXPECT_TRUE(std::filesystem::exists(files.path() / "week.stk"));
    const QString status = frame()->statusBar()->currentMessage();
    EXPECT_TRUE(status.startsWith("The recent files could not be saved to")) << status.toStdString();
}

TEST_F(MainWindowTest, CutIsOfferedOnlyWhereThereIsSomethingToCut)
{
    PageServer server;
    server.Serve("/form.htm", "<html><body><p>Quotes</p><input id='name' value='IBM'></body></html>");
    const QString form = QString::fromStdString(server.base() + "/form.htm");
    QAction* cut = frame()->action(kCut);
    Active()->browserView()->Navigate(form);
    ASSERT_TRUE(WaitUntil([&] { return frame()->addressBar()->currentText() == form; }));
    Active()->browserView()->page()->runJavaScript(
        "window.getSelection().selectAllChildren(document.querySelector('p'));");
    EXPECT_FALSE(WaitUntil([&] { return cut->isEnabled(); }, 1000));  // text selected, but not editable

    Active()->browserView()->setFocus();
    Active()->browserView()->page()->runJavaScript("document.getElementById('name').select();");
    EXPECT_TRUE(WaitUntil([&] { return cut->isEnabled(); }));

    frame()->action(kHistoricalCharts)->trigger();  // the chart view
    EXPECT_FALSE(cut->isEnabled());
    EXPECT_TRUE(frame()->action(kCopy)->isEnabled());
}
