#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The documents opened or saved last, newest first, at most `capacity` of
// them, kept in the program's settings so the File menu lists them again at
// the next start.
class RecentFileList {
public:
    explicit RecentFileList(int capacity);

    // Reads the list from `settings`; entries beyond the capacity are dropped.
    void Load(const QSettings& settings);
    void Save(QSettings& settings) const;

    // Puts `path` first, taking it out of its old place.
    void Add(const QString& path);
    void Remove(const QString& path);

    const QStringList& paths() const { return paths_; }

private:
    int capacity_;
    QStringList paths_;
};
