// The chart window as a user meets it, on Qt's offscreen platform: "Read C:\"
// of 400 bars up to the window painted, and one full repaint of the window at
// the screen's DPI (rendered into a pixmap, as the screen would get it).
// Targets: under 50 ms and under 8 ms. And one move of the pointer over the
// chart: hit-test, readout and the overlay's repaint, under 2 ms.
#include "app/CTWView.h"
#include "document/LoadQuotes.h"
#include "support/SampleDocument.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>

#include <filesystem>
#include <memory>

namespace {

int argumentCount = 1;
char programName[] = "tarnwick-bench";
char* arguments[] = {programName, nullptr};

// A shown chart window of 1000 by 800 pixels over the IBM sample folder.
struct ChartWindow {
    ChartWindow()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QApplication>(argumentCount, arguments);
        view = std::make_unique<CTWView>(*document);
        view->resize(1000, 800);
        view->show();
    }

    std::unique_ptr<QApplication> application;
    // Loaded once, so the view has bars; each run loads again.
    std::unique_ptr<CTarnwickDoc> document = LoadedSample("IBM");
    std::unique_ptr<CTWView> view;
};

void ReadLocalToPainted(benchmark::State& state)
{
    ChartWindow window;
    for (auto _ : state) {
        LoadQuotes(*window.document);
        benchmark::DoNotOptimize(window.view->viewport()->grab());
    }
}
BENCHMARK(ReadLocalToPainted)->Unit(benchmark::kMillisecond);

void RepaintChartWindow(benchmark::State& state)
{
    ChartWindow window;
    for (auto _ : state)
        benchmark::DoNotOptimize(window.view->viewport()->grab());
}
BENCHMARK(RepaintChartWindow)->Unit(benchmark::kMillisecond);

}  // namespace

void MovePointerOverChart(benchmark::State& state)
{
    ChartWindow window;
    QWidget* viewport = window.view->viewport();
    QApplication::processEvents();
    int move = 0;
    for (auto _ : state) {
        // Back and forth between two bars, so every move moves the crosshair.
        const QPoint point(400 + (move++ % 2) * 37, 300);
        QMouseEvent event(QEvent::MouseMove, point, viewport->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
        if (state.range(0))
            QApplication::processEvents();
    }
}
BENCHMARK(MovePointerOverChart)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
