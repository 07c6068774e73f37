// How long reading a long CSV history and analysing it takes: 2,500 daily
// rows in a vendor's layout, oldest first with an adjusted close,
// of which the 400 newest are kept. Targets on one core: reading the file
// under 60 us, reading and analysing it under 1 ms.
#include "document/CTarnwickDoc.h"
#include "document/LoadQuotes.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

// Made-up daily rows from January 2010 on, oldest first, days 1 to 28 of
// every month.
std::string VendorHistory(int rows)
{
    std::string text = "Date,Open,High,Low,Close,Adj Close,Volume\n";
    char line[128];
    for (int row = 0; row < rows; ++row) {
        const int month = row / 28;
        const double close = 100 + (row % 37) * 0.75 - (row % 11) * 0.5;
        std::snprintf(line, sizeof line, "%04d-%02d-%02d,%.2f,%.2f,%.2f,%.2f,%.4f,%d\n", 2010 + month / 12,
                      1 + month % 12, 1 + row % 28, close - 0.5, close + 1.25, close - 1.5, close, close * 0.98,
                      1000000 + row * 37);
        text += line;
    }
    return text;
}


void ReadAndAnalyze2500Rows(benchmark::State& state)
{
    const std::string text = VendorHistory(2500);
    auto document = std::make_unique<CTarnwickDoc>();
    for (auto _ : state) {
        document->csvReader.Parse(document->store, text, "bench.csv");
        AnalyzeQuotes(*document);
        benchmark::DoNotOptimize(document->volumeForecast.todayBuyTotal);
    }
    state.counters["bars"] = document->store.barCount;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ReadAndAnalyze2500Rows)->Unit(benchmark::kMicrosecond);

void Read2500Rows(benchmark::State& state)
{
    const std::string text = VendorHistory(2500);
    auto document = std::make_unique<CTarnwickDoc>();
    for (auto _ : state)
        benchmark::DoNotOptimize(document->csvReader.Parse(document->store, text, "bench.csv"));
}
BENCHMARK(Read2500Rows)->Unit(benchmark::kMicrosecond);

void Load2500RowFile(benchmark::State& state)
{
    namespace fs = std::filesystem;
    const fs::path file = fs::temp_directory_path() / ("tarnwick-bench-" + std::to_string(::getpid()) + ".csv");
    std::ofstream(file, std::ios::binary) << VendorHistory(2500);
    auto document = std::make_unique<CTarnwickDoc>();
    for (auto _ : state)
        benchmark::DoNotOptimize(document->csvReader.Load(document->store, file));
    fs::remove(file);
    state.counters["bars"] = document->store.barCount;
}
BENCHMARK(Load2500RowFile)->Unit(benchmark::kMicrosecond);

}  // namespace
