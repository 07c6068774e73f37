#pragma once

#include "base/ZeroedAllocator.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kMaxBars = 400;
inline constexpr int kMaxMonthMarks = 20;
inline constexpr std::size_t kTextBufferSize = 150000;

// One value per bar, index 0 the newest; 0 means "no value".
using Series = std::array<double, kMaxBars>;

// A text buffer of the store: zero until written, at no cost until then.
using TextBuffer = std::vector<char, ZeroedAllocator<char>>;

// The one in-memory store of daily bars of the loaded symbol.
//
// Bar 0 is the newest bar, bar barCount - 1 the oldest; every array is indexed
// the same way. Entries from barCount to 399 are empty strings and zeros after
// a load. All capacities are fixed and allocated once; nothing is ever grown.
class QuoteSeries {
public:
    QuoteSeries();

    // Raw text the bars were parsed from, up to the first NUL. Whatever fills
    // a buffer ends its text with a NUL within the buffer: Clear() leaves the
    // bytes behind the first one as they were.
    TextBuffer quoteText;
    TextBuffer historyText;

    // Number of valid bars, 0 to 400; a web source sets -1 when its page held
    // no price table. Readers treat anything below 1 as an empty store.
    int barCount = 0;

    // First trading day of each month, newest month first, and its label:
    // the month name ("Feb") or, for January, the two-digit year ("01").
    std::array<int, kMaxMonthMarks> monthStarts{};
    std::array<std::string, kMaxMonthMarks> monthLabels;

    // Date text exactly as the source gave it (5-Dec-00, or the quote's own
    // date text for a bar built from the latest quote).
    std::array<std::string, kMaxBars> dates;
    Series rawClose{};  // unadjusted close; only sources with an adjusted close fill it
    Series close{};     // close used by every analysis and chart
    Series open{};
    Series high{};
    Series low{};
    Series volume{};

    // Empties the store: both texts empty (a NUL at their start), dates and
    // month labels empty, every number 0, barCount 0.
    void Clear();

    // Fills monthStarts and monthLabels from dates, walking from bar 2 toward
    // older bars: bar i starts a month when the older bar's day of the month
    // is greater than its own. Bars 0 and 1 never start a mark.
    void ScanMonthStarts();

    // Number of month marks found (entries of monthStarts before the first 0).
    int MonthMarkCount() const;

    // barCount limited to 0..400, for loops over the bars.
    int BarsLoaded() const;

    // The text read into a buffer, up to its first NUL.
    static std::string_view TextOf(const TextBuffer& buffer);
};
