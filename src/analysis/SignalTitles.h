#pragma once

#include <array>
#include <string_view>

// The one list of indicator titles. For each of the sixteen signal sets: the
// field name of the set in its analysis module, which is also its key in the
// JSON export, and the title of its tally row on the chart page and in the
// analysis report.
struct SignalTitle {
    std::string_view setName;
    std::string_view title;
};

namespace SignalTitles {

inline constexpr SignalTitle kMa{"maSignals", "Moving Averages"};
inline constexpr SignalTitle kEnvelope{"envelopeSignals", "MA Envelopes"};
inline constexpr SignalTitle kBollinger{"bollingerSignals", "Bollinger Bands"};
inline constexpr SignalTitle kMacd{"macdSignals", "Moving Average Convergence/Divergence"};
inline constexpr SignalTitle kRsi{"rsiSignals", "Relative Strength Index"};
inline constexpr SignalTitle kStoch{"stochSignals", "Stochastic Oscillator"};
inline constexpr SignalTitle kWilliams{"williamsSignals", "William's %R"};
inline constexpr SignalTitle kMomentum{"momentumSignals", "Momentum"};
inline constexpr SignalTitle kRoc{"rocSignals", "Price Rate-of-Change"};
inline constexpr SignalTitle kMfi{"mfiSignals", "Money Flow Index"};
inline constexpr SignalTitle kDmi{"dmiSignals", "Directional Movement"};
inline constexpr SignalTitle kCci{"cciSignals", "Commodity Channel Index"};
inline constexpr SignalTitle kObv{"obvSignals", "On Balance Volume"};
inline constexpr SignalTitle kPvt{"pvtSignals", "Price & Volume Trend"};
inline constexpr SignalTitle kIta2{"ita2Signals", "Intelligent Technical Analysis Algorithm 2"};
inline constexpr SignalTitle kIta1{"ita1Signals", "Intelligent Technical Analysis Algorithm 1"};

// All sixteen in the order the chart page shows them.
inline constexpr std::array<SignalTitle, 16> kChartOrder = {
    kMa, kEnvelope, kBollinger, kMacd, kRsi, kStoch, kWilliams, kMomentum,
    kRoc, kMfi, kDmi, kCci, kObv, kPvt, kIta2, kIta1,
};

// The title of the row that sums the signals of the day of all sixteen.
inline constexpr std::string_view kTotal = "Total";

}  // namespace SignalTitles
