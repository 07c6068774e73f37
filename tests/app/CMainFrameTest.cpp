#include "app/CMainFrame.h"
#include "base/CommandIds.h"
#include "support/TempFolder.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

class CMainFrameTest : public WidgetsTest {
protected:
    CMainFrame frame;
};

TEST_F(CMainFrameTest, TheSymbolBoxKeepsLettersInUpperCase)
{
    QTest::keyClicks(frame.symbolBox(), "ibm.b");
    EXPECT_EQ(frame.symbolBox()->text(), "IBM.B");
    EXPECT_EQ(frame.symbolText, "IBM.B");
}

TEST_F(CMainFrameTest, TheSourceIsTheChosenEntryNeverTheTypedText)
{
    EXPECT_EQ(frame.sourceText, "");
    QComboBox* source = frame.sourceBox();
    source->setCurrentIndex(source->findText("Silicon Investor"));
    EXPECT_EQ(frame.sourceText, "Silicon Investor");
    source->lineEdit()->clear();
    QTest::keyClicks(source->lineEdit(), "Something else");
    frame.ReadSource();
    EXPECT_EQ(frame.sourceText, "Silicon Investor");
    EXPECT_EQ(source->count(), 2);
}

TEST_F(CMainFrameTest, EnterAppendsTheAddressEachTimeAndIsNoSelection)
{
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QComboBox* address = frame.addressBar();
    EXPECT_EQ(address->count(), 0);
    QSignalSpy entered(&frame, &CMainFrame::addressEntered);
    QSignalSpy selected(&frame, &CMainFrame::addressSelected);
    QObject::connect(&frame, &CMainFrame::addressEntered, &frame, &CMainFrame::ReadAddressEntry);
    // The keys go where a click into the field puts the focus.
    QTest::mouseClick(address->lineEdit(), Qt::LeftButton);
    for (int time = 0; time < 2; ++time) {
        address->clearEditText();
        QTest::keyClicks(QApplication::focusWidget(), "http://127.0.0.1/a.htm");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(entered.count(), 2);
    EXPECT_EQ(selected.count(), 0);
    ASSERT_EQ(address->count(), 2);
    EXPECT_EQ(address->itemText(1), "http://127.0.0.1/a.htm");
    EXPECT_EQ(frame.addressText, "http://127.0.0.1/a.htm");

    frame.SetAddress("file:///tmp/page.htm");
    EXPECT_EQ(address->currentText(), "file:///tmp/page.htm");
    address->setCurrentIndex(0);
    frame.ReadAddressSelection();
    EXPECT_EQ(frame.addressText, "http://127.0.0.1/a.htm");
}

TEST_F(CMainFrameTest, EachPopupShowsItsCommandsInTableOrderWithTheirPrompts)
{
    const QList<QAction*> bar = frame.menuBar()->actions();
    ASSERT_EQ(bar.size(), std::ssize(kPopups));
    for (std::size_t i = 0; i < kPopups.size(); ++i) {
        EXPECT_EQ(bar[i]->text(), ToQString(kPopups[i].menuText));
        EXPECT_EQ(bar[i]->menu(), frame.popup(kPopups[i].popup));
    }
    for (const PopupInfo& info : kPopups) {
        SCOPED_TRACE(std::string(info.menuText));
        // The entries shown, each with whether a separator stands above it.
        std::vector<std::pair<QAction*, bool>> shown;
        bool separator = false;
        for (QAction* entry : frame.popup(info.popup)->actions()) {
            if (entry->isSeparator())
                separator = true;
            else if (entry->isVisible()) {
                shown.emplace_back(entry, separator);
                separator = false;
            }
        }
        std::vector<std::pair<QAction*, bool>> table;
        for (const CommandInfo& command : Commands())
            if (command.popup == info.popup)
                table.emplace_back(frame.action(command.id), command.separatorBefore);
        EXPECT_EQ(shown, table);
    }
    for (const CommandInfo& command : Commands()) {
        const QAction* action = frame.action(command.id);
        const PromptParts prompt = SplitPrompt(command.prompt);
        EXPECT_EQ(action->statusTip(), ToQString(prompt.status)) << command.id;
        if (!prompt.tooltip.empty()) {
            EXPECT_EQ(action->toolTip(), ToQString(prompt.tooltip)) << command.id;
        }
    }
}

TEST_F(CMainFrameTest, OnlyTheStandardKeysAreBoundAndNoKeyTwice)
{
    std::set<QString> keys;
    for (const CommandInfo& command : Commands()) {
        for (const QKeySequence& key : frame.action(command.id)->shortcuts()) {
            EXPECT_TRUE(keys.insert(key.toString()).second) << command.id << " " << key.toString().toStdString();
        }
    }
    EXPECT_EQ(frame.action(kPrint)->shortcut(), QKeySequence::Print);
    // The browser's shortcut texts are labels only: Ctrl+S saves, Ctrl+P prints.
    EXPECT_TRUE(frame.action(kSearch)->shortcut().isEmpty());
    EXPECT_TRUE(frame.action(kSearch)->text().endsWith("\tCtrl+S"));
}

TEST_F(CMainFrameTest, TheToolbarShowsTheTableButtonsAndEachSendsItsCommand)
{
    const QToolBar* tools = frame.findChild<QToolBar*>("toolbar");
    ASSERT_NE(tools, nullptr);
    const QList<QAction*> buttons = tools->actions();
    ASSERT_EQ(buttons.size(), std::ssize(kToolbar));
    QSignalSpy triggered(&frame, &CMainFrame::commandTriggered);
    for (std::size_t i = 0; i < kToolbar.size(); ++i) {
        if (kToolbar[i] == kSeparator) {
            EXPECT_TRUE(buttons[i]->isSeparator()) << i;
            continue;
        }
        ASSERT_EQ(buttons[i], frame.action(kToolbar[i])) << i;
        buttons[i]->trigger();
        ASSERT_EQ(triggered.count(), 1) << i;
        EXPECT_EQ(triggered.takeFirst().at(0).toInt(), kToolbar[i]);
    }
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Ready");
}

TEST_F(CMainFrameTest, ViewToolbarHidesAndShowsTheToolbarAndFollowsIt)
{
    frame.show();
    QToolBar* tools = frame.findChild<QToolBar*>("toolbar");
    ASSERT_NE(tools, nullptr);
    QAction* toggle = frame.action(kToggleToolbar);
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->text(), "&Toolbar");  // not the toolbar's own title
    EXPECT_TRUE(toggle->isChecked());

    toggle->trigger();
    EXPECT_TRUE(tools->isHidden());
    toggle->trigger();
    EXPECT_FALSE(tools->isHidden());

    // Hidden another way, the menu entry says so.
    tools->hide();
    EXPECT_FALSE(toggle->isChecked());
}

