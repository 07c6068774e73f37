#pragma once

#include <QPrinter>

#include <functional>

class CChildFrame;
class QWidget;

// Print, Print Preview and Print Setup of the File menu. They share one
// printer, so the printer and paper chosen once hold for the next print.
class PrintCommands {
public:
    // `dialogParent` must outlive this object; `showError` tells the user
    // when a print failed.
    PrintCommands(QWidget& dialogParent, std::function<void(const QString&)> showError);

    // Asks for the printer, the copies and the sheets, then prints the frame's shown view.
    void Print(CChildFrame& frame);
    // Shows the frame's shown view as it will come out of the printer, every sheet.
    void Preview(CChildFrame& frame);
    // Asks for the paper and its orientation.
    void Setup();

    QPrinter& printer() { return printer_; }

private:
    void PrintOrReport(CChildFrame& frame, QPrinter& printer);

    QWidget& dialogParent_;
    std::function<void(const QString&)> showError_;
    QPrinter printer_;
};
