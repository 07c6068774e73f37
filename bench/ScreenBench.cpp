// How long the screener takes over a whole quote folder, read cold from
// disk: a library generated from the samples, every symbol's prices shifted
// so no two are alike, three in four as a folder with table.csv and
// quotes.csv and one in four as a vendor's CSV history. Before each pass
// the files' cached pages are dropped, so every pass reads from the disk.
// Targets for 1,000 symbols on this 2-core machine: under 1 s on one
// thread, under 0.6 s on two. For 10,000 symbols the peak resident memory
// must stay at what 1,000 need, plus the rows.
#include "screen/ScreenFolder.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// `history` with the price columns (1 to lastPrice) of every line after the
// header multiplied by `factor`.
std::string Shifted(const std::string& history, int lastPrice, double factor)
{
    std::istringstream in(history);
    std::string line;
    std::getline(in, line);
    std::string out = line + "\n";
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string field;
        for (int column = 0; std::getline(fields, field, ','); ++column) {
            if (column > 0)
                out += ',';
            if (column >= 1 && column <= lastPrice) {
                char number[32];
                std::snprintf(number, sizeof number, "%.2f", std::stod(field) * factor);
                out += number;
            } else {
                out += field;
            }
        }
        out += '\n';
    }
    return out;
}

// A library of `count` symbols under the system's temporary folder, made
// once per size and removed at exit.
class GeneratedLibrary {
public:
    explicit GeneratedLibrary(int count) : folder_(fs::temp_directory_path() / ("tarnwick-screen-bench-" +
                                                                               std::to_string(count)))
    {
        fs::remove_all(folder_);
        const fs::path samples = TARNWICK_SAMPLE_DIR;
        const char* folderSymbols[] = {"IBM", "CAT", "BA", "ORCL"};
        const std::string vendor = ReadAll(samples / "AAPL.csv");
        for (int i = 0; i < count; ++i) {
            char symbol[16];
            std::snprintf(symbol, sizeof symbol, "S%05d", i);
            const double factor = 0.5 + (i % 997) / 500.0;
            if (i % 4 == 3) {
                WriteAll(folder_ / (std::string(symbol) + ".csv"), Shifted(vendor, 5, factor));
                continue;
            }
            const std::string table = ReadAll(samples / folderSymbols[i % 4] / "table.csv");
            WriteAll(folder_ / symbol / "table.csv", Shifted(table, 4, factor));
            WriteAll(folder_ / symbol / "quotes.csv", "");
        }
    }
    ~GeneratedLibrary() { fs::remove_all(folder_); }

    const fs::path& folder() const { return folder_; }

    // Drops the cached pages of every file, as after a restart.
    void DropFromCache() const
    {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder_)) {
            if (!entry.is_regular_file())
                continue;
            const int fd = ::open(entry.path().c_str(), O_RDONLY);
            if (fd < 0)
                continue;
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }
    }

private:
    fs::path folder_;
};

const GeneratedLibrary& LibraryOf(int count)
{
    static std::map<int, std::unique_ptr<GeneratedLibrary>> made;
    auto& library = made[count];
    if (!library)
        library = std::make_unique<GeneratedLibrary>(count);
    return *library;
}

double PeakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Arguments: the number of symbols, the number of threads.
void ScreenGeneratedLibrary(benchmark::State& state)
{
    const GeneratedLibrary& library = LibraryOf(static_cast<int>(state.range(0)));
    ScreenResult result;
    for (auto _ : state) {
        state.PauseTiming();
        library.DropFromCache();
        state.ResumeTiming();
        result = ScreenFolder(library.folder(), static_cast<int>(state.range(1)));
    }
    if (result.readCount() != result.symbolCount)
        state.SkipWithError("a generated symbol could not be read");
    state.counters["symbols"] = result.symbolCount;
    state.counters["peakRssMB"] = PeakResidentMegabytes();
}
BENCHMARK(ScreenGeneratedLibrary)
    ->Args({1000, 1})
    ->Args({1000, 2})
    ->Args({10000, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
