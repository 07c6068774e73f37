#include "app/CMainFrame.h"
#include "base/CommandIds.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

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
    QComboBox* address = frame.addressBar();
    EXPECT_EQ(address->count(), 0);
    QSignalSpy entered(&frame, &CMainFrame::addressEntered);
    QSignalSpy selected(&frame, &CMainFrame::addressSelected);
    QObject::connect(&frame, &CMainFrame::addressEntered, &frame, &CMainFrame::ReadAddressEntry);
    for (int time = 0; time < 2; ++time) {
        address->setEditText("http://127.0.0.1/a.htm");
        QTest::keyClick(address->lineEdit(), Qt::Key_Return);
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

TEST_F(CMainFrameTest, MenusAndToolbarFollowTheCommandTable)
{
    QStringList menus;
    for (QAction* menu : frame.menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&View", "&Browser", "Favo&rites", "&Markets", "&Stocks",
                                  "&Window", "&Help"}));
    QAction* readLocal = frame.action(kReadLocal);
    ASSERT_NE(readLocal, nullptr);
    EXPECT_EQ(readLocal->text(), "Read &C:\\");
    EXPECT_EQ(readLocal->statusTip(), "Read Quote data from C:\\,  analyze stock and display charts");
    EXPECT_EQ(readLocal->toolTip(), "Read C:\\");
    EXPECT_TRUE(frame.popup(MenuPopup::Stocks)->actions().contains(readLocal));
    EXPECT_EQ(frame.action(kPrint)->shortcut(), QKeySequence::Print);

    QSignalSpy triggered(&frame, &CMainFrame::commandTriggered);
    readLocal->trigger();
    ASSERT_EQ(triggered.count(), 1);
    EXPECT_EQ(triggered.at(0).at(0).toInt(), kReadLocal);

    const QToolBar* tools = frame.findChild<QToolBar*>("toolbar");
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(tools->actions().front(), frame.action(kNew));
    EXPECT_EQ(tools->actions().back(), frame.action(kCompanyProfile));
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Ready");
}

TEST_F(CMainFrameTest, ViewToolbarHidesAndShowsTheToolbarAndFollowsIt)
{
    frame.show();
    QToolBar* tools = frame.findChild<QToolBar*>("toolbar");
    ASSERT_NE(tools, nullptr);
    QAction* toggle = frame.action(kToggleToolbar);
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(frame.popup(MenuPopup::View)->actions().contains(toggle));
    EXPECT_EQ(toggle->text(), "&Toolbar");
    EXPECT_EQ(toggle->statusTip(), "Show or hide the toolbar");
    EXPECT_TRUE(toggle->isChecked());

    toggle->trigger();
    EXPECT_TRUE(tools->isHidden());
    toggle->trigger();
    EXPECT_FALSE(tools->isHidden());

    // Hidden another way, the menu entry says so.
    tools->hide();
    EXPECT_FALSE(toggle->isChecked());
}
