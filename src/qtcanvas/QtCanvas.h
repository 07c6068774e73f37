#pragma once

#include "chart/Canvas.h"
#include "qtcanvas/ImagePixels.h"
#include "qtcanvas/TextShapes.h"

#include <QFont>
#include <QLineF>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

// The chart canvas over a QPainter: the window, a printer, an image, an SVG
// or a PDF file. One logical unit is 0.01 inch on the painter's device, taken
// from the device's own logical DPI, so the page keeps its physical size on
// every device: at 96 dpi the unit is 0.96 pixels, at 1200 dpi 12 pixels.
// y is minus the distance from the page top, so the device point of (x, y) is
// (x * dpiX / 100, -y * dpiY / 100), in the painter's own coordinates (a
// caller may translate the painter to scroll).
//
// Pens are solid and one unit (0.01 inch) wide, at least one device pixel;
// a painter transform scales them with the page, so a preview shows them
// as thin as paper does. Text is about 0.16 inch high from
// the top of its tallest letter to the bottom of its lowest, drawn with the
// given point as its top-left corner, on an opaque white cell as high as the
// font and as wide as the text (the device context's default background
// mode), which covers whatever was drawn there before. Text starts black.
//
// The painter must be active and must outlive the canvas; the canvas
// restores the painter's pen and font when it goes. The painter's transform,
// hints, opacity and composition mode are read when the canvas is made and
// must stay as they are while it draws. Not thread-safe, as painting is not.
//
// On a raster device painted in whole pixels the canvas takes shortcuts
// that set the very pixels the painter's own calls set: level and upright
// lines are filled as rectangles, the other lines of one pen are drawn
// together, and texts are shaped once and drawn from their glyphs. On an
// image with no clip the canvas writes its pens' lines into the pixels
// itself, and copies a text it drew before at the same place past whole
// pixels from the pixels kept with its shape. Drawing::Plain draws
// everything through the painter's own calls, the pixels the shortcuts are
// held to.
class QtCanvas : public Canvas {
public:
    enum class Drawing { Fast, Plain };

    // `keptShapes`, when given, keeps the shapes of the texts for the next
    // canvas on a painter with the same font (a window's next repaint); it
    // must outlive the canvas. Without it the canvas keeps its own.
    explicit QtCanvas(QPainter& painter, Drawing drawing = Drawing::Fast, TextShapes* keptShapes = nullptr);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // Pen 0 is the pen the painter had when the canvas was made. Ids of
    // deleted pens are handed out again.
    PenId CreatePen(Rgb colour) override;
    // An unknown or deleted pen selects nothing; the selected pen is returned.
    PenId SelectPen(PenId pen) override;
    // Pen 0, the selected pen and unknown pens are left alone.
    void DeletePen(PenId pen) override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;

    void SetTextColour(Rgb colour) override;
    void TextOut(int x, int y, std::string_view text) override;

    // Device pixels per logical unit, across and down.
    double unitX() const { return unitX_; }
    double unitY() const { return unitY_; }
    // The pixel size of the text font.
    int textPixelSize() const { return font_.pixelSize(); }

    // The smallest rectangle of the page, in whole units, that covers `area`
    // given in the painter's coordinates (device pixels of the page, after
    // whatever translation the caller made): what to hand the culling paint
    // pass for a paint clipped to `area`.
    PageRect PageRectCovering(const QRectF& area) const;

private:
    struct PenSlot {
        QPen pen;
        bool inUse = false;
        std::uint32_t argb = 0;  // the pen's opaque colour as the image's pixels hold it
    };
    enum class PainterPen { Unknown, Line, Text };

    QPointF ToDevice(int x, int y) const { return {x * unitX_, -y * unitY_}; }
    // Draws a level or upright line of more than no length from current_ to
    // `to` as the rectangle of pixels the selected pen would set.
    void FillAxisLine(QPointF to);
    // Draws the lines held for the selected pen.
    void DrawHeldLines();
    bool Known(PenId pen) const;
    void UseLinePen();
    void UseTextPen();
    // Draws text_ from its kept shape as drawText would draw it at `baseline`.
    void DrawShapedText(QPointF baseline);
    // Copies the pixels `shape` leaves with its cell at `deviceCell` and its
    // glyphs at `start` straight into the image, where it has them kept;
    // false where the text must be drawn.
    bool StampText(TextShape& shape, const QRectF& deviceCell, QPointF start);

    QPainter& painter_;
    double unitX_ = 1;
    double unitY_ = 1;
    double penWidth_ = 1;
    // Whether the canvas's own pens may draw level and upright lines as
    // filled rectangles: see the constructor.
    bool fillsAxisLines_ = false;
    // Whether the canvas's own pens' other lines are held and drawn together
    // when something else is drawn or another pen is selected.
    bool holdsLines_ = false;
    std::vector<QLineF> heldLines_;
    // The image's pixels, where lines and kept texts are written straight.
    std::optional<ImagePixels> imagePixels_;
    // The kept text shapes, or null where texts go through drawText.
    TextShapes* shapes_ = nullptr;
    std::unique_ptr<TextShapes> ownShapes_;
    std::vector<PenSlot> pens_;
    PenId selected_ = 0;
    QPen textPen_;
    PainterPen painterPen_ = PainterPen::Unknown;
    QFont font_;
    double ascent_ = 0;  // from a text's top to its baseline, in pixels
    double cellHeight_ = 0;  // of a text's white cell, in pixels
    QPointF current_;
    QString text_;       // reused for every text, so short texts allocate nothing
};
