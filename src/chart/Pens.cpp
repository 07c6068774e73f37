#include "chart/Pens.h"

namespace {

// In the order the pens are created.
constexpr struct {
    PenId Pens::*pen;
    Rgb colour;
} kPenColours[] = {{&Pens::grey, Colour::kGrey},     {&Pens::red, Colour::kRed},
                   {&Pens::darkRed, Colour::kDarkRed}, {&Pens::purple, Colour::kPurple},
                   {&Pens::gold, Colour::kGold},     {&Pens::blue, Colour::kBlue},
                   {&Pens::green, Colour::kGreen},   {&Pens::brightGreen, Colour::kBrightGreen},
                   {&Pens::black, Colour::kBlack}};

}  // namespace

Rgb PenColour(PenId Pens::*pen)
{
    for (const auto& entry : kPenColours)
        if (entry.pen == pen)
            return entry.colour;
    return Colour::kBlack;
}

PenSet::PenSet(Canvas& canvas) : canvas_(canvas)
{
    for (const auto& entry : kPenColours)
        pens_.*entry.pen = canvas.CreatePen(entry.colour);
    previous_ = canvas.SelectPen(pens_.grey);
}

PenSet::~PenSet()
{
    canvas_.SelectPen(previous_);
    for (PenId pen : {pens_.black, pens_.brightGreen, pens_.green, pens_.blue, pens_.gold, pens_.purple,
                      pens_.darkRed, pens_.red, pens_.grey})
        canvas_.DeletePen(pen);
}
