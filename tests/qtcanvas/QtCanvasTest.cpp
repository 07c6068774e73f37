#include "qtcanvas/QtCanvas.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

// A white image of `size` pixels that says it has `dpi` dots per inch.
QImage WhiteImage(int size, int dpi)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return image;
}

QImage Draw(int size, int dpi, const std::function<void(QtCanvas&)>& draw)
{
    QImage image = WhiteImage(size, dpi);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    draw(canvas);
    return image;
}

bool Inked(const QImage& image, int x, int y)
{
    return image.pixel(x, y) != qRgb(255, 255, 255);
}

// The smallest rectangle holding every pixel that is not white.
QRect InkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Inked(image, x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Where two images of one size first differ, as "x,y", or "" where they do not.
std::string FirstDifference(const QImage& a, const QImage& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return std::to_string(x) + "," + std::to_string(y);
    return {};
}

class QtCanvasTest : public WidgetsTest {};

}  // namespace

TEST_F(QtCanvasTest, AHundredUnitsAreAnInchAtTheDevicesDpi)
{
    for (const int dpi : {96, 192}) {
        const QImage image = Draw(3 * dpi, dpi, [](QtCanvas& canvas) {
            canvas.SelectPen(canvas.CreatePen(Colour::kRed));
            canvas.MoveTo(0, 0);
            canvas.LineTo(100, -100);
        });
        EXPECT_TRUE(Inked(image, dpi, dpi)) << dpi;
        EXPECT_TRUE(Inked(image, dpi / 2, dpi / 2)) << dpi;
        const QRect ink = InkBounds(image);
        EXPECT_EQ(ink.topLeft(), QPoint(0, 0)) << dpi;
        EXPECT_NEAR(ink.right(), dpi, 2) << dpi;
        EXPECT_NEAR(ink.bottom(), dpi, 2) << dpi;
    }
}

TEST_F(QtCanvasTest, LinesAndTextsTakeTheirColoursAsGiven)
{
    const Rgb colours[] = {Colour::kGrey, Colour::kRed,  Colour::kDarkRed, Colour::kPurple,     Colour::kGold,
                           Colour::kBlue, Colour::kGreen, Colour::kBlack,  Colour::kBrightGreen};
    const QImage image = Draw(400, 96, [&colours](QtCanvas& canvas) {
        for (int k = 0; k < 9; ++k) {
            canvas.SelectPen(canvas.CreatePen(colours[k]));
            canvas.MoveTo(0, -10 - 10 * k);
            canvas.LineTo(100, -10 - 10 * k);
        }
        canvas.SetTextColour(Colour::kPurple);
        canvas.TextOut(200, -200, "MMMM");
    });
    for (int k = 0; k < 9; ++k) {
        const int y = static_cast<int>((10 + 10 * k) * 0.96);
        EXPECT_EQ(image.pixel(50, y), qRgb(colours[k].red, colours[k].green, colours[k].blue)) << k;
    }
    int purple = 0;
    for (int y = 192; y < 230; ++y)
        for (int x = 192; x < 300; ++x)
            purple += image.pixel(x, y) == qRgb(170, 10, 240) ? 1 : 0;
    EXPECT_GT(purple, 20);
}

TEST_F(QtCanvasTest, SelectingReturnsThePreviousPenAndPenZeroIsThePaintersOwn)
{
    QImage image = WhiteImage(200, 96);
    QPainter painter(&image);
    painter.setPen(QColor(0, 200, 0));
    {
        QtCanvas canvas(painter);
        const PenId red = canvas.CreatePen(Colour::kRed);
        EXPECT_EQ(canvas.SelectPen(red), 0);
        canvas.MoveTo(0, -20);
        canvas.LineTo(100, -20);
        EXPECT_EQ(canvas.SelectPen(0), red);
        canvas.MoveTo(0, -40);
        canvas.LineTo(100, -40);
        canvas.DeletePen(red);
        const PenId blue = canvas.CreatePen(Colour::kBlue);
        EXPECT_EQ(blue, red);  // a deleted pen's id is free again
        EXPECT_EQ(canvas.SelectPen(blue), 0);
        canvas.MoveTo(0, -60);
        canvas.LineTo(100, -60);
    }
    EXPECT_EQ(painter.pen().color(), QColor(0, 200, 0));  // the canvas left the painter as it found it
    painter.end();
    EXPECT_EQ(image.pixel(50, 19), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(50, 38), qRgb(0, 200, 0));
    EXPECT_EQ(image.pixel(50, 57), qRgb(0, 0, 255));
}

