#pragma once

#include "app/ChartOverlay.h"
#include "chart/ChartPagePaint.h"
#include "chart/PanelView.h"
#include "qtcanvas/TextShapes.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <optional>
#include <vector>

class CTarnwickDoc;
class QHelpEvent;
class QPrinter;

// The chart window of a document: the chart page or the quote table on a
// white page that scrolls, at its physical size (0.01 inch a unit at the
// screen's DPI) times the window's own zoom.
//
// The visible part of the page is painted once into an image at the screen's
// pixel ratio; the pointer's crosshair, readout box and the highlighted table
// row are an overlay over that image, so moving the pointer repaints only
// what the overlay covered and covers. Any other repaint (the document
// changed, a scroll, a resize, a zoom) paints the page afresh.
class CTWView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // The document must outlive the view.
    explicit CTWView(CTarnwickDoc& document, QWidget* parent = nullptr);

    // Before anything was painted the page is 10 by 10 inches.
    void OnInitialUpdate();

    // The document changed: the page is painted again, and the crosshair
    // reads the new bars or goes when its bar is gone.
    void Refresh();

    // Prints the page at its physical size on as many sheets as it needs,
    // each cut between panels (or table rows), never through one; with a
    // page range on the printer only the sheets it names. False when the
    // printer could not be started or finished.
    bool Print(QPrinter& printer) const;
    // How many sheets Print puts the page on with the printer's paper.
    int SheetCount(const QPrinter& printer) const;

    // The page size the scroll bars cover, in units of 0.01 inch.
    PageSize pageSize() const { return pageSize_; }

    // The zoom on screen: 1 is the physical size. Zooming keeps the page
    // point under the crosshair (or the window's middle) where it is.
    double zoom() const { return zoom_; }
    void ZoomIn();
    void ZoomOut();
    void ZoomToActualSize();
    void FitWidth();

Q_SIGNALS:
    // The readout's one-line form while the crosshair shows; empty once it goes.
    void readoutChanged(const QString& line);
    void zoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // A point of the page in its units: x across, distance down.
    struct PagePoint {
        double x = 0;
        double distance = 0;
    };
    // Where the crosshair stands: a strip and a bar of it, the pointer's
    // height in the strip while the mouse drives it, and the pointer.
    struct Crosshair {
        int panel = 0;
        int bar = 0;
        std::optional<int> distance;
        std::optional<QPoint> pointer;
    };

    int zoomedDpiX() const;
    int zoomedDpiY() const;
    PagePoint ToPage(QPointF point) const;
    QPoint ToViewport(PagePoint point) const;
    int shownBars() const;
    bool onChartPage() const;

    void SetScrollSizes(PageSize size);
    void UpdateScrollBars();
    void PaintPageImage();
    void ZoomAround(double zoom, QPointF anchor);
    QPointF ZoomAnchor() const;

    void PointAt(QPoint point);
    void HighlightRowAt(QPoint point);
    void MoveCrosshairTo(int bar);
    void ScrollToHairline();
    void SetCrosshair(std::optional<Crosshair> crosshair);
    void LayOutOverlay();
    void ShowMarkTip(QHelpEvent& event) const;

    CTarnwickDoc& document_;
    PageSize pageSize_;
    double zoom_ = 1;
    int wheelSteps_ = 0;  // eighths of a degree the wheel turned with Ctrl, toward the next step

    QImage pageImage_;
    TextShapes textShapes_;  // the page's texts as shaped, for the next repaint
    QPoint imageScroll_;
    double imageZoom_ = 0;
    QRegion overlayRepaint_;  // what overlay moves asked to repaint since the last paint

    std::vector<PanelView> panels_;  // the strips of the chart page, laid out anew on every document change
    std::optional<Crosshair> crosshair_;
    int lastPanel_ = 0;  // the strip the keys move the crosshair in
    ChartOverlay overlay_;
    QString readout_;
};
