#include "document/CommandTable.h"

#include "document/CTarnwickDoc.h"

namespace {

using enum MenuPopup;
using enum CommandKind;

// The commands that read the symbol are counted when they read it; the
// market pages count themselves once built.
constexpr CommandRun kReadsSymbol{.readsSymbol = true};
constexpr CommandRun kCounted{.counted = true};

// The File, Edit, View and Window entries and About keep the framework's
// usual texts and IDs. Every text is kept character for character, the
// misspelling and the double blanks included. Intraday Charts is counted
// when it reads the symbol and once more by itself.
constexpr CommandInfo kCommands[] = {
    {kNew, File, "&New\tCtrl+N", "Create a new document\nNew", Standard, {}, true},
    {kOpen, File, "&Open...\tCtrl+O", "Open an existing document\nOpen", Standard, {}, true},
    {kImportQuotes, File, "&Import Quotes...\tCtrl+I",
     "Read a daily price history saved as a CSV file\nImport Quotes", Standard, {}, true},
    {kSave, File, "&Save\tCtrl+S", "Save the active document\nSave", Standard},
    {kSaveAs, File, "Save &As...", "Save the active document with a new name\nSave As", Standard},
    {kExport, File, "&Export...", "Write the screener's table, as shown, to a CSV file\nExport", Standard, {}, true},
    {kPrint, File, "&Print...\tCtrl+P", "Print the active document\nPrint", Standard, {}, false, true},
    {kPrintPreview, File, "Print Pre&view", "Display full pages\nPrint Preview", Standard},
    {kPrintSetup, File, "P&rint Setup...",
     "Change the printer and printing options\nPrint Setup", Standard, {}, true, true},
    {kSend, File, "Sen&d...", "Send the active document through electronic mail\nSend Mail", Standard, {}, false, true},
    {kFirstRecentFile, File, "Recent File", "Open this document", Standard, {}, true, true},
    {kExit, File, "E&xit", "Quit the application; prompts to save documents\nExit", Standard, {}, true, true},
    {kUndo, Edit, "&Undo\tCtrl+Z", "Undo the last action\nUndo", Standard},
    {kCut, Edit, "Cu&t\tCtrl+X",
     "Cut the selection and put it on the Clipboard\nCut",
     Clipboard, {.browserAction = BrowserAction::Cut}, false, true},
    {kCopy, Edit, "&Copy\tCtrl+C",
     "Copy the selection and put it on the Clipboard\nCopy", Clipboard, {.browserAction = BrowserAction::Copy}},
    {kPaste, Edit, "&Paste\tCtrl+V",
     "Insert Clipboard contents\nPaste", Clipboard, {.browserAction = BrowserAction::Paste}},
    {kSelectAll, Edit, "Select &All\tCtrl+A",
     "Select the entire document\nSelect All", Clipboard, {.browserAction = BrowserAction::SelectAll}},
    {kSettings, Edit, "Setti&ngs...",
     "Choose the quote folder, the Favorites folder and the page folder\nSettings", Standard, {}, false, true},
    {kToggleToolbar, View, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", Standard, {}, true},
    {kToggleStatusBar, View, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", Standard, {}, true},
    {kZoomIn, View, "Zoom &In\tCtrl++", "Show the page larger on screen\nZoom In", Zoom,
     {.zoom = ZoomStep::In}, false, true},
    {kZoomOut, View, "Zoom &Out\tCtrl+-", "Show the page smaller on screen\nZoom Out", Zoom, {.zoom = ZoomStep::Out}},
    {kActualSize, View, "&Actual Size\tCtrl+0", "Show the page at its printed size\nActual Size", Zoom,
     {.zoom = ZoomStep::ActualSize}},
    {kFitWidth, View, "Fit &Width", "Zoom the chart page to the window's width\nFit Width", Zoom,
     {.zoom = ZoomStep::FitWidth}},
    {kBack, Browser, "&Back\tCtrl+B",
     "Return to the previous item in the history list\nGo back",
     BrowserControl, {.browserAction = BrowserAction::Back}},
    {kForward, Browser, "&Forward\tCtrl+F",
     "Navigates to the next item in the history list\nGo forward",
     BrowserControl, {.browserAction = BrowserAction::Forward}},
    {kRefresh, Browser, "&Refresh\tCtrl+R",
     "Reloads the current file\nRefresh this page", BrowserControl, {.browserAction = BrowserAction::Refresh}},
    {kSearch, Browser, "&Search\tCtrl+S", "Search on the Internet\nSearch on the Internet", Link},
    {kStop, Browser, "Sto&p\tCtrl+P",
     "Stops opening a file\nStop load this page", BrowserControl, {.browserAction = BrowserAction::Stop}},
    {kFavoritesPlaceholder, Favorites, "&Best", "", FavoritesPlaceholder},
    {kDowCharts, Markets, "&Dow Charts",
     "Display Intraday charts of Dow Nasdaq and S&P\nDow Intraday Charts", PageBuilder, kCounted},
    {kMarketUpdate, Markets, "&Market Update", "Stock Market Update\nMarket Update", PageBuilder, kCounted},
    {kStocksOnTheMove, Markets, "Stocks on the Move", "Stocks on the Move\nStocks on the Move", PageBuilder, kCounted},
    {kNewsIndex, Markets, "News Index", "Stock and Market News Index\nNews Index", PageBuilder, kCounted},
    {kMarketAnalysis, Markets, "Market Analysis",
     "Market Analysis and Forecast\nMarket Analysis and Forecast", PageBuilder, kCounted},
    {kStockAnalysis, Markets, "Stock Analysis",
     "Stock Analysis and Picks\nStock Analysis and Picks", PageBuilder, kCounted},
    {kIpoResearch, Markets, "IPO Research", "IPO Research\nIPO Research", PageBuilder, kCounted},
    {kMostActives, Markets, "Most Actives", "Most Actives\nMost Actives", Link},
    {kUpgradesDowngrades, Markets, "Up&grades/Downgrades", "Upgrades/Downgrades", Link},
    {kEarningsCalendar, Markets, "Earnings &Calendar", "Earnings Calendar", Link},
    {kEarningsSurprises, Markets, "Earnings Sur&prises", "Earnings Surprises", Link},
    {kEarningsWarnings, Markets, "Earnings Warnings", "", Link},
    {kStockSplits, Markets, "Stock &Splits", "Stock Splits", Link},
    {kLockUpPeriod, Markets, "&Lock-up Period", "Lock-up Period", Link},
    {kMarketInsiderTrades, Markets, "Insider Trades", "", Link},
    {kEconomicCalendar, Markets, "&Economic Calendar", "Economic Calendar", Link},
    {kReadLocal, Stocks, "Read &C:\\",
     "Read Quote data from C:\\,  analyze stock and display charts\nRead C:\\",
     DataLoad, {.readsSymbol = true, .sourceMode = CTarnwickDoc::kLocalFiles}},
    {kReadWeb, Stocks, "Read &Web",
     "Read Quote data from Web,  analyze stock and display charts\nRead Web",
     DataLoad, {.readsSymbol = true, .sourceMode = CTarnwickDoc::kWeb}},
    {kReadQuoteService, Stocks, "Read Quote &Service",
     "Read quote data from the CSV quote service, analyze stock and display charts\nRead Quote Service",
     DataLoad, {.readsSymbol = true, .sourceMode = CTarnwickDoc::kCsvService}},
    {kHistoricalCharts, Stocks, "&Historical Charts",
     "Display stock historical chart indicators\nStock Historical Charts",
     ChartPage, {.counted = true, .chartPage = 0}},
    {kQuoteData, Stocks, "&Quote Data",
     "Diaplay stock historical quote data\nStock Quote Data", ChartPage, {.counted = true, .chartPage = 1}},
    {kIntradayCharts, Stocks, "&Intraday Charts",
     "Display stock intraday chart indicators\nStock Intraday Charts", Link, {.readsSymbol = true, .counted = true}},
    {kMonthSpan, Stocks, "5/10 Month",
     "Switch between 5 and 10 month historical Quote data\n5/10 month Quote data", LoadSetting},
    {kStockNews, Stocks, "Stock News", "Stock News\nStock News", PageBuilder, kReadsSymbol},
    {kMessageBoards, Stocks, "Message Boards", "Message Boards\nMessage Boards", PageBuilder, kReadsSymbol},
    {kPriceForecast, Stocks, "Price Forecast",
     "Support, Resistance and Stock Price Forecast\nPrice Forecast", PageBuilder, kReadsSymbol},
    {kStockEvaluator, Stocks, "Stock Evaluator", "Stock Evaluator\nStock Evaluator", PageBuilder, kReadsSymbol},
    {kCompanyProfile, Stocks, "Company Profile",
     "Stock Fundamental and Profile\nCompany Profile", PageBuilder, kReadsSymbol},
    {kStockResearch, Stocks, "Stock Research", "Stock Research\nStock Research", Link, kReadsSymbol},
    {kResearchReport, Stocks, "Research Report", "Research Report\nResearch Report", Link, kReadsSymbol},
    {kStockInsiderTrades, Stocks, "Insider Trades", "Company Insider Trades\nInsider Trades", Link, kReadsSymbol},
    {kStockOptions, Stocks, "Stock Options", "Stock Options\nOptions", Link, kReadsSymbol},
    {kScreenQuoteFolder, Stocks, "Screen Quote &Folder...\tCtrl+Shift+F",
     "Find today's buy and sell signals of every symbol in a quote folder\nScreen Quote Folder", Standard, {}, true,
     true},
    {kNewWindow, Window, "&New Window", "Open another window for the active document\nNew Window", Standard},
    {kCascade, Window, "&Cascade", "Arrange windows so they overlap\nCascade Windows", Standard},
    {kTile, Window, "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows", Standard},
    {kArrangeIcons, Window, "&Arrange Icons", "Arrange icons at the bottom of the window\nArrange Icons", Standard},
    {kDirections, Help, "Directions for use", "Directions for use", Link},
    {kAbout, Help, "&About Tarnwick...",
     "Display program information, version number and copyright\nAbout", Standard, {}, true},
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
