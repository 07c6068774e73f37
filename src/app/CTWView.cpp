#include "app/CTWView.h"

#include "document/CTarnwickDoc.h"
#include "qtcanvas/QtCanvas.h"

#include <QPaintEvent>
#include <QPageLayout>
#include <QPageRanges>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr PageSize kInitialPageSize{1000, 1000};
constexpr double kUnitsPerInch = 100;

int ToPixels(int units, int dpi)
{
    return static_cast<int>(units * dpi / kUnitsPerInch);
}

// The height of the paper's printable area, in units.
int SheetHeight(const QPrinter& printer)
{
    return static_cast<int>(printer.pageLayout().paintRect(QPageLayout::Inch).height() * kUnitsPerInch);
}

// Whether the printer asks for sheet `number` (counted from 1).
bool Asked(const QPrinter& printer, int number)
{
    return printer.printRange() != QPrinter::PageRange || printer.pageRanges().isEmpty() ||
           printer.pageRanges().contains(number);
}

// A scroll bar over `pagePixels` seen through `viewPixels`: a page step of a
// tenth of the page and a line step of a tenth of that.
void SetRange(QScrollBar* bar, int pagePixels, int viewPixels)
{
    bar->setRange(0, std::max(0, pagePixels - viewPixels));
    bar->setPageStep(std::max(1, pagePixels / 10));
    bar->setSingleStep(std::max(1, pagePixels / 100));
}

}  // namespace

CTWView::CTWView(CTarnwickDoc& document, QWidget* parent) : QAbstractScrollArea(parent), document_(document)
{
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, Qt::white);
    viewport()->setPalette(palette);
    OnInitialUpdate();
}

void CTWView::OnInitialUpdate()
{
    SetScrollSizes(kInitialPageSize);
}

bool CTWView::Print(QPrinter& printer) const
{
    const ChartInput input = document_.chartInput();
    const std::vector<PageBand> sheets = PrintSheets(input, SheetHeight(printer));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double pixelsPerUnit = printer.logicalDpiY() / kUnitsPerInch;
    bool started = false;
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        if (!Asked(printer, static_cast<int>(k) + 1))
            continue;
        if (started && !printer.newPage())
            return false;
        started = true;
        // The whole page is painted on each sheet, moved up by the sheets
        // before it and cut at the sheet's lower edge, so a panel that starts
        // on the next sheet leaves no stray line here.
        const PageBand& sheet = sheets[k];
        painter.save();
        painter.setClipRect(QRectF(0, 0, printer.width(), (sheet.bottom - sheet.top) * pixelsPerUnit));
        painter.translate(0, -sheet.top * pixelsPerUnit);
        {
            QtCanvas canvas(painter);
            PaintChartPage(canvas, input);
        }
        painter.restore();
    }
    return painter.end();
}

int CTWView::SheetCount(const QPrinter& printer) const
{
    return static_cast<int>(PrintSheets(document_.chartInput(), SheetHeight(printer)).size());
}

void CTWView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    std::optional<PageSize> drawn;
    {
        QtCanvas canvas(painter);
        drawn = PaintChartPage(canvas, document_.chartInput());
    }
    // With no bars nothing is drawn and the scroll sizes stay as they were.
    if (drawn)
        SetScrollSizes(*drawn);
}

void CTWView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CTWView::SetScrollSizes(PageSize size)
{
    if (size == pageSize_)
        return;
    pageSize_ = size;
    UpdateScrollBars();
}

void CTWView::UpdateScrollBars()
{
    SetRange(horizontalScrollBar(), ToPixels(pageSize_.width, logicalDpiX()), viewport()->width());
    SetRange(verticalScrollBar(), ToPixels(pageSize_.height, logicalDpiY()), viewport()->height());
}
