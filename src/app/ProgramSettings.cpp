#include "app/ProgramSettings.h"

#include "document/CTarnwickDoc.h"

#include <QStandardPaths>

namespace {

QString DataFolder(const QString& name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tarnwick/") +
           name;
}

}  // namespace

ProgramSettings ProgramSettings::Load(const QSettings& settings)
{
    ProgramSettings loaded;
    loaded.quoteDir =
        settings.value("quoteDir", QString::fromStdString(CTarnwickDoc::DefaultQuoteDir().string())).toString();
    loaded.favoritesFolder = settings.value("favoritesFolder", DataFolder(QStringLiteral("Favorites"))).toString();
    loaded.pageFolder = settings.value("pageFolder", DataFolder(QStringLiteral("pages"))).toString();
    return loaded;
}

void ProgramSettings::Save(QSettings& settings) const
{
    settings.setValue("quoteDir", quoteDir);
    settings.setValue("favoritesFolder", favoritesFolder);
    settings.setValue("pageFolder", pageFolder);
}

QSettings ProgramSettings::UserStore()
{
    return QSettings(QStringLiteral("Tarnwick"), QStringLiteral("Tarnwick"));
}

bool ProgramSettings::Flush(QSettings& store)
{
    store.sync();
    return store.status() == QSettings::NoError;
}
