#pragma once

#include <array>
#include <string_view>

// The sixteen signal sets in the order the chart page shows them, with the
// title of each indicator's tally row.
struct SignalTitle {
    std::string_view setName;  // field name of the set in its module
    std::string_view title;
};

inline constexpr std::array<SignalTitle, 16> kSignalTitles = {{
    {"maSignals", "Moving Averages"},
    {"envelopeSignals", "MA Envelopes"},
    {"bollingerSignals", "Bollinger Bands"},
    {"macdSignals", "Moving Average Convergence/Divergence"},
    {"rsiSignals", "Relative Strength Index"},
    {"stochSignals", "Stochastic Oscillator"},
    {"williamsSignals", "William's %R"},
    {"momentumSignals", "Momentum"},
    {"rocSignals", "Price Rate-of-Change"},
    {"mfiSignals", "Money Flow Index"},
    {"dmiSignals", "Directional Movement"},
    {"cciSignals", "Commodity Channel Index"},
    {"obvSignals", "On Balance Volume"},
    {"pvtSignals", "Price & Volume Trend"},
    {"ita2Signals", "Intelligent Technical Analysis Algorithm 2"},
    {"ita1Signals", "Intelligent Technical Analysis Algorithm 1"},
}};
