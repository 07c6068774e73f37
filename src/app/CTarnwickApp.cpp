#include "app/CTarnwickApp.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "document/CTarnwickDoc.h"
#include "document/Errors.h"

#include <QAction>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kNewDocument = 57600;
constexpr int kAbout = 57664;
constexpr int kExit = 57665;
constexpr int kToggleToolbar = 59392;
constexpr int kToggleStatusBar = 59393;

// Commands whose windows and pages are not built yet; they stay disabled
// until then: the file commands, printing from the menu, mail, undo, the
// window commands, and the market page builders.
bool NotBuiltYet(const CommandInfo& command)
{
    static constexpr int kWaiting[] = {57601, 57603, 57604, 57607, 57609, 57606, 57612,
                                       57616, 57643, 57648, 57650, 57651, 57649};
    return command.kind == CommandKind::PageBuilder || std::ranges::find(kWaiting, command.id) != std::end(kWaiting);
}

std::filesystem::path DefaultFavoritesFolder()
{
    return std::filesystem::path(
               QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()) /
           "Tarnwick" / "Favorites";
}

}  // namespace

std::optional<CTarnwickApp::Options> CTarnwickApp::ParseOptions(const QStringList& arguments, QString& error)
{
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        std::optional<std::string>* value = argument == "--quote-dir" ? &options.quoteDir
                                            : argument == "--symbol"  ? &options.symbol
                                            : argument == "--config"  ? &options.config
                                                                      : nullptr;
        if (value == nullptr) {
            error = QStringLiteral("unknown argument \"%1\"").arg(argument);
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            error = QStringLiteral("%1 needs a value").arg(argument);
            return std::nullopt;
        }
        *value = arguments[++i].toStdString();
    }
    return options;
}

CTarnwickApp::CTarnwickApp() = default;

CTarnwickApp::~CTarnwickApp()
{
    // The windows go before the documents they show.
    mainFrame_.reset();
}

bool CTarnwickApp::InitInstance(const Options& options)
{
    const QSettings settings(QStringLiteral("Tarnwick"), QStringLiteral("Tarnwick"));
    quoteDir_ = options.quoteDir.value_or(
        settings.value("quoteDir", QString::fromStdString(CTarnwickDoc::DefaultQuoteDir().string()))
            .toString()
            .toStdString());
    services_.favoritesFolder =
        settings.value("favoritesFolder", QString::fromStdString(DefaultFavoritesFolder().string()))
            .toString()
            .toStdString();
    services_.openInUserBrowser = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    services_.showError = [this](const QString& message) {
        QMessageBox::warning(mainFrame_.get(), QStringLiteral("Tarnwick"), message);
    };

    mainFrame_ = std::make_unique<CMainFrame>();
    try {
        services_.hosts = HostsConfig::Load(options.config ? std::filesystem::path(*options.config) : HostsConfig::DefaultPath());
        for (const std::string& warning : services_.hosts.warnings())
            std::fprintf(stderr, "tarnwick: %s\n", warning.c_str());
    } catch (const TarnwickError& error) {
        QMessageBox::warning(mainFrame_.get(), QStringLiteral("Tarnwick"),
                             QString::fromUtf8(error.what()) + QStringLiteral("\nThe built-in site addresses are used."));
    }
    if (options.symbol)
        mainFrame_->symbolBox()->setText(QString::fromStdString(*options.symbol).toUpper());

    for (const CommandInfo& command : Commands())
        if (NotBuiltYet(command))
            mainFrame_->action(command.id)->setEnabled(false);
    connect(mainFrame_.get(), &CMainFrame::commandTriggered, this, &CTarnwickApp::OnCommand);
    connect(mainFrame_.get(), &CMainFrame::addressSelected, this, [this] {
        if (CChildFrame* frame = ActiveFrame())
            frame->OnAddressSelected();
    });
    connect(mainFrame_.get(), &CMainFrame::addressEntered, this, [this] {
        if (CChildFrame* frame = ActiveFrame())
            frame->OnAddressEntered();
    });

    NewDocument();
    mainFrame_->showMaximized();
    return true;
}

CChildFrame* CTarnwickApp::NewDocument()
{
    auto document = std::make_unique<CTarnwickDoc>();
    document->quoteDir = quoteDir_;
    auto* frame = new CChildFrame(*document, *mainFrame_, services_);
    frame->setWindowTitle(QStringLiteral("Stock%1").arg(documents_.size() + 1));
    // The document goes with its window.
    connect(frame, &QObject::destroyed, this, [this, frame] { documents_.erase(frame); });
    documents_.emplace(frame, std::move(document));
    mainFrame_->mdiArea()->addSubWindow(frame);
    frame->showMaximized();
    return frame;
}

void CTarnwickApp::OnCommand(int id)
{
    if (id == kNewDocument) {
        NewDocument();
        return;
    }
    if (id == kToggleToolbar || id == kToggleStatusBar) {
        QWidget* bar = id == kToggleToolbar ? static_cast<QWidget*>(mainFrame_->findChild<QToolBar*>("toolbar"))
                                            : mainFrame_->statusBar();
        bar->setVisible(!bar->isVisible());
        return;
    }
    if (id == kExit) {
        mainFrame_->close();
        return;
    }
    if (id == kAbout) {
        QMessageBox::about(mainFrame_.get(), QStringLiteral("About Tarnwick"),
                           QStringLiteral("Tarnwick\nStock technical analysis with charts, indicators and signals."));
        return;
    }
    if (CChildFrame* frame = ActiveFrame())
        frame->OnCommand(id);
}

CChildFrame* CTarnwickApp::ActiveFrame() const
{
    return qobject_cast<CChildFrame*>(mainFrame_->mdiArea()->activeSubWindow());
}
