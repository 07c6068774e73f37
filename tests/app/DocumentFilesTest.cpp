#include "app/CChildFrame.h"
#include "app/CHtmView.h"
#include "app/CMainFrame.h"
#include "app/CTWView.h"
#include "app/CTarnwickApp.h"
#include "app/CommandLine.h"
#include "app/DocumentManager.h"
#include "base/CommandIds.h"
#include "document/CTarnwickDoc.h"
#include "support/CsvHistoryText.h"
#include "support/ProgramFixtures.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QUrlQuery>

#include <filesystem>
#include <fstream>

namespace {

// The program with its settings in a folder of the test's own, the file
// dialogs answered from `answers` and the messages and launched addresses
// recorded.
class DocumentFilesTest : public ProgramTest {
protected:
    QString InFiles(const char* name) const { return Folder(files) + '/' + name; }
    void Trigger(int id) const { app.mainFrame()->action(id)->trigger(); }
    QString StatusText() const { return app.mainFrame()->statusBar()->currentMessage(); }
    int WindowCount() const { return static_cast<int>(app.mainFrame()->mdiArea()->subWindowList().size()); }

    TempFolder files;
};

}  // namespace

TEST_F(DocumentFilesTest, SaveWritesAnEmptyStkFileAndOpenGivesAFreshDocument)
{
    CChildFrame* first = Active();
    ASSERT_NE(first, nullptr);
    first->document().symbol = "IBM";
    answers = {InFiles("week")};
    Trigger(kSave);
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_TRUE(suggestions.front().endsWith("/Stock1.stk")) << suggestions.front().toStdString();
    const QFileInfo saved(InFiles("week.stk"));  // the extension is added
    ASSERT_TRUE(saved.exists());
    EXPECT_EQ(saved.size(), 0);
    EXPECT_EQ(first->windowTitle(), "week.stk");

    // Saving again asks nothing; Save As asks, and an answer of nothing does nothing.
    Trigger(kSave);
    Trigger(kSaveAs);
    EXPECT_EQ(suggestions.size(), 2);
    EXPECT_EQ(suggestions.back(), saved.canonicalFilePath());
    EXPECT_EQ(first->windowTitle(), "week.stk");

    // Opening the open file brings its window forward; a copy opens as a new document.
    answers = {saved.filePath()};
    Trigger(kOpen);
    EXPECT_EQ(WindowCount(), 1);
    std::filesystem::copy_file(saved.filePath().toStdString(), InFiles("copy.stk").toStdString());
    answers = {InFiles("copy.stk")};
    Trigger(kOpen);
    ASSERT_EQ(WindowCount(), 2);
    CChildFrame* opened = Active();
    EXPECT_EQ(opened->windowTitle(), "copy.stk");
    EXPECT_EQ(opened->activeViewId, CChildFrame::kBrowserView);
    const CTarnwickDoc& fresh = opened->document();
    EXPECT_EQ(fresh.symbol, "YHOO");
    EXPECT_EQ(fresh.monthSpan, -1);
    EXPECT_EQ(fresh.chartPage, 0);
    EXPECT_EQ(fresh.commandCount, 0);
    EXPECT_EQ(fresh.store.barCount, 0);
    EXPECT_EQ(fresh.quoteDir, SampleDir("IBM"));

    // Both files are on the File menu, the newest first, and stay there for the next start.
    EXPECT_EQ(app.documents().recentFiles(), QStringList({QFileInfo(InFiles("copy.stk")).canonicalFilePath(),
                                                          saved.canonicalFilePath()}));
    EXPECT_TRUE(app.mainFrame()->action(kFirstRecentFile)->text().startsWith("&1 "));
    EXPECT_TRUE(app.mainFrame()->action(kFirstRecentFile + 1)->text().endsWith("week.stk"));
    EXPECT_FALSE(app.mainFrame()->action(kFirstRecentFile + 2)->isVisible());
    CTarnwickApp next;
    next.services().showError = app.services().showError;
    QString error;
    ASSERT_TRUE(next.InitInstance({}, error));
    EXPECT_EQ(next.documents().recentFiles(), app.documents().recentFiles());
}

