#pragma once

#include "quotes/LatestQuote.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

class QuoteSeries;

// Fills the store from the two local quote files of a quote folder:
//   quotes.csv  one line: "SYM",last,"M/D/YYYY","4:01PM",change,open,high,low,volume
//   table.csv   a header line, then date,open,high,low,close[,volume] per
//               trading day, newest first, dates like 5-Dec-00.
// A quote dated after the newest history row, for the loaded symbol, becomes
// bar 0 in front of the history.
class LocalQuoteReader {
public:
    // Read limits: reading goes on in 4096-byte blocks while the total is
    // below these, so at most 44096 and 84096 bytes are read.
    static constexpr std::size_t kQuoteReadLimit = 40001;
    static constexpr std::size_t kHistoryReadLimit = 80001;

    // The quote line of the last load, as read. Reset by every load.
    double last = 0;
    double volume = 0;
    double low = 0;
    double high = 0;
    double open = 0;
    std::string quotedSymbol;
    std::string tradeTime;
    std::string tradeDate;  // month/day/four-digit year
    std::string changeText;

    // Bytes of table.csv the last Load read into the store's historyText.
    std::size_t historyLength = 0;

    // Reads quoteDir/quotes.csv and quoteDir/table.csv into the store's text
    // buffers, then parses them as Parse() does. The store must have been
    // cleared. Throws FileError naming the file when either cannot be opened
    // or read; the store's bars are then untouched.
    void Load(QuoteSeries& store, const std::filesystem::path& quoteDir, std::string_view symbol,
              LatestQuote& latest);

    // Parses the text already in the store's buffers into bars, merging the
    // quote for `symbol` into `latest` when it is newer, and marks the month
    // starts.
    void Parse(QuoteSeries& store, std::string_view symbol, LatestQuote& latest);

    // Why the history of the last Load gave no bar, when its bytes in the
    // store tell: no 8-bit text (see UnreadableTextReason), or a line that
    // runs on past the read limit. As the rest of a sentence naming the file,
    // saying what to do; empty when the bytes tell nothing of the sort.
    std::string NoBarsReason(const QuoteSeries& store) const;

private:
    void ParseQuoteLine(std::string_view text);
    // `text` is the store's historyText up to its NUL.
    void ParseHistory(QuoteSeries& store, std::string_view text, std::string_view symbol, LatestQuote& latest);
    // Places the quote as bar 0 when it is newer than the first history row;
    // returns the row index the history continues at (1 after a merge, else 0).
    int MergeQuote(QuoteSeries& store, std::string_view firstRowDate, std::string_view symbol,
                   LatestQuote& latest) const;
};
