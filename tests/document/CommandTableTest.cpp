#include "document/CommandTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

TEST(CommandTable, IdsAreUniqueAndEachPopupIsOneRunInMenuBarOrder)
{
    std::set<int> ids;
    std::size_t popup = 0;
    for (const CommandInfo& command : Commands()) {
        EXPECT_TRUE(ids.insert(command.id).second) << command.id;
        EXPECT_EQ(FindCommand(command.id), &command) << command.id;
        EXPECT_FALSE(IsFavoriteEntry(command.id)) << command.id;
        while (popup < kPopups.size() && kPopups[popup].popup != command.popup)
            ++popup;
        EXPECT_LT(popup, kPopups.size()) << "popup out of order at " << command.id;
    }
    EXPECT_EQ(FindCommand(12345), nullptr);
    EXPECT_EQ(FindCommand(kFirstFavoriteId), nullptr);
    EXPECT_TRUE(IsFavoriteEntry(3584) && IsFavoriteEntry(4095) && !IsFavoriteEntry(3583) && !IsFavoriteEntry(4096));
}

TEST(CommandTable, EveryProgramCommandHasItsExactMenuTextAndPrompt)
{
    using enum MenuPopup;
    const struct {
        int id;
        MenuPopup popup;
        std::string_view menuText, prompt;
    } table[] = {
        {kReadLocal, Stocks, "Read &C:\\", "Read Quote data from C:\\,  analyze stock and display charts\nRead C:\\"},
        {kReadWeb, Stocks, "Read &Web", "Read Quote data from Web,  analyze stock and display charts\nRead Web"},
        {kHistoricalCharts, Stocks, "&Historical Charts", "Display stock historical chart indicators\nStock Historical Charts"},
        {kQuoteData, Stocks, "&Quote Data", "Diaplay stock historical quote data\nStock Quote Data"},
        {kIntradayCharts, Stocks, "&Intraday Charts", "Display stock intraday chart indicators\nStock Intraday Charts"},
        {kMonthSpan, Stocks, "5/10 Month", "Switch between 5 and 10 month historical Quote data\n5/10 month Quote data"},
        {kStockNews, Stocks, "Stock News", "Stock News\nStock News"},
        {kMessageBoards, Stocks, "Message Boards", "Message Boards\nMessage Boards"},
        {kPriceForecast, Stocks, "Price Forecast", "Support, Resistance and Stock Price Forecast\nPrice Forecast"},
        {kStockEvaluator, Stocks, "Stock Evaluator", "Stock Evaluator\nStock Evaluator"},
        {kCompanyProfile, Stocks, "Company Profile", "Stock Fundamental and Profile\nCompany Profile"},
        {kStockResearch, Stocks, "Stock Research", "Stock Research\nStock Research"},
        {kResearchReport, Stocks, "Research Report", "Research Report\nResearch Report"},
        {kStockInsiderTrades, Stocks, "Insider Trades", "Company Insider Trades\nInsider Trades"},
        {kStockOptions, Stocks, "Stock Options", "Stock Options\nOptions"},
        {kDowCharts, Markets, "&Dow Charts", "Display Intraday charts of Dow Nasdaq and S&P\nDow Intraday Charts"},
        {kMarketUpdate, Markets, "&Market Update", "Stock Market Update\nMarket Update"},
        {kStocksOnTheMove, Markets, "Stocks on the Move", "Stocks on the Move\nStocks on the Move"},
        {kNewsIndex, Markets, "News Index", "Stock and Market News Index\nNews Index"},
        {kMarketAnalysis, Markets, "Market Analysis", "Market Analysis and Forecast\nMarket Analysis and Forecast"},
        {kStockAnalysis, Markets, "Stock Analysis", "Stock Analysis and Picks\nStock Analysis and Picks"},
        {kIpoResearch, Markets, "IPO Research", "IPO Research\nIPO Research"},
        {kMostActives, Markets, "Most Actives", "Most Actives\nMost Actives"},
        {kUpgradesDowngrades, Markets, "Up&grades/Downgrades", "Upgrades/Downgrades"},
        {kEarningsCalendar, Markets, "Earnings &Calendar", "Earnings Calendar"},
        {kEarningsSurprises, Markets, "Earnings Sur&prises", "Earnings Surprises"},
        {kEarningsWarnings, Markets, "Earnings Warnings", ""},
        {kStockSplits, Markets, "Stock &Splits", "Stock Splits"},
        {kLockUpPeriod, Markets, "&Lock-up Period", "Lock-up Period"},
        {kMarketInsiderTrades, Markets, "Insider Trades", ""},
        {kEconomicCalendar, Markets, "&Economic Calendar", "Economic Calendar"},
        {kBack, Browser, "&Back\tCtrl+B", "Return to the previous item in the history list\nGo back"},
        {kForward, Browser, "&Forward\tCtrl+F", "Navigates to the next item in the history list\nGo forward"},
        {kRefresh, Browser, "&Refresh\tCtrl+R", "Reloads the current file\nRefresh this page"},
        {kSearch, Browser, "&Search\tCtrl+S", "Search on the Internet\nSearch on the Internet"},
        {kStop, Browser, "Sto&p\tCtrl+P", "Stops opening a file\nStop load this page"},
        {kDirections, Help, "Directions for use", "Directions for use"},
        // The framework's commands, with the texts the program shows.
        {kNew, File, "&New\tCtrl+N", "Create a new document\nNew"},
        {kOpen, File, "&Open...\tCtrl+O", "Open an existing document\nOpen"},
        {kPrintSetup, File, "P&rint Setup...", "Change the printer and printing options\nPrint Setup"},
        {kPrint, File, "&Print...\tCtrl+P", "Print the active document\nPrint"},
        {kSend, File, "Sen&d...", "Send the active document through electronic mail\nSend Mail"},
        {kCut, Edit, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut"},
        {kCopy, Edit, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy"},
        {kPaste, Edit, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste"},
        {kSelectAll, Edit, "Select &All\tCtrl+A", "Select the entire document\nSelect All"},
        {kFavoritesPlaceholder, Favorites, "&Best", ""},
        {kAbout, Help, "&About Tarnwick...", "Display program information, version number and copyright\nAbout"},
    };
    for (const auto& e : table) {
        const CommandInfo* command = FindCommand(e.id);
        ASSERT_NE(command, nullptr) << e.id;
        EXPECT_EQ(command->popup, e.popup) << e.id;
        EXPECT_EQ(command->menuText, e.menuText) << e.id;
        EXPECT_EQ(command->prompt, e.prompt) << e.id;
    }
    // The standard File, Edit, View and Window entries are all there too.
    for (int id : {kSave, kSaveAs, kPrintPreview, kFirstRecentFile, kExit, kUndo, kToggleToolbar, kToggleStatusBar, kNewWindow, kCascade, kTile, kArrangeIcons})
        EXPECT_NE(FindCommand(id), nullptr) << id;
}

TEST(CommandTable, KindsSayWhatTheHandlerDoes)
{
    const std::pair<CommandKind, std::set<int>> kinds[] = {
        {CommandKind::DataLoad, {kReadLocal, kReadWeb}},
        {CommandKind::LoadSetting, {kMonthSpan}},
        {CommandKind::ChartPage, {kHistoricalCharts, kQuoteData}},
        {CommandKind::PageBuilder,
         {kStockNews, kMessageBoards, kPriceForecast, kStockEvaluator, kCompanyProfile, kDowCharts, kMarketUpdate, kStocksOnTheMove, kNewsIndex, kMarketAnalysis, kStockAnalysis, kIpoResearch}},
        {CommandKind::BrowserControl, {kBack, kForward, kRefresh, kStop}},
        {CommandKind::FavoritesEntry, {kFavoritesPlaceholder}},
    };
    // Links are checked against the link table; everything else is standard.
    for (const CommandInfo& command : Commands()) {
        CommandKind expected = command.kind == CommandKind::Link ? CommandKind::Link : CommandKind::Standard;
        for (const auto& [kind, ids] : kinds)
            if (ids.contains(command.id))
                expected = kind;
        EXPECT_EQ(command.kind, expected) << command.id;
    }
}

TEST(SplitPrompt, StatusBeforeTheFirstNewlineTooltipAfter)
{
    const struct {
        std::string_view prompt, status, tooltip;
    } cases[] = {
        {"Stock Options\nOptions", "Stock Options", "Options"},
        {"Read Quote data from C:\\,  analyze stock and display charts\nRead C:\\",
         "Read Quote data from C:\\,  analyze stock and display charts", "Read C:\\"},
        {"Upgrades/Downgrades", "Upgrades/Downgrades", ""},
        {"a\nb\nc", "a", "b\nc"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const PromptParts parts = SplitPrompt(c.prompt);
        EXPECT_EQ(parts.status, c.status) << c.prompt;
        EXPECT_EQ(parts.tooltip, c.tooltip) << c.prompt;
    }
}

TEST(Toolbar, ButtonsInOrderWithSeparatorsAndEachHasATooltip)
{
    const int expected[] = {
        kNew, kOpen, kSave, 0, kCut, kCopy, kPaste, 0, kPrint, 0,  // New Open Save | Cut Copy Paste | Print
        kBack, kForward, kRefresh, kSearch, kStop, 0, kAbout, 0,             // Back Forward Refresh Search Stop | About
        kDowCharts, kMarketUpdate, kStocksOnTheMove, kNewsIndex, kMarketAnalysis, kStockAnalysis, kIpoResearch, 0,        // Dow Charts .. IPO Research
        kReadLocal, kReadWeb, kHistoricalCharts, kQuoteData, kIntradayCharts, kStockNews, kMessageBoards, kPriceForecast, kStockEvaluator, kCompanyProfile,  // Read C:\ .. Company Profile
    };
    ASSERT_EQ(kToolbar.size(), std::size(expected));
    for (std::size_t i = 0; i < kToolbar.size(); ++i) {
        EXPECT_EQ(kToolbar[i], expected[i]) << "button " << i;
        if (kToolbar[i] != kSeparator) {
            const CommandInfo* command = FindCommand(kToolbar[i]);
            ASSERT_NE(command, nullptr) << kToolbar[i];
            EXPECT_FALSE(SplitPrompt(command->prompt).tooltip.empty()) << kToolbar[i];
        }
    }
}
