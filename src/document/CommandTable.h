#pragma once

#include "base/CommandIds.h"

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

// The command `id`, or nullptr (also for the Favorites entries).
const CommandInfo* FindCommand(int id);

struct PromptParts {
    std::string_view status;   // shown in the status bar while the entry is highlighted
    std::string_view tooltip;  // empty when the prompt has no "\n"
};

// Splits a prompt at its first "\n".
PromptParts SplitPrompt(std::string_view prompt);

// The toolbar buttons from left to right; kSeparator marks a gap.
inline constexpr int kSeparator = 0;
inline constexpr auto kToolbar = std::to_array<int>({
    kNew, kOpen, kSave, kSeparator,                                       // New, Open, Save
    kCut, kCopy, kPaste, kSeparator,                                       // Cut, Copy, Paste
    kPrint, kSeparator,                                                     // Print
    kBack, kForward, kRefresh, kSearch, kStop, kSeparator,                         // Back .. Stop
    kAbout, kSeparator,                                                     // About
    kDowCharts, kMarketUpdate, kStocksOnTheMove, kNewsIndex, kMarketAnalysis, kStockAnalysis, kIpoResearch, kSeparator,           // market pages
    kReadLocal, kReadWeb, kHistoricalCharts, kQuoteData, kIntradayCharts, kStockNews, kMessageBoards, kPriceForecast, kStockEvaluator, kCompanyProfile,  // symbol commands
});
