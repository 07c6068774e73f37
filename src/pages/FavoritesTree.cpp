#include "pages/FavoritesTree.h"

#include "base/CommandIds.h"
#include "base/Text.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxUrlLength = 2047;
constexpr std::size_t kMaxShortcutBytes = 64 * 1024;  // a shortcut is a few lines
constexpr int kMaxDepth = 32;                         // no real menu nests deeper

bool NotAfter(std::string_view a, std::string_view b)
{
    return LowerAscii(a) <= LowerAscii(b);
}

bool IsHidden(const fs::path& path)
{
    return path.filename().string().starts_with('.');
}

// Entries of a folder as the listing returns them; empty when it cannot be listed.
std::vector<fs::directory_entry> Listing(const fs::path& folder, bool& listed)
{
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    listed = !error;
    for (; !error && it != fs::directory_iterator(); it.increment(error))
        entries.push_back(*it);
    return entries;
}

// Where a name goes among names sorted without regard to case: behind every
// name not after it, so equal names keep the order they came in.
std::size_t SortedPlace(const std::vector<std::string>& names, std::string_view name)
{
    std::size_t place = 0;
    while (place < names.size() && NotAfter(names[place], name))
        ++place;
    return place;
}

int Build(const fs::path& folder, int firstIndex, FavoritesMenu& menu, std::vector<std::string>& urls, int depth)
{
    bool listed = false;
    const std::vector<fs::directory_entry> entries = Listing(folder, listed);
    if (!listed || depth > kMaxDepth)
        return firstIndex;

    std::vector<std::string> titles;
    for (const fs::directory_entry& entry : entries) {
        std::error_code error;
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file(error) || IsHidden(entry.path()) || !name.ends_with(".url"))
            continue;
        const std::string title = name.substr(0, name.size() - 4);
        const std::size_t place = SortedPlace(titles, title);
        titles.insert(titles.begin() + static_cast<std::ptrdiff_t>(place), title);
        const std::size_t at = std::min(urls.size(), static_cast<std::size_t>(firstIndex) + place);
        urls.insert(urls.begin() + static_cast<std::ptrdiff_t>(at), ReadShortcutUrl(entry.path()));
    }
    int next = firstIndex;
    for (const std::string& title : titles)
        menu.shortcuts.push_back({title, kFirstFavoriteId + next++});

    std::vector<std::string> folderNames;
    for (const fs::directory_entry& entry : entries) {
        std::error_code error;
        if (!entry.is_directory(error) || entry.is_symlink(error))
            continue;
        const std::string name = entry.path().filename().string();
        FavoritesMenu submenu;
        const int after = Build(entry.path(), next, submenu, urls, depth + 1);
        if (after == next)
            continue;
        next = after;
        const std::size_t place = SortedPlace(folderNames, name);
        folderNames.insert(folderNames.begin() + static_cast<std::ptrdiff_t>(place), name);
        menu.folders.insert(menu.folders.begin() + static_cast<std::ptrdiff_t>(place), FavoritesFolder{name, std::move(submenu)});
    }
    return next;
}

}  // namespace

int BuildFavorites(const fs::path& folder, int firstIndex, FavoritesMenu& menu, std::vector<std::string>& urls)
{
    return Build(folder, firstIndex, menu, urls, 0);
}

std::string ReadShortcutUrl(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string text(kMaxShortcutBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));

    bool inSection = false;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = Trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.starts_with('[')) {
            inSection = EqualsIgnoringCase(Trimmed(line.substr(1, line.find(']') - 1)), "InternetShortcut");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inSection && equals != std::string_view::npos && EqualsIgnoringCase(Trimmed(line.substr(0, equals)), "URL"))
            return std::string(Trimmed(line.substr(equals + 1)).substr(0, kMaxUrlLength));
    }
    return {};
}
