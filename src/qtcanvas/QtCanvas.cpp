#include "qtcanvas/QtCanvas.h"

#include "base/Utf8Text.h"

#include <QFontMetricsF>
#include <QLatin1StringView>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRect>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace {

constexpr double kUnitsPerInch = 100;
// The height the layout leaves a text row is 0.2 inch; text fills most of it.
constexpr double kTextHeightInches = 0.16;

QColor ToQColor(Rgb colour)
{
    return QColor(std::clamp(colour.red, 0, 255), std::clamp(colour.green, 0, 255), std::clamp(colour.blue, 0, 255));
}

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

}  // namespace

QtCanvas::QtCanvas(QPainter& painter) : painter_(painter)
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
    fillsAxisLines_ = penWidth_ == 1 && PaintsWholePixels(painter_);
    pens_.reserve(16);
    pens_.push_back({painter_.pen(), true});
    textPen_ = SolidPen(Qt::black, penWidth_);

    font_ = TextFont(kTextHeightInches * device->logicalDpiY(), device);
    painter_.setFont(font_);
    // Texts stand on a white cell, so a label drawn over a line stays readable.
    painter_.setBackgroundMode(Qt::OpaqueMode);
    painter_.setBackground(Qt::white);
    ascent_ = QFontMetricsF(font_, device).ascent();
    text_.reserve(64);
}

QtCanvas::~QtCanvas()
{
    if (painter_.isActive())
        painter_.restore();
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
    const QPen pen = SolidPen(ToQColor(colour), penWidth_);
    const auto free = std::find_if(pens_.begin() + 1, pens_.end(), [](const PenSlot& slot) { return !slot.inUse; });
    if (free != pens_.end()) {
        *free = {pen, true};
        return static_cast<PenId>(free - pens_.begin());
    }
    pens_.push_back({pen, true});
    return static_cast<PenId>(pens_.size() - 1);
}

PenId QtCanvas::SelectPen(PenId pen)
{
    const PenId previous = selected_;
    if (Known(pen) && pen != selected_) {
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
        FillAxisLine(to);
    } else {
        UseLinePen();
        painter_.drawLine(current_, to);
    }
    current_ = to;
}

void QtCanvas::FillAxisLine(QPointF to)
{
    const auto pixels = [](double a, double b) {
        const int from = static_cast<int>(std::floor(std::min(a, b)));
        return std::pair{from, static_cast<int>(std::floor(std::max(a, b) + 1)) - from};
    };
    const QColor& colour = pens_[selected_].pen.color();
    if (to.y() == current_.y()) {
        const auto [left, width] = pixels(current_.x(), to.x());
        painter_.fillRect(QRect(left, static_cast<int>(std::floor(to.y())), width, 1), colour);
    } else {
        const auto [top, height] = pixels(current_.y(), to.y());
        painter_.fillRect(QRect(static_cast<int>(std::floor(to.x())), top, 1, height), colour);
    }
}

void QtCanvas::SetTextColour(Rgb colour)
{
    const QColor wanted = ToQColor(colour);
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
    if (IsAscii(text)) {
        text_.resize(0);  // keeps the capacity, unlike clear()
        text_.append(QLatin1StringView(text.data(), static_cast<qsizetype>(text.size())));
    } else {
        // Dates and symbols from 8-bit files that are not UTF-8 are Windows-1252.
        const std::string utf8 = AsUtf8(text);
        text_ = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }
    UseTextPen();
    const QPointF topLeft = ToDevice(x, y);
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + ascent_), text_);
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
