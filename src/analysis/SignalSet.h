#pragma once

#include <array>

// The buy and sell signals one indicator's rules found in the latest load.
//
// Lists hold at most kCapacity entries (no rule can find more than 141 in one
// run); a signal past that is dropped rather than written past the end.
struct SignalSet {
    static constexpr int kCapacity = 200;

    std::array<int, kCapacity> buyBars{};       // bar index of each buy, in the order found
    std::array<double, kCapacity> buyLevels{};  // where the buy mark is drawn on the indicator's chart
    std::array<int, kCapacity> sellBars{};
    std::array<double, kCapacity> sellLevels{};
    int buyCount = 0;
    int buyToday = 0;  // buys found at scan index 0
    int sellCount = 0;
    int sellToday = 0;

    // Back to the state of a new set: no signals, every entry 0.
    void Clear();

    // Appends a signal at `bar` with mark `level`; it counts for today when
    // the rule found it at scan index 0 (which need not be bar 0).
    void RecordBuy(int scanIndex, int bar, double level);
    void RecordSell(int scanIndex, int bar, double level);
};
