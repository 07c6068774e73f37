#include "app/SettingsDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kFolderFieldWidth = 360;

}  // namespace

SettingsDialog::SettingsDialog(const ProgramSettings& settings, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Settings"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    quoteDir_ = AddFolderRow(*form, QStringLiteral("&Quote folder:"), settings.quoteDir);
    favoritesFolder_ = AddFolderRow(*form, QStringLiteral("&Favorites folder:"), settings.favoritesFolder);
    pageFolder_ = AddFolderRow(*form, QStringLiteral("&Page folder:"), settings.pageFolder);
    quoteDir_->setToolTip(QStringLiteral("The folder holding quotes.csv and table.csv for Read C:\\"));
    favoritesFolder_->setToolTip(QStringLiteral("The folder of .url shortcuts listed in the Favorites menu"));
    pageFolder_->setToolTip(QStringLiteral("The folder the composed market pages are written to"));

    problem_ = new QLabel(this);
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));
    problem_->setWordWrap(true);
    problem_->hide();
    layout->addWidget(problem_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SettingsDialog::reject);
    layout->addWidget(buttons);
}

QLineEdit* SettingsDialog::AddFolderRow(QFormLayout& form, const QString& label, const QString& folder)
{
    auto* row = new QHBoxLayout;
    auto* edit = new QLineEdit(folder, this);
    edit->setMinimumWidth(kFolderFieldWidth);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    connect(browse, &QPushButton::clicked, this, [this, edit] {
        const QString chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("Choose a folder"), edit->text());
        if (!chosen.isEmpty())
            edit->setText(chosen);
    });
    row->addWidget(edit);
    row->addWidget(browse);
    // Given its field, the label shows its mnemonic underlined instead of a '&'.
    auto* caption = new QLabel(label, this);
    caption->setBuddy(edit);
    form.addRow(caption, row);
    return edit;
}

ProgramSettings SettingsDialog::settings() const
{
    return {quoteDir_->text().trimmed(), favoritesFolder_->text().trimmed(), pageFolder_->text().trimmed()};
}

QString SettingsDialog::problem() const
{
    return problem_->text();
}

void SettingsDialog::accept()
{
    const ProgramSettings chosen = settings();
    QString problem;
    if (chosen.quoteDir.isEmpty() || chosen.favoritesFolder.isEmpty() || chosen.pageFolder.isEmpty())
        problem = QStringLiteral("Every folder needs a name. Type one or choose it with Browse...");
    else if (!QFileInfo(chosen.quoteDir).isDir())
        problem = QStringLiteral("The quote folder \"%1\" does not exist. Choose the folder that holds quotes.csv "
                                 "and table.csv.")
                      .arg(chosen.quoteDir);
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
    if (problem.isEmpty())
        QDialog::accept();
}
