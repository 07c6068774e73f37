#pragma once

#include <QMdiSubWindow>

class CHtmView;
class CMainFrame;
class PageCompositor;
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

    // The step the data and symbol-page commands run first: shows the browser
    // view, copies the symbol box ("YHOO" when empty) and the source box
    // ("Yahoo" when empty) into the document, and counts the command.
    void PrepareWebCommand();

    // Carries out command `id` of the command table or a Favorites entry.
    // Returns false for commands this window does not handle.
    bool OnCommand(int id);

    // Prints the view shown at its size on screen, and returns once the
    // page is on the printer. False when printing failed.
    bool Print(QPrinter& printer);

    // The address bar's list entry was chosen, or Enter was pressed in it.
    void OnAddressSelected();
    void OnAddressEntered();

    CTarnwickDoc& document() const { return document_; }
    CHtmView* browserView() const { return browserView_; }
    CTWView* chartView() const { return chartView_; }

private:
    // Counts a data or page command; the eleventh of a document also opens
    // the product site's home page in the user's browser.
    void CountCommand();
    void ReadQuotes(int sourceMode);
    void ShowChartPage(int page);
    void OpenLink(int id);
    // Builds the page's file and shows it; a failure is shown and nothing
    // is navigated.
    void BuildMarketPage(const PageCompositor& page);
    void EditCommand(int id);
    void FillFavoritesFromChartView();
    void UpdateAllViews();

    CTarnwickDoc& document_;
    CMainFrame& mainFrame_;
    const FrameServices& services_;
    QStackedWidget* views_ = nullptr;
    CHtmView* browserView_ = nullptr;
    CTWView* chartView_ = nullptr;
};
