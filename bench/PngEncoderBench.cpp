// How long the PNG of the chart page at 96 dpi takes to encode once drawn:
// the encoder `render` uses, and Qt's own PNG writer at its default setting,
// which `render` used before.
#include "cli/PageFile.h"
#include "cli/PngEncoder.h"
#include "qtcanvas/OffscreenGuiApplication.h"
#include "support/SampleDocument.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>

#include <memory>

namespace {

constexpr int kDpi = 96;

QImage ChartPage()
{
    const auto document = LoadedSample("IBM");
    return PageImage(document->chartInput(), *PageSizeOf(document->chartInput()), kDpi);
}

void ChartPagePng(benchmark::State& state)
{
    const OffscreenGuiApplication gui;
    const QImage page = ChartPage();
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray png = EncodePng(page);
        bytes = png.size();
        benchmark::DoNotOptimize(png.constData());
    }
    state.counters["KiB"] = static_cast<double>(bytes) / 1024;
}
BENCHMARK(ChartPagePng)->Unit(benchmark::kMillisecond);

void ChartPagePngByQt(benchmark::State& state)
{
    const OffscreenGuiApplication gui;
    const QImage page = ChartPage();
    qsizetype bytes = 0;
    for (auto _ : state) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        page.save(&buffer, "PNG");
        bytes = png.size();
        benchmark::DoNotOptimize(png.constData());
    }
    state.counters["KiB"] = static_cast<double>(bytes) / 1024;
}
BENCHMARK(ChartPagePngByQt)->Unit(benchmark::kMillisecond);

}  // namespace
