// Reading the chart with the pointer and the keys, and zooming it, in a
// document window over the IBM sample, as a user does.
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTWView.h"
#include "app/FrameServices.h"
#include "base/CommandIds.h"
#include "chart/ChartHitTest.h"
#include "chart/ChartPanels.h"
#include "chart/ChartReadout.h"
#include "document/CTarnwickDoc.h"
#include "support/ProgramFixtures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Keeps the region of every paint its widget gets.
class PaintRecorder : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

class ChartPointerTest : public DocumentWindowTest {
protected:
    ChartPointerTest()
    {
        mainFrame.symbolBox()->setText("IBM");
        frame->OnCommand(kReadLocal);
        frame->resize(900, 700);
        frame->show();
        view = frame->chartView();
        view->viewport()->installEventFilter(&recorder);
        Settle();
        panels = ChartPanels(document.chartInput());
    }

    void TearDown() override { EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString(); }

    // Runs the repaints asked for so far.
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    // The viewport point of a page point given in units of 0.01 inch.
    QPoint At(int x, int distance) const
    {
        return {x * view->logicalDpiX() / 100 - view->horizontalScrollBar()->value(),
                distance * view->logicalDpiY() / 100 - view->verticalScrollBar()->value()};
    }

    // The middle of strip `panel`'s plot, at bar `bar`.
    QPoint AtBar(int panel, int bar) const
    {
        const ChartArea& chart = panels[panel].chart;
        return At(BarHairlineX(bar, shown), (chart.PlotTopDistance() + chart.PlotBottomDistance()) / 2);
    }

    void MoveTo(QPoint point)
    {
        QMouseEvent move(QEvent::MouseMove, point, view->viewport()->mapToGlobal(point), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
    }

    void PressKey(Qt::Key key)
    {
        QTest::keyClick(QApplication::focusWidget(), key);
    }

    QString Status() const { return mainFrame.statusBar()->currentMessage(); }

    QString ReadoutAt(int panel, int bar) const
    {
        return QString::fromStdString(ReadoutLine(ReadBar(document.store, bar), ReadPanel(panels[panel], bar)));
    }

    CTWView* view = nullptr;
    PaintRecorder recorder;
    std::vector<PanelView> panels;
    const int shown = 250;
};

}  // namespace

TEST_F(ChartPointerTest, ThePointerReadsItsBarInTheStatusBarAndRepaintsOnlyTheOverlay)
{
    MoveTo(AtBar(0, 0));
    EXPECT_EQ(Status(), ReadoutAt(0, 0));
    EXPECT_TRUE(Status().startsWith("12/31/2001  Open 122.75")) << Status().toStdString();
    Settle();
    recorder.painted = {};

    const QPoint bar5 = AtBar(0, 5);
    MoveTo(bar5);
    EXPECT_EQ(Status(), ReadoutAt(0, 5));
    Settle();
    // What the hairlines and the box covered and cover now: the new hairline
    // and the box by the pointer, never the far corner or most of the window.
    const QRegion painted = recorder.painted;
    EXPECT_FALSE(painted.isEmpty());
    EXPECT_TRUE(painted.contains(QPoint(bar5.x(), bar5.y() - 40)));
    EXPECT_FALSE(painted.contains(QPoint(5, view->viewport()->height() - 5)));
    int area = 0;
    for (const QRect& rect : painted)
        area += rect.width() * rect.height();
    EXPECT_LT(area, view->viewport()->width() * view->viewport()->height() / 4);

    // Between the strips the hairline stays, reading the strip it left.
    MoveTo(At(BarHairlineX(7, shown), panels[1].band.top - 2));
    EXPECT_EQ(Status(), ReadoutAt(0, 7));
    // Over the scale labels there is no bar, and nothing to read.
    MoveTo(At(kLabelX + 20, panels[0].band.top + 100));
    EXPECT_EQ(Status(), "Ready");
}

