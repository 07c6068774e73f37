#include "quotes/QuoteLibrary.h"

#include "base/Errors.h"
#include "base/Text.h"

#include <optional>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool IsFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The entry of `folder` whose name is `name` without regard to case, the
// exact name preferred.
std::optional<fs::path> EntryNamed(const fs::path& folder, std::string_view name, bool wantFolder)
{
    std::error_code error;
    std::optional<fs::path> found;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code typeError;
        if (entry->is_directory(typeError) != wantFolder)
            continue;
        const std::string entryName = entry->path().filename().string();
        if (entryName == name)
            return entry->path();
        if (!found && EqualsIgnoringCase(entryName, name))
            found = entry->path();
    }
    if (error)
        throw FileError("Cannot read the quote folder \"" + folder.string() + "\": " + error.message() + ".");
    return found;
}

}  // namespace

QuoteLocation FindQuotes(const fs::path& quoteFolder, std::string_view symbol)
{
    if (IsFile(quoteFolder / "table.csv"))
        return {QuoteLocation::Kind::QuoteFolder, quoteFolder};
    if (!symbol.empty()) {
        if (const std::optional<fs::path> folder = EntryNamed(quoteFolder, symbol, true);
            folder && IsFile(*folder / "table.csv"))
            return {QuoteLocation::Kind::QuoteFolder, *folder};
        if (const std::optional<fs::path> file = EntryNamed(quoteFolder, std::string(symbol) + ".csv", false))
            return {QuoteLocation::Kind::CsvFile, *file};
    }
    throw FileError("No quotes for \"" + std::string(symbol) + "\" in the quote folder \"" + quoteFolder.string() +
                    "\": it holds no table.csv, no folder " + std::string(symbol) + " with table.csv and quotes.csv, "
                    "and no file " + std::string(symbol) + ".csv. Choose the quote folder in Edit > Settings.");
}
