#include "chart/ChartPagePaint.h"
#include "qtcanvas/QtCanvas.h"
#include "support/ImageDifference.h"
#include "support/SampleDocument.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>
#include <memory>
#include <string>

// A repaint that culls to the rectangle it is given paints, inside that
// rectangle, the very pixels a paint of the whole page gives there.

namespace {

constexpr int kScreenDpi = 96;

QImage WhiteImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMetre = static_cast<int>(std::lround(kScreenDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return image;
}

QSize PagePixels(const ChartInput& input)
{
    const PageSize page =
        input.chartPage == 1 ? QuoteTablePageSize(input.store.BarsLoaded()) : kChartPageSize;
    return {(page.width * kScreenDpi + 99) / 100, (page.height * kScreenDpi + 99) / 100};
}

QImage WholePage(const ChartInput& input)
{
    QImage image = WhiteImage(PagePixels(input));
    QPainter painter(&image);
    QtCanvas canvas(painter);
    PaintChartPage(canvas, input);
    return image;
}

// The page painted culled to `area` into an image of the page's size that
// clips to `area`, as a paint event's painter clips to its region.
QImage CulledPage(const ChartInput& input, const QRect& area)
{
    QImage image = WhiteImage(PagePixels(input));
    QPainter painter(&image);
    painter.setClipRect(area);
    QtCanvas canvas(painter);
    EXPECT_TRUE(PaintChartPage(canvas, input, canvas.PageRectCovering(area)));
    return image;
}

// The page as a window of `size` scrolled to `offset` shows it: the painter
// moved by the scroll offsets, the image itself the clip.
QImage WindowOnPage(const ChartInput& input, QPoint offset, QSize size)
{
    QImage image = WhiteImage(size);
    QPainter painter(&image);
    painter.translate(-offset);
    QtCanvas canvas(painter);
    PaintChartPage(canvas, input, canvas.PageRectCovering(QRect(offset, size)));
    return image;
}

int InkedPixels(const QImage& image)
{
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
    return inked;
}

void ExpectSameInside(const ChartInput& input, const QImage& whole, const QRect& area)
{
    const QImage culled = CulledPage(input, area);
    const QRect inside = area & whole.rect();
    EXPECT_EQ(ImageDifference(culled.copy(inside), whole.copy(inside)), "") << "area " << area.x() << "," << area.y()
                                                                        << " " << area.width() << "x"
                                                                        << area.height();
}

class CulledRepaintTest : public WidgetsTest {};

}  // namespace

TEST_F(CulledRepaintTest, RectanglesOfTheChartPageHaveTheWholePagesPixels)
{
    const auto document = LoadedSample("IBM");
    const ChartInput input = document->chartInput();
    const QImage whole = WholePage(input);
    const QRect page = whole.rect();
    const QRect areas[] = {
        {0, 0, 1000, 800},                                  // the window at the top: summary and price chart
        {37, 1210, 1000, 800},                              // cuts through several strips
        {500, 1333, 300, 97},                               // a strip's curves, grid lines and labels
        {690, 100, 70, 3500},                               // down the grid labels and their lines' ends
        {700, 0, 1, page.height()},                         // one pixel column across the whole page
        {0, 1500, page.width(), 1},                         // one pixel row
        {page.width() - 250, page.height() - 180, 250, 180},  // the bottom right corner
        {1000, 3800, 400, 400},                             // reaches past the page's edges
    };
    for (const QRect& area : areas)
        ExpectSameInside(input, whole, area);
}

TEST_F(CulledRepaintTest, RectanglesOfTheQuoteTableHaveTheWholeTablesPixels)
{
    auto document = LoadedSample("IBM");
    document->chartPage = 1;
    const ChartInput input = document->chartInput();
    const QImage whole = WholePage(input);
    const QRect page = whole.rect();
    const QRect areas[] = {
        {0, 0, page.width(), 100},                // the header, the symbol and the first rows
        {0, 4003, page.width(), 57},              // cuts through rows at their texts' middles
        {400, 2000, 150, 1},                      // one pixel row through the close column
        {200, page.height() - 96, 760, 200},      // the last rows and past the page
    };
    for (const QRect& area : areas)
        ExpectSameInside(input, whole, area);
}

TEST_F(CulledRepaintTest, AScrolledWindowShowsTheWholePagesPixels)
{
    const auto document = LoadedSample("AAPL");
    const ChartInput input = document->chartInput();
    const QImage whole = WholePage(input);
    const QSize window(1000, 800);
    for (const QPoint offset : {QPoint(0, 0), QPoint(152, 1733), QPoint(0, whole.height() - 800)}) {
        const QImage shown = WindowOnPage(input, offset, window);
        EXPECT_EQ(ImageDifference(shown, whole.copy(QRect(offset, window))), "") << offset.x() << "," << offset.y();
        // A window on the page shows part of it, not a blank.
        EXPECT_GT(InkedPixels(shown), 10000) << offset.x() << "," << offset.y();
    }
}

TEST_F(CulledRepaintTest, PageUnitsCoverTheAreaAtAnyDpi)
{
    for (const int dpi : {96, 150}) {
        QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        QPainter painter(&image);
        const QtCanvas canvas(painter);
        const double unit = dpi / 100.0;
        // Units 10 to 20 across and 30 to 41 down, each edge a fraction of a pixel inside.
        const QRectF area(QPointF(10 * unit + 0.25, 30 * unit + 0.25), QPointF(20 * unit - 0.25, 41 * unit - 0.25));
        EXPECT_EQ(canvas.PageRectCovering(area), (PageRect{10, 30, 20, 41})) << dpi;
        EXPECT_EQ(canvas.PageRectCovering(QRectF()), (PageRect{})) << dpi;
    }
}
