#pragma once

#include <filesystem>

// Which layouts a generated quote library holds.
enum class LibraryLayouts {
    Mixed,        // three symbols in four as a folder, one in four as a vendor's CSV history
    FoldersOnly,  // every symbol as a folder with table.csv and quotes.csv
};

// Writes a quote library of `count` symbols S00000, S00001... into `folder`
// (emptied first), made from the samples with every symbol's prices scaled
// so no two are alike: the folders from the IBM, CAT, BA and ORCL histories,
// the CSV histories from AAPL.csv.
void WriteGeneratedLibrary(const std::filesystem::path& folder, int count, LibraryLayouts layouts);
