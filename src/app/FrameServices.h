#pragma once

#include "net/HostsConfig.h"

#include <QUrl>

#include <filesystem>
#include <functional>

// What the document windows need from the program around them.
struct FrameServices {
    HostsConfig hosts;
    std::filesystem::path pageFolder;  // where the composed market pages are written
    // Opens an address in the user's own web browser; tests put a recorder here.
    std::function<void(const QUrl&)> openInUserBrowser;
    // Tells the user what failed and what to do (a message box in the program).
    std::function<void(const QString&)> showError;
};
