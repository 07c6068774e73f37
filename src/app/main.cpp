#include "app/AutomationServer.h"
#include "app/CHtmView.h"
#include "app/CTarnwickApp.h"
#include "app/CommandLine.h"
#include "app/RunningProgram.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>

namespace {

QStringList ArgumentsAsGiven(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
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

// A line that names only a file opens it in the program already running;
// a line with settings starts a program of its own with them.
bool HandedOver(const CommandLine& commandLine)
{
    if (!commandLine.file || commandLine.quoteDir || commandLine.symbol || commandLine.config || commandLine.allHosts)
        return false;
    return RunningProgram::HandOver(QDBusConnection::sessionBus(),
                                    QFileInfo(QString::fromStdString(*commandLine.file)).absoluteFilePath());
}

}  // namespace

int main(int argc, char** argv)
{
    // The browser view's engine shares its drawing contexts with the windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    CHtmView::RegisterPageScheme();
    // Decided before the application object, which needs a display.
    switch (CommandLine::RequestedMode(ArgumentsAsGiven(argc, argv))) {
    case CommandLine::Mode::Help: std::fputs(qPrintable(CommandLine::Usage()), stdout); return 0;
    case CommandLine::Mode::Version: std::puts("tarnwick " TARNWICK_VERSION); return 0;
    case CommandLine::Mode::Automation: return RunAutomationServer(argc, argv);
    case CommandLine::Mode::Run: break;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    // The taskbar and the window frames show the program's own icon, and the
    // desktop matches the windows to the installed desktop entry.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarnwick/tarnwick.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("tarnwick"));

    // Qt has taken its own options (-platform, -style) out of the arguments by now.
    QString error;
    const std::optional<CommandLine> commandLine = CommandLine::Parse(QApplication::arguments(), error);
    if (!commandLine) {
        std::fprintf(stderr, "tarnwick: %s\n%s", qPrintable(error), qPrintable(CommandLine::Usage()));
        return 2;
    }
    if (HandedOver(*commandLine))
        return 0;
    CTarnwickApp tarnwick;
    if (!tarnwick.InitInstance(*commandLine, error)) {
        std::fprintf(stderr, "tarnwick: %s\n", qPrintable(error));
        return 1;
    }
    // Without a session bus, or with another program holding the name, every
    // start stays a program of its own.
    RunningProgram running(QDBusConnection::sessionBus());
    if (running.Register())
        QObject::connect(&running, &RunningProgram::fileHandedOver, &tarnwick, &CTarnwickApp::OpenHandedFile);
    return QApplication::exec();
}
