#pragma once

#include <QMdiSubWindow>

#include <filesystem>
#include <memory>
#include <string_view>

enum class BrowserAction;
enum class ZoomStep;
struct CommandInfo;
struct CountResult;
class CHtmView;
class CMainFrame;
class CTarnwickDoc;
class CTWView;
class QPrinter;
class QStackedWidget;
struct FrameServices;

// A document window: the chart view and the browser view of one document,
// one of them shown, always maximized. Nearly every command of the program is
// carried out here, on this window's document.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    static constexpr int kChartView = 1;
    static constexpr int kBrowserView = 2;

    // The document, the main window and the services must outlive the frame.
    // The browser view is created first and starts up at once.
    CChildFrame(CTarnwickDoc& document, CMainFrame& mainFrame, const FrameServices& services,
                QWidget* parent = nullptr);

    // The view shown: kChartView or kBrowserView.
    int activeViewId = kBrowserView;

    // Shows the view `id`, creating it on first use.
    void SwitchView(int id);

    // The step the commands that read the symbol run first: shows the
    // browser view, reads the main window's symbol and source boxes into the
    // document and counts the command (CommandRules).
    void PrepareWebCommand();

    // Carries out command `id` as its command table entry says, or a
    // Favorites entry. Returns false for the commands this window leaves to
    // the application (CommandKind::Standard) and the Favorites placeholder.
    bool OnCommand(int id);

    // File > Import Quotes: reads the CSV history `file` into the document
    // and shows its charts, its symbol in the symbol box and what the file
    // held in the status bar. A file that cannot be read is reported and
    // leaves the document and its charts as they were; false then.
    bool ImportQuotes(const std::filesystem::path& file);

    // Prints the view shown at its size on screen, and returns once the
    // page is on the printer. False when printing failed.
    bool Print(QPrinter& printer);
    // The sheets the chart view needs on the printer's paper; 0 when the
    // browser view is shown, which counts its own pages as it prints.
    int PrintSheetCount(const QPrinter& printer) const;

    // The address bar's list entry was chosen, or Enter was pressed in it.
    void OnAddressSelected();
    void OnAddressEntered();

    // Cut can act: the browser view is shown and its page has an editable
    // selection. The chart view and a read-only page have nothing to cut.
    bool CanCut() const;

    CTarnwickDoc& document() const { return document_; }
    CHtmView* browserView() const { return browserView_; }
    CTWView* chartView() const { return chartView_; }

Q_SIGNALS:
    // The view shown changed, or what the page can cut.
    void editStateChanged();

private:
    // The command's own work; false when it stopped short (a load or a page
    // build that failed or was cancelled).
    bool RunCommand(const CommandInfo& command);
    // Opens the product site's home page in the user's browser if `count` asks for it.
    void FollowCount(CountResult count);
    void AskPageCanCut();
    bool ReadQuotes(const CommandInfo& command);
    // Repaints the views and, after a load that read a CSV history, shows
    // what it held in the status bar.
    void ShowLoadedQuotes();
    void ShowChartPage(int page);
    void OpenLink(int id);
    // Builds the page's file and shows it; a failure is shown and nothing
    // is navigated.
    bool BuildMarketPage(const CommandInfo& command);
    void RunBrowserAction(BrowserAction action);
    void Zoom(ZoomStep step);
    void UpdateAllViews();
    // Tells the user what failed, through the services.
    void ShowError(std::string_view message) const;

    CTarnwickDoc& document_;
    CMainFrame& mainFrame_;
    const FrameServices& services_;
    QStackedWidget* views_ = nullptr;
    CHtmView* browserView_ = nullptr;
    CTWView* chartView_ = nullptr;
    bool pageCanCut_ = false;  // the page's last answer to AskPageCanCut
    // The page answers later, also while this window is being destroyed: its
    // answers are dropped once this goes, before the views it holds go.
    std::shared_ptr<CChildFrame*> self_ = std::make_shared<CChildFrame*>(this);
};
