#include "app/CTWView.h"

#include "chart/ChartHitTest.h"
#include "chart/ChartPanels.h"
#include "chart/ChartZoom.h"
#include "chart/QuoteTable.h"
#include "document/CTarnwickDoc.h"
#include "qtcanvas/ChartQtText.h"
#include "qtcanvas/QtCanvas.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPageLayout>
#include <QPageRanges>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr PageSize kInitialPageSize{1000, 1000};
constexpr double kUnitsPerInch = 100;
constexpr double kInchesPerMeter = 39.37007874;
// A wheel's notch turns it 15 degrees, in eighths of a degree.
constexpr int kWheelNotch = 120;

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
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    OnInitialUpdate();
}

void CTWView::OnInitialUpdate()
{
    SetScrollSizes(kInitialPageSize);
    panels_ = ChartPanels(document_.chartInput());
}

void CTWView::Refresh()
{
    panels_ = ChartPanels(document_.chartInput());
    if (crosshair_ && (!onChartPage() || crosshair_->panel >= static_cast<int>(panels_.size()) ||
                       crosshair_->bar >= shownBars()))
        crosshair_.reset();
    LayOutOverlay();
    viewport()->update();
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

int CTWView::zoomedDpiX() const
{
    return std::max(1, static_cast<int>(std::lround(logicalDpiX() * zoom_)));
}

int CTWView::zoomedDpiY() const
{
    return std::max(1, static_cast<int>(std::lround(logicalDpiY() * zoom_)));
}

CTWView::PagePoint CTWView::ToPage(QPointF point) const
{
    return {(point.x() + horizontalScrollBar()->value()) * kUnitsPerInch / zoomedDpiX(),
            (point.y() + verticalScrollBar()->value()) * kUnitsPerInch / zoomedDpiY()};
}

QPoint CTWView::ToViewport(PagePoint point) const
{
    return {static_cast<int>(point.x * zoomedDpiX() / kUnitsPerInch) - horizontalScrollBar()->value(),
            static_cast<int>(point.distance * zoomedDpiY() / kUnitsPerInch) - verticalScrollBar()->value()};
}

int CTWView::shownBars() const
{
    return ShownBars(document_.store.BarsLoaded());
}

bool CTWView::onChartPage() const
{
    return document_.chartPage == 0;
}

// Only a repaint that the overlay alone asked for is served from the page
// image; anything else paints the page again first.
void CTWView::paintEvent(QPaintEvent* event)
{
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const bool imageCurrent = !pageImage_.isNull() &&
                              pageImage_.deviceIndependentSize().toSize() == viewport()->size() &&
                              pageImage_.devicePixelRatio() == viewport()->devicePixelRatioF() &&
                              imageScroll_ == scroll && imageZoom_ == zoom_;
    if (!imageCurrent || !(event->region() - overlayRepaint_).isEmpty())
        PaintPageImage();
    overlayRepaint_ = {};
    QPainter painter(viewport());
    // Only the rectangles asked for: the whole image through a clip costs a
    // pass over all of it.
    const qreal ratio = pageImage_.devicePixelRatio();
    for (const QRect& rect : event->region())
        painter.drawImage(rect, pageImage_,
                          QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio, rect.height() * ratio));
    overlay_.Paint(painter);
}

void CTWView::PaintPageImage()
{
    const qreal ratio = viewport()->devicePixelRatioF();
    QImage image(viewport()->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    // The image's DPI is the screen's times the zoom, so the page is laid
    // out, and its text set, at the zoomed size rather than scaled to it.
    image.setDotsPerMeterX(static_cast<int>(std::lround(zoomedDpiX() * kInchesPerMeter)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(zoomedDpiY() * kInchesPerMeter)));
    image.fill(Qt::white);
    imageScroll_ = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
    imageZoom_ = zoom_;
    const ChartInput input = document_.chartInput();
    std::optional<PageSize> drawn;
    {
        QPainter painter(&image);
        painter.translate(-imageScroll_);
        QtCanvas canvas(painter, QtCanvas::Drawing::Fast, &textShapes_);
        // Only what meets the image is drawn; the image itself clips the rest.
        drawn = PaintChartPage(canvas, input, canvas.PageRectCovering(QRectF(imageScroll_, viewport()->size())));
    }
    pageImage_ = std::move(image);
    // With no bars nothing is drawn and the scroll sizes stay as they were.
    if (drawn)
        SetScrollSizes(*drawn);
}

// The page moved under a resting pointer: the crosshair follows the pointer
// to the bar now under it; one the keys placed stays on its bar.
void CTWView::scrollContentsBy(int dx, int dy)
{
    QAbstractScrollArea::scrollContentsBy(dx, dy);
    if (crosshair_ && crosshair_->pointer)
        PointAt(*crosshair_->pointer);
    else
        LayOutOverlay();
}

void CTWView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    LayOutOverlay();
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
    SetRange(horizontalScrollBar(), ToPixels(pageSize_.width, zoomedDpiX()), viewport()->width());
    SetRange(verticalScrollBar(), ToPixels(pageSize_.height, zoomedDpiY()), viewport()->height());
}

