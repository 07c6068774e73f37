#include "app/CHtmView.h"

#include "document/CTarnwickDoc.h"

#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <utility>

namespace {

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
    explicit BrowserPage(CHtmView& view) : QWebEnginePage(&view), view_(view) {}

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
    connect(this, &QWebEngineView::loadFinished, this, [this] { Q_EMIT documentComplete(url().toString()); });
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
    if (!addressOrPath.isEmpty())
        load(QUrl::fromUserInput(addressOrPath));
}