TEST_F(ChartPointerTest, KeysMoveTheCrosshairBarByBarAndEscapeHidesIt)
{
    frame->activateWindow();
    view->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    ASSERT_EQ(QApplication::focusWidget(), view);
    MoveTo(AtBar(1, 3));
    PressKey(Qt::Key_Home);
    EXPECT_EQ(Status(), ReadoutAt(1, 0));
    PressKey(Qt::Key_Left);  // older bars stand to the left
    EXPECT_EQ(Status(), ReadoutAt(1, 1));
    // The oldest bar drawn: older ones would stand left of the page's edge.
    const int oldest = *BarAtX(0, panels[1].chart.barWidth, shown);
    PressKey(Qt::Key_End);
    EXPECT_EQ(Status(), ReadoutAt(1, oldest));
    PressKey(Qt::Key_Left);
    EXPECT_EQ(Status(), ReadoutAt(1, oldest));
    PressKey(Qt::Key_Right);
    EXPECT_EQ(Status(), ReadoutAt(1, oldest - 1));
    // The oldest bars lie left of the window's first view: it scrolled to them.
    frame->resize(500, 700);
    PressKey(Qt::Key_End);
    const QPoint hairline = At(BarHairlineX(oldest, shown), 0);
    EXPECT_GE(hairline.x(), 0);
    EXPECT_LT(hairline.x(), view->viewport()->width());
    PressKey(Qt::Key_Escape);
    EXPECT_EQ(Status(), "Ready");
}

TEST_F(ChartPointerTest, ZoomKeepsTheBarUnderThePointerAndFitsTheWidth)
{
    const QPoint point = AtBar(0, 40);
    MoveTo(point);
    const QString before = Status();
    QWheelEvent wheel(point, view->viewport()->mapToGlobal(point), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    EXPECT_DOUBLE_EQ(view->zoom(), 1.1);
    EXPECT_EQ(mainFrame.statusBar()->currentMessage(), "Zoom 110%");
    MoveTo(point);
    EXPECT_EQ(Status().left(10), before.left(10));  // the same bar's date

    frame->OnCommand(kZoomIn);
    frame->OnCommand(kZoomIn);
    EXPECT_DOUBLE_EQ(view->zoom(), 1.5);
    frame->OnCommand(kActualSize);
    EXPECT_DOUBLE_EQ(view->zoom(), 1);
    frame->OnCommand(kFitWidth);
    // The page is drawn at whole dots per inch: 12 pixels a dot on 12 inches.
    const double pageWidth = view->pageSize().width * view->logicalDpiX() / 100.0;
    EXPECT_LE(view->zoom() * pageWidth, view->viewport()->width());
    EXPECT_GT(view->zoom() * pageWidth, view->viewport()->width() - 12);
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
}

TEST_F(ChartPointerTest, AMarkNamesItsRuleAndLevelInATooltip)
{
    SignalSet& rsi = document.oscillators.rsiSignals;
    rsi.Clear();
    rsi.RecordBuy(5, 5, 28.456);
    view->Refresh();
    const auto strip = std::ranges::find(panels, std::string_view("RSI(7)"), &PanelView::name);
    ASSERT_NE(strip, panels.end());
    view->verticalScrollBar()->setValue(strip->band.top * view->logicalDpiY() / 100 - 50);
    Settle();
    const QPoint mark = At(BarX(5, strip->chart.barWidth), strip->chart.ValueDistance(28.456) + 1);
    const QPoint aside = mark + QPoint(0, 30);
    QHelpEvent away(QEvent::ToolTip, aside, view->viewport()->mapToGlobal(aside));
    QApplication::sendEvent(view->viewport(), &away);
    EXPECT_FALSE(QToolTip::isVisible());

    QHelpEvent help(QEvent::ToolTip, mark, view->viewport()->mapToGlobal(mark));
    QApplication::sendEvent(view->viewport(), &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Buy: Relative Strength Index at 28.456");
}

TEST_F(ChartPointerTest, OnTheQuoteTableTheRowUnderThePointerIsHighlighted)
{
    frame->OnCommand(kQuoteData);
    Settle();
    recorder.painted = {};
    MoveTo(At(300, 30 + 20 * 3 + 5));  // in row 3
    Settle();
    const QRect row = recorder.painted.boundingRect();
    EXPECT_EQ(row.top(), At(0, 90).y());
    EXPECT_NEAR(row.height(), 20 * view->logicalDpiY() / 100, 1);
    EXPECT_EQ(Status(), "Ready");  // the table reads itself
}
