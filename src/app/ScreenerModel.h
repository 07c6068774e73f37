#pragma once

#include "screen/ScreenRow.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

// The screener's rows as a table, in the columns of ScreenColumnTitles: the
// numbers right-aligned, the change as ChangeText writes it, an indicator
// without a signal as an empty cell. A row that
// could not be read shows its symbol and "Not read" in the palette's muted
// text colour, with the error as the tooltip of every cell.
class ScreenerModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kSymbol, kDate, kClose, kChange, kBuy, kSell, kFirstSignal };

    // What a cell sorts by: the symbol's text, and a double for every other
    // column (the date as yyyymmdd). Nothing (an invalid QVariant) when the
    // cell has no value: a row not read, a change of a single bar.
    static constexpr int kSortRole = Qt::UserRole;

    explicit ScreenerModel(QObject* parent = nullptr);

    void SetRows(std::vector<ScreenRow> rows);
    const std::vector<ScreenRow>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The titles are wrapped onto a few short lines so the many signal
    // columns stay narrow; their tooltips spell them out.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant DisplayText(const ScreenRow& row, int column) const;
    QVariant SortValue(const ScreenRow& row, int column) const;

    std::vector<ScreenRow> rows_;
    QStringList titles_;
    QStringList wrappedTitles_;
};
