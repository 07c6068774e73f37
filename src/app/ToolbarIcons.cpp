#include "app/ToolbarIcons.h"

#include <QFile>
#include <QString>

QIcon ToolbarIcon(int commandId)
{
    // res/tarnwick.qrc names each icon after its command.
    const QString path = QStringLiteral(":/tarnwick/icons/%1.svg").arg(commandId);
    if (!QFile::exists(path))
        return {};
    return QIcon(path);
}
