#include "app/CChildFrame.h"

#include "app/CHtmView.h"
#include "app/CMainFrame.h"
#include "app/CTWView.h"
#include "app/FrameServices.h"
#include "app/WebLoadProgress.h"
#include "base/Errors.h"
#include "chart/ChartZoom.h"
#include "document/CTarnwickDoc.h"
#include "document/CommandRules.h"
#include "document/CommandTable.h"
#include "document/LoadQuotes.h"
#include "pages/LinkCommands.h"

#include <QEventLoop>
#include <QLineEdit>
#include <QStackedWidget>
#include <QStringList>
#include <QWebEnginePage>

#include <cmath>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace {

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

QString ZoomNotice(double zoom)
{
    return QStringLiteral("Zoom %1%").arg(std::lround(zoom * 100));
}

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
        browserView_->SetPageFolder([this] { return services_.pageFolder; });
        connect(browserView_, &QWebEngineView::selectionChanged, this, &CChildFrame::AskPageCanCut);
        connect(browserView_, &QWebEngineView::loadStarted, this, &CChildFrame::AskPageCanCut);
        views_->addWidget(browserView_);
        browserView_->OnInitialUpdate();
    }
    if (id != kBrowserView && chartView_ == nullptr) {
        chartView_ = new CTWView(document_, views_);
        connect(chartView_, &CTWView::readoutChanged, &mainFrame_, &CMainFrame::ShowReadout);
        connect(chartView_, &CTWView::zoomChanged, this,
                [this](double zoom) { mainFrame_.ShowNotice(ZoomNotice(zoom)); });
        views_->addWidget(chartView_);
        chartView_->OnInitialUpdate();
    }
    views_->setCurrentWidget(id == kBrowserView ? static_cast<QWidget*>(browserView_) : chartView_);
    activeViewId = id == kBrowserView ? kBrowserView : kChartView;
    Q_EMIT editStateChanged();
}

bool CChildFrame::CanCut() const
{
    return activeViewId == kBrowserView && pageCanCut_;
}

// The engine enables its own Cut wherever the page has the focus, editable
// or not, so the page itself is asked.
void CChildFrame::AskPageCanCut()
{
    static const QString editableSelection = QStringLiteral(
        "(function() { const e = document.activeElement; if (!e) return false;"
        " if (e.isContentEditable) return !window.getSelection().isCollapsed;"
        " if ((e.tagName === 'INPUT' || e.tagName === 'TEXTAREA') && !e.readOnly && !e.disabled)"
        "   return e.selectionStart !== e.selectionEnd;"
        " return false; })()");
    browserView_->page()->runJavaScript(editableSelection, [self = std::weak_ptr(self_)](const QVariant& can) {
        if (const std::shared_ptr<CChildFrame*> frame = self.lock()) {
            (*frame)->pageCanCut_ = can.toBool();
            Q_EMIT (*frame)->editStateChanged();
        }
    });
}

void CChildFrame::PrepareWebCommand()
{
    if (activeViewId != kBrowserView)
        SwitchView(kBrowserView);
    mainFrame_.ReadSymbol();
    mainFrame_.ReadSource();
    FollowCount(::PrepareWebCommand(document_, mainFrame_.symbolText.toStdString(),
                                    mainFrame_.sourceText.toStdString()));
}

void CChildFrame::FollowCount(CountResult count)
{
    if (!count.openHomePage || !services_.openInUserBrowser)
        return;
    if (const std::optional<std::string> home = ProductHomeUrl(services_.hosts))
        services_.openInUserBrowser(QUrl(ToQString(*home)));
    else
        mainFrame_.ShowNotice(ToQString(NoProductSiteMessage("The program's home page")));
}

bool CChildFrame::OnCommand(int id)
{
    if (IsFavoriteEntry(id)) {
        SwitchView(kBrowserView);
        browserView_->Navigate(mainFrame_.FavoriteUrl(id));
        return true;
    }
    const CommandInfo* command = FindCommand(id);
    if (command == nullptr || command->kind == CommandKind::Standard ||
        command->kind == CommandKind::FavoritesPlaceholder)
        return false;
    if (command->run.readsSymbol)
        PrepareWebCommand();
    if (RunCommand(*command) && command->run.counted)
        FollowCount(CountCommand(document_));
    return true;
}

