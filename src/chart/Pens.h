#pragma once

#include "chart/Canvas.h"

// The nine pens of one paint of the chart page, created in this order and
// deleted in the reverse order when the paint ends.
struct Pens {
    PenId grey = 0;
    PenId red = 0;
    PenId darkRed = 0;
    PenId purple = 0;
    PenId gold = 0;
    PenId blue = 0;
    PenId green = 0;
    PenId brightGreen = 0;
    PenId black = 0;  // created and deleted, never selected
};

// The colour of one of the nine pens, given as its member of Pens.
Rgb PenColour(PenId Pens::*pen);

// Creates the nine pens on `canvas` and selects grey for the whole page;
// the destructor reselects the pen that was selected before and deletes the
// pens, black first and grey last.
class PenSet {
public:
    explicit PenSet(Canvas& canvas);
    ~PenSet();
    PenSet(const PenSet&) = delete;
    PenSet& operator=(const PenSet&) = delete;

    const Pens& pens() const { return pens_; }

private:
    Canvas& canvas_;
    Pens pens_;
    PenId previous_ = 0;
};
