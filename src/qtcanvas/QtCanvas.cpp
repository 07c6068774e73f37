#include "qtcanvas/QtCanvas.h"

#include "qtcanvas/ChartQtText.h"
#include "qtcanvas/TextStamp.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QLatin1StringView>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRect>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kUnitsPerInch = 100;
// The height the layout leaves a text row is 0.2 inch; text fills most of it.
constexpr double kTextHeightInches = 0.16;

// Not cosmetic: a painter that scales the page (a print preview shows a
// 1200-dpi sheet on a screen) scales the lines with it, so they keep their
// physical width everywhere.
QPen SolidPen(const QColor& colour, double width)
{
    QPen pen(colour);
    pen.setStyle(Qt::SolidLine);
    pen.setWidthF(width);
    pen.setCosmetic(false);
    return pen;
}

// A sans-serif font whose full height (ascent plus descent) is `pixels`.
QFont TextFont(double pixels, QPaintDevice* device)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    // A font's height runs past its pixel size (by about 16% for DejaVu
    // Sans), so scale the size by what the font really measures.
    const double measured = QFontMetricsF(font, device).height();
    if (measured > 0)
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels * font.pixelSize() / measured))));
    return font;
}

// Far outside any page, and a valid int whatever the area.
int WholeUnits(double units)
{
    constexpr double kLimit = 1e9;
    if (std::isnan(units))
        return 0;
    return static_cast<int>(std::clamp(units, -kLimit, kLimit));
}

// Whether the painter draws on the raster engine in whole device pixels:
// no antialiasing, full opacity, plain painting over, and a transform that
// moves by whole pixels at most (a window's scrolling, a widget's place in
// its window).
bool PaintsWholePixels(const QPainter& painter)
{
    const QTransform& transform = painter.deviceTransform();
    return painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Raster &&
           !painter.testRenderHint(QPainter::Antialiasing) && painter.opacity() == 1 &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
           transform.type() <= QTransform::TxTranslate && transform.dx() == std::floor(transform.dx()) &&
           transform.dy() == std::floor(transform.dy());
}

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// No control characters, which drawText lays out as tabs and breaks.
bool Printable(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x20 && c != 0x7f; });
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, Drawing drawing, TextShapes* keptShapes) : painter_(painter)
{
    painter_.save();
    QPaintDevice* device = painter_.device();
    unitX_ = device->logicalDpiX() / kUnitsPerInch;
    unitY_ = device->logicalDpiY() / kUnitsPerInch;
    penWidth_ = std::max(1.0, std::round((unitX_ + unitY_) / 2));

    // Qt's raster engine sets each pixel of a one-pixel pen's line as a
    // span of its own, which makes a long grid line or tick cost tens of
    // microseconds. A level or upright line of such a pen covers exactly the
    // pixels floor(across) by floor(low) to floor(high + 1) (its square caps
    // reach half a pixel past the ends), so it is filled as that rectangle:
    // the same pixels for a fraction of the time. Other devices (SVG, PDF,
    // printers) and other pens draw their lines as ever.
    const bool wholePixels = drawing == Drawing::Fast && PaintsWholePixels(painter_);
    fillsAxisLines_ = penWidth_ == 1 && wholePixels;
    // Each drawLine call sets up the painter's line drawing again; a batch
    // of lines of one opaque pen sets the same pixels in one call.
    holdsLines_ = fillsAxisLines_;
    if (fillsAxisLines_) {
        imagePixels_.emplace(painter_);
        if (!imagePixels_->usable())
            imagePixels_.reset();
    }
    heldLines_.reserve(256);
    // drawText shapes every text again, which costs more than drawing it;
    // the glyphs of a kept shape, placed in the painter's whole 1/64 pixels
    // as drawText places them, give the same pixels.
    if (wholePixels && painter_.worldTransform() == painter_.deviceTransform()) {
        if (keptShapes == nullptr)
            keptShapes = (ownShapes_ = std::make_unique<TextShapes>()).get();
        shapes_ = keptShapes;
    }
    pens_.reserve(16);
    pens_.push_back({painter_.pen(), true});
    textPen_ = SolidPen(Qt::black, penWidth_);

    font_ = TextFont(kTextHeightInches * device->logicalDpiY(), device);
    painter_.setFont(font_);
    // Texts stand on a white cell, so a label drawn over a line stays readable.
    painter_.setBackgroundMode(Qt::OpaqueMode);
    painter_.setBackground(Qt::white);
    const QFontMetricsF metrics(font_, device);
    ascent_ = metrics.ascent();
    cellHeight_ = metrics.ascent() + metrics.descent();
    text_.reserve(64);
}

