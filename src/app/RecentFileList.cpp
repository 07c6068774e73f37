#include "app/RecentFileList.h"

#include <QSettings>

namespace {

constexpr auto kGroup = "Recent File List";

QString EntryKey(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

}  // namespace

RecentFileList::RecentFileList(int capacity) : capacity_(capacity) {}

void RecentFileList::Load(const QSettings& settings)
{
    paths_.clear();
    for (int i = 0; i < capacity_; ++i) {
        const QString path = settings.value(QLatin1String(kGroup) + '/' + EntryKey(i)).toString();
        if (!path.isEmpty() && !paths_.contains(path))
            paths_.append(path);
    }
}

void RecentFileList::Save(QSettings& settings) const
{
    settings.remove(QLatin1String(kGroup));
    for (int i = 0; i < paths_.size(); ++i)
        settings.setValue(QLatin1String(kGroup) + '/' + EntryKey(i), paths_[i]);
}

void RecentFileList::Add(const QString& path)
{
    paths_.removeAll(path);
    paths_.prepend(path);
    while (paths_.size() > capacity_)
        paths_.removeLast();
}

void RecentFileList::Remove(const QString& path)
{
    paths_.removeAll(path);
}
