#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

// The desktop program as the session bus knows it: a second start with a
// file hands the file to the program already running, so the user keeps one
// main window with all the documents in it.
class RunningProgram : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarnwick.Tarnwick.Desktop")

public:
    static inline const QString kServiceName = QStringLiteral("org.tarnwick.Tarnwick.Desktop");
    static inline const QString kObjectPath = QStringLiteral("/Tarnwick/Desktop");

    explicit RunningProgram(const QDBusConnection& bus, QObject* parent = nullptr);
    // Gives the name back, so the next program to start takes it.
    ~RunningProgram() override;

    // Takes the name; false when there is no bus or a program holds it already.
    bool Register();

    // Asks the program holding the name to open `file`, an absolute path.
    // False when none holds it or it did not answer within five seconds:
    // the caller then starts as a program of its own.
    static bool HandOver(const QDBusConnection& bus, const QString& file);

public Q_SLOTS:
    void OpenFile(const QString& file);

Q_SIGNALS:
    void fileHandedOver(const QString& file);

private:
    QDBusConnection bus_;
    bool registered_ = false;
};
