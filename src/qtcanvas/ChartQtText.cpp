#include "qtcanvas/ChartQtText.h"

#include "base/Utf8Text.h"

#include <algorithm>
#include <string>

QString ChartText(std::string_view text)
{
    const std::string utf8 = AsUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QColor ChartColour(Rgb colour)
{
    return QColor(std::clamp(colour.red, 0, 255), std::clamp(colour.green, 0, 255), std::clamp(colour.blue, 0, 255));
}
