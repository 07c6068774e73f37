#include "app/CTWView.h"
#include "qtcanvas/QtCanvas.h"
#include "support/PdfPages.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPageLayout>
#include <QPageRanges>
#include <QPixmap>
#include <QPrinter>
#include <QScrollBar>

#include <cmath>
#include <memory>

namespace {

// Whether any pixel of the image is not white.
bool HasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

class CTWViewTest : public WidgetsTest {
protected:
    // The view at 600 by 400 pixels, painted once.
    static std::unique_ptr<CTWView> ShownView(CTarnwickDoc& document)
    {
        auto view = std::make_unique<CTWView>(document);
        view->resize(600, 400);
        view->show();
        view->viewport()->grab();
        return view;
    }

    static int Pixels(int units, int dpi) { return units * dpi / 100; }

    // A PDF printer on Letter paper with half-inch margins: ten inches a sheet.
    void PrintToPdf(QPrinter& printer, const char* name) const
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((folder_.path() / name).string()));
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
    }

    TempFolder folder_;
};

}  // namespace

TEST_F(CTWViewTest, WithoutBarsThePageIsBlankAndKeepsItsFirstSize)
{
    CTarnwickDoc document;
    const auto view = ShownView(document);
    EXPECT_FALSE(HasInk(view->viewport()->grab().toImage()));
    EXPECT_EQ(view->pageSize(), (PageSize{1000, 1000}));
    EXPECT_EQ(view->verticalScrollBar()->maximum(),
              Pixels(1000, view->logicalDpiY()) - view->viewport()->height());
}

TEST_F(CTWViewTest, ScrollsOverTheWholeChartPage)
{
    const auto document = LoadedSample("IBM");
    const auto view = ShownView(*document);
    const QImage top = view->viewport()->grab().toImage();
    EXPECT_TRUE(HasInk(top));
    EXPECT_EQ(view->pageSize(), kChartPageSize);
    QScrollBar* vertical = view->verticalScrollBar();
    EXPECT_EQ(vertical->maximum(), Pixels(4100, view->logicalDpiY()) - view->viewport()->height());

    vertical->setValue(vertical->maximum() / 2);
    const QImage middle = view->viewport()->grab().toImage();
    EXPECT_TRUE(HasInk(middle));
    EXPECT_NE(top, middle);
}

TEST_F(CTWViewTest, TheQuoteTablePageHasItsOwnHeight)
{
    auto document = LoadedSample("IBM");
    document->chartPage = 1;
    const auto view = ShownView(*document);
    EXPECT_EQ(view->pageSize(), (PageSize{1000, (400 * 5 + 25) * 4}));
}

TEST_F(CTWViewTest, PrintsTheWholeChartPageOnAsManySheetsAsItNeeds)
{
    const auto document = LoadedSample("IBM");
    CTWView view(*document);
    QPrinter printer(QPrinter::HighResolution);
    PrintToPdf(printer, "chart.pdf");
    ASSERT_TRUE(view.Print(printer));
    // The 40-inch page on 10-inch sheets, each cut between panels.
    EXPECT_EQ(view.SheetCount(printer), 5);
    const std::vector<QByteArray> sheets = PdfPageContents(printer.outputFileName());
    ASSERT_EQ(sheets.size(), 5u);
    for (const QByteArray& sheet : sheets)
        EXPECT_GT(sheet.size(), 10000);  // every sheet carries charts
    EXPECT_NE(sheets[0], sheets[1]);

    // The quote table likewise, between rows.
    document->chartPage = 1;
    PrintToPdf(printer, "table.pdf");
    ASSERT_TRUE(view.Print(printer));
    EXPECT_EQ(PdfPageContents(printer.outputFileName()).size(), 8u);
}

TEST_F(CTWViewTest, APageRangePrintsOnlyTheSheetsAsked)
{
    const auto document = LoadedSample("IBM");
    CTWView view(*document);
    QPrinter printer(QPrinter::HighResolution);
    PrintToPdf(printer, "all.pdf");
    ASSERT_TRUE(view.Print(printer));
    ASSERT_EQ(PdfPageContents(printer.outputFileName()).size(), 5u);

    PrintToPdf(printer, "range.pdf");
    printer.setPrintRange(QPrinter::PageRange);
    printer.setPageRanges(QPageRanges::fromString(QStringLiteral("2-3,5")));
    ASSERT_TRUE(view.Print(printer));
    EXPECT_EQ(PdfPageContents(printer.outputFileName()).size(), 3u);

    PrintToPdf(printer, "one.pdf");
    printer.setPageRanges(QPageRanges::fromString(QStringLiteral("4")));
    ASSERT_TRUE(view.Print(printer));
    EXPECT_EQ(PdfPageContents(printer.outputFileName()).size(), 1u);

    // Back to all pages, the range left on the printer no longer counts.
    PrintToPdf(printer, "again.pdf");
    printer.setPrintRange(QPrinter::AllPages);
    ASSERT_TRUE(view.Print(printer));
    EXPECT_EQ(PdfPageContents(printer.outputFileName()).size(), 5u);
}

// The window shows the page as the paint pass draws it on a screen, pixel for
// pixel, at the physical size and when zoomed to twice it.
TEST_F(CTWViewTest, TheWindowShowsThePageAsThePaintPassDrawsIt)
{
    const auto document = LoadedSample("IBM");
    const auto view = ShownView(*document);
    view->verticalScrollBar()->setValue(1234);
    for (int zoomIns : {0, 5}) {
        for (int i = 0; i < zoomIns; ++i)
            view->ZoomIn();
        const QImage shown = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int dpi = static_cast<int>(std::lround(view->logicalDpiX() * view->zoom()));
        QImage direct(view->viewport()->size(), QImage::Format_RGB32);
        direct.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
        direct.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
        direct.fill(Qt::white);
        {
            QPainter painter(&direct);
            painter.translate(-view->horizontalScrollBar()->value(), -view->verticalScrollBar()->value());
            QtCanvas canvas(painter);
            PaintChartPage(canvas, document->chartInput());
        }
        EXPECT_EQ(shown, direct) << "zoom " << view->zoom();
    }
    EXPECT_DOUBLE_EQ(view->zoom(), 2);
}
