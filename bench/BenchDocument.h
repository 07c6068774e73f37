#pragma once

#include "document/CTarnwickDoc.h"
#include "document/LoadQuotes.h"

#include <filesystem>
#include <memory>

// The IBM sample folder shipped with the program.
inline std::filesystem::path IbmSampleFolder()
{
    return std::filesystem::path(TARNWICK_SAMPLE_DIR) / "IBM";
}

// A document that has loaded and analysed the IBM quotes of `folder`, as the
// local-files command does.
inline std::unique_ptr<CTarnwickDoc> LoadedIbmDocument(const std::filesystem::path& folder = IbmSampleFolder())
{
    auto document = std::make_unique<CTarnwickDoc>();
    document->symbol = "IBM";
    document->loadedSymbol = "IBM";
    document->quoteDir = folder;
    LoadQuotes(*document);
    return document;
}
