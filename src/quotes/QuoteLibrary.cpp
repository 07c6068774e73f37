#include "quotes/QuoteLibrary.h"

#include "base/Errors.h"
#include "base/Text.h"

#include <algorithm>
#include <map>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool IsFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

FileError UnreadableFolder(const fs::path& folder, const std::error_code& error)
{
    return FileError("Cannot read the quote folder \"" + folder.string() + "\": " + error.message() + ".");
}

// Of two names for the same symbol, the one a user most likely meant: the
// name in capitals, else the first in byte order.
bool Preferred(const std::string& name, const std::string& other)
{
    const bool capitals = name == UpperAscii(name);
    if (capitals != (other == UpperAscii(other)))
        return capitals;
    return name < other;
}

// A symbol's folder: one holding table.csv.
bool IsSymbolFolder(const fs::directory_entry& entry)
{
    std::error_code error;
    return entry.is_directory(error) && IsFile(entry.path() / "table.csv");
}

bool IsCsvFile(const fs::directory_entry& entry)
{
    std::error_code error;
    return entry.is_regular_file(error) && EqualsIgnoringCase(entry.path().extension().string(), ".csv");
}

// Calls `visit` for every entry of `folder`; throws FileError when the folder
// cannot be read.
template <typename Visit>
void ForEachEntry(const fs::path& folder, Visit visit)
{
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        visit(*entry);
    if (error)
        throw UnreadableFolder(folder, error);
}

// The entry of `folder` named `name` without regard to case that passes
// `wanted`, the exact name first, then as Preferred says.
template <typename Wanted>
std::optional<fs::path> EntryNamed(const fs::path& folder, std::string_view name, Wanted wanted)
{
    std::optional<fs::path> found;
    ForEachEntry(folder, [&](const fs::directory_entry& entry) {
        const std::string entryName = entry.path().filename().string();
        if (!EqualsIgnoringCase(entryName, name) || !wanted(entry))
            return;
        if (!found || entryName == name ||
            (found->filename() != name && Preferred(entryName, found->filename().string())))
            found = entry.path();
    });
    return found;
}

// The last name of `folder`'s path, also when it is given as "." or with a
// trailing '/'.
std::string FolderName(const fs::path& folder)
{
    std::error_code error;
    fs::path full = fs::absolute(folder, error).lexically_normal();
    if (full.filename().empty())
        full = full.parent_path();
    return full.filename().string();
}

}  // namespace

QuoteLocation FindQuotes(const fs::path& quoteFolder, std::string_view symbol)
{
    if (IsFile(quoteFolder / "table.csv"))
        return {QuoteLocation::Kind::QuoteFolder, quoteFolder};
    if (!symbol.empty()) {
        if (const std::optional<fs::path> folder = EntryNamed(quoteFolder, symbol, IsSymbolFolder))
            return {QuoteLocation::Kind::QuoteFolder, *folder};
        if (const std::optional<fs::path> file = EntryNamed(quoteFolder, std::string(symbol) + ".csv", IsCsvFile))
            return {QuoteLocation::Kind::CsvFile, *file};
    }
    throw FileError("No quotes for \"" + std::string(symbol) + "\" in the quote folder \"" + quoteFolder.string() +
                    "\": it holds no table.csv, no folder " + std::string(symbol) + " with table.csv and quotes.csv, "
                    "and no file " + std::string(symbol) + ".csv. Choose the quote folder in Edit > Settings.");
}

std::vector<LibrarySymbol> ListQuoteLibrary(const fs::path& quoteFolder)
{
    if (IsFile(quoteFolder / "table.csv"))
        return {{UpperAscii(FolderName(quoteFolder)), {QuoteLocation::Kind::QuoteFolder, quoteFolder}}};

    // The chosen name of each symbol, folders and files apart.
    std::map<std::string, std::string> folders;
    std::map<std::string, std::string> files;
    auto choose = [](std::map<std::string, std::string>& chosen, const std::string& symbol, const std::string& name) {
        auto [place, added] = chosen.try_emplace(symbol, name);
        if (!added && Preferred(name, place->second))
            place->second = name;
    };
    ForEachEntry(quoteFolder, [&](const fs::directory_entry& entry) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with('.'))
            return;
        if (IsSymbolFolder(entry))
            choose(folders, UpperAscii(name), name);
        else if (IsCsvFile(entry) && name.size() > 4)
            choose(files, UpperAscii(entry.path().stem().string()), name);
    });

    std::vector<LibrarySymbol> symbols;
    for (const auto& [symbol, name] : folders)
        symbols.push_back({symbol, {QuoteLocation::Kind::QuoteFolder, quoteFolder / name}});
    for (const auto& [symbol, name] : files)
        if (!folders.contains(symbol))
            symbols.push_back({symbol, {QuoteLocation::Kind::CsvFile, quoteFolder / name}});
    std::sort(symbols.begin(), symbols.end(),
              [](const LibrarySymbol& a, const LibrarySymbol& b) { return a.symbol < b.symbol; });
    return symbols;
}
