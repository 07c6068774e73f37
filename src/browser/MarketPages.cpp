#include "browser/MarketPages.h"

#include "browser/MarketPageTable.h"

MarketUpdatePage::MarketUpdatePage()
    : FramesetPage({32807, "MarketUpdatePage", "htmmarketupdate.htm", false},
                   {HostRole::FinancialNews, "/bbn/snapshot.html"}, {HostRole::MarketBriefing, "/intro/i_stocks.htm"})
{
}

StocksOnTheMovePage::StocksOnTheMovePage()
    : FramesetPage({32809, "StocksOnTheMovePage", "htmstocksmove.htm", false},
                   {HostRole::MarketBriefing, "/intro/I_inplay.htm"}, {HostRole::MarketData, "/pl/wsrn/padvance.asp"})
{
}

NewsIndexPage::NewsIndexPage()
    : ComposedPage({32808, "NewsIndexPage", "htmnewsindex.htm", false}, NewsIndexRecipe())
{
}

MarketAnalysisPage::MarketAnalysisPage()
    : ComposedPage({32811, "MarketAnalysisPage", "htmmarketanal.htm", false}, MarketAnalysisRecipe())
{
}

StockAnalysisPage::StockAnalysisPage()
    : ComposedPage({32813, "StockAnalysisPage", "htmstockanal.htm", false}, StockAnalysisRecipe())
{
}

IpoPage::IpoPage() : ComposedPage({32814, "IpoPage", "htmipo.htm", false}, IpoRecipe()) {}

PriceForecastPage::PriceForecastPage()
    : ComposedPage({32816, "PriceForecastPage", "htmsupport.htm", true}, PriceForecastRecipe())
{
}

CompanyProfilePage::CompanyProfilePage()
    : ComposedPage({32817, "CompanyProfilePage", "htmprofile.htm", true}, CompanyProfileRecipe())
{
}

StockNewsPage::StockNewsPage()
    : ComposedPage({32819, "StockNewsPage", "htmstocknews.htm", true}, StockNewsRecipe())
{
}

MessageBoardsPage::MessageBoardsPage()
    : ComposedPage({32821, "MessageBoardsPage", "htmmessageboards.htm", true}, MessageBoardsRecipe())
{
}

StockEvaluatorPage::StockEvaluatorPage()
    : ComposedPage({32838, "StockEvaluatorPage", "htmstockevaluator.htm", true}, StockEvaluatorRecipe())
{
}

std::array<const PageCompositor*, 12> MarketPages::all() const
{
    return {&marketUpdatePage,    &newsIndexPage,      &stocksOnTheMovePage, &marketAnalysisPage,
            &stockAnalysisPage,   &ipoPage,            &priceForecastPage,   &companyProfilePage,
            &stockNewsPage,       &messageBoardsPage,  &stockEvaluatorPage,  &dowChartsPage};
}

const PageCompositor* MarketPages::ForCommand(int commandId) const
{
    for (const PageCompositor* page : all())
        if (page->commandId() == commandId)
            return page;
    return nullptr;
}

const PageCompositor* MarketPages::Named(std::string_view name) const
{
    for (const PageCompositor* page : all())
        if (page->className() == name || page->fileName() == name)
            return page;
    return nullptr;
}