bool CChildFrame::RunCommand(const CommandInfo& command)
{
    switch (command.kind) {
    case CommandKind::DataLoad: return ReadQuotes(command);
    case CommandKind::LoadSetting:
        SwitchView(kChartView);
        SwitchMonthSpan(document_);
        return true;
    case CommandKind::ChartPage: ShowChartPage(command.run.chartPage); return true;
    case CommandKind::PageBuilder: return BuildMarketPage(command);
    case CommandKind::Link: OpenLink(command.id); return true;
    case CommandKind::BrowserControl:
        SwitchView(kBrowserView);
        RunBrowserAction(command.run.browserAction);
        return true;
    case CommandKind::Clipboard:
        // The chart view takes the clipboard commands and does nothing with them.
        if (activeViewId == kBrowserView)
            RunBrowserAction(command.run.browserAction);
        return true;
    case CommandKind::Zoom: Zoom(command.run.zoom); return true;
    case CommandKind::FavoritesPlaceholder:
    case CommandKind::Standard: return false;
    }
    return false;
}

bool CChildFrame::ReadQuotes(const CommandInfo& command)
{
    const int sourceMode = command.run.sourceMode;
    SwitchView(kChartView);
    // The quote service's history replaces the chart only once it has been read.
    const bool keepsChartOnFailure = sourceMode == CTarnwickDoc::kCsvService;
    if (!keepsChartOnFailure)
        PrepareQuoteLoad(document_, sourceMode);
    // A web load reads through a progress dialog that lives for this command only.
    std::optional<WebLoadProgress> progress;
    std::optional<ScopedWebAccess> webAccess;
    if (sourceMode != CTarnwickDoc::kLocalFiles) {
        progress.emplace(this, ToQString(std::string(SplitPrompt(command.prompt).tooltip)),
                         QStringLiteral("Reading quotes for %1").arg(ToQString(document_.symbol)),
                         services_.hosts.commandTime());
        WebAccess web;
        web.hosts = services_.hosts;
        web.fetch = [&progress](const PageRequest& request, std::span<char> buffer) {
            return progress->Fetch(request, buffer);
        };
        web.showMessage = [this, &progress](const std::string& message) {
            progress->Close();
            ShowError(message);
        };
        webAccess.emplace(document_.web, std::move(web));
    }
    try {
        if (keepsChartOnFailure)
            ReadQuoteService(document_);
        else
            LoadQuotes(document_);
    } catch (const FetchCancelled&) {
        // The user stopped it: nothing to report; a cleared store shows once the view repaints.
        chartView_->Refresh();
        return false;
    } catch (const TarnwickError& error) {
        // The views show what the failed load left: a cleared store, or the quote service's chart as it was.
        chartView_->Refresh();
        if (progress)
            progress->Close();
        ShowError(error.what());
        return false;
    }
    // An empty or unreadable history is no chart: say why rather than show a blank page.
    if (sourceMode == CTarnwickDoc::kLocalFiles && document_.store.barCount < 1) {
        chartView_->Refresh();
        ShowError(NoBarsMessage(document_));
        return false;
    }
    ShowLoadedQuotes();
    return true;
}

bool CChildFrame::ImportQuotes(const std::filesystem::path& file)
{
    SwitchView(kChartView);
    try {
        ::ImportQuotes(document_, file);
    } catch (const TarnwickError& error) {
        ShowError(error.what());
        return false;
    }
    // The Symbol box takes the symbol the file was imported as.
    mainFrame_.symbolBox()->setText(ToQString(document_.symbol));
    ShowLoadedQuotes();
    return true;
}

void CChildFrame::ShowLoadedQuotes()
{
    UpdateAllViews();
    if (!document_.csvReport.layout.empty())
        mainFrame_.ShowNotice(ToQString(document_.csvReport.Summary()));
    else if (const std::string untied = UntiedQuotesNotice(document_); !untied.empty())
        mainFrame_.ShowNotice(ToQString(untied));
}

void CChildFrame::ShowChartPage(int page)
{
    SwitchView(kChartView);
    document_.chartPage = page;
    UpdateAllViews();
}

