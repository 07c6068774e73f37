#pragma once

#include "screen/ScreenFolder.h"

#include <QMdiSubWindow>
#include <QString>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTimer;
class ScreenerFilter;
class ScreenerModel;

// The screener of a quote folder in a window of the MDI area: it reads and
// analyses every symbol of the folder on worker threads, showing how many
// are done with a Cancel button, then lists one row per symbol, sortable by
// any column (the choice is kept for the next window) and filtered by the
// symbol text and "Only symbols with a signal today". A folder that cannot
// be screened is explained in the window. Double-click or Enter on a row
// asks for its chart through chartRequested.
class ScreenerWindow : public QMdiSubWindow {
    Q_OBJECT

public:
    // Starts the scan of `folder` at once; the window deletes itself when closed.
    explicit ScreenerWindow(const QString& folder, QWidget* parent = nullptr);
    // Stops the scan, waiting only for the symbols under way.
    ~ScreenerWindow() override;

    // Asks for a CSV file (chooseExportFile, suggesting "<folder name>-screen.csv")
    // and writes the rows listed, in the order listed. A failed write is
    // reported through showError and leaves an existing file as it was.
    void Export();
    // The scan has ended and listed rows that can be exported.
    bool canExport() const;
    bool scanning() const;

    const QString& folder() const { return folder_; }

    // Asks for the file to export to; empty when the user cancelled. Tests put a stand-in here.
    std::function<QString(const QString& suggestion)> chooseExportFile;
    // Tells the user what failed and what to do.
    std::function<void(const QString& message)> showError;

    QTableView* table() const { return table_; }
    QLineEdit* filterBox() const { return filterBox_; }
    QCheckBox* signalsOnlyBox() const { return signalsOnly_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QPushButton* exportButton() const { return exportButton_; }
    QProgressBar* progressBar() const { return progressBar_; }
    // The counts under the table, or why the folder could not be screened.
    QLabel* statusLine() const { return statusLine_; }

Q_SIGNALS:
    // The scan has ended, with rows or with an error.
    void scanFinished();
    // A row was opened: the chart of `symbol` from the quote folder `folder`.
    void chartRequested(const QString& folder, const QString& symbol);

private:
    void StartScan();
    void ShowProgress();
    void OnScanFinished(const std::shared_ptr<ScreenResult>& result, const QString& error);
    void FitColumns();
    void MakeRoomForSortArrow(int column);
    void ShowCounts();
    void OpenRow(const QModelIndex& index);
    void RestoreSort();
    void SaveSort(int column, Qt::SortOrder order);

    QString folder_;
    ScreenerModel* model_ = nullptr;
    ScreenerFilter* filter_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QTableView* table_ = nullptr;
    QLineEdit* filterBox_ = nullptr;
    QCheckBox* signalsOnly_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QWidget* progressRow_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QTimer* progressTimer_ = nullptr;

    std::vector<int> fittedWidths_;  // of each column, by FitColumns
    QString counts_;  // of the rows read, for the status line
    bool finished_ = false;
    // The scan's counters and its thread last, so the thread is stopped and
    // joined before anything it reads goes.
    ScreenProgress progress_;
    std::jthread scan_;
};
