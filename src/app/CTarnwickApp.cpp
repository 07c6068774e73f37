#include "app/CTarnwickApp.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/PrintCommands.h"
#include "app/SettingsDialog.h"
#include "base/CommandIds.h"
#include "base/Errors.h"
#include "document/CTarnwickDoc.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QUrlQuery>

#include <algorithm>
#include <cstdio>

namespace {

constexpr auto kFileFilter = "Stock Files (*.stk)";
constexpr auto kExtension = ".stk";

// Nothing in the program can be undone.
bool NeverEnabled(const CommandInfo& command)
{
    return command.id == kUndo;
}

QSettings StoredSettings()
{
    return QSettings(QStringLiteral("Tarnwick"), QStringLiteral("Tarnwick"));
}

QString WithExtension(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QLatin1String(kExtension) : path;
}

// Why `info` cannot be opened as a document; empty when it can.
QString WhyNotReadable(const QFileInfo& info)
{
    if (!info.exists())
        return QStringLiteral("the file does not exist");
    if (info.isDir())
        return QStringLiteral("it is a folder");
    if (!info.isReadable())
        return QStringLiteral("you may not read it");
    return {};
}

}  // namespace

// A document and the windows that show it; it goes with its last window.
struct CTarnwickApp::OpenDocument {
    std::unique_ptr<CTarnwickDoc> document = std::make_unique<CTarnwickDoc>();
    QString title;  // Stock1, or the name of its file
    QString path;   // the file it was opened from or saved to; empty before
    std::vector<CChildFrame*> windows;
};

std::optional<CTarnwickApp::Options> CTarnwickApp::ParseOptions(const QStringList& arguments, QString& error)
{
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith('-') && !options.file) {
            options.file = argument.toStdString();
            continue;
        }
        std::optional<std::string>* value = argument == "--quote-dir" ? &options.quoteDir
                                            : argument == "--symbol"  ? &options.symbol
                                            : argument == "--config"  ? &options.config
                                            : argument == "--all-hosts" ? &options.allHosts
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

CTarnwickApp::CTarnwickApp() : recentFiles_(kRecentFileCount)
{
    chooseFile = [this](bool save, const QString& suggestion) {
        return save ? QFileDialog::getSaveFileName(mainFrame_.get(), QStringLiteral("Save As"), suggestion,
                                                   QLatin1String(kFileFilter))
                    : QFileDialog::getOpenFileName(mainFrame_.get(), QStringLiteral("Open"), suggestion,
                                                   QLatin1String(kFileFilter) + QStringLiteral(";;All Files (*)"));
    };
}

CTarnwickApp::~CTarnwickApp()
{
    // The windows go before the documents they show, and without telling
    // this object, which is half gone.
    for (const auto& entry : documents_)
        for (CChildFrame* window : entry->windows)
            disconnect(window, nullptr, this, nullptr);
    printCommands_.reset();
    mainFrame_.reset();
}

bool CTarnwickApp::InitInstance(const Options& options)
{
    const QSettings stored = StoredSettings();
    settings_ = ProgramSettings::Load(stored);
    if (options.quoteDir)
        settings_.quoteDir = QString::fromStdString(*options.quoteDir);
    recentFiles_.Load(stored);
    services_.favoritesFolder = settings_.favoritesFolder.toStdString();
    services_.pageFolder = settings_.pageFolder.toStdString();
    // Tests put their own recorders here before the program starts.
    if (!services_.openInUserBrowser)
        services_.openInUserBrowser = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    if (!services_.showError)
        services_.showError = [this](const QString& message) {
            QMessageBox::warning(mainFrame_.get(), QStringLiteral("Tarnwick"), message);
        };

    mainFrame_ = std::make_unique<CMainFrame>();
    printCommands_ = std::make_unique<PrintCommands>(*mainFrame_, services_.showError);
    try {
        services_.hosts = HostsConfig::Load(options.config ? std::filesystem::path(*options.config) : HostsConfig::DefaultPath());
        for (const std::string& warning : services_.hosts.warnings())
            std::fprintf(stderr, "tarnwick: %s\n", warning.c_str());
    } catch (const TarnwickError& error) {
        ShowError(QString::fromUtf8(error.what()) + QStringLiteral("\nThe built-in site addresses are used."));
    }
    if (options.allHosts && !services_.hosts.PointAllAt(*options.allHosts))
        ShowError(QStringLiteral("--all-hosts needs HOST:PORT, such as 127.0.0.1:8080; \"%1\" is not one.\n"
                                 "The configured site addresses are used.")
                      .arg(QString::fromStdString(*options.allHosts)));
    if (options.symbol)
        mainFrame_->symbolBox()->setText(QString::fromStdString(*options.symbol).toUpper());

    connect(mainFrame_.get(), &CMainFrame::commandTriggered, this, &CTarnwickApp::OnCommand);
    connect(mainFrame_.get(), &CMainFrame::addressSelected, this, [this] {
        if (CChildFrame* frame = ActiveFrame())
            frame->OnAddressSelected();
    });
    connect(mainFrame_.get(), &CMainFrame::addressEntered, this, [this] {
        if (CChildFrame* frame = ActiveFrame())
            frame->OnAddressEntered();
    });

    // A document file that cannot be opened has been reported; the program
    // goes on with a new document rather than ending.
    if (!options.file || OpenDocumentFile(QString::fromStdString(*options.file)) == nullptr)
        NewDocument();
    mainFrame_->showMaximized();
    return true;
}

