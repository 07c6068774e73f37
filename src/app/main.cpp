#include "app/CTarnwickApp.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // The browser view's engine shares its drawing contexts with the windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));

    QString error;
    const std::optional<CTarnwickApp::Options> options =
        CTarnwickApp::ParseOptions(QApplication::arguments(), error);
    if (!options) {
        std::fprintf(stderr, "tarnwick: %s\nusage: tarnwick [--quote-dir DIR] [--symbol SYMBOL] [--config FILE]\n",
                     qPrintable(error));
        return 2;
    }
    CTarnwickApp tarnwick;
    if (!tarnwick.InitInstance(*options))
        return 1;
    return QApplication::exec();
}
