#pragma once

#include <span>
#include <vector>

// A run of a page from distance `top` down to `bottom` (excluded), in units
// of 0.01 inch from the page top.
struct PageBand {
    int top = 0;
    int bottom = 0;
    friend bool operator==(const PageBand&, const PageBand&) = default;
};

// Cuts a page into sheets of at most `sheetHeight` units each, printed at the
// page's own size, from the page top down to the lowest bottom of `keepTogether`.
// A sheet ends at the top of a band that would cross its lower edge, so each
// band lands whole on one sheet; only a band taller than a sheet is cut, at
// the sheet's height. Bands may overlap and come in any order. Sheets follow
// each other without gap or overlap. Empty when there is nothing to keep or
// sheetHeight is below 1.
std::vector<PageBand> SplitIntoSheets(std::span<const PageBand> keepTogether, int sheetHeight);
