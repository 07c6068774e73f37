#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// File > Send: hands a copy of a document to the user's mail program. Writes
// the copy, an empty file named `fileName` (a document's file holds
// nothing), into a "tarnwick-mail" folder under the temporary folder, then
// gives `openInUserMail` a mailto: address with `subject` and the copy as its
// attachment. False, with the reason and what to do in `error`, when the copy
// cannot be written; nothing is opened then.
bool SendByMail(const QString& fileName, const QString& subject,
                const std::function<void(const QUrl&)>& openInUserMail, QString& error);
