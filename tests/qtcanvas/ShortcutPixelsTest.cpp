#include "chart/ChartPagePaint.h"
#include "qtcanvas/QtCanvas.h"
#include "qtcanvas/TextShapes.h"
#include "support/ImageDifference.h"
#include "support/SampleDocument.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QSize>

#include <cmath>
#include <string>

// The canvas's raster shortcuts set the very pixels its plain drawing sets,
// whatever the DPI, the scroll and the texts.

namespace {

QImage WhiteImage(QSize size, int dpi)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return image;
}

QSize PagePixels(const ChartInput& input, int dpi)
{
    const PageSize page = input.chartPage == 1 ? QuoteTablePageSize(input.store.BarsLoaded()) : kChartPageSize;
    return {(page.width * dpi + 99) / 100, (page.height * dpi + 99) / 100};
}

// The page painted whole, moved by `scroll`, into an image of `size`.
QImage Page(const ChartInput& input, int dpi, QSize size, QPoint scroll, QtCanvas::Drawing drawing,
            TextShapes* shapes = nullptr)
{
    QImage image = WhiteImage(size, dpi);
    QPainter painter(&image);
    painter.translate(scroll);
    QtCanvas canvas(painter, drawing, shapes);
    PaintChartPage(canvas, input);
    return image;
}

class ShortcutPixelsTest : public WidgetsTest {};

}  // namespace

TEST_F(ShortcutPixelsTest, TheChartPageAndQuoteTableHaveThePlainPixelsAtEveryDpi)
{
    auto document = LoadedSample("IBM");
    for (const int chartPage : {0, 1}) {
        document->chartPage = chartPage;
        const ChartInput input = document->chartInput();
        for (const int dpi : {72, 96, 120, 144}) {
            const QSize size = PagePixels(input, dpi);
            EXPECT_EQ(ImageDifference(Page(input, dpi, size, {}, QtCanvas::Drawing::Fast),
                                 Page(input, dpi, size, {}, QtCanvas::Drawing::Plain)),
                      "")
                << "page " << chartPage << " at " << dpi << " dpi";
        }
    }
}

TEST_F(ShortcutPixelsTest, ScrolledWindowsHaveThePlainPixels)
{
    const auto document = LoadedSample("AAPL");
    const ChartInput input = document->chartInput();
    // Shapes kept from one paint to the next, as a window keeps them.
    TextShapes shapes;
    for (const QPoint scroll : {QPoint(0, 0), QPoint(-152, -1733), QPoint(-7, -3001), QPoint(0, -1)}) {
        const QSize window(1000, 800);
        EXPECT_EQ(ImageDifference(Page(input, 96, window, scroll, QtCanvas::Drawing::Fast, &shapes),
                             Page(input, 96, window, scroll, QtCanvas::Drawing::Plain)),
                  "")
            << scroll.x() << "," << scroll.y();
    }
}

TEST_F(ShortcutPixelsTest, TextsAtEveryFractionOfAPixelHaveThePlainPixels)
{
    // Kerned pairs, spaces at both ends, punctuation and every digit; drawn
    // again and again, so later ones come from the kept shapes; and texts cut
    // by the image's edges, where the scroll makes their places negative.
    const char* const texts[] = {"AVAWATo Ty", " Number of Signal:", "12.5 -0.031 ", "Jan 07", "%R(14) W", "o"};
    for (const int dpi : {72, 96, 110}) {
        for (const QPoint scroll : {QPoint(0, 0), QPoint(-29, -13), QPoint(5, 3)}) {
            const auto draw = [&](QtCanvas::Drawing drawing) {
                QImage image = WhiteImage({420, 420}, dpi);
                QPainter painter(&image);
                painter.translate(scroll);
                QtCanvas canvas(painter, drawing);
                for (int k = 0; k < 120; ++k) {
                    canvas.SetTextColour(k % 2 ? Colour::kRed : Colour::kBlack);
                    canvas.TextOut(k % 17 + (k / 17) * 61 - 10, -(k * 5 - 5), texts[k % 6]);
                }
                return image;
            };
            EXPECT_EQ(ImageDifference(draw(QtCanvas::Drawing::Fast), draw(QtCanvas::Drawing::Plain)), "")
                << dpi << " dpi, scrolled " << scroll.x() << "," << scroll.y();
        }
    }
}
