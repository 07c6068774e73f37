#include "chart/CullingCanvas.h"
#include "support/CanvasChecks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Units 100 to 200 across and 1000 to 1100 down the page.
constexpr PageRect kVisible{100, 1000, 200, 1100};
constexpr int kMargin = CullingCanvas::kCullMargin;

}  // namespace

TEST(CullingCanvas, PassesLinesThatMayMeetTheRectangleAndDropsTheOthers)
{
    const struct {
        int x1, d1, x2, d2;
        bool drawn;
    } cases[] = {
        {150, 1050, 160, 1060, true},                           // inside
        {0, 1050, 1000, 1050, true},                            // across it, both ends outside
        {150, 0, 150, 4000, true},                              // down through it
        {0, 1000 - kMargin - 1, 1000, 1000 - kMargin - 1, false},  // just past the margin above
        {0, 1000 - kMargin + 1, 1000, 1000 - kMargin + 1, true},   // just within it
        {200 + kMargin, 0, 200 + kMargin, 4000, false},          // right of it, past the margin
        {0, 1100 + kMargin, 1000, 1100 + kMargin, false},        // below it
        {150, 2000, 150, 2000, false},                           // a dot far below
    };
    for (const auto& c : cases) {
        RecordingCanvas target;
        CullingCanvas culling(target, kVisible);
        culling.MoveTo(c.x1, -c.d1);
        culling.LineTo(c.x2, -c.d2);
        EXPECT_EQ(target.lines().size(), c.drawn ? 1u : 0u) << c.x1 << "," << c.d1 << " to " << c.x2 << "," << c.d2;
    }
}

TEST(CullingCanvas, ALineAfterDroppedOnesStartsWhereTheyEnded)
{
    RecordingCanvas target;
    CullingCanvas culling(target, kVisible);
    const PenId red = culling.CreatePen(Colour::kRed);
    culling.SelectPen(red);
    // A polyline that comes from far below, enters, leaves and comes back.
    culling.MoveTo(150, -3000);
    culling.LineTo(160, -2000);
    culling.LineTo(150, -1050);
    culling.LineTo(170, -1060);
    culling.LineTo(180, -3000);
    culling.LineTo(190, -3100);
    culling.LineTo(150, -1070);
    const std::vector<Line> expected = {{160, -2000, 150, -1050, Colour::kRed},
                                        {150, -1050, 170, -1060, Colour::kRed},
                                        {170, -1060, 180, -3000, Colour::kRed},
                                        {190, -3100, 150, -1070, Colour::kRed}};
    EXPECT_EQ(target.lines(), expected);
}

TEST(CullingCanvas, TextsCountEveryCharacterAsWideAsTheTextIsHigh)
{
    const struct {
        int x, d;
        std::string text;
        bool drawn;
    } cases[] = {
        {150, 1050, "inside", true},
        {100 - 16 * 5 - kMargin + 1, 1050, "12345", true},  // its fifth character may reach in from the left
        {100 - 16 * 5 - kMargin, 1050, "12345", false},
        {150, 1000 - 16 - kMargin + 1, "Hg", true},         // its cell may reach down into the top
        {150, 1000 - 16 - kMargin, "Hg", false},
        {150, 1100 + kMargin, "below", false},
        {200 + kMargin, 1050, "right", false},
    };
    for (const auto& c : cases) {
        RecordingCanvas target;
        CullingCanvas culling(target, kVisible);
        culling.SetTextColour(Colour::kBlue);
        culling.TextOut(c.x, -c.d, c.text);
        EXPECT_EQ(target.texts().size(), c.drawn ? 1u : 0u) << c.text << " at " << c.x << "," << c.d;
        // Colours reach the target whether or not a text follows.
        EXPECT_EQ(target.calls().front().kind, RecordingCanvas::Kind::SetTextColour);
    }
}
