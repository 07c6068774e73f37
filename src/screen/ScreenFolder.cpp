#include "screen/ScreenFolder.h"

#include "base/Errors.h"
#include "document/CTarnwickDoc.h"
#include "screen/ScreenSymbol.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <thread>

namespace {

int WorkerCount(int threads, std::size_t symbols)
{
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(threads), symbols));
}

// The symbols shared out one at a time to whichever worker is free; each
// worker writes only the rows of the symbols it took.
class ScreenJob {
public:
    ScreenJob(const std::vector<LibrarySymbol>& symbols, std::stop_token stop, ScreenProgress* progress)
        : symbols_(symbols), rows_(symbols.size()), stop_(std::move(stop)), progress_(progress)
    {
    }

    void Work()
    {
        const auto document = std::make_unique<CTarnwickDoc>();
        for (std::size_t i = next_++; i < symbols_.size() && !stop_.stop_requested(); i = next_++) {
            rows_[i] = ScreenSymbol(*document, symbols_[i]);
            if (progress_ != nullptr)
                ++progress_->done;
        }
    }

    ScreenResult Result()
    {
        ScreenResult result;
        result.symbolCount = static_cast<int>(symbols_.size());
        for (std::optional<ScreenRow>& row : rows_) {
            if (row)
                result.rows.push_back(std::move(*row));
            else
                result.complete = false;
        }
        return result;
    }

private:
    const std::vector<LibrarySymbol>& symbols_;
    std::vector<std::optional<ScreenRow>> rows_;
    std::atomic<std::size_t> next_{0};
    std::stop_token stop_;
    ScreenProgress* progress_;
};

}  // namespace

int ScreenResult::readCount() const
{
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const ScreenRow& row) { return !row.failed(); }));
}

ScreenResult ScreenFolder(const std::filesystem::path& folder, int threads, std::stop_token stop,
                          ScreenProgress* progress)
{
    const std::vector<LibrarySymbol> symbols = ListQuoteLibrary(folder);
    if (symbols.empty())
        throw FileError("The quote folder \"" + folder.string() + "\" holds no quotes: no folder with a table.csv "
                        "and no CSV history SYMBOL.csv.");
    if (progress != nullptr)
        progress->total = static_cast<int>(symbols.size());

    ScreenJob job(symbols, std::move(stop), progress);
    {
        std::vector<std::jthread> workers;
        for (int i = 1; i < WorkerCount(threads, symbols.size()); ++i)
            workers.emplace_back([&job] { job.Work(); });
        job.Work();
    }
    return job.Result();
}
