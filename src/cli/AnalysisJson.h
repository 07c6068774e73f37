#pragma once

#include <nlohmann/json.hpp>

class CTarnwickDoc;

// Everything the last load and analysis produced, keyed by field name: the
// store's bars (first barCount entries), the month marks found, the latest
// quote, then one object per analysis module with its series (first barCount
// entries), scalars and signal sets (lists cut to their counts). Doubles
// print so that they read back to the same bits.
nlohmann::ordered_json AnalysisToJson(const CTarnwickDoc& document);
