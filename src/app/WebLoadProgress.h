#pragma once

#include "net/FetchPage.h"

#include <QProgressDialog>

#include <chrono>
#include <cstddef>
#include <span>
#include <string>

class QWidget;

// The progress dialog of a command that reads web pages ("Read Web", the
// market pages): it says what is being done, names the site and page being
// read and has Cancel, which aborts the transfer (the fetch then throws
// FetchCancelled). While a page loads the windows keep repainting; the
// dialog is modal, so no other command can start meanwhile.
class WebLoadProgress {
public:
    // `title` is the dialog's title, `task` its first line ("Reading quotes
    // for IBM"); the command's fetches stop once `allowed` has passed.
    WebLoadProgress(QWidget* parent, const QString& title, const QString& task, std::chrono::seconds allowed);

    // Fetches the page as FetchPage does with limits(), showing it in the dialog.
    std::size_t Fetch(const PageRequest& request, std::span<char> buffer);

    // The limits of every fetch of the command, its deadline among them.
    const FetchLimits& limits() const { return limits_; }

    // Shows `request` in the dialog; the callback returned follows its
    // transfer and cancels it when the user chose Cancel.
    FetchProgress Watch(const PageRequest& request);

    // Takes the dialog down for good: called before the command reports
    // anything, so it never pops up over the message.
    void Close();

    QProgressDialog& dialog() { return dialog_; }

private:
    void ShowReceived(std::size_t bytes);

    QProgressDialog dialog_;
    FetchLimits limits_;
    QString task_;
    QString page_;  // host:port, path and query of the page being read
};