CChildFrame* CTarnwickApp::NewDocument()
{
    auto& entry = *documents_.emplace_back(std::make_unique<OpenDocument>());
    entry.title = QStringLiteral("Stock%1").arg(++untitledCount_);
    return AddWindow(entry);
}

CChildFrame* CTarnwickApp::OpenDocumentFile(const QString& path)
{
    const QFileInfo info(path);
    if (const QString problem = WhyNotReadable(info); !problem.isEmpty()) {
        ShowError(QStringLiteral("Could not open \"%1\": %2. Choose another file with Open.").arg(path, problem));
        return nullptr;
    }
    const QString canonical = info.canonicalFilePath();
    RememberFile(canonical);
    for (const auto& entry : documents_) {
        if (entry->path == canonical) {
            mainFrame_->mdiArea()->setActiveSubWindow(entry->windows.front());
            return entry->windows.front();
        }
    }
    auto& entry = *documents_.emplace_back(std::make_unique<OpenDocument>());
    entry.title = info.fileName();
    entry.path = canonical;
    return AddWindow(entry);
}

bool CTarnwickApp::SaveDocument(CChildFrame& frame, bool askForName)
{
    OpenDocument* entry = Find(frame);
    if (entry == nullptr)
        return false;
    QString path = entry->path;
    if (askForName || path.isEmpty()) {
        const QString folder =
            recentFiles_.paths().isEmpty() ? QDir::homePath() : QFileInfo(recentFiles_.paths().front()).absolutePath();
        const QString suggestion = path.isEmpty() ? folder + '/' + WithExtension(entry->title) : path;
        path = chooseFile ? chooseFile(true, suggestion) : QString();
        if (path.isEmpty())
            return false;
        path = WithExtension(path);
    }
    // The document's contents are empty; written through a temporary file so
    // a failed save leaves the old file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.commit()) {
        ShowError(QStringLiteral("Could not save \"%1\": %2. Choose another folder with Save As.")
                      .arg(path, file.errorString()));
        return false;
    }
    const QFileInfo saved(path);
    entry->path = saved.canonicalFilePath();
    entry->title = saved.fileName();
    Retitle(*entry);
    RememberFile(entry->path);
    return true;
}

CChildFrame* CTarnwickApp::NewWindow(CChildFrame& frame)
{
    OpenDocument* entry = Find(frame);
    return entry == nullptr ? nullptr : AddWindow(*entry);
}

void CTarnwickApp::ApplySettings(const ProgramSettings& settings)
{
    settings_ = settings;
    services_.favoritesFolder = settings.favoritesFolder.toStdString();
    services_.pageFolder = settings.pageFolder.toStdString();
    for (const auto& entry : documents_)
        entry->document->quoteDir = settings.quoteDir.toStdString();
    QSettings stored = StoredSettings();
    settings.Save(stored);
}

QString CTarnwickApp::documentPath(const CChildFrame& frame) const
{
    const OpenDocument* entry = Find(frame);
    return entry == nullptr ? QString() : entry->path;
}

void CTarnwickApp::OnCommand(int id)
{
    if (id >= kFirstRecentFile && id < kFirstRecentFile + kRecentFileCount) {
        const QString path = recentFiles_.paths().value(id - kFirstRecentFile);
        // A file that is gone leaves the list.
        if (!path.isEmpty() && OpenDocumentFile(path) == nullptr) {
            recentFiles_.Remove(path);
            QSettings stored = StoredSettings();
            recentFiles_.Save(stored);
            UpdateCommandStates();
        }
        return;
    }
    switch (id) {
    case kNew: NewDocument(); return;
    case kOpen: {
        const QString path = chooseFile ? chooseFile(false, QString()) : QString();
        if (!path.isEmpty())
            OpenDocumentFile(path);
        return;
    }
    case kPrintSetup: printCommands_->Setup(); return;
    case kSettings: EditSettings(); return;
    case kToggleToolbar:
    case kToggleStatusBar: {
        QWidget* bar = id == kToggleToolbar ? static_cast<QWidget*>(mainFrame_->findChild<QToolBar*>("toolbar"))
                                            : mainFrame_->statusBar();
        bar->setVisible(!bar->isVisible());
        return;
    }
    case kExit: mainFrame_->close(); return;
    case kAbout:
        QMessageBox::about(mainFrame_.get(), QStringLiteral("About Tarnwick"),
                           QStringLiteral("Tarnwick\nStock technical analysis with charts, indicators and signals."));
        return;
    default: break;
    }
    if (OnWindowCommand(id))
        return;
    if (CChildFrame* frame = ActiveFrame(); frame != nullptr && !OnDocumentCommand(id, *frame))
        frame->OnCommand(id);
}

