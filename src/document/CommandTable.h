#pragma once

#include <array>
#include <span>
#include <string_view>

// Every command of the document menu and the toolbar, as constant data: the
// windows build their menus, toolbar buttons and status prompts from it.

enum class MenuPopup { File, Edit, View, Browser, Favorites, Markets, Stocks, Window, Help };

struct PopupInfo {
    MenuPopup popup;
    std::string_view name;      // "File"
    std::string_view menuText;  // "&File"
    bool withoutDocument;       // also in the menu shown while no document is open
};

// The popups of the document menu in menu-bar order.
inline constexpr std::array<PopupInfo, 9> kPopups = {{
    {MenuPopup::File, "File", "&File", true},
    {MenuPopup::Edit, "Edit", "&Edit", false},
    {MenuPopup::View, "View", "&View", true},
    {MenuPopup::Browser, "Browser", "&Browser", false},
    {MenuPopup::Favorites, "Favorites", "Favo&rites", false},
    {MenuPopup::Markets, "Markets", "&Markets", false},
    {MenuPopup::Stocks, "Stocks", "&Stocks", false},
    {MenuPopup::Window, "Window", "&Window", false},
    {MenuPopup::Help, "Help", "&Help", true},
}};

enum class CommandKind {
    DataLoad,        // loads quotes and shows the chart view
    LoadSetting,     // changes how the next load asks for quotes
    ChartPage,       // chooses the page the chart view paints
    PageBuilder,     // builds a market page file and shows it
    Link,            // goes to a fixed outside address (LinkCommands)
    BrowserControl,  // back, forward, refresh, stop
    FavoritesEntry,  // the Favorites popup's entries
    Standard,        // file, clipboard, print, bars, windows, about
};

struct CommandInfo {
    int id;
    MenuPopup popup;
    std::string_view menuText;  // with '&' before the mnemonic and "\t" before a shortcut label
    std::string_view prompt;    // status prompt, then "\n" and the tooltip; empty when there is none
    CommandKind kind;
    bool withoutDocument = false;  // also in the menu shown while no document is open
    bool separatorBefore = false;  // a menu separator goes above the entry
};

// All commands, popup by popup in the order of kPopups, each popup's entries
// in menu order. IDs are unique.
std::span<const CommandInfo> Commands();

// The command `id`, or nullptr (also for the Favorites entries 3584 to 4095).
const CommandInfo* FindCommand(int id);

struct PromptParts {
    std::string_view status;   // shown in the status bar while the entry is highlighted
    std::string_view tooltip;  // empty when the prompt has no "\n"
};

// Splits a prompt at its first "\n".
PromptParts SplitPrompt(std::string_view prompt);

// Favorites entries: entry i of the Favorites tree has the command ID
// kFirstFavoriteId + i, up to kLastFavoriteId.
inline constexpr int kFirstFavoriteId = 3584;
inline constexpr int kLastFavoriteId = 4095;
inline constexpr bool IsFavoriteEntry(int id) { return id >= kFirstFavoriteId && id <= kLastFavoriteId; }

// The recent-file entries of the File popup: kRecentFileCount IDs from
// kFirstRecentFileId; the table lists the first as the "Recent File" entry.
inline constexpr int kFirstRecentFileId = 57616;
inline constexpr int kRecentFileCount = 4;

// The toolbar buttons from left to right; kSeparator marks a gap.
inline constexpr int kSeparator = 0;
inline constexpr auto kToolbar = std::to_array<int>({
    57600, 57601, 57603, kSeparator,                                       // New, Open, Save
    57635, 57634, 57637, kSeparator,                                       // Cut, Copy, Paste
    57607, kSeparator,                                                     // Print
    32792, 32793, 32794, 32795, 32796, kSeparator,                         // Back .. Stop
    57664, kSeparator,                                                     // About
    32785, 32807, 32809, 32808, 32811, 32813, 32814, kSeparator,           // market pages
    32771, 32772, 32773, 32774, 32775, 32819, 32821, 32816, 32838, 32817,  // symbol commands
});