TEST_F(DocumentFilesTest, FilesThatCannotBeReadOrWrittenAreReportedAndChangeNothing)
{
    answers = {InFiles("missing.stk")};
    Trigger(kOpen);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains("missing.stk\": the file does not exist")) << errors[0].toStdString();
    EXPECT_EQ(WindowCount(), 1);

    answers = {"/nonexistent/folder/a.stk"};
    Trigger(kSave);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_TRUE(errors[1].contains("Could not save \"/nonexistent/folder/a.stk\"")) << errors[1].toStdString();
    EXPECT_EQ(Active()->windowTitle(), "Stock1");
    EXPECT_TRUE(app.documents().path(*Active()).isEmpty());

    // A recent file that has gone since is reported and leaves the list.
    files.Write("gone.stk", "");
    answers = {InFiles("gone.stk")};
    Trigger(kOpen);
    ASSERT_EQ(app.documents().recentFiles().size(), 1);
    std::filesystem::remove(InFiles("gone.stk").toStdString());
    Trigger(kFirstRecentFile);
    EXPECT_EQ(errors.size(), 3u);
    EXPECT_TRUE(app.documents().recentFiles().isEmpty());
    EXPECT_FALSE(app.mainFrame()->action(kFirstRecentFile)->isEnabled());
}

TEST_F(DocumentFilesTest, NewWindowShowsTheSameDocumentWhichGoesWithItsLastWindow)
{
    CChildFrame* first = Active();
    Trigger(kNewWindow);
    ASSERT_EQ(WindowCount(), 2);
    CChildFrame* second = Active();
    EXPECT_EQ(&second->document(), &first->document());
    EXPECT_EQ(first->windowTitle(), "Stock1:1");
    EXPECT_EQ(second->windowTitle(), "Stock1:2");

    // A load in one window shows in the other.
    app.mainFrame()->mdiArea()->setActiveSubWindow(first);
    Trigger(kReadLocal);
    EXPECT_EQ(second->document().store.barCount, 400);

    delete second;
    EXPECT_EQ(first->windowTitle(), "Stock1");
    Trigger(kNew);
    EXPECT_EQ(Active()->windowTitle(), "Stock2");

    // With every document closed only File, View and Help are left, and
    // only the commands that need no document can be chosen.
    for (QMdiSubWindow* window : app.mainFrame()->mdiArea()->subWindowList())
        delete window;
    EXPECT_FALSE(app.mainFrame()->popup(MenuPopup::Edit)->menuAction()->isVisible());
    EXPECT_TRUE(app.mainFrame()->popup(MenuPopup::File)->menuAction()->isVisible());
    EXPECT_FALSE(app.mainFrame()->action(kSave)->isEnabled());
    EXPECT_TRUE(app.mainFrame()->action(kOpen)->isEnabled());
    Trigger(kNew);
    EXPECT_EQ(Active()->windowTitle(), "Stock3");
    EXPECT_TRUE(app.mainFrame()->popup(MenuPopup::Edit)->menuAction()->isVisible());
}

TEST_F(DocumentFilesTest, SendHandsACopyToTheMailProgram)
{
    Trigger(kSend);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].scheme(), "mailto");
    const QUrlQuery query(opened[0]);
    EXPECT_EQ(query.queryItemValue("subject"), "Stock1");
    const QFileInfo attached(QUrl(query.queryItemValue("attach", QUrl::FullyDecoded)).toLocalFile());
    EXPECT_EQ(attached.fileName(), "Stock1.stk");
    EXPECT_TRUE(attached.exists());
}

TEST_F(DocumentFilesTest, SettingsTakeEffectAtOnceAndAreKept)
{
    TempFolder favorites;
    app.ApplySettings({QString::fromStdString(SampleDir("CAT")), Folder(favorites), InFiles("pages")});
    EXPECT_EQ(Active()->document().quoteDir, SampleDir("CAT"));
    EXPECT_EQ(app.services().pageFolder.string(), InFiles("pages").toStdString());

    CTarnwickApp next;
    QString error;
    ASSERT_TRUE(next.InitInstance({}, error));
    EXPECT_EQ(next.settings().quoteDir.toStdString(), SampleDir("CAT"));
    EXPECT_EQ(next.settings().pageFolder, InFiles("pages"));
}

TEST_F(DocumentFilesTest, PrintingTheChartViewWritesThePageAndAFailedPrinterIsReported)
{
    Trigger(kReadLocal);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(InFiles("chart.pdf"));
    EXPECT_TRUE(Active()->Print(printer));
    EXPECT_GT(QFileInfo(InFiles("chart.pdf")).size(), 10000);

    printer.setOutputFileName("/nonexistent/folder/chart.pdf");
    EXPECT_FALSE(Active()->Print(printer));
}

