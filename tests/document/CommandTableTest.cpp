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
        {32771, Stocks, "Read &C:\\", "Read Quote data from C:\\,  analyze stock and display charts\nRead C:\\"},
        {32772, Stocks, "Read &Web", "Read Quote data from Web,  analyze stock and display charts\nRead Web"},
        {32773, Stocks, "&Historical Charts", "Display stock historical chart indicators\nStock Historical Charts"},
        {32774, Stocks, "&Quote Data", "Diaplay stock historical quote data\nStock Quote Data"},
        {32775, Stocks, "&Intraday Charts", "Display stock intraday chart indicators\nStock Intraday Charts"},
        {32777, Stocks, "5/10 Month", "Switch between 5 and 10 month historical Quote data\n5/10 month Quote data"},
        {32819, Stocks, "Stock News", "Stock News\nStock News"},
        {32821, Stocks, "Message Boards", "Message Boards\nMessage Boards"},
        {32816, Stocks, "Price Forecast", "Support, Resistance and Stock Price Forecast\nPrice Forecast"},
        {32838, Stocks, "Stock Evaluator", "Stock Evaluator\nStock Evaluator"},
        {32817, Stocks, "Company Profile", "Stock Fundamental and Profile\nCompany Profile"},
        {32831, Stocks, "Stock Research", "Stock Research\nStock Research"},
        {32833, Stocks, "Research Report", "Research Report\nResearch Report"},
        {32835, Stocks, "Insider Trades", "Company Insider Trades\nInsider Trades"},
        {32836, Stocks, "Stock Options", "Stock Options\nOptions"},
        {32785, Markets, "&Dow Charts", "Display Intraday charts of Dow Nasdaq and S&P\nDow Intraday Charts"},
        {32807, Markets, "&Market Update", "Stock Market Update\nMarket Update"},
        {32809, Markets, "Stocks on the Move", "Stocks on the Move\nStocks on the Move"},
        {32808, Markets, "News Index", "Stock and Market News Index\nNews Index"},
        {32811, Markets, "Market Analysis", "Market Analysis and Forecast\nMarket Analysis and Forecast"},
        {32813, Markets, "Stock Analysis", "Stock Analysis and Picks\nStock Analysis and Picks"},
        {32814, Markets, "IPO Research", "IPO Research\nIPO Research"},
        {32798, Markets, "Most Actives", "Most Actives\nMost Actives"},
        {32799, Markets, "Up&grades/Downgrades", "Upgrades/Downgrades"},
        {32800, Markets, "Earnings &Calendar", "Earnings Calendar"},
        {32801, Markets, "Earnings Sur&prises", "Earnings Surprises"},
        {32823, Markets, "Earnings Warnings", ""},
        {32802, Markets, "Stock &Splits", "Stock Splits"},
        {32803, Markets, "&Lock-up Period", "Lock-up Period"},
        {32825, Markets, "Insider Trades", ""},
        {32804, Markets, "&Economic Calendar", "Economic Calendar"},
        {32792, Browser, "&Back\tCtrl+B", "Return to the previous item in the history list\nGo back"},
        {32793, Browser, "&Forward\tCtrl+F", "Navigates to the next item in the history list\nGo forward"},
        {32794, Browser, "&Refresh\tCtrl+R", "Reloads the current file\nRefresh this page"},
        {32795, Browser, "&Search\tCtrl+S", "Search on the Internet\nSearch on the Internet"},
        {32796, Browser, "Sto&p\tCtrl+P", "Stops opening a file\nStop load this page"},
        {32851, Help, "Directions for use", "Directions for use"},
        // The framework's commands, with the texts the program shows.
        {57600, File, "&New\tCtrl+N", "Create a new document\nNew"},
        {57601, File, "&Open...\tCtrl+O", "Open an existing document\nOpen"},
        {57606, File, "P&rint Setup...", "Change the printer and printing options\nPrint Setup"},
        {57607, File, "&Print...\tCtrl+P", "Print the active document\nPrint"},
        {57612, File, "Sen&d...", "Send the active document through electronic mail\nSend Mail"},
        {57635, Edit, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut"},
        {57634, Edit, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy"},
        {57637, Edit, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste"},
        {32850, Edit, "Select &All\tCtrl+A", "Select the entire document\nSelect All"},
        {32806, Favorites, "&Best", ""},
        {57664, Help, "&About Tarnwick...", "Display program information, version number and copyright\nAbout"},
    };
    for (const auto& e : table) {
        const CommandInfo* command = FindCommand(e.id);
        ASSERT_NE(command, nullptr) << e.id;
        EXPECT_EQ(command->popup, e.popup) << e.id;
        EXPECT_EQ(command->menuText, e.menuText) << e.id;
        EXPECT_EQ(command->prompt, e.prompt) << e.id;
    }
    // The standard File, Edit, View and Window entries are all there too.
    for (int id : {57603, 57604, 57609, kFirstRecentFileId, 57665, 57643, 59392, 59393, 57648, 57650, 57651, 57649})
        EXPECT_NE(FindCommand(id), nullptr) << id;
}

TEST(CommandTable, KindsSayWhatTheHandlerDoes)
{
    const std::pair<CommandKind, std::set<int>> kinds[] = {
        {CommandKind::DataLoad, {32771, 32772}},
        {CommandKind::LoadSetting, {32777}},
        {CommandKind::ChartPage, {32773, 32774}},
        {CommandKind::PageBuilder,
         {32819, 32821, 32816, 32838, 32817, 32785, 32807, 32809, 32808, 32811, 32813, 32814}},
        {CommandKind::BrowserControl, {32792, 32793, 32794, 32796}},
        {CommandKind::FavoritesEntry, {32806}},
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
        57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 57607, 0,  // New Open Save | Cut Copy Paste | Print
        32792, 32793, 32794, 32795, 32796, 0, 57664, 0,             // Back Forward Refresh Search Stop | About
        32785, 32807, 32809, 32808, 32811, 32813, 32814, 0,        // Dow Charts .. IPO Research
        32771, 32772, 32773, 32774, 32775, 32819, 32821, 32816, 32838, 32817,  // Read C:\ .. Company Profile
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
