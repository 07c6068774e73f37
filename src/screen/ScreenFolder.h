#pragma once

#include "screen/ScreenRow.h"

#include <atomic>
#include <filesystem>
#include <stop_token>
#include <vector>

// What a scan has done so far, readable from any thread while it runs.
struct ScreenProgress {
    std::atomic<int> done{0};   // symbols finished
    std::atomic<int> total{0};  // symbols in the folder, once they are listed
};

struct ScreenResult {
    std::vector<ScreenRow> rows;  // in symbol order; after a cancel only the symbols finished
    int symbolCount = 0;          // symbols in the folder
    bool complete = true;         // false when the scan was cancelled before every symbol was done

    // Rows read without an error.
    int readCount() const;
};

// Reads and analyses every symbol of the quote folder `folder`
// (ListQuoteLibrary) on `threads` worker threads, each with a document of
// its own; 0 takes one per processor. The rows do not depend on the number
// of threads. A symbol that cannot be read is a row with its error and never
// stops the scan. A stop request ends it after the symbols under way, with
// `complete` false. Only the rows are kept, never a symbol's bars, so memory
// stays flat however many symbols the folder holds.
// Throws FileError naming the folder when it cannot be read or holds no symbol.
ScreenResult ScreenFolder(const std::filesystem::path& folder, int threads = 0, std::stop_token stop = {},
                          ScreenProgress* progress = nullptr);
