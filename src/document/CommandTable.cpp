#include "document/CommandTable.h"

namespace {

using enum MenuPopup;
using enum CommandKind;

// The File, Edit, View and Window entries and About keep the framework's
// usual texts and IDs. Every text is kept character for character, the
// misspelling and the double blanks included.
constexpr CommandInfo kCommands[] = {
    {57600, File, "&New\tCtrl+N", "Create a new document\nNew", Standard, true},
    {57601, File, "&Open...\tCtrl+O", "Open an existing document\nOpen", Standard, true},
    {57603, File, "&Save\tCtrl+S", "Save the active document\nSave", Standard},
    {57604, File, "Save &As...", "Save the active document with a new name\nSave As", Standard},
    {57607, File, "&Print...\tCtrl+P", "Print the active document\nPrint", Standard, false, true},
    {57609, File, "Print Pre&view", "Display full pages\nPrint Preview", Standard},
    {57606, File, "P&rint Setup...", "Change the printer and printing options\nPrint Setup", Standard, true, true},
    {57612, File, "Sen&d...", "Send the active document through electronic mail\nSend Mail", Standard, false, true},
    {57616, File, "Recent File", "Open this document", Standard, true, true},
    {57665, File, "E&xit", "Quit the application; prompts to save documents\nExit", Standard, true, true},
    {57643, Edit, "&Undo\tCtrl+Z", "Undo the last action\nUndo", Standard},
    {57635, Edit, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut", Standard, false, true},
    {57634, Edit, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy", Standard},
    {57637, Edit, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste", Standard},
    {32850, Edit, "Select &All\tCtrl+A", "Select the entire document\nSelect All", Standard},
    {32900, Edit, "Se&ttings...", "Choose the quote folder, the Favorites folder and the page folder\nSettings",
     Standard, false, true},
    {59392, View, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", Standard, true},
    {59393, View, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", Standard, true},
    {32792, Browser, "&Back\tCtrl+B", "Return to the previous item in the history list\nGo back", BrowserControl},
    {32793, Browser, "&Forward\tCtrl+F", "Navigates to the next item in the history list\nGo forward", BrowserControl},
    {32794, Browser, "&Refresh\tCtrl+R", "Reloads the current file\nRefresh this page", BrowserControl},
    {32795, Browser, "&Search\tCtrl+S", "Search on the Internet\nSearch on the Internet", Link},
    {32796, Browser, "Sto&p\tCtrl+P", "Stops opening a file\nStop load this page", BrowserControl},
    {32806, Favorites, "&Best", "", FavoritesEntry},
    {32785, Markets, "&Dow Charts", "Display Intraday charts of Dow Nasdaq and S&P\nDow Intraday Charts", PageBuilder},
    {32807, Markets, "&Market Update", "Stock Market Update\nMarket Update", PageBuilder},
    {32809, Markets, "Stocks on the Move", "Stocks on the Move\nStocks on the Move", PageBuilder},
    {32808, Markets, "News Index", "Stock and Market News Index\nNews Index", PageBuilder},
    {32811, Markets, "Market Analysis", "Market Analysis and Forecast\nMarket Analysis and Forecast", PageBuilder},
    {32813, Markets, "Stock Analysis", "Stock Analysis and Picks\nStock Analysis and Picks", PageBuilder},
    {32814, Markets, "IPO Research", "IPO Research\nIPO Research", PageBuilder},
    {32798, Markets, "Most Actives", "Most Actives\nMost Actives", Link},
    {32799, Markets, "Up&grades/Downgrades", "Upgrades/Downgrades", Link},
    {32800, Markets, "Earnings &Calendar", "Earnings Calendar", Link},
    {32801, Markets, "Earnings Sur&prises", "Earnings Surprises", Link},
    {32823, Markets, "Earnings Warnings", "", Link},
    {32802, Markets, "Stock &Splits", "Stock Splits", Link},
    {32803, Markets, "&Lock-up Period", "Lock-up Period", Link},
    {32825, Markets, "Insider Trades", "", Link},
    {32804, Markets, "&Economic Calendar", "Economic Calendar", Link},
    {32771, Stocks, "Read &C:\\", "Read Quote data from C:\\,  analyze stock and display charts\nRead C:\\", DataLoad},
    {32772, Stocks, "Read &Web", "Read Quote data from Web,  analyze stock and display charts\nRead Web", DataLoad},
    {32773, Stocks, "&Historical Charts",
     "Display stock historical chart indicators\nStock Historical Charts", ChartPage},
    {32774, Stocks, "&Quote Data", "Diaplay stock historical quote data\nStock Quote Data", ChartPage},
    {32775, Stocks, "&Intraday Charts", "Display stock intraday chart indicators\nStock Intraday Charts", Link},
    {32777, Stocks, "5/10 Month",
     "Switch between 5 and 10 month historical Quote data\n5/10 month Quote data", LoadSetting},
    {32819, Stocks, "Stock News", "Stock News\nStock News", PageBuilder},
    {32821, Stocks, "Message Boards", "Message Boards\nMessage Boards", PageBuilder},
    {32816, Stocks, "Price Forecast", "Support, Resistance and Stock Price Forecast\nPrice Forecast", PageBuilder},
    {32838, Stocks, "Stock Evaluator", "Stock Evaluator\nStock Evaluator", PageBuilder},
    {32817, Stocks, "Company Profile", "Stock Fundamental and Profile\nCompany Profile", PageBuilder},
    {32831, Stocks, "Stock Research", "Stock Research\nStock Research", Link},
    {32833, Stocks, "Research Report", "Research Report\nResearch Report", Link},
    {32835, Stocks, "Insider Trades", "Company Insider Trades\nInsider Trades", Link},
    {32836, Stocks, "Stock Options", "Stock Options\nOptions", Link},
    {57648, Window, "&New Window", "Open another window for the active document\nNew Window", Standard},
    {57650, Window, "&Cascade", "Arrange windows so they overlap\nCascade Windows", Standard},
    {57651, Window, "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows", Standard},
    {57649, Window, "&Arrange Icons", "Arrange icons at the bottom of the window\nArrange Icons", Standard},
    {32851, Help, "Directions for use", "Directions for use", Link},
    {57664, Help, "&About Tarnwick...",
     "Display program information, version number and copyright\nAbout", Standard, true},
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