TEST_F(DocumentFilesTest, ImportQuotesShowsTheChosenHistoryAndWhatItHeld)
{
    files.Write("msft.csv", CsvHistoryText(60));
    answers = {InFiles("msft.csv")};
    Trigger(kImportQuotes);
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(choices, std::vector{DocumentManager::FileChoice::ImportQuotes});
    EXPECT_EQ(suggestions.front().toStdString(), SampleDir("IBM"));  // the dialog starts in the quote folder
    CChildFrame* frame = Active();
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(frame->activeViewId, CChildFrame::kChartView);
    EXPECT_TRUE(frame->chartView()->isVisible());
    const CTarnwickDoc& document = frame->document();
    EXPECT_EQ(document.store.barCount, 60);
    EXPECT_EQ(document.sourceMode, CTarnwickDoc::kCsvFile);
    EXPECT_EQ(document.loadedSymbol, "MSFT");
    EXPECT_EQ(app.mainFrame()->symbolBox()->text(), "MSFT");  // the box shows symbols in upper case
    EXPECT_TRUE(StatusText().contains("comma-separated")) << StatusText().toStdString();
    EXPECT_TRUE(StatusText().contains("60 rows read, 1 row skipped: line 3")) << StatusText().toStdString();

    // Cancelling the dialog changes nothing.
    Trigger(kImportQuotes);
    EXPECT_EQ(document.store.barCount, 60);
    EXPECT_TRUE(errors.empty());
}

TEST_F(DocumentFilesTest, AQuoteFileThatCannotBeReadIsReportedAndTheChartStays)
{
    app.mainFrame()->symbolBox()->setText("IBM");
    Trigger(kReadLocal);
    const CTarnwickDoc& document = Active()->document();
    ASSERT_EQ(document.store.barCount, 400);
    const std::string newest = document.store.dates[0];

    files.Write("BAD.csv", "Date,Close\nsoon,1\nlater,2\n");
    answers = {InFiles("BAD.csv")};
    Trigger(kImportQuotes);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains(InFiles("BAD.csv"))) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("line 2, 3")) << errors[0].toStdString();
    EXPECT_EQ(document.store.barCount, 400);
    EXPECT_EQ(document.store.dates[0], newest);
    EXPECT_EQ(document.loadedSymbol, "IBM");
    EXPECT_EQ(document.sourceMode, CTarnwickDoc::kLocalFiles);
    EXPECT_EQ(app.mainFrame()->symbolBox()->text(), "IBM");
}

TEST_F(DocumentFilesTest, ImportQuotesWithNoDocumentOpenMakesOne)
{
    for (QMdiSubWindow* window : app.mainFrame()->mdiArea()->subWindowList())
        delete window;
    files.Write("CAT.csv", CsvHistoryText(30));
    answers = {InFiles("CAT.csv")};
    Trigger(kImportQuotes);
    ASSERT_EQ(WindowCount(), 1);
    EXPECT_EQ(Active()->windowTitle(), "Stock2");
    EXPECT_EQ(Active()->document().store.barCount, 30);
}

TEST_F(DocumentFilesTest, FilesDroppedOnTheBrowserViewAreImportedOrOpened)
{
    files.Write("CAT.csv", CsvHistoryText(30));
    files.Write("week.stk", "");
    files.Write("ORCL.txt", CsvHistoryText(40));
    CChildFrame* first = Active();
    ASSERT_EQ(first->activeViewId, CChildFrame::kBrowserView);
    // The drop goes where Qt sends it: the widget under the pointer, here the browser's page.
    QMdiArea* area = app.mainFrame()->mdiArea();
    const QPoint middle = area->mapTo(app.mainFrame(), area->rect().center());
    QWidget* under = app.mainFrame()->childAt(middle);
    ASSERT_NE(under, nullptr);
    ASSERT_TRUE(first->browserView()->isAncestorOf(under)) << under->metaObject()->className();
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(InFiles("CAT.csv")), QUrl::fromLocalFile(InFiles("week.stk")),
                     QUrl::fromLocalFile(InFiles("ORCL.txt"))});
    const QPoint at = under->mapFrom(app.mainFrame(), middle);
    QDragEnterEvent enter(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(under, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(under, &drop);
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();

    // The first history goes into the document shown, each further one into a new document.
    EXPECT_EQ(first->document().store.barCount, 30);
    EXPECT_EQ(first->activeViewId, CChildFrame::kChartView);
    QStringList titles;
    for (QMdiSubWindow* window : area->subWindowList())
        titles << window->windowTitle();
    EXPECT_EQ(titles, QStringList({"Stock1", "week.stk", "Stock2"}));
    EXPECT_EQ(Active()->document().store.barCount, 40);
    EXPECT_EQ(app.mainFrame()->symbolBox()->text(), "ORCL");
}