void CTWView::ZoomIn()
{
    ZoomAround(ZoomedIn(zoom_), ZoomAnchor());
}

void CTWView::ZoomOut()
{
    ZoomAround(ZoomedOut(zoom_), ZoomAnchor());
}

void CTWView::ZoomToActualSize()
{
    ZoomAround(1, ZoomAnchor());
}

// The page is drawn at a whole number of dots per inch: the largest that fits.
void CTWView::FitWidth()
{
    const int fittingDpi = static_cast<int>(viewport()->width() * kUnitsPerInch / pageSize_.width);
    ZoomAround(static_cast<double>(fittingDpi) / logicalDpiX(), QPointF(0, viewport()->height() / 2.0));
}

QPointF CTWView::ZoomAnchor() const
{
    const QPointF middle = QRectF(viewport()->rect()).center();
    if (!crosshair_)
        return middle;
    if (crosshair_->pointer)
        return *crosshair_->pointer;
    return {static_cast<double>(ToViewport({static_cast<double>(BarHairlineX(crosshair_->bar, shownBars())), 0}).x()),
            middle.y()};
}

void CTWView::ZoomAround(double zoom, QPointF anchor)
{
    zoom = BoundedZoom(zoom);
    if (zoom == zoom_)
        return;
    const PagePoint held = ToPage(anchor);
    zoom_ = zoom;
    UpdateScrollBars();
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(held.x * zoomedDpiX() / kUnitsPerInch - anchor.x())));
    verticalScrollBar()->setValue(
        static_cast<int>(std::lround(held.distance * zoomedDpiY() / kUnitsPerInch - anchor.y())));
    viewport()->update();
    LayOutOverlay();
    Q_EMIT zoomChanged(zoom_);
    // The zoom's notice takes the readout's place until the crosshair moves.
    readout_.clear();
}

void CTWView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (onChartPage())
        PointAt(point);
    else
        HighlightRowAt(point);
}

// Between strips the hairline follows the pointer still, reading the strip
// it was last in; off the drawing area it goes.
void CTWView::PointAt(QPoint point)
{
    const PagePoint page = ToPage(point);
    const int x = static_cast<int>(std::floor(page.x));
    const int distance = static_cast<int>(std::floor(page.distance));
    if (const std::optional<ChartHit> hit = HitTest(panels_, shownBars(), x, distance)) {
        lastPanel_ = hit->panel;
        SetCrosshair(Crosshair{hit->panel, hit->bar, distance, point});
        return;
    }
    const std::optional<int> bar =
        lastPanel_ < static_cast<int>(panels_.size()) ? BarAtX(x, panels_[lastPanel_].chart.barWidth, shownBars())
                                                      : std::nullopt;
    if (bar)
        SetCrosshair(Crosshair{lastPanel_, *bar, std::nullopt, point});
    else
        SetCrosshair(std::nullopt);
}

void CTWView::HighlightRowAt(QPoint point)
{
    const QRegion before = overlay_.region();
    const PagePoint page = ToPage(point);
    const std::optional<PageBand> row =
        page.x >= 0 && page.x < kQuoteTableRowRight
            ? QuoteTableRowAt(document_.store.BarsLoaded(), static_cast<int>(std::floor(page.distance)))
            : std::nullopt;
    if (row) {
        const QPoint topLeft = ToViewport({0, static_cast<double>(row->top)});
        const QPoint bottomRight = ToViewport({static_cast<double>(kQuoteTableRowRight), static_cast<double>(row->bottom)});
        overlay_.ShowRow(QRect(topLeft, bottomRight - QPoint(1, 1)));
    } else {
        overlay_.Hide();
    }
    const QRegion changed = before + overlay_.region();
    overlayRepaint_ += changed;
    viewport()->update(changed);
}

