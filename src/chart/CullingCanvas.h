#pragma once

#include "chart/Canvas.h"

// A canvas in front of another that passes on only the lines and texts that
// may meet `visible`, and every pen, colour and current-point change they
// need, in the order they came. Whatever it passes on paints, inside
// `visible`, the very pixels the whole paint paints there: a line or text it
// drops lies farther than kCullMargin units outside `visible`.
//
// Text extents are bounded without the font: no character is wider than
// the text is high (0.16 inch) and no text cell is higher.
class CullingCanvas : public Canvas {
public:
    // Covers a pen's width, a glyph's overhang and a pixel of rounding on
    // devices of 24 dpi and above.
    static constexpr int kCullMargin = 10;

    CullingCanvas(Canvas& target, PageRect visible);

    PenId CreatePen(Rgb colour) override;
    PenId SelectPen(PenId pen) override;
    void DeletePen(PenId pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetTextColour(Rgb colour) override;
    void TextOut(int x, int y, std::string_view text) override;

private:
    // Whether the box from (left, top) to (right, bottom), in page distances,
    // comes within the margin of `visible`.
    bool Meets(long long left, long long top, long long right, long long bottom) const;

    Canvas& target_;
    PageRect visible_;
    int x_ = 0;
    int y_ = 0;
    // The target's current point is (x_, y_) only when no MoveTo or LineTo
    // was dropped since it was last passed on.
    bool targetAtCurrent_ = false;
};