QtCanvas::~QtCanvas()
{
    if (painter_.isActive()) {
        DrawHeldLines();
        painter_.restore();
    }
}

PageRect QtCanvas::PageRectCovering(const QRectF& area) const
{
    const QRectF normal = area.normalized();
    return {WholeUnits(std::floor(normal.left() / unitX_)), WholeUnits(std::floor(normal.top() / unitY_)),
            WholeUnits(std::ceil(normal.right() / unitX_)), WholeUnits(std::ceil(normal.bottom() / unitY_))};
}

bool QtCanvas::Known(PenId pen) const
{
    return pen >= 0 && pen < static_cast<PenId>(pens_.size()) && pens_[pen].inUse;
}

PenId QtCanvas::CreatePen(Rgb colour)
{
    const QColor opaque = ChartColour(colour);
    const PenSlot slot{SolidPen(opaque, penWidth_), true, opaque.rgba()};
    const auto free = std::find_if(pens_.begin() + 1, pens_.end(), [](const PenSlot& slot) { return !slot.inUse; });
    if (free != pens_.end()) {
        *free = slot;
        return static_cast<PenId>(free - pens_.begin());
    }
    pens_.push_back(slot);
    return static_cast<PenId>(pens_.size() - 1);
}

PenId QtCanvas::SelectPen(PenId pen)
{
    const PenId previous = selected_;
    if (Known(pen) && pen != selected_) {
        DrawHeldLines();
        selected_ = pen;
        if (painterPen_ == PainterPen::Line)
            painterPen_ = PainterPen::Unknown;
    }
    return previous;
}

void QtCanvas::DeletePen(PenId pen)
{
    if (pen != 0 && pen != selected_ && Known(pen))
        pens_[pen].inUse = false;
}

void QtCanvas::MoveTo(int x, int y)
{
    current_ = ToDevice(x, y);
}

void QtCanvas::LineTo(int x, int y)
{
    const QPointF to = ToDevice(x, y);
    // Pen 0 is the painter's own, of any width and style; a line of no
    // length is a dot, which the pen places by rules of its own.
    if (fillsAxisLines_ && selected_ != 0 && (to.x() == current_.x()) != (to.y() == current_.y())) {
        // The held lines are of the same opaque colour, so which goes first
        // makes no difference.
        FillAxisLine(to);
    } else if (imagePixels_ && selected_ != 0 && imagePixels_->Draws(current_, to)) {
        imagePixels_->Line(current_, to, pens_[selected_].argb);
    } else if (holdsLines_ && selected_ != 0) {
        heldLines_.emplace_back(current_, to);
    } else {
        UseLinePen();
        painter_.drawLine(current_, to);
    }
    current_ = to;
}

void QtCanvas::DrawHeldLines()
{
    if (heldLines_.empty())
        return;
    UseLinePen();
    painter_.drawLines(heldLines_.data(), static_cast<int>(heldLines_.size()));
    heldLines_.clear();
}

void QtCanvas::FillAxisLine(QPointF to)
{
    const auto pixels = [](double a, double b) {
        const int from = static_cast<int>(std::floor(std::min(a, b)));
        return std::pair{from, static_cast<int>(std::floor(std::max(a, b) + 1)) - from};
    };
    QRect line;
    if (to.y() == current_.y()) {
        const auto [left, width] = pixels(current_.x(), to.x());
        line = QRect(left, static_cast<int>(std::floor(to.y())), width, 1);
    } else {
        const auto [top, height] = pixels(current_.y(), to.y());
        line = QRect(static_cast<int>(std::floor(to.x())), top, 1, height);
    }
    if (imagePixels_)
        imagePixels_->Fill(line, pens_[selected_].argb);
    else
        painter_.fillRect(line, pens_[selected_].pen.color());
}

