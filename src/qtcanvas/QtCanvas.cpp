#include "qtcanvas/QtCanvas.h"

#include "base/Utf8Text.h"

#include <QFontMetricsF>
#include <QLatin1StringView>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <string>

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
    UseLinePen();
    painter_.drawLine(current_, to);
    current_ = to;
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
