#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTarnwickApp.h"
#include "app/CommandLine.h"
#include "app/DocumentManager.h"
#include "app/ScreenerModel.h"
#include "app/ScreenerWindow.h"
#include "base/CommandIds.h"
#include "document/CTarnwickDoc.h"
#include "screen/ScreenFolder.h"
#include "screen/ScreenTable.h"
#include "support/CsvHistoryText.h"
#include "support/ProgramFixtures.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPalette>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

const QString kSampleFolder = QStringLiteral(TARNWICK_SAMPLE_DIR);

// The texts of `column` down the table, as listed.
QStringList Column(const ScreenerWindow& window, int column)
{
    const QAbstractItemModel* model = window.table()->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

QStringList Symbols(const ScreenerWindow& window)
{
    return Column(window, ScreenerModel::kSymbol);
}

// The symbols of the core's own scan of `folder` that pass `keep`, in symbol order.
template <typename Keep>
QStringList CoreSymbols(const QString& folder, Keep keep)
{
    QStringList symbols;
    for (const ScreenRow& row : ScreenFolder(folder.toStdString()).rows)
        if (keep(row))
            symbols << QString::fromStdString(row.symbol);
    return symbols;
}

void ClickHeader(const ScreenerWindow& window, int column)
{
    QHeaderView* header = window.table()->horizontalHeader();
    const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
}

// Screener windows in an MDI area of their own, the user's settings in a
// folder of the test's own and the error messages recorded.
class ScreenerWindowTest : public WidgetsTest {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder(settingsFolder));
        area.resize(1200, 700);
        area.show();
    }

    // A window on `folder`, not yet scanned.
    ScreenerWindow* Open(const QString& folder)
    {
        auto* window = new ScreenerWindow(folder);
        window->showError = [this](const QString& message) { errors << message; };
        area.addSubWindow(window);
        window->showMaximized();
        return window;
    }

    // A window on `folder` once its scan has ended.
    ScreenerWindow* Scanned(const QString& folder)
    {
        ScreenerWindow* window = Open(folder);
        EXPECT_TRUE(WaitUntil([window] { return !window->scanning(); }));
        return window;
    }

    // Sends `text` to the widget that has the keyboard focus.
    static void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }

    TempFolder settingsFolder;
    QMdiArea area;
    QStringList errors;
};

// A quote library of `count` symbols S000, S001, ..., each a copy of IBM's folder.
void WriteLibrary(const TempFolder& folder, int count)
{
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "S%03d", i);
        std::filesystem::copy(SampleDir("IBM"), folder.path() / name);
    }
}

}  // namespace

TEST_F(ScreenerWindowTest, ListsEverySymbolOfTheFolderWithItsNewestDayAndTheCounts)
{
    ScreenerWindow* window = Scanned(kSampleFolder);
    EXPECT_EQ(window->windowTitle(), "Screener - sample");
    EXPECT_EQ(Symbols(*window), QStringList({"AAPL", "BA", "CAT", "IBM", "ORCL"}));
    const int ibm = static_cast<int>(Symbols(*window).indexOf("IBM"));
    const QAbstractItemModel* model = window->table()->model();
    // The newest quote of quotes.csv after the newest day of table.csv.
    EXPECT_EQ(model->index(ibm, ScreenerModel::kDate).data().toString(), "12/31/2001");
    EXPECT_EQ(model->index(ibm, ScreenerModel::kClose).data().toString(), "120.96");
    EXPECT_EQ(model->index(ibm, ScreenerModel::kChange).data().toString(), "-1.58");  // after 122.90

    // One column per title, the indicators' spelled out in their tooltips.
    const std::vector<std::string> titles = ScreenColumnTitles();
    ASSERT_EQ(model->columnCount(), static_cast<int>(titles.size()));
    for (int column = 0; column < model->columnCount(); ++column) {
        const QString shown =
            model->headerData(column, Qt::Horizontal).toString().replace("/\n", "/").replace('\n', ' ');
        EXPECT_EQ(shown.toStdString(), titles[static_cast<std::size_t>(column)]);
    }
    EXPECT_EQ(model->headerData(ScreenerModel::kFirstSignal + 7, Qt::Horizontal, Qt::ToolTipRole).toString(),
              "Moving Average Convergence/Divergence: sell signals on the newest day");

    const auto signalled = CoreSymbols(kSampleFolder, [](const ScreenRow& row) { return row.hasSignal(); });
    EXPECT_EQ(window->statusLine()->text(),
              QStringLiteral("5 symbols, 5 read, 0 with errors, %1 with a signal today").arg(signalled.size()));
    EXPECT_FALSE(window->progressBar()->isVisible());
    EXPECT_TRUE(window->canExport());
}

