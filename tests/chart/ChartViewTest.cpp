#include "chart/ChartView.h"
#include "chart/RecordingCanvas.h"
#include "support/SampleDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using Kind = RecordingCanvas::Kind;

namespace {

bool Drew(const RecordingCanvas& canvas, const std::string& text)
{
    return std::any_of(canvas.texts().begin(), canvas.texts().end(),
                       [&](const auto& drawn) { return drawn.text == text; });
}

}  // namespace

TEST(ChartView, NothingIsDrawnWithoutBars)
{
    auto document = std::make_unique<CTarnwickDoc>();
    for (int barCount : {0, -1}) {
        document->store.barCount = barCount;
        RecordingCanvas canvas;
        EXPECT_FALSE(PaintChartView(canvas, *document));
        EXPECT_TRUE(canvas.calls().empty());
    }
}

TEST(ChartView, ChartPageCreatesNinePensAndReleasesThemInReverse)
{
    const auto document = LoadedSample("IBM");
    RecordingCanvas canvas;
    EXPECT_EQ(PaintChartView(canvas, *document), kChartPageSize);

    std::vector<Rgb> created;
    std::vector<PenId> deleted;
    for (const auto& call : canvas.calls()) {
        if (call.kind == Kind::CreatePen)
            created.push_back(call.colour);
        if (call.kind == Kind::DeletePen)
            deleted.push_back(call.pen);
    }
    const std::vector<Rgb> order = {Colour::kGrey,  Colour::kRed,   Colour::kDarkRed,     Colour::kPurple,
                                    Colour::kGold,  Colour::kBlue,  Colour::kGreen,       Colour::kBrightGreen,
                                    Colour::kBlack};
    EXPECT_EQ(created, order);
    EXPECT_EQ(deleted, (std::vector<PenId>{9, 8, 7, 6, 5, 4, 3, 2, 1}));
    // The pen selected before the paint is selected again before the pens go.
    const auto lastSelect = std::find_if(canvas.calls().rbegin(), canvas.calls().rend(),
                                         [](const auto& call) { return call.kind == Kind::SelectPen; });
    EXPECT_EQ(lastSelect->pen, 0);
    EXPECT_TRUE(Drew(canvas, "Moving Averages"));
    EXPECT_TRUE(Drew(canvas, "Total"));
}

TEST(ChartView, WithoutVolumesTheVolumeStripsStayEmpty)
{
    auto document = LoadedSample("IBM");
    RecordingCanvas withVolume;
    PaintChartView(withVolume, *document);
    EXPECT_TRUE(Drew(withVolume, "Volume MA(50)"));

    document->store.volume[1] = 0;
    document->store.volume[2] = 0;
    RecordingCanvas withoutVolume;
    PaintChartView(withoutVolume, *document);
    EXPECT_FALSE(Drew(withoutVolume, "Volume MA(50)"));
    // Nothing lands in the volume chart's strip (distances 1280 to 1420).
    for (const auto& line : withoutVolume.lines())
        EXPECT_FALSE(line.y1 <= -1280 && line.y1 >= -1420 && line.y2 <= -1280 && line.y2 >= -1420)
            << line.x1 << "," << line.y1;
}

TEST(ChartView, QuoteTablePageDrawsNoPen)
{
    auto document = LoadedSample("IBM");
    document->chartPage = 1;
    document->store.barCount = 3;
    RecordingCanvas canvas;
    EXPECT_EQ(PaintChartView(canvas, *document), (PageSize{1000, 160}));
    for (const auto& call : canvas.calls())
        EXPECT_NE(call.kind, Kind::CreatePen);
    EXPECT_TRUE(Drew(canvas, "Symbol"));
}

TEST(ChartView, ShowsAtMostTwoHundredFiftyBars)
{
    EXPECT_EQ(ShownBars(400), 250);
    EXPECT_EQ(ShownBars(120), 120);
    EXPECT_EQ(ShownBars(-1), 0);
}