void CChildFrame::OpenLink(int id)
{
    const std::optional<std::string> url = LinkUrl(id, document_.symbol, services_.hosts);
    if (!url) {
        const QString name = ToQString(std::string(FindCommand(id)->menuText)).remove(QLatin1Char('&'));
        ShowError(LinkUnavailableReason(id, name.toStdString(), document_.symbol, services_.hosts));
        return;
    }
    if (FindLinkCommand(id)->defaultBrowser) {
        if (services_.openInUserBrowser)
            services_.openInUserBrowser(QUrl(ToQString(*url)));
        return;
    }
    SwitchView(kBrowserView);
    browserView_->Navigate(ToQString(*url));
}

bool CChildFrame::BuildMarketPage(const CommandInfo& command)
{
    const PageCompositor* page = document_.marketPages.ForCommand(command.id);
    if (page == nullptr)
        return false;
    SwitchView(kBrowserView);
    const QString name = ToQString(std::string(command.menuText)).remove(QLatin1Char('&'));
    const QString task = command.run.readsSymbol
                             ? QStringLiteral("Building %1 for %2").arg(name, ToQString(document_.symbol))
                             : QStringLiteral("Building %1").arg(name);
    WebLoadProgress progress(this, name, task, services_.hosts.commandTime());
    QStringList warnings;
    const PageBuild build{.hosts = services_.hosts,
                          .folder = services_.pageFolder,
                          .symbol = document_.symbol,
                          .watch = [&progress](const PageRequest& request) { return progress.Watch(request); },
                          .limits = progress.limits(),
                          .warn = [&warnings](const std::string& warning) {
                              warnings.append(QString::fromStdString(warning));
                          }};
    std::filesystem::path file;
    try {
        file = page->Build(build);
    } catch (const FetchCancelled&) {
        return false;  // the user stopped it; the browser keeps its page
    } catch (const TarnwickError& error) {
        progress.Close();
        ShowError(error.what());
        return false;
    }
    browserView_->Navigate(QString::fromStdString(file.string()));
    // The page shows what it could; the status bar says which sites left a gap.
    if (!warnings.isEmpty())
        mainFrame_.ShowNotice(warnings.join(QLatin1Char(' ')));
    return true;
}

// The chart view zooms its page; the browser view its web page, through the
// same steps (a web page has no width to fit).
void CChildFrame::Zoom(ZoomStep step)
{
    if (activeViewId == kChartView) {
        switch (step) {
        case ZoomStep::In: chartView_->ZoomIn(); break;
        case ZoomStep::Out: chartView_->ZoomOut(); break;
        case ZoomStep::ActualSize: chartView_->ZoomToActualSize(); break;
        case ZoomStep::FitWidth: chartView_->FitWidth(); break;
        case ZoomStep::None: break;
        }
        return;
    }
    const double zoom = browserView_->zoomFactor();
    switch (step) {
    case ZoomStep::In: browserView_->setZoomFactor(ZoomedIn(zoom)); break;
    case ZoomStep::Out: browserView_->setZoomFactor(ZoomedOut(zoom)); break;
    case ZoomStep::ActualSize: browserView_->setZoomFactor(1); break;
    case ZoomStep::FitWidth:
    case ZoomStep::None: return;
    }
    mainFrame_.ShowNotice(ZoomNotice(browserView_->zoomFactor()));
}

void CChildFrame::RunBrowserAction(BrowserAction action)
{
    switch (action) {
    case BrowserAction::Back: browserView_->GoBack(); return;
    case BrowserAction::Forward: browserView_->GoForward(); return;
    case BrowserAction::Refresh: browserView_->Refresh(); return;
    case BrowserAction::Stop: browserView_->Stop(); return;
    case BrowserAction::Cut: browserView_->Cut(); return;
    case BrowserAction::Copy: browserView_->Copy(); return;
    case BrowserAction::Paste: browserView_->Paste(); return;
    case BrowserAction::SelectAll: browserView_->SelectAll(); return;
    case BrowserAction::None: return;
    }
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

int CChildFrame::PrintSheetCount(const QPrinter& printer) const
{
    return activeViewId != kBrowserView ? chartView_->SheetCount(printer) : 0;
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

void CChildFrame::ShowError(std::string_view message) const
{
    if (services_.showError)
        services_.showError(QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())));
}

void CChildFrame::UpdateAllViews()
{
    if (chartView_ != nullptr)
        chartView_->Refresh();
}
