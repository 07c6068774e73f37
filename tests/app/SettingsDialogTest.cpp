#include "app/ProgramSettings.h"
#include "app/SettingsDialog.h"
#include "support/TempFolder.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QSettings>

class SettingsDialogTest : public WidgetsTest {};

TEST_F(SettingsDialogTest, RefusesAQuoteFolderThatDoesNotExistOrAnEmptyFolder)
{
    TempFolder quotes;
    const QString quoteDir = QString::fromStdString(quotes.path().string());
    SettingsDialog dialog({"/nonexistent/quotes", "/fav", "/pages"});

    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.problem().contains("\"/nonexistent/quotes\" does not exist")) << dialog.problem().toStdString();

    dialog.quoteDirEdit()->setText("  " + quoteDir + " ");
    dialog.pageFolderEdit()->setText(" ");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.problem().contains("needs a name"));

    dialog.pageFolderEdit()->setText("/home/trader/pages");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.problem().isEmpty());
    const ProgramSettings chosen = dialog.settings();
    EXPECT_EQ(chosen.quoteDir, quoteDir);  // blanks trimmed
    EXPECT_EQ(chosen.favoritesFolder, "/fav");
    EXPECT_EQ(chosen.pageFolder, "/home/trader/pages");
}

TEST_F(SettingsDialogTest, FoldersAreStoredAndDefaultUnderTheUsersDataFolder)
{
    TempFolder folder;
    QSettings settings(QString::fromStdString((folder.path() / "s.ini").string()), QSettings::IniFormat);
    const ProgramSettings defaults = ProgramSettings::Load(settings);
    EXPECT_TRUE(defaults.quoteDir.endsWith("data/sample")) << defaults.quoteDir.toStdString();
    EXPECT_TRUE(defaults.favoritesFolder.endsWith("/Tarnwick/Favorites"));
    EXPECT_TRUE(defaults.pageFolder.endsWith("/Tarnwick/pages"));

    ProgramSettings{"/q", "/f", "/p ü&"}.Save(settings);
    const ProgramSettings loaded = ProgramSettings::Load(settings);
    EXPECT_EQ(loaded.quoteDir, "/q");
    EXPECT_EQ(loaded.favoritesFolder, "/f");
    EXPECT_EQ(loaded.pageFolder, "/p ü&");
}

TEST_F(SettingsDialogTest, EachLabelUnderlinesItsKeyAndTheKeyGoesToItsField)
{
    SettingsDialog dialog({"/q", "/f", "/p"});
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().contains('&')) {
            EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
        }
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), dialog.favoritesFolderEdit());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), dialog.pageFolderEdit());
}
