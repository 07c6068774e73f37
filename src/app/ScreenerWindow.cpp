#include "app/ScreenerWindow.h"

#include "app/ProgramSettings.h"
#include "app/ScreenerFilter.h"
#include "app/ScreenerModel.h"
#include "base/Errors.h"
#include "screen/ScreenTable.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStackedWidget>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <sstream>

namespace {

constexpr int kProgressPollMs = 100;
constexpr int kFilterBoxWidth = 160;
constexpr int kColumnPadding = 8;  // pixels beside the widest text of a column
constexpr int kRowPadding = 6;     // pixels a row adds to its line of text
constexpr auto kSortColumnKey = "screener/sortColumn";
constexpr auto kSortOrderKey = "screener/sortOrder";

// Counts with the thousands grouped, as the rest of the window's English.
QString Count(int count)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(count);
}

}  // namespace

ScreenerWindow::ScreenerWindow(const QString& folder, QWidget* parent)
    : QMdiSubWindow(parent), folder_(folder), model_(new ScreenerModel(this)),
      filter_(new ScreenerFilter(*model_, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Screener - %1").arg(QFileInfo(QDir::cleanPath(folder)).fileName()));
    chooseExportFile = [this](const QString& suggestion) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Export"), suggestion,
                                            QStringLiteral("CSV Files (*.csv);;All Files (*)"));
    };

    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);

    auto* tools = new QHBoxLayout;
    auto* filterLabel = new QLabel(QStringLiteral("&Symbol:"), content);
    filterBox_ = new QLineEdit(content);
    filterBox_->setPlaceholderText(QStringLiteral("Filter"));
    filterBox_->setClearButtonEnabled(true);
    filterBox_->setMaximumWidth(kFilterBoxWidth);
    filterLabel->setBuddy(filterBox_);
    signalsOnly_ = new QCheckBox(QStringLiteral("&Only symbols with a signal today"), content);
    tools->addWidget(filterLabel);
    tools->addWidget(filterBox_);
    tools->addSpacing(12);
    tools->addWidget(signalsOnly_);
    tools->addStretch();
    layout->addLayout(tools);

    progressRow_ = new QWidget(content);
    auto* progress = new QHBoxLayout(progressRow_);
    progress->setContentsMargins(0, 0, 0, 0);
    progressBar_ = new QProgressBar(progressRow_);
    progressBar_->setRange(0, 0);  // busy until the symbols are listed
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), progressRow_);
    progress->addWidget(progressBar_, 1);
    progress->addWidget(cancelButton_);
    layout->addWidget(progressRow_);

    pages_ = new QStackedWidget(content);
    table_ = new QTableView(pages_);
    table_->setModel(filter_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().lineSpacing() + kRowPadding);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    table_->setSortingEnabled(true);
    RestoreSort();
    FitColumns();
    message_ = new QLabel(pages_);
    message_->setTextFormat(Qt::PlainText);  // folder names are never markup
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    message_->setMargin(12);
    pages_->addWidget(table_);
    pages_->addWidget(message_);
    layout->addWidget(pages_, 1);

    // The counts wrap, and Export sits beside them, so the window can be narrow.
    auto* bottom = new QHBoxLayout;
    statusLine_ = new QLabel(QStringLiteral("Reading the symbols of %1...").arg(QDir::toNativeSeparators(folder)),
                             content);
    statusLine_->setTextFormat(Qt::PlainText);
    statusLine_->setWordWrap(true);
    bottom->addWidget(statusLine_, 1);
    exportButton_ = new QPushButton(QStringLiteral("&Export..."), content);
    exportButton_->setEnabled(false);
    bottom->addWidget(exportButton_);
    layout->addLayout(bottom);
    setWidget(content);

    progressTimer_ = new QTimer(this);
    connect(progressTimer_, &QTimer::timeout, this, &ScreenerWindow::ShowProgress);
    connect(cancelButton_, &QPushButton::clicked, this, [this] {
        scan_.request_stop();
        cancelButton_->setEnabled(false);
        statusLine_->setText(QStringLiteral("Cancelling after the symbols under way..."));
    });
    connect(filterBox_, &QLineEdit::textChanged, this, [this](const QString& text) {
        filter_->SetSymbolText(text);
        ShowCounts();
    });
    connect(signalsOnly_, &QCheckBox::toggled, this, [this](bool checked) {
        filter_->SetSignalsOnly(checked);
        ShowCounts();
    });
    connect(exportButton_, &QPushButton::clicked, this, &ScreenerWindow::Export);
    // The platform's activation: double-click, and Enter on the current row.
    connect(table_, &QTableView::activated, this, &ScreenerWindow::OpenRow);
    connect(table_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                MakeRoomForSortArrow(column);
                SaveSort(column, order);
            });

    StartScan();
}

ScreenerWindow::~ScreenerWindow()
{
    scan_.request_stop();
    if (scan_.joinable())
        scan_.join();
}

void ScreenerWindow::StartScan()
{
    progressTimer_->start(kProgressPollMs);
    const std::filesystem::path folder = folder_.toStdString();
    scan_ = std::jthread([this, folder](std::stop_token stop) {
        auto result = std::make_shared<ScreenResult>();
        QString error;
        try {
            *result = ScreenFolder(folder, 0, stop, &progress_);
        } catch (const TarnwickError& failure) {
            error = QString::fromUtf8(failure.what());
        }
        // Handed to the window's own thread; dropped unread if the window has gone.
        QMetaObject::invokeMethod(
            this, [this, result, error] { OnScanFinished(result, error); }, Qt::QueuedConnection);
    });
}

