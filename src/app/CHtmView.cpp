#include "app/CHtmView.h"

#include "document/CTarnwickDoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include <utility>

namespace {

// The scheme the view opens the pages of the page folder under; the address
// is the file's absolute path ("tarnwick-page:/home/.../htmmarketsummary.htm").
constexpr char kPageScheme[] = "tarnwick-page";

bool IsPageFile(const QString& name)
{
    return name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

// Serves the pages of the folders the view opened a page of the page folder
// from, and nothing else. A file: page may not load a file: frame once file
// access is off, but the frameset pages need their page beside them; a page
// of this scheme may, and its scheme gives every page an origin of its own, so
// a script in one reads neither its frames nor any file.
class PageFolderScheme : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void Serve(const QString& folder) { folders_.insert(folder); }

    void requestStarted(QWebEngineUrlRequestJob* job) override
    {
        const QFileInfo page(QDir::cleanPath(job->requestUrl().path()));
        auto* content = new QFile(page.filePath(), job);
        if (!folders_.contains(page.absolutePath()) || !IsPageFile(page.fileName()) ||
            !content->open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        job->reply(QByteArrayLiteral("text/html"), content);
    }

private:
    QSet<QString> folders_;
};

// The profile's handler, installed when the view first opens a page of the page folder.
PageFolderScheme& PageSchemeOf(QWebEngineProfile& profile)
{
    // The profile hands out its handlers const only; this one is ours.
    if (const QWebEngineUrlSchemeHandler* handler = profile.urlSchemeHandler(kPageScheme))
        return *static_cast<PageFolderScheme*>(const_cast<QWebEngineUrlSchemeHandler*>(handler));
    auto* handler = new PageFolderScheme(&profile);
    profile.installUrlSchemeHandler(kPageScheme, handler);
    return *handler;
}

// In a frame the engine's error page is only an icon; this adds a line saying
// which site failed and how. It runs in the error pages alone, apart from any
// page's own scripts.
constexpr char kFailedFrameScript[] = R"(
if (window !== top && location.protocol === 'chrome-error:') {
    const code = document.querySelector('.error-code');
    const line = document.createElement('p');
    // The error page's title is the site, wrapped in direction marks.
    const site = document.title.replace(/[\u200e\u200f\u202a-\u202e\u2066-\u2069]/g, '');
    line.textContent = site + ' could not be loaded' + (code ? ' (' + code.textContent.trim() + ')' : '') + '.';
    // Raised above the error page's own layers, which hide the text of theirs.
    line.style.cssText = 'position: relative; z-index: 1; margin: 8px; font: 14px sans-serif; color: #202020';
    document.body.prepend(line);
}
)";

// Stands in for a new window: it is never shown, takes the first real
// address the new window would load, hands it to the view and goes.
class NewWindowPage : public QWebEnginePage {
public:
    NewWindowPage(QWebEngineProfile* profile, CHtmView& view) : QWebEnginePage(profile, &view), view_(view) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override
    {
        // A script's window.open() creates the window on about:blank first.
        if (url.isEmpty() || url.scheme() == QLatin1String("about"))
            return true;
        view_.load(url);
        deleteLater();
        return false;
    }

private:
    CHtmView& view_;
};

class BrowserPage : public QWebEnginePage {
public:
    explicit BrowserPage(CHtmView& view) : QWebEnginePage(&view), view_(view)
    {
        // Local pages may show frames and images from outside sites, and, as
        // they may carry markup cut from those sites, a script in one may read
        // no other local file. (The pages of the page folder open under
        // kPageScheme, so that their own frames beside them show.)
        settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
        settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
        QWebEngineScript failedFrame;
        failedFrame.setSourceCode(QString::fromLatin1(kFailedFrameScript));
        failedFrame.setInjectionPoint(QWebEngineScript::DocumentReady);
        failedFrame.setWorldId(QWebEngineScript::ApplicationWorld);
        failedFrame.setRunsOnSubFrames(true);
        scripts().insert(failedFrame);
    }

protected:
    QWebEnginePage* createWindow(WebWindowType) override { return new NewWindowPage(profile(), view_); }

private:
    CHtmView& view_;
};

}  // namespace

CHtmView::CHtmView(CTarnwickDoc& document, QUrl startPage, QWidget* parent)
    : QWebEngineView(parent), document_(document), startPage_(std::move(startPage))
{
    setPage(new BrowserPage(*this));
    // A page that failed reports its address too, so that the address bar
    // shows what failed and the user can correct it.
    connect(this, &QWebEngineView::loadFinished, this, [this] { Q_EMIT documentComplete(Address().toString()); });
}

QUrl CHtmView::Address() const
{
    // The user knows a page of the page folder by its file.
    QUrl address = url();
    if (address.scheme() == QLatin1String(kPageScheme))
        address.setScheme(QStringLiteral("file"));
    return address;
}

void CHtmView::RegisterPageScheme()
{
    if (QWebEngineUrlScheme::schemeByName(kPageScheme).name() == kPageScheme)
        return;
    QWebEngineUrlScheme scheme(kPageScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::NoAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl CHtmView::StartPageUrl()
{
    // The resources of a static library are registered only when asked for.
    Q_INIT_RESOURCE(tarnwick);
    return QUrl(QStringLiteral("qrc:/tarnwick/start.htm"));
}

void CHtmView::OnInitialUpdate()
{
    if (document_.homePageShown != 1) {
        load(startPage_);
        document_.homePageShown = 1;
    }
}

void CHtmView::Navigate(const QString& addressOrPath)
{
    // An absolute path becomes a file URL; text typed into the address bar
    // without a scheme ("example.com") is taken as an http address.
    if (addressOrPath.isEmpty())
        return;
    QUrl address = QUrl::fromUserInput(addressOrPath);
    if (address.isLocalFile() && pageFolder_) {
        const QFileInfo file(QDir::cleanPath(address.toLocalFile()));
        const QString folder = QDir::cleanPath(QString::fromStdString(pageFolder_().string()));
        if (!folder.isEmpty() && file.absolutePath() == QFileInfo(folder).absoluteFilePath() &&
            IsPageFile(file.fileName())) {
            PageSchemeOf(*page()->profile()).Serve(file.absolutePath());
            address.setScheme(QLatin1String(kPageScheme));
        }
    }
    load(address);
}
