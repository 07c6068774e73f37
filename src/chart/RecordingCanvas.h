#pragma once

#include "chart/Canvas.h"

#include <string>
#include <vector>

// A canvas that draws nothing and keeps every call, in order, for tests and
// benchmarks to inspect.
class RecordingCanvas : public Canvas {
public:
    enum class Kind { CreatePen, SelectPen, DeletePen, MoveTo, LineTo, SetTextColour, TextOut };

    struct Call {
        Kind kind;
        int x = 0;         // MoveTo, LineTo, TextOut
        int y = 0;
        PenId pen = 0;     // CreatePen (the new pen), SelectPen, DeletePen
        Rgb colour;        // CreatePen, SetTextColour
        std::string text;  // TextOut
    };

    // A text drawn, with the colour it was drawn in.
    struct Text {
        int x;
        int y;
        Rgb colour;
        std::string text;
    };

    // A line drawn, with the colour of the pen it was drawn with.
    struct Line {
        int x1;
        int y1;
        int x2;
        int y2;
        Rgb colour;
    };

    PenId CreatePen(Rgb colour) override;
    PenId SelectPen(PenId pen) override;
    void DeletePen(PenId pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetTextColour(Rgb colour) override;
    void TextOut(int x, int y, std::string_view text) override;

    const std::vector<Call>& calls() const { return calls_; }
    const std::vector<Text>& texts() const { return texts_; }
    const std::vector<Line>& lines() const { return lines_; }
    void Clear();

private:
    std::vector<Call> calls_;
    std::vector<Text> texts_;
    std::vector<Line> lines_;
    std::vector<Rgb> penColours_{Rgb{}};  // pen 0: the canvas's own black pen
    PenId selected_ = 0;
    Rgb textColour_;
    int currentX_ = 0;
    int currentY_ = 0;
};
