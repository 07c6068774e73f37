#pragma once

#include "document/CommandTable.h"

#include <QString>
#include <QUrl>
#include <QWebEngineView>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CTarnwickDoc;
class QPrinter;

// The browser window of a document: web pages and the composed market pages,
// shown by QtWebEngine. Pages load asynchronously; documentComplete reports
// each one that finished. The view opens the start page once per document and
// asks its owner to build the Favorites menu once per document. A link or
// script that wants a new window opens its page in this view instead, after
// the page shown, so Back returns to it.
class CHtmView : public QWebEngineView {
    Q_OBJECT

public:
    // Fills the Favorites menu and the URL list it is given (index i is the
    // URL of command 3584 + i); returns false when the Favorites folder could
    // not be found, so that the next view of the document tries again.
    using FavoritesBuilder = std::function<bool(std::vector<std::string>& favoriteUrls)>;

    // The document must outlive the view. `startPage` is the product site's
    // "/index.htm", or StartPageUrl() when no product site is configured.
    CHtmView(CTarnwickDoc& document, QUrl startPage, QWidget* parent = nullptr);

    // The start page shipped with the program (a Qt resource, "qrc:" scheme).
    static QUrl StartPageUrl();

    // Called before OnInitialUpdate; without a builder no menu is built and
    // the document's favoritesBuiltBrowser flag stays unset.
    void SetFavoritesBuilder(FavoritesBuilder builder) { buildFavorites_ = std::move(builder); }

    // Opens the start page if the document has not shown it yet, and builds
    // the Favorites menu if no browser view of the document has built it.
    void OnInitialUpdate();

    // An address with a scheme (http, https, file, ...) or a full local file
    // path; empty text does nothing. Returns at once; the page loads later.
    void Navigate(const QString& addressOrPath);

    void GoBack() { back(); }
    void GoForward() { forward(); }
    void Refresh() { reload(); }
    void Stop() { stop(); }

    // Act on the page shown, without asking the user anything. The view must
    // be visible: a hidden view's page has no focused frame to act on.
    void Cut() { triggerPageAction(QWebEnginePage::Cut); }
    void Copy() { triggerPageAction(QWebEnginePage::Copy); }
    void Paste() { triggerPageAction(QWebEnginePage::Paste); }
    void SelectAll() { triggerPageAction(QWebEnginePage::SelectAll); }

    // Command 3584 + i opens favoriteUrls[i]; a command without a URL in the
    // list does nothing.
    void NavigateFavorite(int commandId);

    // Prints the page shown. Printing is asynchronous: this returns at once
    // and printFinished(bool) is emitted when the page is on the printer,
    // which must stay alive until then. One print at a time.
    void Print(QPrinter& printer) { print(&printer); }

    // The URL of each Favorites entry, filled by the builder; never cleared.
    std::vector<std::string> favoriteUrls;

Q_SIGNALS:
    // A page finished loading, or failed to (the engine's error page shows);
    // `url` is its address as the browser reports it ("file:///..." for a
    // local file).
    void documentComplete(const QString& url);

private:
    CTarnwickDoc& document_;
    QUrl startPage_;
    FavoritesBuilder buildFavorites_;
};
