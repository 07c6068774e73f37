#pragma once

#include <QIcon>

// The icon of a toolbar button, by command number; a null icon for any
// command without one.
QIcon ToolbarIcon(int commandId);
