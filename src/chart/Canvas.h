#pragma once

#include <string_view>

// A colour as red, green and blue, 0 to 255 each.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colour words of the chart page.
namespace Colour {
inline constexpr Rgb kGrey{192, 192, 192};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kDarkRed{150, 15, 0};
inline constexpr Rgb kPurple{170, 10, 240};
inline constexpr Rgb kGold{240, 200, 20};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGreen{10, 128, 20};
inline constexpr Rgb kBrightGreen{10, 240, 50};
inline constexpr Rgb kBlack{0, 0, 0};
}  // namespace Colour

// A rectangle of the page in units of 0.01 inch: x from `left` to `right`,
// distances from the page top from `top` to `bottom`, the far edges excluded.
struct PageRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PageRect&, const PageRect&) = default;
};

// A pen a canvas created; 0 is the pen the canvas started with.
using PenId = int;

// Where the chart page is drawn: the screen, a printer, an image or a test's
// record. Coordinates are logical units of 0.01 inch: x grows rightward from
// the left page edge, y is minus the distance from the top of the page.
class Canvas {
public:
    virtual ~Canvas() = default;

    // A solid pen one unit wide.
    virtual PenId CreatePen(Rgb colour) = 0;
    // Returns the pen that was selected before.
    virtual PenId SelectPen(PenId pen) = 0;
    // The pen must not be selected.
    virtual void DeletePen(PenId pen) = 0;

    virtual void MoveTo(int x, int y) = 0;
    // A line from the current point to (x, y), which becomes the current point.
    virtual void LineTo(int x, int y) = 0;

    virtual void SetTextColour(Rgb colour) = 0;
    // Text with its top-left corner at (x, y), about 0.16 inch high.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
};