// The File and Window commands that act on the active document.
bool CTarnwickApp::OnDocumentCommand(int id, CChildFrame& frame)
{
    switch (id) {
    case kSave: SaveDocument(frame, false); return true;
    case kSaveAs: SaveDocument(frame, true); return true;
    case kPrint: printCommands_->Print(frame); return true;
    case kPrintPreview: printCommands_->Preview(frame); return true;
    case kSend: SendDocument(frame); return true;
    case kNewWindow: NewWindow(frame); return true;
    default: return false;
    }
}

bool CTarnwickApp::OnWindowCommand(int id)
{
    QMdiArea* area = mainFrame_->mdiArea();
    switch (id) {
    case kCascade: area->cascadeSubWindows(); return true;
    case kTile: area->tileSubWindows(); return true;
    case kArrangeIcons: {
        // The minimized windows in a row along the bottom, from the left.
        int left = 0;
        for (QMdiSubWindow* window : area->subWindowList()) {
            if (!window->isMinimized())
                continue;
            window->move(left, area->viewport()->height() - window->height());
            left += window->width();
        }
        return true;
    }
    default: return false;
    }
}

CChildFrame* CTarnwickApp::ActiveFrame() const
{
    return qobject_cast<CChildFrame*>(mainFrame_->mdiArea()->activeSubWindow());
}

CChildFrame* CTarnwickApp::AddWindow(OpenDocument& entry)
{
    entry.document->quoteDir = settings_.quoteDir.toStdString();
    auto* frame = new CChildFrame(*entry.document, *mainFrame_, services_);
    entry.windows.push_back(frame);
    connect(frame, &QObject::destroyed, this, [this, frame] {
        const auto owner = std::ranges::find_if(documents_, [frame](const auto& open) {
            return std::ranges::find(open->windows, frame) != open->windows.end();
        });
        if (owner == documents_.end())
            return;
        std::erase((*owner)->windows, frame);
        if ((*owner)->windows.empty())
            documents_.erase(owner);
        else
            Retitle(**owner);
        UpdateCommandStates();
    });
    mainFrame_->mdiArea()->addSubWindow(frame);
    Retitle(entry);
    frame->showMaximized();
    mainFrame_->mdiArea()->setActiveSubWindow(frame);
    UpdateCommandStates();
    return frame;
}

CTarnwickApp::OpenDocument* CTarnwickApp::Find(const CChildFrame& frame) const
{
    for (const auto& entry : documents_)
        if (std::ranges::find(entry->windows, &frame) != entry->windows.end())
            return entry.get();
    return nullptr;
}

// One window shows the document's title; several number themselves: Stock1:1, Stock1:2.
void CTarnwickApp::Retitle(OpenDocument& entry)
{
    for (std::size_t i = 0; i < entry.windows.size(); ++i)
        entry.windows[i]->setWindowTitle(entry.windows.size() == 1 ? entry.title
                                                                   : QStringLiteral("%1:%2").arg(entry.title).arg(i + 1));
}

void CTarnwickApp::RememberFile(const QString& path)
{
    recentFiles_.Add(path);
    QSettings stored = StoredSettings();
    recentFiles_.Save(stored);
    mainFrame_->ShowRecentFiles(recentFiles_.paths());
}

// Hands a copy of the document to the user's mail program, attached to a new message.
void CTarnwickApp::SendDocument(CChildFrame& frame)
{
    const OpenDocument* entry = Find(frame);
    if (entry == nullptr || !services_.openInUserBrowser)
        return;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QStringLiteral("/tarnwick-mail");
    const QString path = folder + '/' + WithExtension(entry->title);
    QSaveFile copy(path);
    if (!QDir().mkpath(folder) || !copy.open(QIODevice::WriteOnly) || !copy.commit()) {
        ShowError(QStringLiteral("Could not prepare \"%1\" for mail: %2. Save the document and attach it by hand.")
                      .arg(path, copy.errorString()));
        return;
    }
    QUrl mail(QStringLiteral("mailto:"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), entry->title);
    query.addQueryItem(QStringLiteral("attach"), QUrl::fromLocalFile(path).toString());
    mail.setQuery(query);
    services_.openInUserBrowser(mail);
}

void CTarnwickApp::EditSettings()
{
    SettingsDialog dialog(settings_, mainFrame_.get());
    if (dialog.exec() == QDialog::Accepted)
        ApplySettings(dialog.settings());
}

void CTarnwickApp::UpdateCommandStates()
{
    const bool documentOpen = !documents_.empty();
    for (const CommandInfo& command : Commands())
        mainFrame_->action(command.id)->setEnabled(!NeverEnabled(command) && (documentOpen || command.withoutDocument));
    mainFrame_->ShowDocumentMenus(documentOpen);
    mainFrame_->ShowRecentFiles(recentFiles_.paths());
}

void CTarnwickApp::ShowError(const QString& message) const
{
    services_.showError(message);
}
