// How long the screener takes over a whole quote folder, read cold from
// disk: a library generated from the samples, every symbol's prices shifted
// so no two are alike, three in four as a folder with table.csv and
// quotes.csv and one in four as a vendor's CSV history. Before each pass
// the files' cached pages are dropped, so every pass reads from the disk.
// Targets for 1,000 symbols on this 2-core machine: under 1 s on one
// thread, under 0.6 s on two. For 10,000 symbols the peak resident memory
// must stay at what 1,000 need, plus the rows.
#include "GeneratedLibrary.h"
#include "screen/ScreenFolder.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A library of `count` symbols under the system's temporary folder, made
// once per size and removed at exit.
class GeneratedLibrary {
public:
    explicit GeneratedLibrary(int count)
        : folder_(fs::temp_directory_path() / ("tarnwick-screen-bench-" + std::to_string(count)))
    {
        WriteGeneratedLibrary(folder_, count, LibraryLayouts::Mixed);
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
