#include "qtcanvas/OffscreenGuiApplication.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QString>

#include <cstdio>

namespace {

// QGuiApplication keeps references to these for its whole life. Our own
// arguments are not handed over, so Qt cannot take any of them as its own.
int argumentCount = 1;
char programName[] = "tarnwick";
char* arguments[] = {programName, nullptr};

// Setting up the offscreen platform outside a desktop session warns about
// things that drawing does not use (no per-user runtime folder, for one);
// only errors that stop the start-up are worth showing.
void ErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

OffscreenGuiApplication::OffscreenGuiApplication()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    argumentCount = 1;
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        // The user chose the platform; what it says while starting is theirs to see.
        application_ = std::make_unique<QGuiApplication>(argumentCount, arguments);
        return;
    }
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    const QtMessageHandler previous = qInstallMessageHandler(ErrorsOnly);
    application_ = std::make_unique<QGuiApplication>(argumentCount, arguments);
    qInstallMessageHandler(previous);
}

OffscreenGuiApplication::~OffscreenGuiApplication() = default;
