#pragma once

#include "app/FrameServices.h"

#include <QObject>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>
#include <string>

class CChildFrame;
class CMainFrame;
class CTarnwickDoc;

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
    };
    // Nothing, with the reason in `error`, when the arguments are wrong.
    static std::optional<Options> ParseOptions(const QStringList& arguments, QString& error);

    CTarnwickApp();
    ~CTarnwickApp() override;

    // Shows the main window maximized with one new document on its browser
    // view. False when the program cannot start.
    bool InitInstance(const Options& options);

    // A new document in a window of its own.
    CChildFrame* NewDocument();

    CMainFrame* mainFrame() const { return mainFrame_.get(); }
    FrameServices& services() { return services_; }

private:
    void OnCommand(int id);
    CChildFrame* ActiveFrame() const;

    FrameServices services_;
    std::string quoteDir_;
    std::unique_ptr<CMainFrame> mainFrame_;
    std::map<CChildFrame*, std::unique_ptr<CTarnwickDoc>> documents_;
};
