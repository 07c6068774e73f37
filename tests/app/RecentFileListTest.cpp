#include "app/RecentFileList.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QSettings>

TEST(RecentFileListTest, KeepsTheNewestFourOnceEachAndReadsThemBack)
{
    RecentFileList list(4);
    for (const char* path : {"/a.stk", "/b.stk", "/c.stk", "/d.stk", "/b.stk", "/e.stk"})
        list.Add(QString::fromLatin1(path));
    EXPECT_EQ(list.paths(), QStringList({"/e.stk", "/b.stk", "/d.stk", "/c.stk"}));

    TempFolder folder;
    const QString file = QString::fromStdString((folder.path() / "settings.ini").string());
    {
        QSettings settings(file, QSettings::IniFormat);
        list.Save(settings);
    }
    list.Remove("/d.stk");
    EXPECT_EQ(list.paths(), QStringList({"/e.stk", "/b.stk", "/c.stk"}));

    QSettings settings(file, QSettings::IniFormat);
    RecentFileList shorter(2);
    shorter.Load(settings);
    EXPECT_EQ(shorter.paths(), QStringList({"/e.stk", "/b.stk"}));

    // A shorter list saved over a longer one leaves none of the old entries behind.
    shorter.Save(settings);
    RecentFileList reread(4);
    reread.Load(settings);
    EXPECT_EQ(reread.paths(), QStringList({"/e.stk", "/b.stk"}));
}

TEST(RecentFileListTest, SkipsEmptyAndRepeatedEntriesOfAnEditedSettingsFile)
{
    TempFolder folder;
    folder.Write("settings.ini", "[Recent%20File%20List]\nFile1=/x.stk\nFile2=\nFile3=/x.stk\nFile4=/y.stk\n");
    QSettings settings(QString::fromStdString((folder.path() / "settings.ini").string()), QSettings::IniFormat);
    RecentFileList list(4);
    list.Load(settings);
    EXPECT_EQ(list.paths(), QStringList({"/x.stk", "/y.stk"}));
}