void QtCanvas::SetTextColour(Rgb colour)
{
    const QColor wanted = ChartColour(colour);
    if (wanted == textPen_.color())
        return;
    textPen_.setColor(wanted);
    if (painterPen_ == PainterPen::Text)
        painterPen_ = PainterPen::Unknown;
}

void QtCanvas::TextOut(int x, int y, std::string_view text)
{
    if (text.empty())
        return;
    const bool ascii = IsAscii(text);
    if (ascii) {
        text_.resize(0);  // keeps the capacity, unlike clear()
        text_.append(QLatin1StringView(text.data(), static_cast<qsizetype>(text.size())));
    } else {
        text_ = ChartText(text);
    }
    DrawHeldLines();
    UseTextPen();
    const QPointF topLeft = ToDevice(x, y);
    const QPointF baseline(topLeft.x(), topLeft.y() + ascent_);
    // Other texts may take glyphs from fallback fonts, each with a cell of
    // its own, and texts far off the device have places beyond 1/64 pixels
    // in an int: they go through drawText.
    constexpr double kFarPixels = 1e6;
    if (shapes_ != nullptr && ascii && Printable(text) && std::abs(baseline.x()) < kFarPixels &&
        std::abs(baseline.y()) < kFarPixels)
        DrawShapedText(baseline);
    else
        painter_.drawText(baseline, text_);
}

void QtCanvas::DrawShapedText(QPointF baseline)
{
    TextShape& shape = shapes_->Find(painter_.font(), text_, painter_.layoutDirection(), painter_.device());
    // drawText starts the text at its x cut to 1/64 pixel, and its glyphs at
    // the device y of the baseline cut to 1/64 pixel; both cuts truncate.
    const double left = static_cast<int>(baseline.x() * 64) / 64.0;
    const QRectF cell(left, baseline.y() - ascent_, shape.advance64 / 64.0, cellHeight_);
    const QTransform& transform = painter_.worldTransform();
    const QPointF start(left + transform.dx(), static_cast<int>((transform.dy() + baseline.y()) * 64) / 64.0);
    const QRectF deviceCell = cell.translated(transform.dx(), transform.dy());
    // A text well off the image sets none of its pixels; the chart draws
    // the date labels of a whole history, most of them off the page. A
    // glyph's pixels reach less than a cell's height past its outline.
    if (imagePixels_ &&
        !imagePixels_->Meets((deviceCell | shape.ink.translated(start))
                                 .adjusted(-cellHeight_, -cellHeight_, cellHeight_, cellHeight_)))
        return;
    if (!imagePixels_ || !StampText(shape, deviceCell, start))
        DrawTextShape(painter_, shape, cell, start, painter_.background());
}

bool QtCanvas::StampText(TextShape& shape, const QRectF& deviceCell, QPointF start)
{
    QPoint origin;
    const StampPlace place = PlaceOf(deviceCell, start, textPen_.color().rgba(), imagePixels_->format(), painter_.renderHints(), origin);
    if (!imagePixels_->Holds(place.cell.translated(origin)))
        return false;
    TextStamp* stamp = shapes_->StampAt(shape, place);
    if (stamp == nullptr)
        return false;
    switch (stamp->stage) {
    case TextStamp::Stage::New:
        stamp->stage = TextStamp::Stage::DrawnOnce;
        return false;
    case TextStamp::Stage::DrawnOnce:
        stamp->stage = TextStamp::Stage::Made;
        stamp->pixels = MakeStamp(shape, place, deviceCell, start, origin, textPen_, painter_.background());
        shapes_->Made(*stamp);
        break;
    case TextStamp::Stage::Made:
        break;
    }
    if (stamp->pixels.isNull())
        return false;
    imagePixels_->Put(stamp->pixels, origin + place.cell.topLeft());
    return true;
}

void QtCanvas::UseLinePen()
{
    if (painterPen_ != PainterPen::Line) {
        painter_.setPen(pens_[selected_].pen);
        painterPen_ = PainterPen::Line;
    }
}

void QtCanvas::UseTextPen()
{
    if (painterPen_ != PainterPen::Text) {
        painter_.setPen(textPen_);
        painterPen_ = PainterPen::Text;
    }
}
