#pragma once

#include "screen/ScreenRow.h"

#include <QSortFilterProxyModel>
#include <QString>

#include <vector>

class ScreenerModel;

// The screener's rows as the window lists them: those whose symbol holds the
// filter text (in any case), only those with a signal on their newest day
// when asked, sorted by the column chosen. Numbers sort as numbers, ties keep
// the symbols' order, and cells without a value go last in either order.
class ScreenerFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    // The model must outlive the filter.
    explicit ScreenerFilter(ScreenerModel& model, QObject* parent = nullptr);

    void SetSymbolText(const QString& text);
    void SetSignalsOnly(bool signalsOnly);

    // The rows listed, in the order listed.
    std::vector<ScreenRow> ShownRows() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    const ScreenerModel& model_;
    QString symbolText_;
    bool signalsOnly_ = false;
};
