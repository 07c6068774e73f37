#pragma once

#include <nlohmann/json.hpp>

#include <string>

// `json` as one line of text, every string in it made UTF-8 first (AsUtf8):
// symbols, dates and messages come from 8-bit files and pages.
std::string JsonLine(nlohmann::ordered_json json);
