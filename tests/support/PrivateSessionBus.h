#pragma once

#include "support/TempFolder.h"

#include <QProcess>
#include <QString>

#include <csignal>
#include <sys/prctl.h>

// A child of the tests dies with them, even when they are killed halfway.
inline void EndsWithTheTests(QProcess& process)
{
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

// A session bus of the tests' own: they need no desktop session and never
// meet a program of another suite running at the same time. address() is
// empty when dbus-daemon did not start.
class PrivateSessionBus {
public:
    PrivateSessionBus()
    {
        EndsWithTheTests(daemon_);
        const QString folder = QString::fromStdString(socketFolder_.path().string());
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {"--session", "--nofork", "--print-address", "--address=unix:dir=" + folder});
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(10000)) {
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }

    ~PrivateSessionBus()
    {
        daemon_.kill();
        daemon_.waitForFinished();
    }

    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    const QString& address() const { return address_; }

private:
    TempFolder socketFolder_;
    QProcess daemon_;
    QString address_;
};
