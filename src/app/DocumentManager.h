#pragma once

#include "app/RecentFileList.h"
#include "base/CommandIds.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CChildFrame;
class CMainFrame;
struct FrameServices;

// The open documents and the windows that show them: New, Open, Import
// Quotes, Save, Save As and New Window, files dropped on the main window, the
// window titles (Stock1, Stock2, ... or the name of the document's file) and
// the File menu's recent files. A document goes with its last window.
class DocumentManager : public QObject {
    Q_OBJECT

public:
    // Reads the recent files from the user's settings. The main window and
    // the services must outlive the manager.
    DocumentManager(CMainFrame& mainFrame, const FrameServices& services);
    // Closes the windows before the documents they show go.
    ~DocumentManager() override;

    // A new document in a window of its own, titled Stock1, Stock2, ...
    CChildFrame* NewDocument();
    // A ".stk" file: its document is a new one (the file holds nothing),
    // titled with the file's name. A file already open gets its window
    // activated. nullptr, with the user told why, when it cannot be read.
    CChildFrame* OpenDocumentFile(const QString& path);
    // Asks for a ".stk" file and opens it; nothing when the user cancels.
    void Open();
    // Asks for a CSV history and imports it into the active document, or a
    // new one when none is open (CChildFrame::ImportQuotes); nothing when the
    // user cancels.
    void ImportQuotes();
    // Files dropped on the main window, in order: a ".stk" file opens as
    // Open does; any other file is taken for a CSV history and imported, the
    // first into the active document (a new one when none is open), each
    // further one into a new document.
    void OpenDroppedFiles(const QStringList& paths);
    // Opens entry `index` (0 the newest) of the recent files; a file that is
    // gone since is reported and leaves the list.
    void OpenRecentFile(int index);
    // Writes the frame's document to its file, asking for a name first when
    // it has none or `askForName` is set. False when cancelled or failed.
    bool SaveDocument(CChildFrame& frame, bool askForName);
    // Another window on the frame's document, numbered with the others.
    CChildFrame* NewWindow(CChildFrame& frame);
    // A new document that reads `symbol` from `quoteFolder` as Stocks > Read
    // C:\ does: the symbol goes into the Symbol box, then the window runs the
    // command. The document keeps that folder until the settings change it.
    CChildFrame* ReadInNewDocument(const QString& quoteFolder, const QString& symbol);

    // The folder of quotes.csv and table.csv for every open document and
    // every one made from now on.
    void SetQuoteDir(const std::string& folder);

    bool empty() const { return documents_.empty(); }
    // The document's title, "Stock1" or the name of its file; empty for a
    // window that is not one of these.
    QString title(const CChildFrame& frame) const;
    // The file a document was saved to or opened from; empty before.
    QString path(const CChildFrame& frame) const;
    // Newest first, at most kRecentFileCount.
    const QStringList& recentFiles() const { return recentFiles_.paths(); }

    // `name` with ".stk" added when it has no extension.
    static QString WithStockExtension(const QString& name);

    // What a file dialog asks for.
    enum class FileChoice { OpenDocument, SaveDocument, ImportQuotes, ScreenFolder };
    // Asks for a file to open, save to or import, or a quote folder to
    // screen; empty when the user cancelled. `suggestion` is a file or a
    // folder to start in. Tests put a stand-in here.
    std::function<QString(FileChoice choice, const QString& suggestion)> chooseFile;

Q_SIGNALS:
    // A window was added or has gone, and with it perhaps a document.
    void documentsChanged();

private:
    struct OpenDocument;

    CChildFrame* AddWindow(OpenDocument& entry);
    // The window shown last in the MDI area, even while another program is
    // active; a new document's when none is open.
    CChildFrame* CurrentOrNewWindow();
    void OnWindowGone(CChildFrame* window);
    OpenDocument* Find(const CChildFrame& frame) const;
    void Retitle(OpenDocument& entry);
    void RememberFile(const QString& path);
    void SaveRecentFiles();
    void ShowError(const QString& message) const;

    CMainFrame& mainFrame_;
    const FrameServices& services_;
    RecentFileList recentFiles_;
    std::vector<std::unique_ptr<OpenDocument>> documents_;
    std::string quoteDir_;
    int untitledCount_ = 0;
};
