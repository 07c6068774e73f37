#pragma once

#include "quotes/QuoteLibrary.h"

#include <array>
#include <optional>
#include <string>

// The day's buy and sell signals of one indicator.
struct SignalCount {
    int buy = 0;
    int sell = 0;
    bool operator==(const SignalCount&) const = default;
};

inline constexpr int kScreenIndicators = 16;

// What the screener keeps of one symbol once it is read and analysed: the
// newest bar and the signals of its day. A symbol that could not be read
// keeps only its name, its place and the error.
struct ScreenRow {
    std::string symbol;
    QuoteLocation location;
    int bars = 0;
    std::string newestDate;  // as the history writes it
    double lastClose = 0;
    // Against the bar before; none with one bar or a previous close of 0.
    std::optional<double> changePercent;
    int buyTotal = 0;
    int sellTotal = 0;
    std::array<SignalCount, kScreenIndicators> signals{};  // in the chart page's order (SignalTitles::kChartOrder)
    std::string error;  // empty when the symbol was read

    bool failed() const { return !error.empty(); }
    // Read, with at least one buy or sell signal on its newest day.
    bool hasSignal() const { return !failed() && buyTotal + sellTotal > 0; }
};