TEST_F(ScreenerWindowTest, AHeaderClickSortsNumbersAsNumbersWithRowsNotReadLastAndTheNextWindowKeepsTheOrder)
{
    TempFolder folder;
    std::filesystem::copy(SampleDir("IBM"), folder.path() / "IBM");
    std::filesystem::copy(SampleDir("ORCL"), folder.path() / "ORCL");
    folder.Write("CAT.csv", CsvHistoryText(30));  // closes of 100 to 106
    folder.Write("BAD.csv", "Date,Close\nsoon,1\n");
    ScreenerWindow* window = Scanned(Folder(folder));
    ASSERT_EQ(Symbols(*window), QStringList({"BAD", "CAT", "IBM", "ORCL"}));

    // Closes of 2, 3 and 3 digits before the point: text order would differ.
    ClickHeader(*window, ScreenerModel::kClose);
    const QStringList ascending = Column(*window, ScreenerModel::kClose);
    EXPECT_EQ(Symbols(*window).back(), "BAD");
    std::vector<double> closes;
    for (const QString& close : ascending.mid(0, 3))
        closes.push_back(close.toDouble());
    EXPECT_TRUE(std::ranges::is_sorted(closes)) << ascending.join(' ').toStdString();
    EXPECT_FALSE(std::ranges::is_sorted(ascending.mid(0, 3))) << "the sample closes sort alike as text";

    ClickHeader(*window, ScreenerModel::kClose);
    const QStringList descending = Column(*window, ScreenerModel::kClose);
    EXPECT_EQ(Symbols(*window).back(), "BAD");
    EXPECT_EQ(descending.mid(0, 3), QStringList({ascending[2], ascending[1], ascending[0]}));

    ScreenerWindow* next = Scanned(Folder(folder));
    EXPECT_EQ(next->table()->horizontalHeader()->sortIndicatorSection(), ScreenerModel::kClose);
    EXPECT_EQ(next->table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(Column(*next, ScreenerModel::kClose), descending);
}

TEST_F(ScreenerWindowTest, TheFilterBoxAndTheSignalBoxNarrowTheListAndTheStatusLineSaysHowFar)
{
    ScreenerWindow* window = Scanned(kSampleFolder);
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    window->filterBox()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), window->filterBox());
    Type("a");
    EXPECT_EQ(Symbols(*window), QStringList({"AAPL", "BA", "CAT"}));
    EXPECT_TRUE(window->statusLine()->text().endsWith("; 3 listed")) << window->statusLine()->text().toStdString();

    window->signalsOnlyBox()->click();
    const auto signalledWithA = CoreSymbols(kSampleFolder, [](const ScreenRow& row) {
        return row.hasSignal() && row.symbol.find('A') != std::string::npos;
    });
    EXPECT_EQ(Symbols(*window), signalledWithA);

    window->filterBox()->clear();
    EXPECT_EQ(Symbols(*window), CoreSymbols(kSampleFolder, [](const ScreenRow& row) { return row.hasSignal(); }));
    window->signalsOnlyBox()->click();
    EXPECT_EQ(Symbols(*window).size(), 5);
    EXPECT_FALSE(window->statusLine()->text().contains("listed"));
}

TEST_F(ScreenerWindowTest, ARowNotReadIsMutedWithItsErrorAsTooltip)
{
    TempFolder folder;
    std::filesystem::copy(SampleDir("IBM"), folder.path() / "IBM");
    folder.Write("BAD.csv", "Date,Close\nsoon,1\nlater,2\n");
    ScreenerWindow* window = Scanned(Folder(folder));
    ASSERT_EQ(Symbols(*window), QStringList({"BAD", "IBM"}));
    const QAbstractItemModel* model = window->table()->model();
    const QColor muted = QGuiApplication::palette().color(QPalette::PlaceholderText);
    for (const int column : {ScreenerModel::kSymbol, ScreenerModel::kClose, ScreenerModel::kFirstSignal}) {
        const QString tip = model->index(0, column).data(Qt::ToolTipRole).toString();
        EXPECT_TRUE(tip.contains("BAD.csv") && tip.contains("line 2, 3")) << tip.toStdString();
        EXPECT_EQ(model->index(0, column).data(Qt::ForegroundRole).value<QColor>(), muted);
    }
    EXPECT_EQ(model->index(0, ScreenerModel::kDate).data().toString(), "Not read");
    EXPECT_TRUE(model->index(0, ScreenerModel::kClose).data().toString().isEmpty());
    EXPECT_FALSE(model->index(1, ScreenerModel::kSymbol).data(Qt::ToolTipRole).isValid());
    EXPECT_FALSE(model->index(1, ScreenerModel::kSymbol).data(Qt::ForegroundRole).isValid());
    EXPECT_TRUE(window->statusLine()->text().startsWith("2 symbols, 1 read, 1 with errors"))
        << window->statusLine()->text().toStdString();
}

