#pragma once

#include <string>

// The latest quote of the loaded symbol: the last trade and the day's figures,
// as the quote summary shows them. Filled by the local reader when it places
// a newer quote in front of the history, and by the web quote sources.
struct LatestQuote {
    // 1 when the quote was placed in front of the history as bar 0; 0 when it
    // may be; -1 when a web quote page dated the last trade to an earlier day.
    int quoteMerged = 0;
    double lastTrade = 0;
    double prevClose = 0;
    double quoteVolume = 0;  // shares
    double dayLow = 0;
    double dayHigh = 0;
    double dayOpen = 0;
    double yearLow = 0;   // 52-week range; yearHigh not above 0 means
    double yearHigh = 0;  // the source gave no quote
    std::string tradeStamp;  // time or date of the last trade as the source shows it
    std::string changeText;  // the change as the source shows it
};
