#include "chart/RecordingCanvas.h"

PenId RecordingCanvas::CreatePen(Rgb colour)
{
    penColours_.push_back(colour);
    const PenId pen = static_cast<PenId>(penColours_.size() - 1);
    calls_.push_back({Kind::CreatePen, 0, 0, pen, colour, {}});
    return pen;
}

PenId RecordingCanvas::SelectPen(PenId pen)
{
    calls_.push_back({Kind::SelectPen, 0, 0, pen, {}, {}});
    const PenId previous = selected_;
    selected_ = pen;
    return previous;
}

void RecordingCanvas::DeletePen(PenId pen)
{
    calls_.push_back({Kind::DeletePen, 0, 0, pen, {}, {}});
}

void RecordingCanvas::MoveTo(int x, int y)
{
    calls_.push_back({Kind::MoveTo, x, y, 0, {}, {}});
    currentX_ = x;
    currentY_ = y;
}

void RecordingCanvas::LineTo(int x, int y)
{
    calls_.push_back({Kind::LineTo, x, y, 0, {}, {}});
    const Rgb colour = selected_ >= 0 && selected_ < static_cast<PenId>(penColours_.size()) ? penColours_[selected_]
                                                                                            : Rgb{};
    lines_.push_back({currentX_, currentY_, x, y, colour});
    currentX_ = x;
    currentY_ = y;
}

void RecordingCanvas::SetTextColour(Rgb colour)
{
    calls_.push_back({Kind::SetTextColour, 0, 0, 0, colour, {}});
    textColour_ = colour;
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text)
{
    calls_.push_back({Kind::TextOut, x, y, 0, {}, std::string(text)});
    texts_.push_back({x, y, textColour_, std::string(text)});
}

void RecordingCanvas::Clear()
{
    // Keeps the lists' memory, so a canvas reused for every paint allocates once.
    calls_.clear();
    texts_.clear();
    lines_.clear();
    penColours_.assign(1, Rgb{});
    selected_ = 0;
    textColour_ = Rgb{};
    currentX_ = 0;
    currentY_ = 0;
}