TEST_F(QtCanvasTest, TextHangsBelowRightOfItsPointAndScalesWithTheDpi)
{
    int heights[2] = {};
    for (const int dpi : {96, 192}) {
        const QImage image = Draw(3 * dpi, dpi, [](QtCanvas& canvas) { canvas.TextOut(100, -100, "Hg"); });
        const QRect ink = InkBounds(image);
        ASSERT_FALSE(ink.isEmpty()) << dpi;
        EXPECT_GE(ink.left(), dpi) << dpi;
        EXPECT_GE(ink.top(), dpi) << dpi;
        EXPECT_LE(ink.left(), dpi + dpi / 20) << dpi;   // starts at the point, not somewhere right of it
        EXPECT_LE(ink.top(), dpi + dpi / 20) << dpi;
        EXPECT_LE(ink.bottom(), dpi + dpi / 5) << dpi;  // within the 0.2 inch a text row has
        // From the top of the H to the bottom of the g: most of the 0.16 inch.
        EXPECT_GT(ink.height(), dpi / 10) << dpi;
        heights[dpi / 96 - 1] = ink.height();
    }
    EXPECT_NEAR(heights[1], 2 * heights[0], 2);
}

TEST_F(QtCanvasTest, TextStandsOnAWhiteCellThatCoversEarlierLines)
{
    const QImage image = Draw(200, 100, [](QtCanvas& canvas) {
        canvas.SelectPen(canvas.CreatePen(Colour::kRed));
        canvas.MoveTo(50, -108);
        canvas.LineTo(150, -108);
        canvas.TextOut(100, -100, "  ");
    });
    EXPECT_EQ(image.pixel(90, 108), qRgb(255, 0, 0));    // left of the text
    EXPECT_EQ(image.pixel(102, 108), qRgb(255, 255, 255));  // under the two spaces
}

TEST_F(QtCanvasTest, LinesAreOneHundredthOfAnInchOnScreenOnPaperAndInAPreview)
{
    // The thickness in pixels of a horizontal line drawn across a `dpi` page
    // that is shown scaled by `scale`, as a print preview shows the printer's sheet.
    auto thickness = [](int dpi, double scale) {
        QImage image = WhiteImage(400, dpi);
        QPainter painter(&image);
        painter.scale(scale, scale);
        {
            QtCanvas canvas(painter);
            canvas.SelectPen(canvas.CreatePen(Colour::kBlack));
            canvas.MoveTo(10, -100);
            canvas.LineTo(100, -100);
        }
        painter.end();
        return InkBounds(image).height();
    };
    EXPECT_EQ(thickness(96, 1), 1);
    EXPECT_EQ(thickness(300, 1), 3);
    // A 1200-dpi sheet in a preview at screen size: 0.01 inch is about one pixel, not twelve.
    EXPECT_LE(thickness(1200, 96.0 / 1200), 2);
}

TEST_F(QtCanvasTest, LevelAndUprightLinesSetThePixelsThePensLineSets)
{
    // Lines of every length from every unit of a span, both ways, level and
    // upright, so their ends fall on every fraction of a pixel the unit gives;
    // and a slanted one and a dot, which the pen draws itself.
    struct Segment {
        int x1, y1, x2, y2;
    };
    std::vector<Segment> segments;
    for (int from = 0; from < 25; ++from)
        for (int length = 1; length < 9; ++length) {
            const int across = 10 + 3 * (from * 9 + length);
            segments.push_back({from, -across, from + length, -across});
            segments.push_back({across, -(from + length), across, -from});
            segments.push_back({from + length + 40, -across, from + 40, -across});
        }
    segments.push_back({5, -5, 30, -9});
    segments.push_back({7, -7, 7, -7});

    for (const int dpi : {72, 96, 120}) {
        for (const QPoint scroll : {QPoint(0, 0), QPoint(-37, -5), QPoint(3, 11)}) {
            const double unit = dpi / 100.0;
            QImage viaCanvas = WhiteImage(800, dpi);
            QImage viaPen = WhiteImage(800, dpi);
            {
                QPainter painter(&viaCanvas);
                painter.translate(scroll);
                QtCanvas canvas(painter);
                canvas.SelectPen(canvas.CreatePen(Colour::kGold));
                for (const Segment& s : segments) {
                    canvas.MoveTo(s.x1, s.y1);
                    canvas.LineTo(s.x2, s.y2);
                }
            }
            {
                QPainter painter(&viaPen);
                painter.translate(scroll);
                // The canvas's text cells make the painter opaque, which
                // changes how the pen sets a slanted line's pixels.
                painter.setBackgroundMode(Qt::OpaqueMode);
                painter.setBackground(Qt::white);
                QPen pen(QColor(Colour::kGold.red, Colour::kGold.green, Colour::kGold.blue));
                pen.setWidthF(1);
                painter.setPen(pen);
                for (const Segment& s : segments)
                    painter.drawLine(QPointF(s.x1 * unit, -s.y1 * unit), QPointF(s.x2 * unit, -s.y2 * unit));
            }
            EXPECT_EQ(FirstDifference(viaCanvas, viaPen), "") << dpi << " dpi, scrolled " << scroll.x() << "," << scroll.y();
            EXPECT_GT(InkBounds(viaCanvas).height(), 200) << dpi;
        }
    }
}
