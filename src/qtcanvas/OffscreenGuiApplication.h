#pragma once

#include <memory>

class QGuiApplication;

// Fonts and painting need a QGuiApplication. This makes one when the process
// has none yet and removes it again when it goes; when one exists already it
// does nothing. Unless QT_QPA_PLATFORM names a platform, the application it
// makes uses Qt's offscreen platform, so drawing works on a machine without a
// display (the command line, tests, benchmarks), and only errors of its
// start-up are shown, not its warnings. Create it on the main thread, before
// any QFont, QImage painting or QPainter.
class OffscreenGuiApplication {
public:
    OffscreenGuiApplication();
    ~OffscreenGuiApplication();
    OffscreenGuiApplication(const OffscreenGuiApplication&) = delete;
    OffscreenGuiApplication& operator=(const OffscreenGuiApplication&) = delete;

private:
    std::unique_ptr<QGuiApplication> application_;
};
