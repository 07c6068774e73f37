#pragma once

#include "quotes/FetchPage.h"

#include <QProgressDialog>

#include <cstddef>
#include <span>
#include <string>

class QWidget;

// The progress dialog of a "Read Web": it names the symbol and the page being
// read and has Cancel, which aborts the transfer (FetchPage then throws
// FetchCancelled). While a page loads the windows keep repainting; the
// dialog is modal, so no other command can start meanwhile.
class WebLoadProgress {
public:
    WebLoadProgress(QWidget* parent, const std::string& symbol);

    // Fetches the page as FetchPage does, showing it in the dialog.
    std::size_t Fetch(const PageRequest& request, std::span<char> buffer);

    QProgressDialog& dialog() { return dialog_; }

private:
    void ShowReceived(std::size_t bytes);

    QProgressDialog dialog_;
    QString symbol_;
    QString page_;  // host, path and query of the page being read
};
