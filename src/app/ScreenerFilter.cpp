#include "app/ScreenerFilter.h"

#include "app/ScreenerModel.h"

ScreenerFilter::ScreenerFilter(ScreenerModel& model, QObject* parent) : QSortFilterProxyModel(parent), model_(model)
{
    setSourceModel(&model);
    setSortRole(ScreenerModel::kSortRole);
}

void ScreenerFilter::SetSymbolText(const QString& text)
{
    symbolText_ = text.trimmed();
    invalidateFilter();
}

void ScreenerFilter::SetSignalsOnly(bool signalsOnly)
{
    signalsOnly_ = signalsOnly;
    invalidateFilter();
}

std::vector<ScreenRow> ScreenerFilter::ShownRows() const
{
    std::vector<ScreenRow> shown;
    shown.reserve(static_cast<std::size_t>(rowCount()));
    for (int row = 0; row < rowCount(); ++row)
        shown.push_back(model_.rows()[static_cast<std::size_t>(mapToSource(index(row, 0)).row())]);
    return shown;
}

bool ScreenerFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const ScreenRow& row = model_.rows()[static_cast<std::size_t>(sourceRow)];
    if (signalsOnly_ && !row.hasSignal())
        return false;
    return symbolText_.isEmpty() || QString::fromStdString(row.symbol).contains(symbolText_, Qt::CaseInsensitive);
}

bool ScreenerFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    // A descending sort asks lessThan(right, left), so the empty cell counts
    // as the smaller one there to stay last.
    if (!a.isValid() || !b.isValid())
        return a.isValid() != b.isValid() && (a.isValid() == (sortOrder() == Qt::AscendingOrder));
    if (a.typeId() == QMetaType::QString)
        return a.toString() < b.toString();
    return a.toDouble() < b.toDouble();
}
