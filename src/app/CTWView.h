#pragma once

#include "chart/ChartPagePaint.h"

#include <QAbstractScrollArea>

class CTarnwickDoc;
class QPrinter;

// The chart window of a document: the chart page or the quote table, drawn
// by the paint pass at its physical size (0.01 inch a unit at the screen's
// DPI) on a white page that scrolls. It keeps nothing between paints but the
// page size the last paint reported, which sets the scroll ranges.
class CTWView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // The document must outlive the view.
    explicit CTWView(CTarnwickDoc& document, QWidget* parent = nullptr);

    // Before anything was painted the page is 10 by 10 inches.
    void OnInitialUpdate();

    // Prints the page at its physical size on as many sheets as it needs,
    // each cut between panels (or table rows), never through one; with a
    // page range on the printer only the sheets it names. False when the
    // printer could not be started or finished.
    bool Print(QPrinter& printer) const;
    // How many sheets Print puts the page on with the printer's paper.
    int SheetCount(const QPrinter& printer) const;

    // The page size the scroll bars cover, in units of 0.01 inch.
    PageSize pageSize() const { return pageSize_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetScrollSizes(PageSize size);
    void UpdateScrollBars();

    CTarnwickDoc& document_;
    PageSize pageSize_;
};
