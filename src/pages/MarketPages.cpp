#include "pages/MarketPages.h"

#include "base/CommandIds.h"
#include "pages/MarketPageTable.h"

MarketUpdatePage::MarketUpdatePage()
    : FramesetPage({kMarketUpdate, "MarketUpdatePage", "htmmarketupdate.htm"},
                   {HostRole::FinancialNews, "/bbn/snapshot.html"}, {HostRole::MarketBriefing, "/intro/i_stocks.htm"})
{
}

StocksOnTheMovePage::StocksOnTheMovePage()
    : FramesetPage({kStocksOnTheMove, "StocksOnTheMovePage", "htmstocksmove.htm"},
                   {HostRole::MarketBriefing, "/intro/I_inplay.htm"}, {HostRole::MarketData, "/pl/wsrn/padvance.asp"})
{
}

NewsIndexPage::NewsIndexPage()
    : ComposedPage({kNewsIndex, "NewsIndexPage", "htmnewsindex.htm"}, NewsIndexRecipe())
{
}

MarketAnalysisPage::MarketAnalysisPage()
    : ComposedPage({kMarketAnalysis, "MarketAnalysisPage", "htmmarketanal.htm"}, MarketAnalysisRecipe())
{
}

StockAnalysisPage::StockAnalysisPage()
    : ComposedPage({kStockAnalysis, "StockAnalysisPage", "htmstockanal.htm"}, StockAnalysisRecipe())
{
}

IpoPage::IpoPage() : ComposedPage({kIpoResearch, "IpoPage", "htmipo.htm"}, IpoRecipe()) {}

PriceForecastPage::PriceForecastPage()
    : ComposedPage({kPriceForecast, "PriceForecastPage", "htmsupport.htm"}, PriceForecastRecipe())
{
}

CompanyProfilePage::CompanyProfilePage()
    : ComposedPage({kCompanyProfile, "CompanyProfilePage", "htmprofile.htm"}, CompanyProfileRecipe())
{
}

StockNewsPage::StockNewsPage()
    : ComposedPage({kStockNews, "StockNewsPage", "htmstocknews.htm"}, StockNewsRecipe())
{
}

MessageBoardsPage::MessageBoardsPage()
    : ComposedPage({kMessageBoards, "MessageBoardsPage", "htmmessageboards.htm"}, MessageBoardsRecipe())
{
}

StockEvaluatorPage::StockEvaluatorPage()
    : ComposedPage({kStockEvaluator, "StockEvaluatorPage", "htmstockevaluator.htm"}, StockEvaluatorRecipe())
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
