#pragma once

#include "chart/Canvas.h"

#include <QColor>
#include <QString>

#include <string_view>

// The chart's texts and colours as Qt shows them: texts are UTF-8, and the
// dates and symbols of 8-bit files that are not are Windows-1252.
QString ChartText(std::string_view text);
QColor ChartColour(Rgb colour);
