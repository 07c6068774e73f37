#include "app/AutomationServer.h"
#include "app/CTarnwickApp.h"

#include <QApplication>
#include <QDBusConnection>

#include <cstdio>
#include <string_view>

namespace {

// The switches that start the program for automation clients, as Windows passed them.
bool StartedForAutomation(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-Automation" || argument == "/Automation" || argument == "-Embedding" ||
            argument == "/Embedding")
            return true;
    }
    return false;
}

// Serves automation clients on the session bus without a window, so no display is needed.
int RunAutomationServer(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));
    AutomationServer server(QDBusConnection::sessionBus());
    QObject::connect(&server, &AutomationServer::Finished, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QString error;
    if (!server.Start(error)) {
        std::fprintf(stderr, "tarnwick: %s\n", qPrintable(error));
        return 1;
    }
    return QCoreApplication::exec();
}

}  // namespace

int main(int argc, char** argv)
{
    // The browser view's engine shares its drawing contexts with the windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (StartedForAutomation(argc, argv))
        return RunAutomationServer(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));

    QString error;
    const std::optional<CTarnwickApp::Options> options =
        CTarnwickApp::ParseOptions(QApplication::arguments(), error);
    if (!options) {
        std::fprintf(stderr,
                     "tarnwick: %s\nusage: tarnwick [--quote-dir DIR] [--symbol SYMBOL] [--config FILE] [--all-hosts HOST:PORT]\n"
                     "       tarnwick -Automation   (serve automation clients on the D-Bus session bus)\n",
                     qPrintable(error));
        return 2;
    }
    CTarnwickApp tarnwick;
    if (!tarnwick.InitInstance(*options))
        return 1;
    return QApplication::exec();
}
