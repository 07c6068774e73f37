#pragma once

#include <QSettings>
#include <QString>

// The folders the user can change in the Settings dialog.
struct ProgramSettings {
    QString quoteDir;         // quotes.csv and table.csv for "Read C:\"
    QString favoritesFolder;  // the .url shortcuts of the Favorites menu
    QString pageFolder;       // where the composed market pages are written

    // What `settings` holds, with the program's defaults for what it lacks.
    static ProgramSettings Load(const QSettings& settings);
    void Save(QSettings& settings) const;

    // The user's store of the program's settings and recent files
    // (~/.config/Tarnwick/Tarnwick.conf on Linux).
    static QSettings UserStore();
    // Writes `store` to its file now. False when the file could not be
    // written (its folder read-only or missing, the disk full): what was put
    // in the store then lasts only until the program ends.
    static bool Flush(QSettings& store);
};
