#include "document/CTarnwickDoc.h"
#include "document/CommandTable.h"
#include "net/SymbolPath.h"
#include "pages/LinkCommands.h"
#include "pages/MarketPages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <string_view>

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

namespace {

// The mnemonic letter of a menu text, lower case; 0 when it has none ("&&" is a shown '&').
char Mnemonic(std::string_view menuText)
{
    for (std::size_t i = 0; i + 1 < menuText.size() && menuText[i] != '\t'; ++i) {
        if (menuText[i] != '&')
            continue;
        if (menuText[i + 1] != '&')
            return static_cast<char>(std::tolower(static_cast<unsigned char>(menuText[i + 1])));
        ++i;
    }
    return 0;
}

}  // namespace

TEST(CommandTable, NoTwoEntriesOfOneMenuShareAMnemonic)
{
    EXPECT_EQ(Mnemonic("Cu&t\tCtrl+X"), 't');
    EXPECT_EQ(Mnemonic("S&&P &Charts"), 'c');
    EXPECT_EQ(Mnemonic("Stock Research\tCtrl+&R"), 0);

    std::set<char> menuBar;
    for (const PopupInfo& info : kPopups) {
        EXPECT_TRUE(menuBar.insert(Mnemonic(info.menuText)).second) << info.menuText;
        std::set<char> taken;
        for (const CommandInfo& command : Commands()) {
            const char letter = Mnemonic(command.menuText);
            if (command.popup == info.popup && letter != 0) {
                EXPECT_TRUE(taken.insert(letter).second) << info.menuText << ": " << command.menuText;
            }
        }
    }
}

TEST(CommandTable, EachKindCarriesWhatItsHandlerReads)
{
    std::set<int> sourceModes, chartPages;
    std::set<BrowserAction> actions;
    for (const CommandInfo& command : Commands()) {
        SCOPED_TRACE(command.id);
        const CommandKind kind = command.kind;
        const BrowserAction action = command.run.browserAction;
        if (kind == CommandKind::DataLoad)
            EXPECT_TRUE(sourceModes.insert(command.run.sourceMode).second);
        else
            EXPECT_EQ(command.run.sourceMode, 0);
        if (kind == CommandKind::ChartPage)
            EXPECT_TRUE(chartPages.insert(command.run.chartPage).second);
        else
            EXPECT_EQ(command.run.chartPage, 0);
        if (kind == CommandKind::BrowserControl || kind == CommandKind::Clipboard)
            EXPECT_TRUE(action != BrowserAction::None && actions.insert(action).second);
        else
            EXPECT_EQ(action, BrowserAction::None);
        // Only the data and page commands read the symbol or count.
        if (command.run.readsSymbol || command.run.counted) {
            EXPECT_TRUE(kind == CommandKind::DataLoad || kind == CommandKind::ChartPage ||
                        kind == CommandKind::PageBuilder || kind == CommandKind::Link);
        }
        if (command.run.readsSymbol) {
            EXPECT_EQ(command.popup, MenuPopup::Stocks);
        }
    }
    EXPECT_EQ(sourceModes, (std::set<int>{CTarnwickDoc::kLocalFiles, CTarnwickDoc::kWeb, CTarnwickDoc::kCsvService}));
    EXPECT_EQ(chartPages, (std::set<int>{0, 1}));   // the charts and the quote table
}

TEST(CommandTable, TheLinkCommandsAreTheLinkTableAndReadTheSymbolWhereTheirAddressHasIt)
{
    for (const CommandInfo& command : Commands()) {
        const LinkCommand* link = FindLinkCommand(command.id);
        EXPECT_EQ(link != nullptr, command.kind == CommandKind::Link) << command.id;
        if (link != nullptr) {
            EXPECT_EQ(command.run.readsSymbol, link->path.find(kSymbolMark) != std::string_view::npos) << command.id;
        }
    }
    for (const LinkCommand& link : kLinkCommands) {
        const CommandInfo* command = FindCommand(link.id);
        ASSERT_NE(command, nullptr) << link.id;
        EXPECT_EQ(command->kind, CommandKind::Link) << link.id;
        EXPECT_TRUE(std::ranges::any_of(kHostRoles, [&](const HostRoleInfo& role) { return role.role == link.role; }))
            << link.id;
    }
}

TEST(CommandTable, ThePageBuilderCommandsAreTheMarketPages)
{
    const MarketPages pages;
    for (const CommandInfo& command : Commands())
        EXPECT_EQ(pages.ForCommand(command.id) != nullptr, command.kind == CommandKind::PageBuilder) << command.id;
    std::set<int> commands;
    for (const PageCompositor* page : pages.all()) {
        const CommandInfo* command = FindCommand(page->commandId());
        ASSERT_NE(command, nullptr) << page->className();
        EXPECT_EQ(command->kind, CommandKind::PageBuilder) << page->className();
        EXPECT_TRUE(commands.insert(page->commandId()).second) << page->className();
    }
}

TEST(Toolbar, EachButtonIsACommandWithATooltipShownOnceAndEachGroupFollowsOnePopup)
{
    ASSERT_FALSE(kToolbar.empty());
    EXPECT_NE(kToolbar.front(), kSeparator);
    EXPECT_NE(kToolbar.back(), kSeparator);
    std::set<int> buttons;
    const CommandInfo* previous = nullptr;
    for (const int id : kToolbar) {
        if (id == kSeparator) {
            EXPECT_NE(previous, nullptr) << "two separators in a row";
            previous = nullptr;
            continue;
        }
        const CommandInfo* command = FindCommand(id);
        ASSERT_NE(command, nullptr) << id;
        EXPECT_TRUE(buttons.insert(id).second) << id;
        EXPECT_FALSE(SplitPrompt(command->prompt).tooltip.empty()) << id;
        // The buttons between two separators come from one popup, in menu order.
        if (previous != nullptr) {
            EXPECT_EQ(command->popup, previous->popup) << id;
            EXPECT_LT(previous, command) << id;
        }
        previous = command;
    }
    // The data, chart page, market page and browser commands all have a
    // button, but for the quote service, which came after the buttons.
    for (const CommandInfo& command : Commands()) {
        const CommandKind kind = command.kind;
        if ((kind == CommandKind::DataLoad && command.id != kReadQuoteService) || kind == CommandKind::ChartPage ||
            kind == CommandKind::PageBuilder || kind == CommandKind::BrowserControl) {
            EXPECT_TRUE(buttons.contains(command.id)) << command.id;
        }
    }
}

TEST(SplitPrompt, StatusBeforeTheFirstNewlineTooltipAfter)
{
    const struct {
        std::string_view prompt, status, tooltip;
    } cases[] = {
        {"Stock Options\nOptions", "Stock Options", "Options"},
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
