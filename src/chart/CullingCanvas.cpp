#include "chart/CullingCanvas.h"

#include <algorithm>

namespace {

// The full height of a text cell, which also bounds each character's width.
constexpr int kTextHeight = 16;

}  // namespace

CullingCanvas::CullingCanvas(Canvas& target, PageRect visible) : target_(target), visible_(visible) {}

PenId CullingCanvas::CreatePen(Rgb colour)
{
    return target_.CreatePen(colour);
}

PenId CullingCanvas::SelectPen(PenId pen)
{
    return target_.SelectPen(pen);
}

void CullingCanvas::DeletePen(PenId pen)
{
    target_.DeletePen(pen);
}

void CullingCanvas::MoveTo(int x, int y)
{
    x_ = x;
    y_ = y;
    targetAtCurrent_ = false;
}

void CullingCanvas::LineTo(int x, int y)
{
    // Distances grow downward, canvas y upward.
    if (Meets(std::min(x_, x), -std::max(y_, y), std::max(x_, x), -std::min(y_, y))) {
        if (!targetAtCurrent_)
            target_.MoveTo(x_, y_);
        target_.LineTo(x, y);
        targetAtCurrent_ = true;
    } else {
        targetAtCurrent_ = false;
    }
    x_ = x;
    y_ = y;
}

void CullingCanvas::SetTextColour(Rgb colour)
{
    target_.SetTextColour(colour);
}

void CullingCanvas::TextOut(int x, int y, std::string_view text)
{
    const long long width = static_cast<long long>(text.size()) * kTextHeight;
    if (Meets(x, -static_cast<long long>(y), x + width, -static_cast<long long>(y) + kTextHeight))
        target_.TextOut(x, y, text);
}

bool CullingCanvas::Meets(long long left, long long top, long long right, long long bottom) const
{
    return left < visible_.right + kCullMargin && right > visible_.left - kCullMargin &&
           top < visible_.bottom + kCullMargin && bottom > visible_.top - kCullMargin;
}