TEST_F(CMainFrameTest, OnlyDropsOfLocalFilesAreTakenAndTheyGoOutInOrder)
{
    QMimeData web;
    web.setUrls({QUrl("http://127.0.0.1/a.csv")});
    QDragEnterEvent webEnter(QPoint(10, 10), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &webEnter);
    EXPECT_FALSE(webEnter.isAccepted());

    QMimeData files;
    files.setUrls({QUrl("http://127.0.0.1/a.csv"), QUrl::fromLocalFile("/tmp/x/IBM.csv"),
                   QUrl::fromLocalFile("/tmp/x/week.stk")});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QSignalSpy dropped(&frame, &CMainFrame::filesDropped);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped.front().at(0).toStringList(), QStringList({"/tmp/x/IBM.csv", "/tmp/x/week.stk"}));
}

TEST_F(CMainFrameTest, CtrlIInTheWindowAsksToImportQuotes)
{
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QSignalSpy triggered(&frame, &CMainFrame::commandTriggered);
    QTest::keyClick(&frame, Qt::Key_I, Qt::ControlModifier);
    ASSERT_EQ(triggered.count(), 1);
    EXPECT_EQ(triggered.front().at(0).toInt(), kImportQuotes);
}

TEST_F(CMainFrameTest, AnEmptyFavoritesMenuSaysWhereShortcutsGoAndOpensOnceFilled)
{
    TempFolder home;
    const std::filesystem::path folder = home.path() / "Favorites";  // not made yet, as on a fresh install
    frame.SetFavoritesFolder(folder);
    QMenu* favorites = frame.popup(MenuPopup::Favorites);
    ASSERT_EQ(favorites->actions().size(), 1);
    const QAction* empty = favorites->actions().front();
    EXPECT_FALSE(empty->isEnabled());
    EXPECT_EQ(empty->text(),
              "(empty: add .url shortcuts to " + QDir::toNativeSeparators(QString::fromStdString(folder.string())) + ")");

    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_R, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return favorites->isVisible(); }));
    QTest::keyClick(favorites, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !favorites->isVisible(); }));

    home.Write("Favorites/News/x.url", "[InternetShortcut]\nURL=http://127.0.0.1:9/x\n");
    home.Write("Favorites/A.url", "[InternetShortcut]\nURL=http://127.0.0.1:9/a\n");
    QTest::keyClick(&frame, Qt::Key_R, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return favorites->isVisible(); }));
    const QList<QAction*> entries = favorites->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "News");
    EXPECT_EQ(entries[1]->text(), "A");
    EXPECT_TRUE(entries[1]->isEnabled());
    EXPECT_EQ(frame.FavoriteUrl(kFirstFavoriteId), "http://127.0.0.1:9/a");
    EXPECT_EQ(frame.FavoriteUrl(kFirstFavoriteId + 1), "http://127.0.0.1:9/x");
    EXPECT_EQ(frame.FavoriteUrl(kFirstFavoriteId + 2), "");
    EXPECT_EQ(frame.FavoriteUrl(kFirstFavoriteId - 1), "");
    QTest::keyClick(favorites, Qt::Key_Escape);

    // Emptied again, it says so again; the folder's old submenu is gone with its entries.
    std::filesystem::remove_all(folder);
    frame.SetFavoritesFolder(folder);
    EXPECT_EQ(favorites->actions().size(), 1);
    EXPECT_TRUE(favorites->findChildren<QMenu*>().isEmpty());
    EXPECT_EQ(frame.FavoriteUrl(kFirstFavoriteId), "");
}

