#include "app/SendByMail.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrlQuery>

bool SendByMail(const QString& fileName, const QString& subject,
                const std::function<void(const QUrl&)>& openInUserMail, QString& error)
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QStringLiteral("/tarnwick-mail");
    const QString path = folder + '/' + fileName;
    QSaveFile copy(path);
    if (!QDir().mkpath(folder) || !copy.open(QIODevice::WriteOnly) || !copy.commit()) {
        error = QStringLiteral("Could not prepare \"%1\" for mail: %2. Save the document and attach it by hand.")
                    .arg(path, copy.errorString());
        return false;
    }
    QUrl mail(QStringLiteral("mailto:"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), subject);
    query.addQueryItem(QStringLiteral("attach"), QUrl::fromLocalFile(path).toString());
    mail.setQuery(query);
    openInUserMail(mail);
    return true;
}
