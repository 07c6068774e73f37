// How long one paint of the chart page takes with 400 bars loaded (250
// shown): into a canvas that drops every call (the painters' own cost), into
// the recording canvas the tests use, and through the Qt canvas into a 96-dpi
// image of the whole 12 x 41 inch page, which is what the PNG export pays;
// and what one repaint of a 1000 x 800 pixel window pays, culled to the part
// of the page the window shows, at the top, the middle and the bottom.
#include "chart/ChartPagePaint.h"
#include "chart/RecordingCanvas.h"
#include "document/CTarnwickDoc.h"
#include "document/LoadQuotes.h"
#include "qtcanvas/OffscreenGuiApplication.h"
#include "qtcanvas/QtCanvas.h"
#include "qtcanvas/TextShapes.h"
#include "support/SampleDocument.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string_view>
#include <utility>

namespace {

class NullCanvas : public Canvas {
public:
    PenId CreatePen(Rgb) override { return ++pens_; }
    PenId SelectPen(PenId pen) override { return std::exchange(selected_, pen); }
    void DeletePen(PenId) override {}
    void MoveTo(int x, int y) override { benchmark::DoNotOptimize(x + y); }
    void LineTo(int x, int y) override { benchmark::DoNotOptimize(x + y); }
    void SetTextColour(Rgb) override {}
    void TextOut(int x, int y, std::string_view text) override { benchmark::DoNotOptimize(x + y + text.size()); }

private:
    PenId pens_ = 0;
    PenId selected_ = 0;
};

void ChartPageIntoNullCanvas(benchmark::State& state)
{
    const auto document = LoadedSample("IBM");
    const ChartInput input = document->chartInput();
    NullCanvas canvas;
    for (auto _ : state)
        benchmark::DoNotOptimize(PaintChartPage(canvas, input));
    state.counters["bars"] = document->store.barCount;
}
BENCHMARK(ChartPageIntoNullCanvas)->Unit(benchmark::kMicrosecond);

void ChartPageIntoRecordingCanvas(benchmark::State& state)
{
    const auto document = LoadedSample("IBM");
    const ChartInput input = document->chartInput();
    RecordingCanvas canvas;
    for (auto _ : state) {
        canvas.Clear();
        benchmark::DoNotOptimize(PaintChartPage(canvas, input));
    }
    state.counters["bars"] = document->store.barCount;
    state.counters["calls"] = static_cast<double>(canvas.calls().size());
}
BENCHMARK(ChartPageIntoRecordingCanvas)->Unit(benchmark::kMicrosecond);

// A white image that says it has the 96 dots per inch of a screen.
QImage ScreenImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMetre = static_cast<int>(std::lround(96 / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return image;
}

void ChartPageIntoImageAt96Dpi(benchmark::State& state)
{
    const OffscreenGuiApplication gui;
    const auto document = LoadedSample("IBM");
    const ChartInput input = document->chartInput();
    QImage image = ScreenImage(1152, 3936);
    TextShapes shapes;
    for (auto _ : state) {
        // A painter and a canvas per paint, as a window's paint event has,
        // with the text shapes the window keeps; the page is drawn over the
        // last one rather than on a cleared image.
        QPainter painter(&image);
        QtCanvas canvas(painter, QtCanvas::Drawing::Fast, &shapes);
        benchmark::DoNotOptimize(PaintChartPage(canvas, input));
    }
    state.counters["bars"] = document->store.barCount;
}
BENCHMARK(ChartPageIntoImageAt96Dpi)->Unit(benchmark::kMillisecond);

// The argument is the window's scroll offset down the page, in pixels.
void ChartWindowRepaintIntoImageAt96Dpi(benchmark::State& state)
{
    const OffscreenGuiApplication gui;
    const auto document = LoadedSample("IBM");
    const ChartInput input = document->chartInput();
    QImage window = ScreenImage(1000, 800);
    const QPoint offset(0, static_cast<int>(state.range(0)));
    TextShapes shapes;
    for (auto _ : state) {
        // As a paint event: the painter moved by the scroll offsets, the
        // page culled to what the window shows.
        QPainter painter(&window);
        painter.translate(-offset);
        QtCanvas canvas(painter, QtCanvas::Drawing::Fast, &shapes);
        benchmark::DoNotOptimize(PaintChartPage(canvas, input, canvas.PageRectCovering(QRect(offset, window.size()))));
    }
}
BENCHMARK(ChartWindowRepaintIntoImageAt96Dpi)->Arg(0)->Arg(1500)->Arg(3136)->Unit(benchmark::kMillisecond);

}  // namespace
