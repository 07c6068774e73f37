#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Where the quotes of a symbol are in a quote folder. A folder holding
// table.csv is one symbol's folder, read as it is. Any other folder is a
// library of symbols: a sub-folder named after the symbol holding table.csv
// and quotes.csv, or else a CSV history SYMBOL.csv, names compared without
// case. Among names that differ only in case, the one in capitals is taken,
// else the first in byte order, so that a symbol always means one place.
struct QuoteLocation {
    enum class Kind { QuoteFolder, CsvFile } kind = Kind::QuoteFolder;
    std::filesystem::path path;  // the folder of quotes.csv and table.csv, or the CSV file
};

// The place of `symbol`'s quotes in `quoteFolder`. The symbol is only
// compared with the names in the folder, never made into a path. Throws
// FileError saying what was looked for when the folder holds none of them
// or cannot be read.
QuoteLocation FindQuotes(const std::filesystem::path& quoteFolder, std::string_view symbol);

// One symbol of a quote folder: its name in capitals (ASCII letters only)
// and where FindQuotes finds its quotes.
struct LibrarySymbol {
    std::string symbol;
    QuoteLocation location;
};

// Every symbol of `quoteFolder`, in byte order of the symbols, each once: a
// symbol with both a folder and a CSV history is listed from its folder. A
// folder that is one symbol's folder lists that symbol, named after the
// folder. Names starting with '.' are left out. Empty when the folder holds
// no symbol; throws FileError naming the folder when it cannot be read.
std::vector<LibrarySymbol> ListQuoteLibrary(const std::filesystem::path& quoteFolder);
