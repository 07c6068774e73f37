#pragma once

#include "chart/RecordingCanvas.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

// Whole recorded texts and lines compared and printed, and the recorded
// texts picked out, for the painter tests.

using Text = RecordingCanvas::Text;
using Line = RecordingCanvas::Line;

inline bool operator==(const Text& a, const Text& b)
{
    return a.x == b.x && a.y == b.y && a.colour == b.colour && a.text == b.text;
}

inline bool operator==(const Line& a, const Line& b)
{
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.colour == b.colour;
}

inline std::ostream& operator<<(std::ostream& out, const Rgb& colour)
{
    return out << "rgb(" << colour.red << "," << colour.green << "," << colour.blue << ")";
}

inline std::ostream& operator<<(std::ostream& out, const Text& text)
{
    return out << '"' << text.text << "\" at " << text.x << "," << text.y << " in " << text.colour;
}

inline std::ostream& operator<<(std::ostream& out, const Line& line)
{
    return out << line.x1 << "," << line.y1 << " to " << line.x2 << "," << line.y2 << " in " << line.colour;
}

// The texts drawn that read `name`, in drawing order.
inline std::vector<Text> TextsNamed(const RecordingCanvas& canvas, const std::string& name)
{
    std::vector<Text> found;
    std::copy_if(canvas.texts().begin(), canvas.texts().end(), std::back_inserter(found),
                 [&](const Text& text) { return text.text == name; });
    return found;
}

// The grid labels at x 755 from the bottom line up, without their padding.
inline std::vector<std::string> GridLabels(const RecordingCanvas& canvas)
{
    std::vector<std::string> labels;
    for (const Text& text : canvas.texts())
        if (text.x == 755)
            labels.push_back(text.text.substr(0, text.text.find_last_not_of(' ') + 1));
    return labels;
}
