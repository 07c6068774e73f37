#pragma once

#include "base/CommandIds.h"

#include <filesystem>
#include <string>
#include <vector>

// The user's web shortcuts as a menu tree: every ".url" file of the Favorites
// folder and its subfolders. Each shortcut is numbered depth first from 0;
// entry i has the command kFirstFavoriteId + i (entries past kLastFavoriteId
// are shown but do nothing) and its address at index i of the URL list built
// with the menu.

struct FavoritesShortcut {
    std::string title;  // the file name without ".url"
    int commandId = 0;
};

struct FavoritesFolder;

struct FavoritesMenu {
    std::vector<FavoritesFolder> folders;      // shown first, sorted by name without regard to case
    std::vector<FavoritesShortcut> shortcuts;  // then these, sorted by title without regard to case
};

struct FavoritesFolder {
    std::string name;
    FavoritesMenu entries;
};

// Fills `menu` with the shortcuts of `folder` and its subfolders, numbering
// them from `firstIndex`, and inserts their addresses into `urls` at the same
// indexes. Returns the next free index; `firstIndex` when the folder (or all
// below it) holds no shortcut or cannot be listed. Only files ending in ".url"
// exactly count, hidden ones (a leading dot) not; subfolders without any
// shortcut below them are left out. Folder links are not followed.
int BuildFavorites(const std::filesystem::path& folder, int firstIndex, FavoritesMenu& menu,
                   std::vector<std::string>& urls);

// The value "URL" of section "InternetShortcut" of a shortcut file, at most
// 2047 characters; empty when the file has none or cannot be read.
std::string ReadShortcutUrl(const std::filesystem::path& file);
