#pragma once

#include "base/CommandIds.h"

#include <array>
#include <span>
#include <string_view>

// Every command of the document menu and the toolbar, as constant data: the
// windows build their menus, toolbar buttons and status prompts from it, and
// the document window carries a command out by reading its entry.

enum class MenuPopup { File, Edit, View, Browser, Favorites, Markets, Stocks, Window, Help };

struct PopupInfo {
    MenuPopup popup;
    std::string_view menuText;  // "&File"
    bool withoutDocument;       // also in the menu shown while no document is open
};

// The popups of the document menu in menu-bar order.
inline constexpr std::array<PopupInfo, 9> kPopups = {{
    {MenuPopup::File, "&File", true},
    {MenuPopup::Edit, "&Edit", false},
    {MenuPopup::View, "&View", true},
    {MenuPopup::Browser, "&Browser", false},
    {MenuPopup::Favorites, "Favo&rites", false},
    {MenuPopup::Markets, "&Markets", false},
    {MenuPopup::Stocks, "&Stocks", false},
    {MenuPopup::Window, "&Window", false},
    {MenuPopup::Help, "&Help", true},
}};

// What a command does, and so which fields of its entry mean something.
enum class CommandKind {
    DataLoad,              // loads quotes from `sourceMode` and shows the chart view
    LoadSetting,           // switches the month span of the next web load
    ChartPage,             // shows the chart view painting `chartPage`
    PageBuilder,           // builds a market page file (MarketPages) and shows it
    Link,                  // goes to a fixed outside address (LinkCommands)
    BrowserControl,        // shows the browser view and runs `browserAction` in it
    Clipboard,             // runs `browserAction` in the browser view if it is shown
    FavoritesPlaceholder,  // stands in the Favorites popup until the folder is read; does nothing
    Zoom,                  // zooms the view shown by `zoom`
    Standard,              // file, print, bars, windows, about: the application's own
};

// What a BrowserControl or Clipboard command asks of the browser view.
enum class BrowserAction { None, Back, Forward, Refresh, Stop, Cut, Copy, Paste, SelectAll };

// What a Zoom command does to the view shown.
enum class ZoomStep { None, In, Out, ActualSize, FitWidth };

// How the document window carries a command out, besides its kind.
struct CommandRun {
    // Runs the web command preparation first: reads the symbol and source
    // boxes into the document and counts the command.
    bool readsSymbol = false;
    // Counts the command (again) once its own work is done; a page that
    // could not be built is not counted.
    bool counted = false;
    int sourceMode = 0;  // DataLoad: where the quotes come from, a CTarnwickDoc::sourceMode
    int chartPage = 0;   // ChartPage: 0 the charts, 1 the quote table
    BrowserAction browserAction = BrowserAction::None;
    ZoomStep zoom = ZoomStep::None;
};

struct CommandInfo {
    int id;
    MenuPopup popup;
    std::string_view menuText;  // with '&' before the mnemonic and "\t" before a shortcut label
    std::string_view prompt;    // status prompt, then "\n" and the tooltip; empty when there is none
    CommandKind kind;
    CommandRun run = {};
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
