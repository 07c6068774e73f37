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

#include <QRect>

#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

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
    // again and again, so later ones come from the kept shapes and from the
    // pixels kept of texts drawn before at the same places past whole pixels,
    // in either colour; and texts cut by the image's edges, where the scroll
    // makes their places negative. On both 32-bit formats.
    const char* const texts[] = {"AVAWATo Ty", " Number of Signal:", "12.5 -0.031 ", "Jan 07", "%R(14) W", "o"};
    for (const QImage::Format format : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32}) {
        for (const int dpi : {72, 96, 110}) {
            for (const QPoint scroll : {QPoint(0, 0), QPoint(-29, -13), QPoint(5, 3)}) {
                const auto draw = [&](QtCanvas::Drawing drawing) {
                    QImage image = WhiteImage({420, 420}, dpi).convertToFormat(format);
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
                    << format << ", " << dpi << " dpi, scrolled " << scroll.x() << "," << scroll.y();
            }
        }
    }
}

TEST_F(ShortcutPixelsTest, SlantedLinesAnywhereHaveThePlainPixels)
{
    // Lines of every slope and length, steep and shallow, rising and falling,
    // ending inside, on and past the image's edges, at DPIs whose units fall
    // between pixels; on both 32-bit formats, scrolled and not, and through a
    // clip, where every pixel must stay the painter's own.
    std::mt19937 random(17);
    std::uniform_int_distribution<int> place(-40, 460);
    std::uniform_int_distribution<int> nearby(-6, 6);
    for (const QImage::Format format : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32}) {
        for (const int dpi : {72, 96, 131}) {
            for (const QPoint scroll : {QPoint(0, 0), QPoint(-37, -11)}) {
                for (const bool clipped : {false, true}) {
                    std::vector<std::array<int, 4>> lines(3000);
                    for (auto& [x1, y1, x2, y2] : lines) {
                        x1 = place(random);
                        y1 = -place(random);
                        const bool shortLine = random() % 2 == 0;
                        x2 = shortLine ? x1 + nearby(random) : place(random);
                        y2 = shortLine ? y1 + nearby(random) : -place(random);
                    }
                    const auto draw = [&](QtCanvas::Drawing drawing) {
                        QImage image = WhiteImage({400, 300}, dpi).convertToFormat(format);
                        QPainter painter(&image);
                        painter.translate(scroll);
                        if (clipped)
                            painter.setClipRect(QRect(30, 40, 200, 100));
                        QtCanvas canvas(painter, drawing);
                        const Rgb colours[] = {Colour::kRed, Colour::kBlue, Colour::kGreen};
                        PenId pens[3];
                        for (int k = 0; k < 3; ++k)
                            pens[k] = canvas.CreatePen(colours[k]);
                        for (std::size_t k = 0; k < lines.size(); ++k) {
                            canvas.SelectPen(pens[k / 7 % 3]);
                            canvas.MoveTo(lines[k][0], lines[k][1]);
                            canvas.LineTo(lines[k][2], lines[k][3]);
                        }
                        return image;
                    };
                    EXPECT_EQ(ImageDifference(draw(QtCanvas::Drawing::Fast), draw(QtCanvas::Drawing::Plain)), "")
                        << format << ", " << dpi << " dpi, scrolled " << scroll.x() << "," << scroll.y()
                        << (clipped ? ", clipped" : "");
                }
            }
        }
    }
}
