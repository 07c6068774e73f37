#include "chart/Pens.h"

PenSet::PenSet(Canvas& canvas) : canvas_(canvas)
{
    pens_.grey = canvas.CreatePen(Colour::kGrey);
    pens_.red = canvas.CreatePen(Colour::kRed);
    pens_.darkRed = canvas.CreatePen(Colour::kDarkRed);
    pens_.purple = canvas.CreatePen(Colour::kPurple);
    pens_.gold = canvas.CreatePen(Colour::kGold);
    pens_.blue = canvas.CreatePen(Colour::kBlue);
    pens_.green = canvas.CreatePen(Colour::kGreen);
    pens_.brightGreen = canvas.CreatePen(Colour::kBrightGreen);
    pens_.black = canvas.CreatePen(Colour::kBlack);
    previous_ = canvas.SelectPen(pens_.grey);
}

PenSet::~PenSet()
{
    canvas_.SelectPen(previous_);
    for (PenId pen : {pens_.black, pens_.brightGreen, pens_.green, pens_.blue, pens_.gold, pens_.purple,
                      pens_.darkRed, pens_.red, pens_.grey})
        canvas_.DeletePen(pen);
}
