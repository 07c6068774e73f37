#include "app/CChildFrame.h"

#include "app/CHtmView.h"
#include "app/CMainFrame.h"
#include "app/CTWView.h"
#include "app/FrameServices.h"
#include "app/WebLoadProgress.h"
#include "base/Errors.h"
#include "document/CTarnwickDoc.h"
#include "document/CommandTable.h"
#include "document/LoadQuotes.h"
#include "pages/LinkCommands.h"

#include <QEventLoop>
#include <QStackedWidget>

#include <optional>
#include <span>
#include <string>
#include <utility>

namespace {

constexpr int kCommandsBeforeHomePage = 10;

// Gives the document's web access to one load and takes it back after, so
// nothing of this window stays behind in the document.
class ScopedWebAccess {
public:
    ScopedWebAccess(WebAccess& web, WebAccess forLoad) : web_(web) { web_ = std::move(forLoad); }
    ~ScopedWebAccess() { web_ = WebAccess(); }
    ScopedWebAccess(const ScopedWebAccess&) = delete;
    ScopedWebAccess& operator=(const ScopedWebAccess&) = delete;

private:
    WebAccess& web_;
};

QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

CChildFrame::CChildFrame(CTarnwickDoc& document, CMainFrame& mainFrame, const FrameServices& services,
                         QWidget* parent)
    : QMdiSubWindow(parent), document_(document), mainFrame_(mainFrame), services_(services),
      views_(new QStackedWidget(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(views_);
    SwitchView(kBrowserView);
}

void CChildFrame::SwitchView(int id)
{
    if (id == kBrowserView && browserView_ == nullptr) {
        const std::optional<std::string> home = ProductHomeUrl(services_.hosts);
        browserView_ = new CHtmView(document_, home ? QUrl(ToQString(*home)) : CHtmView::StartPageUrl(), views_);
        connect(browserView_, &CHtmView::documentComplete, &mainFrame_, &CMainFrame::SetAddress);
        browserView_->SetFavoritesBuilder([this](std::vector<std::string>& urls) {
            return mainFrame_.ShowFavorites(services_.favoritesFolder, urls);
        });
        views_->addWidget(browserView_);
        browserView_->OnInitialUpdate();
    }
    if (id != kBrowserView && chartView_ == nullptr) {
        chartView_ = new CTWView(document_, views_);
        views_->addWidget(chartView_);
        chartView_->OnInitialUpdate();
        FillFavoritesFromChartView();
    }
    views_->setCurrentWidget(id == kBrowserView ? static_cast<QWidget*>(browserView_) : chartView_);
    activeViewId = id == kBrowserView ? kBrowserView : kChartView;
}

void CChildFrame::PrepareWebCommand()
{
    if (activeViewId != kBrowserView)
        SwitchView(kBrowserView);
    mainFrame_.ReadSymbol();
    document_.symbol = mainFrame_.symbolText.isEmpty() ? "YHOO" : mainFrame_.symbolText.toStdString();
    mainFrame_.ReadSource();
    document_.sourceName = mainFrame_.sourceText.isEmpty() ? "Yahoo" : mainFrame_.sourceText.toStdString();
    CountCommand();
}

void CChildFrame::CountCommand()
{
    if (document_.commandCount == kCommandsBeforeHomePage && services_.openInUserBrowser) {
        if (const std::optional<std::string> home = ProductHomeUrl(services_.hosts))
            services_.openInUserBrowser(QUrl(ToQString(*home)));
    }
    ++document_.commandCount;
}

bool CChildFrame::OnCommand(int id)
{
    if (IsFavoriteEntry(id)) {
        SwitchView(kBrowserView);
        browserView_->NavigateFavorite(id);
        return true;
    }
    switch (id) {
    case kReadLocal: ReadQuotes(1); return true;
    case kReadWeb: ReadQuotes(2); return true;
    case kHistoricalCharts: ShowChartPage(0); return true;
    case kQuoteData: ShowChartPage(1); return true;
    case kMonthSpan:
        SwitchView(kChartView);
        document_.monthSpan = -document_.monthSpan;
        return true;
    case kBack: SwitchView(kBrowserView); browserView_->GoBack(); return true;
    case kForward: SwitchView(kBrowserView); browserView_->GoForward(); return true;
    case kRefresh: SwitchView(kBrowserView); browserView_->Refresh(); return true;
    case kStop: SwitchView(kBrowserView); browserView_->Stop(); return true;
    case kCut:
    case kCopy:
    case kPaste:
    case kSelectAll: EditCommand(id); return true;
    default: break;
    }
    if (FindLinkCommand(id) != nullptr) {
        OpenLink(id);
        return true;
    }
    if (const PageCompositor* page = document_.marketPages.ForCommand(id)) {
        BuildMarketPage(*page);
        return true;
    }
    return false;
}

void CChildFrame::ReadQuotes(int sourceMode)
{
    PrepareWebCommand();
    SwitchView(kChartView);
    document_.loadedSymbol = document_.symbol;
    document_.sourceMode = sourceMode;
    document_.chartPage = 0;
    // A web load reads through a progress dialog that lives for this command only.
    std::optional<WebLoadProgress> progress;
    std::optional<ScopedWebAccess> webAccess;
    if (sourceMode == 2) {
        progress.emplace(this, QStringLiteral("Read Web"),
                         QStringLiteral("Reading quotes for %1").arg(ToQString(document_.symbol)));
        WebAccess web;
        web.hosts = services_.hosts;
        web.fetch = [&progress](const PageRequest& request, std::span<char> buffer) {
            return progress->Fetch(request, buffer);
        };
        web.showMessage = [this](const std::string& message) {
            if (services_.showError)
                services_.showError(QString::fromStdString(message));
        };
        webAccess.emplace(document_.web, std::move(web));
    }
    try {
        LoadQuotes(document_);
    } catch (const FetchCancelled&) {
        // The user stopped it: the store stays cleared, with nothing to report.
        chartView_->viewport()->update();
        return;
    } catch (const TarnwickError& error) {
        // The store stays cleared; the views show that once they repaint.
        chartView_->viewport()->update();
        if (services_.showError)
            services_.showError(QString::fromUtf8(error.what()));
        return;
    }
    UpdateAllViews();
}

void CChildFrame::ShowChartPage(int page)
{
    SwitchView(kChartView);
    CountCommand();
    document_.chartPage = page;
    UpdateAllViews();
}

void CChildFrame::OpenLink(int id)
{
    const LinkCommand* link = FindLinkCommand(id);
    const CommandInfo* command = FindCommand(id);
    // The symbol pages read the symbol box first; Intraday Charts counts again.
    const bool symbolPage = command != nullptr && command->popup == MenuPopup::Stocks;
    if (symbolPage)
        PrepareWebCommand();
    if (id == kIntradayCharts)
        CountCommand();
    const std::optional<std::string> url = LinkUrl(id, document_.symbol, services_.hosts);
    if (!url)
        return;
    if (link->defaultBrowser) {
        if (services_.openInUserBrowser)
            services_.openInUserBrowser(QUrl(ToQString(*url)));
        return;
    }
    SwitchView(kBrowserView);
    browserView_->Navigate(ToQString(*url));
}

void CChildFrame::BuildMarketPage(const PageCompositor& page)
{
    // The symbol pages read the symbol box and are counted there; the
    // market pages count themselves once built.
    if (page.symbolPage())
        PrepareWebCommand();
    SwitchView(kBrowserView);
    const CommandInfo* command = FindCommand(page.commandId());
    const QString name = command ? ToQString(std::string(command->menuText)).remove(QLatin1Char('&')) : QString();
    const QString task = page.symbolPage() ? QStringLiteral("Building %1 for %2").arg(name, ToQString(document_.symbol))
                                           : QStringLiteral("Building %1").arg(name);
    WebLoadProgress progress(this, name, task);
    const PageBuild build{.hosts = services_.hosts,
                          .folder = services_.pageFolder,
                          .symbol = document_.symbol,
                          .watch = [&progress](const PageRequest& request) { return progress.Watch(request); }};
    std::filesystem::path file;
    try {
        file = page.Build(build);
    } catch (const FetchCancelled&) {
        return;  // the user stopped it; the browser keeps its page
    } catch (const TarnwickError& error) {
        if (services_.showError)
            services_.showError(QString::fromUtf8(error.what()));
        return;
    }
    if (!page.symbolPage())
        CountCommand();
    browserView_->Navigate(QString::fromStdString(file.string()));
}

void CChildFrame::EditCommand(int id)
{
    // The chart view takes the clipboard commands and does nothing with them.
    if (activeViewId != kBrowserView)
        return;
    switch (id) {
    case kCut: browserView_->Cut(); break;
    case kCopy: browserView_->Copy(); break;
    case kPaste: browserView_->Paste(); break;
    case kSelectAll: browserView_->SelectAll(); break;
    default: break;
    }
}

// The chart view fills the Favorites menu once per document as well, into a
// URL list of its own; the entries stay the same while the folder does.
void CChildFrame::FillFavoritesFromChartView()
{
    if (document_.favoritesBuiltChart != 1 && mainFrame_.ShowFavorites(services_.favoritesFolder, chartView_->favoriteUrls))
        document_.favoritesBuiltChart = 1;
}

bool CChildFrame::Print(QPrinter& printer)
{
    if (activeViewId != kBrowserView)
        return chartView_->Print(printer);
    QEventLoop printing;
    bool printed = false;
    connect(browserView_, &CHtmView::printFinished, &printing, [&](bool success) {
        printed = success;
        printing.quit();
    });
    browserView_->Print(printer);
    printing.exec();
    return printed;
}

void CChildFrame::OnAddressSelected()
{
    SwitchView(kBrowserView);
    mainFrame_.ReadAddressSelection();
    browserView_->Navigate(mainFrame_.addressText);
}

void CChildFrame::OnAddressEntered()
{
    SwitchView(kBrowserView);
    mainFrame_.ReadAddressEntry();
    browserView_->Navigate(mainFrame_.addressText);
}

void CChildFrame::UpdateAllViews()
{
    if (chartView_ != nullptr)
        chartView_->viewport()->update();
}
