#include "app/WebLoadProgress.h"

#include <QCoreApplication>
#include <QLabel>

namespace {

// Short loads finish before the dialog would show.
constexpr int kShowAfterMs = 400;

}  // namespace

WebLoadProgress::WebLoadProgress(QWidget* parent, const QString& title, const QString& task,
                                 std::chrono::seconds allowed)
    : dialog_(parent), limits_{.deadline = CommandDeadline::Starting(allowed)}, task_(task)
{
    dialog_.setWindowTitle(title);
    // A symbol or an address is shown as it is, never taken for markup.
    auto* label = new QLabel(&dialog_);
    label->setTextFormat(Qt::PlainText);
    dialog_.setLabel(label);
    dialog_.setWindowModality(Qt::ApplicationModal);
    dialog_.setCancelButtonText(QStringLiteral("Cancel"));
    dialog_.setRange(0, 0);  // the page sizes are not known ahead
    // The delay counts from a value at the minimum; without one Qt's default
    // of four seconds would stay in force.
    dialog_.setValue(0);
    dialog_.setMinimumDuration(kShowAfterMs);
    dialog_.setAutoReset(false);
    dialog_.setAutoClose(false);
}

std::size_t WebLoadProgress::Fetch(const PageRequest& request, std::span<char> buffer)
{
    return FetchPage(request, buffer, limits_, Watch(request));
}

FetchProgress WebLoadProgress::Watch(const PageRequest& request)
{
    page_ = QString::fromStdString(ServerOf(request) + request.object);
    ShowReceived(0);
    return [this](std::size_t received) {
        ShowReceived(received);
        QCoreApplication::processEvents();
        return !dialog_.wasCanceled();
    };
}

void WebLoadProgress::Close()
{
    dialog_.reset();  // stops the timer that would show it
    dialog_.hide();
}

void WebLoadProgress::ShowReceived(std::size_t bytes)
{
    dialog_.setLabelText(QStringLiteral("%1\n%2\n%3 KB read").arg(task_, page_).arg(bytes / 1024));
}
