#pragma once

#include "document/CommandTable.h"

#include <QString>
#include <QUrl>
#include <QWebEngineView>

#include <filesystem>
#include <functional>
#include <utility>

class CTarnwickDoc;
class QPrinter;

// The browser window of a document: web pages and the composed market pages,
// shown by QtWebEngine. Pages load asynchronously; documentComplete reports
// each one that finished. The view opens the start page once per document. A link or
// script that wants a new window opens its page in this view instead, after
// the page shown, so Back returns to it.
class CHtmView : public QWebEngineView {
    Q_OBJECT

public:
    // The document must outlive the view. `startPage` is the product site's
    // "/index.htm", or StartPageUrl() when no product site is configured.
    CHtmView(CTarnwickDoc& document, QUrl startPage, QWidget* parent = nullptr);

    // The start page shipped with the program (a Qt resource, "qrc:" scheme).
    static QUrl StartPageUrl();

    // Makes the scheme the pages of the page folder open under known to the
    // browser engine; must run before the first browser object exists.
    static void RegisterPageScheme();

    // Where the composed market pages are; asked on each navigation, since
    // the user may choose another folder. A page there opens so that its
    // frames beside it show (see Navigate).
    void SetPageFolder(std::function<std::filesystem::path()> pageFolder) { pageFolder_ = std::move(pageFolder); }

    // Opens the start page if the document has not shown it yet.
    void OnInitialUpdate();

    // An address with a scheme (http, https, file, ...) or a full local file
    // path; empty text does nothing. Returns at once; the page loads later.
    // A page file of the page folder opens under a scheme of the program's
    // own that lets it show the pages beside it in its frames, though never
    // lets a script read them or any other file; documentComplete still
    // names it by its file: address.
    void Navigate(const QString& addressOrPath);

    // The address of the page shown: url(), but a page of the page folder by
    // its file: address.
    QUrl Address() const;

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

    // Prints the page shown. Printing is asynchronous: this returns at once
    // and printFinished(bool) is emitted when the page is on the printer,
    // which must stay alive until then. One print at a time.
    void Print(QPrinter& printer) { print(&printer); }

Q_SIGNALS:
    // A page finished loading, or failed to (the engine's error page shows);
    // `url` is its address as the browser reports it ("file:///..." for a
    // local file).
    void documentComplete(const QString& url);

private:
    CTarnwickDoc& document_;
    QUrl startPage_;
    std::function<std::filesystem::path()> pageFolder_;
};
