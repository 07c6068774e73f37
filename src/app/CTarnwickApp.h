#pragma once

#include "app/FrameServices.h"
#include "app/ProgramSettings.h"
#include "app/RecentFileList.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CChildFrame;
class CMainFrame;
class CTarnwickDoc;
class PrintCommands;

// The program: reads the command line and the settings, makes the main
// window and the documents, and hands every command to the window it is for.
class CTarnwickApp : public QObject {
    Q_OBJECT

public:
    // The options of the command line (program name first).
    struct Options {
        std::optional<std::string> quoteDir;  // --quote-dir DIR
        std::optional<std::string> symbol;    // --symbol SYMBOL
        std::optional<std::string> config;    // --config FILE: the hosts file
        std::optional<std::string> allHosts;  // --all-hosts HOST:PORT: every site at one server
        std::optional<std::string> file;      // a ".stk" document to open
    };
    // Nothing, with the reason in `error`, when the arguments are wrong.
    static std::optional<Options> ParseOptions(const QStringList& arguments, QString& error);

    CTarnwickApp();
    ~CTarnwickApp() override;

    // Shows the main window maximized with one new document on its browser
    // view, or the document file of the command line. False when the program
    // cannot start.
    bool InitInstance(const Options& options);

    // A new document in a window of its own, titled Stock1, Stock2, ...
    CChildFrame* NewDocument();
    // A ".stk" file: its document is a new one (the file holds nothing),
    // titled with the file's name. A file already open gets its window
    // activated. nullptr, with the user told why, when it cannot be read.
    CChildFrame* OpenDocumentFile(const QString& path);
    // Writes the frame's document to its file, asking for a name first when
    // it has none or `askForName` is set. False when cancelled or failed.
    bool SaveDocument(CChildFrame& frame, bool askForName);
    // Another window on the frame's document.
    CChildFrame* NewWindow(CChildFrame& frame);
    // The folders of the Settings dialog; they take effect at once and are
    // kept for the next start.
    void ApplySettings(const ProgramSettings& settings);

    CMainFrame* mainFrame() const { return mainFrame_.get(); }
    FrameServices& services() { return services_; }
    const ProgramSettings& settings() const { return settings_; }
    const QStringList& recentFiles() const { return recentFiles_.paths(); }
    // The file a document was saved to or opened from; empty before.
    QString documentPath(const CChildFrame& frame) const;

    // Asks for a file to open (`save` false) or to save to; empty when the
    // user cancelled. Tests put a stand-in here.
    std::function<QString(bool save, const QString& suggestion)> chooseFile;

private:
    struct OpenDocument;

    void OnCommand(int id);
    bool OnDocumentCommand(int id, CChildFrame& frame);
    bool OnWindowCommand(int id);
    CChildFrame* ActiveFrame() const;
    CChildFrame* AddWindow(OpenDocument& entry);
    OpenDocument* Find(const CChildFrame& frame) const;
    void Retitle(OpenDocument& entry);
    void RememberFile(const QString& path);
    void SendDocument(CChildFrame& frame);
    void EditSettings();
    void UpdateCommandStates();
    void ShowError(const QString& message) const;

    FrameServices services_;
    ProgramSettings settings_;
    RecentFileList recentFiles_;
    std::unique_ptr<CMainFrame> mainFrame_;
    std::unique_ptr<PrintCommands> printCommands_;
    std::vector<std::unique_ptr<OpenDocument>> documents_;
    int untitledCount_ = 0;
};
