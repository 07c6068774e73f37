// How long a complete load and analysis takes, the load alone, and the
// analysis modules on 400 bars, together and each alone. Targets on one
// core: load and analysis under 0.1 ms, the load of the local files under
// 35 us, the four modules under 60 us.
#include "document/LoadQuotes.h"
#include "support/SampleDocument.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A quote folder holding the 450 newest rows of the IBM sample history (more
// rows than the store takes) and its latest quote.
class HistoryFolder {
public:
    HistoryFolder() : path_(fs::temp_directory_path() / ("tarnwick-bench-" + std::to_string(::getpid())))
    {
        fs::create_directories(path_);
        const fs::path sample = SampleDir("IBM");
        fs::copy_file(sample / "quotes.csv", path_ / "quotes.csv", fs::copy_options::overwrite_existing);
        std::ifstream in(sample / "table.csv");
        std::ofstream out(path_ / "table.csv");
        std::string line;
        for (int lines = 0; lines <= 450 && std::getline(in, line); ++lines)
            out << line << '\n';
    }
    ~HistoryFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void LoadAndAnalyze450Rows(benchmark::State& state)
{
    const HistoryFolder folder;
    auto document = LoadedSample("IBM", folder.path());
    for (auto _ : state) {
        LoadQuotes(*document);
        benchmark::DoNotOptimize(document->volumeForecast.todayBuyTotal);
    }
    state.counters["bars"] = document->store.barCount;
}
BENCHMARK(LoadAndAnalyze450Rows)->Unit(benchmark::kMicrosecond);

void LoadLocalFiles450Rows(benchmark::State& state)
{
    const HistoryFolder folder;
    auto document = LoadedSample("IBM", folder.path());
    for (auto _ : state) {
        document->store.Clear();
        document->localReader.Load(document->store, folder.path(), "IBM", document->latestQuote());
        benchmark::DoNotOptimize(document->store.barCount);
    }
    state.counters["bars"] = document->store.barCount;
}
BENCHMARK(LoadLocalFiles450Rows)->Unit(benchmark::kMicrosecond);

template <typename Run>
void AnalyzeOneModule(benchmark::State& state, Run run)
{
    auto document = LoadedSample("IBM");
    for (auto _ : state) {
        run(*document);
        benchmark::ClobberMemory();
    }
    state.counters["bars"] = document->store.barCount;
}

void MovingAverages400(benchmark::State& state)
{
    AnalyzeOneModule(state, [](CTarnwickDoc& d) { d.movingAverages.Analyze(d.store); });
}
void Oscillators400(benchmark::State& state)
{
    AnalyzeOneModule(state, [](CTarnwickDoc& d) { d.oscillators.Analyze(d.store); });
}
void FlowDirection400(benchmark::State& state)
{
    AnalyzeOneModule(state, [](CTarnwickDoc& d) { d.flowDirection.Analyze(d.store); });
}
void VolumeForecast400(benchmark::State& state)
{
    const std::vector<const SignalSet*> none;
    AnalyzeOneModule(state,
                     [&none](CTarnwickDoc& d) { d.volumeForecast.Analyze(d.store, d.oscillators.stochK, none); });
}
void FourModules400(benchmark::State& state)
{
    AnalyzeOneModule(state, [](CTarnwickDoc& d) { AnalyzeQuotes(d); });
}
BENCHMARK(FourModules400)->Unit(benchmark::kMicrosecond);
BENCHMARK(MovingAverages400)->Unit(benchmark::kMicrosecond);
BENCHMARK(Oscillators400)->Unit(benchmark::kMicrosecond);
BENCHMARK(FlowDirection400)->Unit(benchmark::kMicrosecond);
BENCHMARK(VolumeForecast400)->Unit(benchmark::kMicrosecond);

}  // namespace
