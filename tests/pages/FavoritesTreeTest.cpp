#include "base/CommandIds.h"
#include "pages/FavoritesTree.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Shortcut(const std::string& url)
{
    return "[InternetShortcut]\r\nURL=" + url + "\r\n";
}

struct Built {
    FavoritesMenu menu;
    std::vector<std::string> urls;
    int next = 0;
};

Built Build(const fs::path& folder)
{
    Built built;
    built.next = BuildFavorites(folder, 0, built.menu, built.urls);
    return built;
}

// The menu in menu order: "folder(entries)" and "title=address" items, each
// address the one its command finds.
std::string Outline(const FavoritesMenu& menu, const std::vector<std::string>& urls)
{
    std::string text;
    for (const FavoritesFolder& folder : menu.folders)
        text += folder.name + "(" + Outline(folder.entries, urls) + ") ";
    for (const FavoritesShortcut& shortcut : menu.shortcuts)
        text += shortcut.title + "=" + urls.at(shortcut.commandId - kFirstFavoriteId) + " ";
    return text;
}

}  // namespace

TEST(Favorites, SubfoldersFirstThenShortcutsSortedWithoutCaseNumberedDepthFirst)
{
    TempFolder favorites;
    favorites.Write("b.url", Shortcut("http://b.example/"));
    favorites.Write("A.url", Shortcut("http://a.example/"));
    favorites.Write("c.txt", Shortcut("http://c.example/"));
    fs::create_directory(favorites.path() / "News");
    favorites.Write("News/x.url", Shortcut("http://x.example/"));

    const Built built = Build(favorites.path());
    EXPECT_EQ(built.next, 3);
    EXPECT_EQ(Outline(built.menu, built.urls), "News(x=http://x.example/ ) A=http://a.example/ b=http://b.example/ ");
    // Numbered depth first: the folder's own shortcuts, then its subfolders.
    EXPECT_EQ(built.urls, (std::vector<std::string>{"http://a.example/", "http://b.example/", "http://x.example/"}));
}

TEST(Favorites, OnlyVisibleDotUrlFilesAndFoldersWithShortcutsCount)
{
    TempFolder favorites;
    favorites.Write("Upper.URL", Shortcut("http://upper.example/"));
    favorites.Write(".hidden.url", Shortcut("http://hidden.example/"));
    fs::create_directory(favorites.path() / "Empty");
    fs::create_directories(favorites.path() / "Deep" / "Deeper");
    favorites.Write("Deep/Deeper/z.url", Shortcut("http://z.example/"));
    fs::create_directory(favorites.path() / ".Hidden folder");
    favorites.Write(".Hidden folder/h.url", "no section here\n");
    fs::create_directory_symlink(favorites.path(), favorites.path() / "loop");

    const Built built = Build(favorites.path());
    EXPECT_EQ(built.next, 2);
    // Whichever folder was listed first; h is a shortcut without an address.
    EXPECT_EQ(Outline(built.menu, built.urls), ".Hidden folder(h= ) Deep(Deeper(z=http://z.example/ ) ) ");
}

TEST(Favorites, AnEmptyOrMissingFolderGivesAnEmptyMenu)
{
    TempFolder favorites;
    const Built empty = Build(favorites.path());
    EXPECT_EQ(empty.next, 0);
    EXPECT_TRUE(empty.menu.folders.empty() && empty.menu.shortcuts.empty());

    FavoritesMenu menu;
    std::vector<std::string> urls;
    EXPECT_EQ(BuildFavorites(favorites.path() / "missing", 7, menu, urls), 7);
    EXPECT_TRUE(urls.empty());
}

TEST(ShortcutUrl, ReadsTheUrlOfTheInternetShortcutSection)
{
    TempFolder folder;
    const struct {
        const char* content;
        const char* url;
    } cases[] = {
        {"[InternetShortcut]\nURL=http://a.example/x?y=1\n", "http://a.example/x?y=1"},
        {"[DEFAULT]\nURL=http://wrong.example/\n[InternetShortcut]\r\nurl = http://b.example/ \r\n", "http://b.example/"},
        {"[internetshortcut]\nIconIndex=0\nURL=file:///tmp/page.htm", "file:///tmp/page.htm"},
        {"[InternetShortcut]\nIconFile=x.ico\n", ""},
        {"URL=http://outside.example/\n", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        folder.Write("s.url", c.content);
        EXPECT_EQ(ReadShortcutUrl(folder.path() / "s.url"), c.url) << c.content;
    }
    folder.Write("long.url", "[InternetShortcut]\nURL=http://" + std::string(5000, 'a') + "\n");
    EXPECT_EQ(ReadShortcutUrl(folder.path() / "long.url").size(), 2047u);
    EXPECT_EQ(ReadShortcutUrl(folder.path() / "none.url"), "");
}
