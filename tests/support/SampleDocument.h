#pragma once

#include "document/CTarnwickDoc.h"

#include <memory>
#include <string>

// The sample quote folder of `symbol` shipped with the program.
std::string SampleDir(const std::string& symbol);

// A document that has loaded and analysed the sample history of `symbol`,
// as the local-files command does.
std::unique_ptr<CTarnwickDoc> LoadedSample(const std::string& symbol);