TEST_F(ScreenerWindowTest, AFolderWithoutQuotesIsExplainedInTheWindow)
{
    TempFolder empty;
    for (const QString& folder : {Folder(empty), Folder(empty) + "/missing"}) {
        ScreenerWindow* window = Scanned(folder);
        EXPECT_EQ(window->statusLine()->text(), "Nothing screened.");
        const auto* message = qobject_cast<QLabel*>(window->findChild<QStackedWidget*>()->currentWidget());
        ASSERT_NE(message, nullptr);
        EXPECT_TRUE(message->isVisible());
        EXPECT_TRUE(message->text().contains(folder)) << message->text().toStdString();
        EXPECT_TRUE(message->text().contains("Choose a folder that holds")) << message->text().toStdString();
        EXPECT_FALSE(window->canExport());
    }
}

TEST_F(ScreenerWindowTest, CancelStopsABigScanAndListsTheSymbolsRead)
{
    TempFolder folder;
    WriteLibrary(folder, 300);
    ScreenerWindow* window = Open(Folder(folder));
    ASSERT_TRUE(window->cancelButton()->isVisible());
    QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([window] { return !window->scanning(); }));
    const int read = window->table()->model()->rowCount();
    EXPECT_LT(read, 300);
    TempFolder one;
    WriteLibrary(one, 1);
    const bool copySignals = ScreenFolder(one.path()).rows.at(0).hasSignal();
    EXPECT_EQ(window->statusLine()->text(),
              QStringLiteral("Cancelled: %1 of 300 symbols read, 0 with errors, %2 with a signal today")
                  .arg(read)
                  .arg(copySignals ? read : 0));
    EXPECT_FALSE(window->cancelButton()->isVisible());
    EXPECT_TRUE(window->canExport());
}

TEST_F(ScreenerWindowTest, ClosingTheWindowDuringAScanStopsIt)
{
    TempFolder folder;
    WriteLibrary(folder, 300);
    QPointer<ScreenerWindow> window = Open(Folder(folder));
    ASSERT_TRUE(window->scanning());
    window->close();
    ASSERT_TRUE(WaitUntil([&window] { return window.isNull(); }));
    // The scan's answer, had it been sent, would land now.
    WaitUntil([] { return false; }, 200);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(ScreenerWindowTest, ExportWritesTheRowsAsListedAndAFailedWriteIsReported)
{
    TempFolder files;
    ScreenerWindow* window = Scanned(kSampleFolder);
    ClickHeader(*window, ScreenerModel::kSymbol);  // from the symbols' order to its reverse
    window->filterBox()->setText("a");
    ASSERT_EQ(Symbols(*window), QStringList({"CAT", "BA", "AAPL"}));
    QStringList suggestions;
    QString answer = Folder(files) + "/signals.csv";
    window->chooseExportFile = [&](const QString& suggestion) {
        suggestions << suggestion;
        return answer;
    };
    window->exportButton()->click();
    ASSERT_TRUE(errors.isEmpty()) << errors.front().toStdString();
    EXPECT_EQ(suggestions, QStringList({QDir::home().filePath("sample-screen.csv")}));

    std::vector<ScreenRow> listed;
    for (ScreenRow& row : ScreenFolder(kSampleFolder.toStdString()).rows)
        if (row.symbol != "IBM" && row.symbol != "ORCL")
            listed.insert(listed.begin(), std::move(row));
    std::ostringstream expected;
    WriteScreenCsv(listed, expected);
    EXPECT_EQ(ReadFile(files.path() / "signals.csv"), expected.str());

    answer = "/nonexistent/folder/signals.csv";
    window->Export();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Could not write \"/nonexistent/folder/signals.csv\"")) << errors[0].toStdString();

    // Cancelling the file dialog writes nothing.
    answer.clear();
    window->Export();
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(suggestions.size(), 3);
}