void CTWView::keyPressEvent(QKeyEvent* event)
{
    if (!onChartPage() || panels_.empty() || event->modifiers() != Qt::NoModifier) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    // With many bars the oldest stand left of the page's edge, undrawn.
    const int oldest = BarAtX(0, panels_[std::min(lastPanel_, static_cast<int>(panels_.size()) - 1)].chart.barWidth,
                              shownBars()).value_or(0);
    const int bar = crosshair_ ? crosshair_->bar : 0;
    switch (event->key()) {
    // Older bars stand to the left.
    case Qt::Key_Left: MoveCrosshairTo(crosshair_ ? std::min(bar + 1, oldest) : 0); return;
    case Qt::Key_Right: MoveCrosshairTo(std::max(bar - 1, 0)); return;
    case Qt::Key_Home: MoveCrosshairTo(0); return;
    case Qt::Key_End: MoveCrosshairTo(oldest); return;
    case Qt::Key_Escape:
        if (crosshair_) {
            SetCrosshair(std::nullopt);
            return;
        }
        break;
    default: break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CTWView::MoveCrosshairTo(int bar)
{
    const int panel = std::min(lastPanel_, static_cast<int>(panels_.size()) - 1);
    SetCrosshair(Crosshair{panel, bar, std::nullopt, std::nullopt});
    ScrollToHairline();
}

void CTWView::ScrollToHairline()
{
    const PagePoint hairline{static_cast<double>(BarHairlineX(crosshair_->bar, shownBars())),
                             static_cast<double>(panels_[crosshair_->panel].band.top)};
    const QPoint at = ToViewport(hairline);
    const int margin = viewport()->width() / 10;
    QScrollBar* across = horizontalScrollBar();
    if (at.x() < margin || at.x() > viewport()->width() - margin)
        across->setValue(across->value() + at.x() - viewport()->width() / 2);
    QScrollBar* down = verticalScrollBar();
    if (at.y() < 0 || at.y() > viewport()->height() - margin)
        down->setValue(down->value() + at.y() - margin);
    LayOutOverlay();
}

void CTWView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // A touchpad turns the wheel a little at a time: a step for each notch.
    wheelSteps_ += event->angleDelta().y();
    double zoom = zoom_;
    for (; wheelSteps_ >= kWheelNotch; wheelSteps_ -= kWheelNotch)
        zoom = ZoomedIn(zoom);
    for (; wheelSteps_ <= -kWheelNotch; wheelSteps_ += kWheelNotch)
        zoom = ZoomedOut(zoom);
    ZoomAround(zoom, event->position());
    event->accept();
}

bool CTWView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Leave:
        if (crosshair_ && crosshair_->pointer)
            SetCrosshair(std::nullopt);
        if (!onChartPage())
            HighlightRowAt(QPoint(-1, -1));
        break;
    case QEvent::ToolTip:
        ShowMarkTip(static_cast<QHelpEvent&>(*event));
        return true;
    default: break;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void CTWView::ShowMarkTip(QHelpEvent& event) const
{
    const PagePoint page = ToPage(event.pos());
    const int x = static_cast<int>(std::floor(page.x));
    const int distance = static_cast<int>(std::floor(page.distance));
    const std::optional<ChartHit> hit = onChartPage() ? HitTest(panels_, shownBars(), x, distance) : std::nullopt;
    const std::optional<ReadoutMark> mark = hit ? MarkAtPoint(panels_[hit->panel], x, distance) : std::nullopt;
    if (mark) {
        QToolTip::showText(event.globalPos(), ChartText(MarkTip(*mark)), viewport());
    } else {
        QToolTip::hideText();
        event.ignore();
    }
}

void CTWView::SetCrosshair(std::optional<Crosshair> crosshair)
{
    crosshair_ = std::move(crosshair);
    LayOutOverlay();
}

// The overlay follows the crosshair: what it covered and what it covers now
// are repainted, from the page image.
void CTWView::LayOutOverlay()
{
    const QRegion before = overlay_.region();
    QString line;
    if (onChartPage() && crosshair_ && crosshair_->panel < static_cast<int>(panels_.size())) {
        const PanelView& panel = panels_[crosshair_->panel];
        ChartOverlay::Crosshair shown;
        shown.hairlineX = ToViewport({static_cast<double>(BarHairlineX(crosshair_->bar, shownBars())), 0}).x();
        for (const PanelView& strip : panels_)
            if (strip.chart.Plots())
                shown.hairlineRuns.emplace_back(
                    ToViewport({0, static_cast<double>(strip.chart.PlotTopDistance() - 20)}).y(),
                    ToViewport({0, static_cast<double>(strip.chart.PlotBottomDistance())}).y());
        if (crosshair_->distance)
            if (const std::optional<double> value = ValueAtDistance(panel.chart, *crosshair_->distance)) {
                const int y = ToViewport({0, static_cast<double>(*crosshair_->distance)}).y();
                shown.level = QLine(ToViewport({0, 0}).x(), y, ToViewport({kChartRight, 0}).x(), y);
                shown.levelText = ChartText(ScaleValueText(panel.chart, *value));
                shown.labelX = ToViewport({kLabelX, 0}).x();
            }
        const QPoint stripTop = ToViewport({0, static_cast<double>(panel.band.top)});
        shown.boxAnchor = crosshair_->pointer.value_or(
            QPoint(shown.hairlineX, std::clamp(stripTop.y(), 0, std::max(0, viewport()->height() / 2))));
        shown.bar = ReadBar(document_.store, crosshair_->bar);
        shown.panel = ReadPanel(panel, crosshair_->bar);
        line = ChartText(ReadoutLine(shown.bar, shown.panel));
        overlay_.ShowCrosshair(std::move(shown), viewport()->size(), font());
    } else {
        overlay_.Hide();
    }
    const QRegion changed = before + overlay_.region();
    overlayRepaint_ += changed;
    viewport()->update(changed);
    if (line != readout_) {
        readout_ = line;
        Q_EMIT readoutChanged(readout_);
    }
}
