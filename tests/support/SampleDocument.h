#pragma once

#include "document/CTarnwickDoc.h"

#include <filesystem>
#include <memory>
#include <string>

// The sample quote folder of `symbol` shipped with the program.
std::string SampleDir(const std::string& symbol);

// A document that has loaded and analysed the quotes of `symbol` from
// `folder` (its sample folder when empty), as the local-files command does.
std::unique_ptr<CTarnwickDoc> LoadedSample(const std::string& symbol, const std::filesystem::path& folder = {});
