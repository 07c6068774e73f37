#pragma once

#include "app/ProgramSettings.h"

#include <QDialog>

class QFormLayout;
class QLabel;
class QLineEdit;

// The Settings dialog of the Edit menu: the quote folder, the Favorites
// folder and the page folder, each typed or chosen with "Browse...".
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    SettingsDialog(const ProgramSettings& settings, QWidget* parent = nullptr);

    // The folders as the dialog shows them, blanks trimmed.
    ProgramSettings settings() const;

    QLineEdit* quoteDirEdit() const { return quoteDir_; }
    QLineEdit* favoritesFolderEdit() const { return favoritesFolder_; }
    QLineEdit* pageFolderEdit() const { return pageFolder_; }
    // Why OK was refused; empty while nothing is wrong.
    QString problem() const;

    void accept() override;

private:
    QLineEdit* AddFolderRow(QFormLayout& form, const QString& label, const QString& folder);

    QLineEdit* quoteDir_ = nullptr;
    QLineEdit* favoritesFolder_ = nullptr;
    QLineEdit* pageFolder_ = nullptr;
    QLabel* problem_ = nullptr;
};
