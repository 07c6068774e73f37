#pragma once

#include "screen/ScreenRow.h"

#include <nlohmann/json.hpp>

#include <span>

// The rows as a JSON array, one object per symbol: symbol, file, bars, date,
// close, changePercent (null when there is none), buyTotal, sellTotal and
// signals (each indicator's buy and sell under the key of its signal set);
// a symbol that could not be read has symbol, file and error only.
nlohmann::ordered_json ScreenRowsToJson(std::span<const ScreenRow> rows);