namespace {

// The whole program, its settings in a folder of the test's own and its file
// dialogs answered from `answers`.
class ScreenerCommandTest : public ProgramTest {
protected:
    QMdiSubWindow* ActiveWindow() const { return app.mainFrame()->mdiArea()->activeSubWindow(); }
    bool Enabled(int id) const { return app.mainFrame()->action(id)->isEnabled(); }
};

}  // namespace

TEST_F(ScreenerCommandTest, EnterOnARowOpensItsChartInANewDocumentAsReadLocalDoes)
{
    EXPECT_FALSE(Enabled(kExport));
    answers = {kSampleFolder};
    app.mainFrame()->action(kScreenQuoteFolder)->trigger();
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0], DocumentManager::FileChoice::ScreenFolder);
    EXPECT_EQ(suggestions[0].toStdString(), SampleDir("IBM"));  // the dialog starts in the quote folder
    auto* screener = qobject_cast<ScreenerWindow*>(ActiveWindow());
    ASSERT_NE(screener, nullptr);
    ASSERT_TRUE(WaitUntil([screener] { return !screener->scanning(); }));
    EXPECT_TRUE(Enabled(kExport));
    // The document window's commands wait for it; the application's own do not.
    EXPECT_FALSE(Enabled(kReadLocal));
    EXPECT_FALSE(Enabled(kSave));
    EXPECT_TRUE(Enabled(kTile));
    EXPECT_TRUE(Enabled(kOpen));

    app.mainFrame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.mainFrame()));
    screener->table()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), screener->table());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    ASSERT_TRUE(errors.isEmpty()) << errors.front().toStdString();
    ASSERT_EQ(app.mainFrame()->mdiArea()->subWindowList().size(), 3);
    auto* chart = qobject_cast<CChildFrame*>(ActiveWindow());
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->windowTitle(), "Stock2");
    EXPECT_EQ(chart->activeViewId, CChildFrame::kChartView);
    EXPECT_EQ(app.mainFrame()->symbolBox()->text(), "BA");
    const CTarnwickDoc& document = chart->document();
    EXPECT_EQ(document.quoteDir, kSampleFolder.toStdString());
    EXPECT_EQ(document.sourceMode, CTarnwickDoc::kLocalFiles);
    EXPECT_EQ(document.loadedSymbol, "BA");
    EXPECT_EQ(document.store.barCount, LoadedSample("BA")->store.barCount);
    EXPECT_FALSE(Enabled(kExport));  // a document window is active again
    EXPECT_TRUE(Enabled(kReadLocal));
}

TEST_F(ScreenerCommandTest, WithNoDocumentOpenCtrlShiftFStillScreensAndFileExportFollowsTheScreener)
{
    for (QMdiSubWindow* window : app.mainFrame()->mdiArea()->subWindowList())
        delete window;
    EXPECT_FALSE(app.mainFrame()->popup(MenuPopup::Stocks)->menuAction()->isVisible());
    ASSERT_TRUE(Enabled(kScreenQuoteFolder));
    app.mainFrame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.mainFrame()));
    TempFolder empty;
    answers = {Folder(empty)};
    QTest::keyClick(app.mainFrame(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(choices.size(), 1u);
    auto* screener = qobject_cast<ScreenerWindow*>(ActiveWindow());
    ASSERT_NE(screener, nullptr);
    ASSERT_TRUE(WaitUntil([screener] { return !screener->scanning(); }));
    EXPECT_FALSE(Enabled(kExport));  // nothing was screened

    answers = {kSampleFolder};
    QTest::keyClick(app.mainFrame(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    screener = qobject_cast<ScreenerWindow*>(ActiveWindow());
    ASSERT_NE(screener, nullptr);
    ASSERT_TRUE(WaitUntil([screener] { return !screener->scanning(); }));
    EXPECT_TRUE(app.mainFrame()->popup(MenuPopup::File)->menuAction()->isVisible());
    ASSERT_TRUE(Enabled(kExport));
    TempFolder files;
    QStringList suggestions;
    screener->chooseExportFile = [&](const QString& suggestion) {
        suggestions << suggestion;
        return Folder(files) + "/all.csv";
    };
    app.mainFrame()->action(kExport)->trigger();
    EXPECT_EQ(ReadFile(files.path() / "all.csv").substr(0, 13), "Symbol,Date,C");
    EXPECT_EQ(std::ranges::count(ReadFile(files.path() / "all.csv"), '\n'), 6);
}
