#include "app/ScreenerModel.h"

#include "analysis/SignalTitles.h"
#include "base/Utf8Text.h"
#include "quotes/CsvDate.h"
#include "screen/ScreenTable.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// Header lines are kept about this many characters long.
constexpr qsizetype kHeaderLineLength = 12;

// `title` on lines of about kHeaderLineLength characters, broken at blanks
// and after a slash ("Convergence/" "Divergence").
QString WrapTitle(const QString& title)
{
    QStringList pieces;
    for (const QString& word : title.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        qsizetype start = 0;
        for (qsizetype slash = word.indexOf(QLatin1Char('/')); slash >= 0 && slash + 1 < word.size();
             slash = word.indexOf(QLatin1Char('/'), start)) {
            pieces << word.mid(start, slash + 1 - start);
            start = slash + 1;
        }
        pieces << word.mid(start);
    }
    QString wrapped;
    qsizetype lineLength = 0;
    for (const QString& piece : pieces) {
        const QString joint = wrapped.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral(" ");
        if (!wrapped.isEmpty() && lineLength + joint.size() + piece.size() <= kHeaderLineLength) {
            wrapped += joint + piece;
            lineLength += joint.size() + piece.size();
        } else {
            wrapped += (wrapped.isEmpty() ? QString() : QStringLiteral("\n")) + piece;
            lineLength = piece.size();
        }
    }
    return wrapped;
}

// The buy (even offsets) or sell count of a signal column.
int SignalCountOf(const ScreenRow& row, int column)
{
    const int offset = column - ScreenerModel::kFirstSignal;
    const SignalCount& count = row.signals[static_cast<std::size_t>(offset / 2)];
    return offset % 2 == 0 ? count.buy : count.sell;
}

}  // namespace

ScreenerModel::ScreenerModel(QObject* parent) : QAbstractTableModel(parent)
{
    for (const std::string& title : ScreenColumnTitles())
        titles_ << QString::fromStdString(title);
    // A signal column's title on its lines, then B or S on a line of its own.
    for (qsizetype column = 0; column < titles_.size(); ++column) {
        const bool signal = column >= kFirstSignal;
        const QString& title = titles_[column];
        wrappedTitles_ << (signal ? WrapTitle(title.chopped(2)) + QLatin1Char('\n') + title.back() : WrapTitle(title));
    }
}

void ScreenerModel::SetRows(std::vector<ScreenRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int ScreenerModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ScreenerModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QVariant ScreenerModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ScreenRow& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole: return DisplayText(row, index.column());
    case kSortRole: return SortValue(row, index.column());
    case Qt::TextAlignmentRole:
        return static_cast<int>(Qt::AlignVCenter | (index.column() == kSymbol || index.column() == kDate
                                                         ? Qt::AlignLeft
                                                         : Qt::AlignRight));
    case Qt::ForegroundRole:
        if (row.failed())
            return QGuiApplication::palette().color(QPalette::PlaceholderText);
        return {};
    case Qt::ToolTipRole:
        // As rich text, so that a long message wraps instead of running off the screen.
        if (row.failed())
            return QStringLiteral("<qt>%1</qt>").arg(QString::fromStdString(AsUtf8(row.error)).toHtmlEscaped());
        return {};
    default: return {};
    }
}

QVariant ScreenerModel::DisplayText(const ScreenRow& row, int column) const
{
    if (column == kSymbol)
        return QString::fromStdString(AsUtf8(row.symbol));
    if (row.failed())
        return column == kDate ? QStringLiteral("Not read") : QString();
    switch (column) {
    case kDate: return QString::fromStdString(AsUtf8(row.newestDate));
    case kClose: return QString::number(row.lastClose, 'f', 2);
    case kChange: return QString::fromStdString(ChangeText(row));
    case kBuy: return row.buyTotal;
    case kSell: return row.sellTotal;
    default: {
        // Only the signals stand out among the many indicator columns.
        const int count = SignalCountOf(row, column);
        return count == 0 ? QVariant(QString()) : QVariant(count);
    }
    }
}

QVariant ScreenerModel::SortValue(const ScreenRow& row, int column) const
{
    if (column == kSymbol)
        return QString::fromStdString(AsUtf8(row.symbol));
    if (row.failed())
        return {};
    switch (column) {
    case kDate: {
        const std::optional<CsvDate> date = ParseCsvDate(row.newestDate);
        if (!date)
            return {};
        return 10000.0 * date->date.year + 100.0 * date->date.month + date->date.day;
    }
    case kClose: return row.lastClose;
    case kChange: return row.changePercent ? QVariant(*row.changePercent) : QVariant();
    case kBuy: return static_cast<double>(row.buyTotal);
    case kSell: return static_cast<double>(row.sellTotal);
    default: return static_cast<double>(SignalCountOf(row, column));
    }
}

QVariant ScreenerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= titles_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole: return wrappedTitles_[section];
    case Qt::ToolTipRole: {
        if (section < kFirstSignal)
            return titles_[section];
        const std::size_t indicator = static_cast<std::size_t>(section - kFirstSignal) / 2;
        const std::string_view title = SignalTitles::kChartOrder[indicator].title;
        return QStringLiteral("%1: %2 signals on the newest day")
            .arg(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                 (section - kFirstSignal) % 2 == 0 ? QStringLiteral("buy") : QStringLiteral("sell"));
    }
    default: return QAbstractTableModel::headerData(section, orientation, role);
    }
}
