#include "app/PrintCommands.h"

#include "app/CChildFrame.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

PrintCommands::PrintCommands(QWidget& dialogParent, std::function<void(const QString&)> showError)
    : dialogParent_(dialogParent), showError_(std::move(showError)), printer_(QPrinter::HighResolution)
{
}

void PrintCommands::Print(CChildFrame& frame)
{
    QPrintDialog dialog(&printer_, &dialogParent_);
    // The range the dialog offers; sheets beyond the paper a user then picks are skipped.
    if (const int sheets = frame.PrintSheetCount(printer_); sheets > 0)
        dialog.setMinMax(1, sheets);
    if (dialog.exec() == QDialog::Accepted)
        PrintOrReport(frame, printer_);
}

void PrintCommands::Preview(CChildFrame& frame)
{
    // The preview shows every sheet, whatever range the last print asked for.
    printer_.setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog preview(&printer_, &dialogParent_);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [this, &frame](QPrinter* printer) { PrintOrReport(frame, *printer); });
    preview.exec();
}

void PrintCommands::Setup()
{
    QPageSetupDialog dialog(&printer_, &dialogParent_);
    dialog.exec();
}

void PrintCommands::PrintOrReport(CChildFrame& frame, QPrinter& printer)
{
    if (!frame.Print(printer) && showError_)
        showError_(QStringLiteral("Printing to \"%1\" failed. Check that the printer is ready (or that the output "
                                  "file's folder is writable) and print again.")
                       .arg(printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName()));
}
