#include "document/CommandTable.h"

namespace {

using enum MenuPopup;
using enum CommandKind;

// The File, Edit, View and Window entries and About keep the framework's
// usual texts and IDs. Every text is kept character for character, the
// misspelling and the double blanks included. The symbol commands read the
// symbol box and are counted there; Intraday Charts is counted once more,
// and the market pages count themselves once built.
constexpr CommandInfo kCommands[] = {
    {.id = kNew, .popup = File, .menuText = "&New\tCtrl+N", .prompt = "Create a new document\nNew", .kind = Standard,
     .withoutDocument = true},
    {.id = kOpen, .popup = File, .menuText = "&Open...\tCtrl+O", .prompt = "Open an existing document\nOpen",
     .kind = Standard, .withoutDocument = true},
    {.id = kSave, .popup = File, .menuText = "&Save\tCtrl+S", .prompt = "Save the active document\nSave",
     .kind = Standard},
    {.id = kSaveAs, .popup = File, .menuText = "Save &As...",
     .prompt = "Save the active document with a new name\nSave As", .kind = Standard},
    {.id = kPrint, .popup = File, .menuText = "&Print...\tCtrl+P", .prompt = "Print the active document\nPrint",
     .kind = Standard, .separatorBefore = true},
    {.id = kPrintPreview, .popup = File, .menuText = "Print Pre&view", .prompt = "Display full pages\nPrint Preview",
     .kind = Standard},
    {.id = kPrintSetup, .popup = File, .menuText = "P&rint Setup...",
     .prompt = "Change the printer and printing options\nPrint Setup", .kind = Standard, .withoutDocument = true,
     .separatorBefore = true},
    {.id = kSend, .popup = File, .menuText = "Sen&d...",
     .prompt = "Send the active document through electronic mail\nSend Mail", .kind = Standard,
     .separatorBefore = true},
    {.id = kFirstRecentFile, .popup = File, .menuText = "Recent File", .prompt = "Open this document", .kind = Standard,
     .withoutDocument = true, .separatorBefore = true},
    {.id = kExit, .popup = File, .menuText = "E&xit", .prompt = "Quit the application; prompts to save documents\nExit",
     .kind = Standard, .withoutDocument = true, .separatorBefore = true},
    {.id = kUndo, .popup = Edit, .menuText = "&Undo\tCtrl+Z", .prompt = "Undo the last action\nUndo", .kind = Standard},
    {.id = kCut, .popup = Edit, .menuText = "Cu&t\tCtrl+X",
     .prompt = "Cut the selection and put it on the Clipboard\nCut", .kind = Clipboard, .separatorBefore = true,
     .browserAction = BrowserAction::Cut},
    {.id = kCopy, .popup = Edit, .menuText = "&Copy\tCtrl+C",
     .prompt = "Copy the selection and put it on the Clipboard\nCopy", .kind = Clipboard,
     .browserAction = BrowserAction::Copy},
    {.id = kPaste, .popup = Edit, .menuText = "&Paste\tCtrl+V", .prompt = "Insert Clipboard contents\nPaste",
     .kind = Clipboard, .browserAction = BrowserAction::Paste},
    {.id = kSelectAll, .popup = Edit, .menuText = "Select &All\tCtrl+A",
     .prompt = "Select the entire document\nSelect All", .kind = Clipboard, .browserAction = BrowserAction::SelectAll},
    {.id = kSettings, .popup = Edit, .menuText = "Se&ttings...",
     .prompt = "Choose the quote folder, the Favorites folder and the page folder\nSettings", .kind = Standard,
     .separatorBefore = true},
    {.id = kToggleToolbar, .popup = View, .menuText = "&Toolbar", .prompt = "Show or hide the toolbar\nToggle ToolBar",
     .kind = Standard, .withoutDocument = true},
    {.id = kToggleStatusBar, .popup = View, .menuText = "&Status Bar",
     .prompt = "Show or hide the status bar\nToggle StatusBar", .kind = Standard, .withoutDocument = true},
    {.id = kBack, .popup = Browser, .menuText = "&Back\tCtrl+B",
     .prompt = "Return to the previous item in the history list\nGo back", .kind = BrowserControl,
     .browserAction = BrowserAction::Back},
    {.id = kForward, .popup = Browser, .menuText = "&Forward\tCtrl+F",
     .prompt = "Navigates to the next item in the history list\nGo forward", .kind = BrowserControl,
     .browserAction = BrowserAction::Forward},
    {.id = kRefresh, .popup = Browser, .menuText = "&Refresh\tCtrl+R",
     .prompt = "Reloads the current file\nRefresh this page", .kind = BrowserControl,
     .browserAction = BrowserAction::Refresh},
    {.id = kSearch, .popup = Browser, .menuText = "&Search\tCtrl+S",
     .prompt = "Search on the Internet\nSearch on the Internet", .kind = Link},
    {.id = kStop, .popup = Browser, .menuText = "Sto&p\tCtrl+P", .prompt = "Stops opening a file\nStop load this page",
     .kind = BrowserControl, .browserAction = BrowserAction::Stop},
    {.id = kFavoritesPlaceholder, .popup = Favorites, .menuText = "&Best", .prompt = "", .kind = FavoritesPlaceholder},
    {.id = kDowCharts, .popup = Markets, .menuText = "&Dow Charts",
     .prompt = "Display Intraday charts of Dow Nasdaq and S&P\nDow Intraday Charts", .kind = PageBuilder,
     .counted = true},
    {.id = kMarketUpdate, .popup = Markets, .menuText = "&Market Update",
     .prompt = "Stock Market Update\nMarket Update", .kind = PageBuilder, .counted = true},
    {.id = kStocksOnTheMove, .popup = Markets, .menuText = "Stocks on the Move",
     .prompt = "Stocks on the Move\nStocks on the Move", .kind = PageBuilder, .counted = true},
    {.id = kNewsIndex, .popup = Markets, .menuText = "News Index", .prompt = "Stock and Market News Index\nNews Index",
     .kind = PageBuilder, .counted = true},
    {.id = kMarketAnalysis, .popup = Markets, .menuText = "Market Analysis",
     .prompt = "Market Analysis and Forecast\nMarket Analysis and Forecast", .kind = PageBuilder, .counted = true},
    {.id = kStockAnalysis, .popup = Markets, .menuText = "Stock Analysis",
     .prompt = "Stock Analysis and Picks\nStock Analysis and Picks", .kind = PageBuilder, .counted = true},
    {.id = kIpoResearch, .popup = Markets, .menuText = "IPO Research", .prompt = "IPO Research\nIPO Research",
     .kind = PageBuilder, .counted = true},
    {.id = kMostActives, .popup = Markets, .menuText = "Most Actives", .prompt = "Most Actives\nMost Actives",
     .kind = Link},
    {.id = kUpgradesDowngrades, .popup = Markets, .menuText = "Up&grades/Downgrades", .prompt = "Upgrades/Downgrades",
     .kind = Link},
    {.id = kEarningsCalendar, .popup = Markets, .menuText = "Earnings &Calendar", .prompt = "Earnings Calendar",
     .kind = Link},
    {.id = kEarningsSurprises, .popup = Markets, .menuText = "Earnings Sur&prises", .prompt = "Earnings Surprises",
     .kind = Link},
    {.id = kEarningsWarnings, .popup = Markets, .menuText = "Earnings Warnings", .prompt = "", .kind = Link},
    {.id = kStockSplits, .popup = Markets, .menuText = "Stock &Splits", .prompt = "Stock Splits", .kind = Link},
    {.id = kLockUpPeriod, .popup = Markets, .menuText = "&Lock-up Period", .prompt = "Lock-up Period", .kind = Link},
    {.id = kMarketInsiderTrades, .popup = Markets, .menuText = "Insider Trades", .prompt = "", .kind = Link},
    {.id = kEconomicCalendar, .popup = Markets, .menuText = "&Economic Calendar", .prompt = "Economic Calendar",
     .kind = Link},
    {.id = kReadLocal, .popup = Stocks, .menuText = "Read &C:\\",
     .prompt = "Read Quote data from C:\\,  analyze stock and display charts\nRead C:\\", .kind = DataLoad,
     .readsSymbol = true, .sourceMode = 1},
    {.id = kReadWeb, .popup = Stocks, .menuText = "Read &Web",
     .prompt = "Read Quote data from Web,  analyze stock and display charts\nRead Web", .kind = DataLoad,
     .readsSymbol = true, .sourceMode = 2},
    {.id = kHistoricalCharts, .popup = Stocks, .menuText = "&Historical Charts",
     .prompt = "Display stock historical chart indicators\nStock Historical Charts", .kind = ChartPage, .counted = true,
     .chartPage = 0},
    {.id = kQuoteData, .popup = Stocks, .menuText = "&Quote Data",
     .prompt = "Diaplay stock historical quote data\nStock Quote Data", .kind = ChartPage, .counted = true,
     .chartPage = 1},
    {.id = kIntradayCharts, .popup = Stocks, .menuText = "&Intraday Charts",
     .prompt = "Display stock intraday chart indicators\nStock Intraday Charts", .kind = Link, .readsSymbol = true,
     .counted = true},
    {.id = kMonthSpan, .popup = Stocks, .menuText = "5/10 Month",
     .prompt = "Switch between 5 and 10 month historical Quote data\n5/10 month Quote data", .kind = LoadSetting},
    {.id = kStockNews, .popup = Stocks, .menuText = "Stock News", .prompt = "Stock News\nStock News",
     .kind = PageBuilder, .readsSymbol = true},
    {.id = kMessageBoards, .popup = Stocks, .menuText = "Message Boards", .prompt = "Message Boards\nMessage Boards",
     .kind = PageBuilder, .readsSymbol = true},
    {.id = kPriceForecast, .popup = Stocks, .menuText = "Price Forecast",
     .prompt = "Support, Resistance and Stock Price Forecast\nPrice Forecast", .kind = PageBuilder,
     .readsSymbol = true},
    {.id = kStockEvaluator, .popup = Stocks, .menuText = "Stock Evaluator",
     .prompt = "Stock Evaluator\nStock Evaluator", .kind = PageBuilder, .readsSymbol = true},
    {.id = kCompanyProfile, .popup = Stocks, .menuText = "Company Profile",
     .prompt = "Stock Fundamental and Profile\nCompany Profile", .kind = PageBuilder, .readsSymbol = true},
    {.id = kStockResearch, .popup = Stocks, .menuText = "Stock Research", .prompt = "Stock Research\nStock Research",
     .kind = Link, .readsSymbol = true},
    {.id = kResearchReport, .popup = Stocks, .menuText = "Research Report",
     .prompt = "Research Report\nResearch Report", .kind = Link, .readsSymbol = true},
    {.id = kStockInsiderTrades, .popup = Stocks, .menuText = "Insider Trades",
     .prompt = "Company Insider Trades\nInsider Trades", .kind = Link, .readsSymbol = true},
    {.id = kStockOptions, .popup = Stocks, .menuText = "Stock Options", .prompt = "Stock Options\nOptions",
     .kind = Link, .readsSymbol = true},
    {.id = kNewWindow, .popup = Window, .menuText = "&New Window",
     .prompt = "Open another window for the active document\nNew Window", .kind = Standard},
    {.id = kCascade, .popup = Window, .menuText = "&Cascade",
     .prompt = "Arrange windows so they overlap\nCascade Windows", .kind = Standard},
    {.id = kTile, .popup = Window, .menuText = "&Tile",
     .prompt = "Arrange windows as non-overlapping tiles\nTile Windows", .kind = Standard},
    {.id = kArrangeIcons, .popup = Window, .menuText = "&Arrange Icons",
     .prompt = "Arrange icons at the bottom of the window\nArrange Icons", .kind = Standard},
    {.id = kDirections, .popup = Help, .menuText = "Directions for use", .prompt = "Directions for use", .kind = Link},
    {.id = kAbout, .popup = Help, .menuText = "&About Tarnwick...",
     .prompt = "Display program information, version number and copyright\nAbout", .kind = Standard,
     .withoutDocument = true},
};

}  // namespace

std::span<const CommandInfo> Commands()
{
    return kCommands;
}

const CommandInfo* FindCommand(int id)
{
    for (const CommandInfo& command : kCommands)
        if (command.id == id)
            return &command;
    return nullptr;
}

PromptParts SplitPrompt(std::string_view prompt)
{
    const std::size_t newline = prompt.find('\n');
    if (newline == std::string_view::npos)
        return {prompt, {}};
    return {prompt.substr(0, newline), prompt.substr(newline + 1)};
}
