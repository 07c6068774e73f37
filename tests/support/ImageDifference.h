#pragma once

#include <QImage>
#include <QPoint>

#include <string>

// "" when the two images agree pixel for pixel; else how many pixels differ
// and the first of them.
inline std::string ImageDifference(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return "the sizes differ";
    int differing = 0;
    QPoint first;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y) && differing++ == 0)
                first = {x, y};
    if (differing == 0)
        return {};
    return std::to_string(differing) + " pixels differ, the first at " + std::to_string(first.x()) + "," +
           std::to_string(first.y());
}