void ScreenerWindow::ShowProgress()
{
    const int total = progress_.total;
    if (total == 0)
        return;
    const int done = progress_.done;
    progressBar_->setRange(0, total);
    progressBar_->setValue(done);
    progressBar_->setFormat(QStringLiteral("%1 of %2 symbols").arg(Count(done), Count(total)));
}

void ScreenerWindow::OnScanFinished(const std::shared_ptr<ScreenResult>& result, const QString& error)
{
    progressTimer_->stop();
    progressRow_->hide();
    finished_ = true;
    if (!error.isEmpty()) {
        message_->setText(error + QStringLiteral("\n\nChoose a folder that holds one folder per symbol with a "
                                                 "table.csv, or CSV histories named SYMBOL.csv, with Stocks > "
                                                 "Screen Quote Folder."));
        pages_->setCurrentWidget(message_);
        filterBox_->setEnabled(false);
        signalsOnly_->setEnabled(false);
        statusLine_->setText(QStringLiteral("Nothing screened."));
        Q_EMIT scanFinished();
        return;
    }
    const int read = result->readCount();
    const int failed = static_cast<int>(result->rows.size()) - read;
    const auto signalled = std::ranges::count_if(result->rows, &ScreenRow::hasSignal);
    counts_ = result->complete
                  ? QStringLiteral("%1 symbols, %2 read").arg(Count(result->symbolCount), Count(read))
                  : QStringLiteral("Cancelled: %1 of %2 symbols read").arg(Count(read), Count(result->symbolCount));
    counts_ += QStringLiteral(", %1 with errors, %2 with a signal today")
                   .arg(Count(failed), Count(static_cast<int>(signalled)));
    model_->SetRows(std::move(result->rows));
    FitColumns();
    exportButton_->setEnabled(true);
    ShowCounts();
    Q_EMIT scanFinished();
}

// Each column as wide as its widest cell or its title's longest line. (Qt's
// own fit leaves every title room for a sort arrow as wide as the header is
// tall, far too much for the many-lined titles.)
void ScreenerWindow::FitColumns()
{
    QHeaderView* header = table_->horizontalHeader();
    header->setSortIndicatorShown(false);
    table_->resizeColumnsToContents();
    header->setSortIndicatorShown(true);
    fittedWidths_.clear();
    for (int column = 0; column < model_->columnCount(); ++column) {
        fittedWidths_.push_back(table_->columnWidth(column) + kColumnPadding);
        table_->setColumnWidth(column, fittedWidths_.back());
    }
    MakeRoomForSortArrow(header->sortIndicatorSection());
}

// The style takes half the header's height and two margins from the sorted
// column's title for its arrow; the column grows by that much if it must.
void ScreenerWindow::MakeRoomForSortArrow(int column)
{
    if (column < 0 || column >= static_cast<int>(fittedWidths_.size()))
        return;
    const QHeaderView* header = table_->horizontalHeader();
    const int arrow =
        header->sizeHint().height() / 2 + 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int needed = fittedWidths_[static_cast<std::size_t>(column)] + arrow;
    if (table_->columnWidth(column) < needed)
        table_->setColumnWidth(column, needed);
}

void ScreenerWindow::ShowCounts()
{
    if (counts_.isEmpty())
        return;
    const int listed = filter_->rowCount();
    statusLine_->setText(listed == model_->rowCount() ? counts_
                                                      : counts_ + QStringLiteral("; %1 listed").arg(Count(listed)));
}

bool ScreenerWindow::canExport() const
{
    return exportButton_->isEnabled();
}

bool ScreenerWindow::scanning() const
{
    return !finished_;
}

void ScreenerWindow::Export()
{
    if (!canExport())
        return;
    const QString name = QFileInfo(QDir::cleanPath(folder_)).fileName() + QStringLiteral("-screen.csv");
    const QString path = chooseExportFile ? chooseExportFile(QDir::home().filePath(name)) : QString();
    if (path.isEmpty())
        return;
    std::ostringstream csv;
    WriteScreenCsv(filter_->ShownRows(), csv);
    const std::string text = csv.str();
    // Written through a temporary file, so a failed write leaves the old file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
        !file.commit()) {
        if (showError)
            showError(QStringLiteral("Could not write \"%1\": %2. Choose another file or folder with Export.")
                          .arg(path, file.errorString()));
    }
}

void ScreenerWindow::OpenRow(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const ScreenRow& row = model_->rows()[static_cast<std::size_t>(filter_->mapToSource(index).row())];
    Q_EMIT chartRequested(folder_, QString::fromStdString(row.symbol));
}

void ScreenerWindow::RestoreSort()
{
    const QSettings stored = ProgramSettings::UserStore();
    const int column = stored.value(kSortColumnKey, static_cast<int>(ScreenerModel::kSymbol)).toInt();
    const auto order = static_cast<Qt::SortOrder>(stored.value(kSortOrderKey, Qt::AscendingOrder).toInt());
    const bool known = column >= 0 && column < model_->columnCount() &&
                       (order == Qt::AscendingOrder || order == Qt::DescendingOrder);
    table_->sortByColumn(known ? column : ScreenerModel::kSymbol, known ? order : Qt::AscendingOrder);
}

void ScreenerWindow::SaveSort(int column, Qt::SortOrder order)
{
    QSettings stored = ProgramSettings::UserStore();
    stored.setValue(kSortColumnKey, column);
    stored.setValue(kSortOrderKey, static_cast<int>(order));
}
