#pragma once

#include "app/FrameServices.h"
#include "app/ProgramSettings.h"

#include <QObject>

#include <memory>

class CChildFrame;
class CMainFrame;
class DocumentManager;
class PrintCommands;
class ScreenerWindow;
struct CommandLine;

// The program: reads the settings, makes the main window and the first
// document, hands every command to the part of the program it is for, and
// keeps the commands' enabled states up to date.
class CTarnwickApp : public QObject {
    Q_OBJECT

public:
    CTarnwickApp();
    ~CTarnwickApp() override;

    // Shows the main window maximized with one new document on its browser
    // view, or the document file of the command line (a file that cannot be
    // read is reported and a new document shown instead). False, with the
    // reason in `error` and no window made, when the program cannot start:
    // the hosts file named with --config cannot be read, or --all-hosts is
    // not HOST:PORT. A hosts file found in its default place that cannot be
    // read is reported, and the built-in addresses are used.
    bool InitInstance(const CommandLine& commandLine, QString& error);

    // The folders of the Settings dialog; they take effect at once and are
    // kept for the next start. A settings file that cannot be written is
    // reported: the folders then last until the program ends.
    void ApplySettings(const ProgramSettings& settings);

    // A file handed over by a second start of the program: a document file
    // opens in its own window, a CSV history is imported as a dropped one
    // is, and the main window comes to the front.
    void OpenHandedFile(const QString& file);

    // These two exist once InitInstance has succeeded.
    CMainFrame* mainFrame() const { return mainFrame_.get(); }
    DocumentManager& documents() const { return *documents_; }

    // Tests put their stand-ins for the message box and the user's browser
    // here before InitInstance.
    FrameServices& services() { return services_; }
    const ProgramSettings& settings() const { return settings_; }

private:
    bool LoadHosts(const CommandLine& commandLine, QString& error);
    void OnCommand(int id);
    bool OnDocumentCommand(int id, CChildFrame& frame);
    bool OnWindowCommand(int id);
    CChildFrame* ActiveFrame() const;
    // The screener window shown in the MDI area, if that is what it shows.
    ScreenerWindow* ActiveScreener() const;
    void OpenScreener();
    void SendDocument(const CChildFrame& frame);
    void EditSettings();
    void UpdateCommandStates();
    void ShowError(const QString& message) const;

    FrameServices services_;
    ProgramSettings settings_;
    std::unique_ptr<CMainFrame> mainFrame_;
    std::unique_ptr<PrintCommands> printCommands_;
    std::unique_ptr<DocumentManager> documents_;
};
