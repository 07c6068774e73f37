#pragma once

#include <filesystem>
#include <string_view>

// Where the quotes of a symbol are in a quote folder. A folder holding
// table.csv is one symbol's folder, read as it is. Any other folder is a
// library of symbols: a sub-folder named after the symbol holding table.csv
// and quotes.csv, or else a CSV history SYMBOL.csv, names compared without
// case.
struct QuoteLocation {
    enum class Kind { QuoteFolder, CsvFile } kind = Kind::QuoteFolder;
    std::filesystem::path path;  // the folder of quotes.csv and table.csv, or the CSV file
};

// The place of `symbol`'s quotes in `quoteFolder`. The symbol is only
// compared with the names in the folder, never made into a path. Throws
// FileError saying what was looked for when the folder holds none of them
// or cannot be read.
QuoteLocation FindQuotes(const std::filesystem::path& quoteFolder, std::string_view symbol);
