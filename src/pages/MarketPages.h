#pragma once

#include "pages/ComposedPage.h"
#include "pages/FramesetPage.h"

#include <array>
#include <string_view>

// The twelve market pages. Each class fixes its command, its file and its
// recipe or frames; the document owns one of each.

class MarketUpdatePage final : public FramesetPage {
public:
    MarketUpdatePage();
};

class StocksOnTheMovePage final : public FramesetPage {
public:
    StocksOnTheMovePage();
};

class NewsIndexPage final : public ComposedPage {
public:
    NewsIndexPage();
};

class MarketAnalysisPage final : public ComposedPage {
public:
    MarketAnalysisPage();
};

class StockAnalysisPage final : public ComposedPage {
public:
    StockAnalysisPage();
};

class IpoPage final : public ComposedPage {
public:
    IpoPage();
};

class PriceForecastPage final : public ComposedPage {
public:
    PriceForecastPage();
};

class CompanyProfilePage final : public ComposedPage {
public:
    CompanyProfilePage();
};

class StockNewsPage final : public ComposedPage {
public:
    StockNewsPage();
};

class MessageBoardsPage final : public ComposedPage {
public:
    MessageBoardsPage();
};

class StockEvaluatorPage final : public ComposedPage {
public:
    StockEvaluatorPage();
};

// One compositor of each page.
class MarketPages {
public:
    MarketPages() = default;
    MarketPages(const MarketPages&) = delete;
    MarketPages& operator=(const MarketPages&) = delete;

    MarketUpdatePage marketUpdatePage;
    NewsIndexPage newsIndexPage;
    StocksOnTheMovePage stocksOnTheMovePage;
    MarketAnalysisPage marketAnalysisPage;
    StockAnalysisPage stockAnalysisPage;
    IpoPage ipoPage;
    PriceForecastPage priceForecastPage;
    CompanyProfilePage companyProfilePage;
    StockNewsPage stockNewsPage;
    MessageBoardsPage messageBoardsPage;
    StockEvaluatorPage stockEvaluatorPage;
    DowChartsPage dowChartsPage;

    // All twelve, in the order of the members.
    std::array<const PageCompositor*, 12> all() const;

    // The compositor of command `commandId`, or nullptr.
    const PageCompositor* ForCommand(int commandId) const;

    // The compositor whose class name or page file name is `name`, or nullptr.
    const PageCompositor* Named(std::string_view name) const;
};