TEST_F(CMainFrameTest, TheSymbolAndWebBoxesStayInSightInANarrowWindow)
{
    const QToolBar* tools = frame.findChild<QToolBar*>("toolbar");
    const QToolBar* input = frame.findChild<QToolBar*>("input");
    ASSERT_NE(tools, nullptr);
    ASSERT_NE(input, nullptr);
    const auto inSight = [&] {
        const QRect window = frame.rect();
        for (const QWidget* box : {static_cast<QWidget*>(frame.symbolBox()), static_cast<QWidget*>(frame.sourceBox())})
            if (!box->isVisible() || !window.contains(QRect(box->mapTo(&frame, QPoint(0, 0)), box->size())))
                return false;
        return true;
    };
    frame.resize(1600, 600);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_TRUE(QTest::qWaitFor(inSight));
    EXPECT_EQ(input->y(), tools->y());  // at full width on the toolbar's line

    frame.resize(800, 600);
    EXPECT_TRUE(QTest::qWaitFor(inSight));
    EXPECT_GT(input->y(), tools->y());

    frame.resize(1600, 600);
    EXPECT_TRUE(QTest::qWaitFor([&] { return input->y() == tools->y(); }));
    EXPECT_TRUE(inSight());
}

TEST_F(CMainFrameTest, TheOlderClipboardKeysCutCopyAndPasteToo)
{
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QSignalSpy triggered(&frame, &CMainFrame::commandTriggered);
    const std::pair<QKeyCombination, int> keys[] = {{Qt::SHIFT | Qt::Key_Delete, kCut},
                                                    {Qt::CTRL | Qt::Key_Insert, kCopy},
                                                    {Qt::SHIFT | Qt::Key_Insert, kPaste}};
    for (const auto& [key, id] : keys) {
        QTest::keyClick(&frame, key.key(), key.keyboardModifiers());
        ASSERT_EQ(triggered.count(), 1) << id;
        EXPECT_EQ(triggered.takeFirst().at(0).toInt(), id);
    }
}

TEST_F(CMainFrameTest, ViewStatusBarHidesAndShowsTheStatusBarWithACheckMark)
{
    frame.show();
    QAction* toggle = frame.action(kToggleStatusBar);
    EXPECT_TRUE(toggle->isCheckable());
    EXPECT_TRUE(toggle->isChecked());
    QSignalSpy triggered(&frame, &CMainFrame::commandTriggered);
    toggle->trigger();
    EXPECT_TRUE(frame.statusBar()->isHidden());
    EXPECT_FALSE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(frame.statusBar()->isHidden());
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(triggered.count(), 0);
}

TEST_F(CMainFrameTest, TheWindowMenuListsTheOpenWindowsAndChoosesOne)
{
    QMdiArea* area = frame.mdiArea();
    QMdiSubWindow* first = area->addSubWindow(new QWidget);
    first->setWindowTitle("Stock1");
    QMdiSubWindow* second = area->addSubWindow(new QWidget);
    second->setWindowTitle("R&D screener");
    frame.show();
    area->setActiveSubWindow(second);

    QMenu* window = frame.popup(MenuPopup::Window);
    for (int time = 0; time < 2; ++time) {  // listed afresh each time, never twice
        window->popup(QPoint(0, 0));
        window->hide();
    }
    const QList<QAction*> entries = window->actions();
    ASSERT_GE(entries.size(), 3);
    const QAction* firstEntry = entries[entries.size() - 2];
    QAction* secondEntry = entries.back();
    EXPECT_TRUE(entries[entries.size() - 3]->isSeparator());
    EXPECT_EQ(firstEntry->text(), "&1 Stock1");
    EXPECT_EQ(secondEntry->text(), "&2 R&&D screener");
    EXPECT_FALSE(firstEntry->isChecked());
    EXPECT_TRUE(secondEntry->isChecked());

    entries[entries.size() - 2]->trigger();
    EXPECT_EQ(area->currentSubWindow(), first);

    delete first;
    delete second;
    window->popup(QPoint(0, 0));
    window->hide();
    EXPECT_FALSE(window->actions().back()->isSeparator());  // no windows, no list
    EXPECT_EQ(window->actions().size(), entries.size() - 3);
}

TEST_F(CMainFrameTest, F6MovesTheFocusThroughTheDocumentTheSymbolBoxAndTheAddressBar)
{
    auto* page = new QLineEdit;
    frame.mdiArea()->addSubWindow(page);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    page->setFocus();
    const auto pressOnFocus = [](Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, modifiers);
        return QApplication::focusWidget();
    };
    EXPECT_EQ(pressOnFocus(Qt::NoModifier), frame.symbolBox());
    EXPECT_EQ(pressOnFocus(Qt::NoModifier), frame.addressBar());
    EXPECT_EQ(pressOnFocus(Qt::NoModifier), page);
    EXPECT_EQ(pressOnFocus(Qt::ShiftModifier), frame.addressBar());
    EXPECT_EQ(pressOnFocus(Qt::ShiftModifier), frame.symbolBox());
}
