#include "app/CTWView.h"

#include "document/CTarnwickDoc.h"
#include "qtcanvas/QtCanvas.h"

#include <QPaintEvent>
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
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QtCanvas canvas(painter);
    PaintChartPage(canvas, document_.chartInput());
    return true;
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
