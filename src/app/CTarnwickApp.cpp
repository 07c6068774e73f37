#include "app/CTarnwickApp.h"

#include "app/AboutBox.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CommandLine.h"
#include "app/DocumentManager.h"
#include "app/PrintCommands.h"
#include "app/ScreenerWindow.h"
#include "app/SendByMail.h"
#include "app/SettingsDialog.h"
#include "base/CommandIds.h"
#include "base/Errors.h"

#include <QAction>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>

#include <cstdio>

namespace {

// Nothing in the program can be undone.
bool NeverEnabled(const CommandInfo& command)
{
    return command.id == kUndo;
}

// The commands carried out on the active document's window (OnDocumentCommand
// and CChildFrame::OnCommand); with a screener active there is none.
bool ActsOnDocumentWindow(const CommandInfo& command)
{
    if (command.kind != CommandKind::Standard)
        return true;
    switch (command.id) {
    case kSave:
    case kSaveAs:
    case kPrint:
    case kPrintPreview:
    case kSend:
    case kNewWindow: return true;
    default: return false;
    }
}

}  // namespace

CTarnwickApp::CTarnwickApp() = default;

CTarnwickApp::~CTarnwickApp()
{
    // The windows go before the documents they show, and without telling
    // this object, which is half gone.
    if (mainFrame_)
        disconnect(mainFrame_->mdiArea(), nullptr, this, nullptr);
    documents_.reset();
    printCommands_.reset();
    mainFrame_.reset();
}

bool CTarnwickApp::InitInstance(const CommandLine& commandLine, QString& error)
{
    settings_ = ProgramSettings::Load(ProgramSettings::UserStore());
    if (commandLine.quoteDir)
        settings_.quoteDir = QString::fromStdString(*commandLine.quoteDir);
    services_.pageFolder = settings_.pageFolder.toStdString();
    if (!services_.openInUserBrowser)
        services_.openInUserBrowser = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    if (!services_.showError)
        services_.showError = [this](const QString& message) {
            // File names, symbols and pages' texts in a message are never markup.
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarnwick"), message, QMessageBox::Ok,
                            mainFrame_.get());
            box.setTextFormat(Qt::PlainText);
            box.exec();
        };
    if (!LoadHosts(commandLine, error))
        return false;

    mainFrame_ = std::make_unique<CMainFrame>();
    mainFrame_->SetFavoritesFolder(settings_.favoritesFolder.toStdString());
    printCommands_ = std::make_unique<PrintCommands>(*mainFrame_, services_.showError);
    documents_ = std::make_unique<DocumentManager>(*mainFrame_, services_);
    documents_->SetQuoteDir(settings_.quoteDir.toStdString());
    if (commandLine.symbol)
        mainFrame_->symbolBox()->setText(QString::fromStdString(*commandLine.symbol).toUpper());

    connect(mainFrame_.get(), &CMainFrame::commandTriggered, this, &CTarnwickApp::OnCommand);
    connect(mainFrame_.get(), &CMainFrame::addressSelected, this, [this] {
        if (CChildFrame* frame = ActiveFrame())
            frame->OnAddressSelected();
    });
    connect(mainFrame_.get(), &CMainFrame::addressEntered, this, [this] {
        if (CChildFrame* frame = ActiveFrame())
            frame->OnAddressEntered();
    });
    connect(mainFrame_.get(), &CMainFrame::filesDropped, documents_.get(), &DocumentManager::OpenDroppedFiles);
    // The commands follow the active window, and the documents open when a
    // window goes while none is active.
    connect(mainFrame_->mdiArea(), &QMdiArea::subWindowActivated, this, &CTarnwickApp::UpdateCommandStates);
    connect(documents_.get(), &DocumentManager::documentsChanged, this, &CTarnwickApp::UpdateCommandStates);

    // A document file that cannot be opened has been reported; the program
    // goes on with a new document rather than ending.
    if (!commandLine.file || documents_->OpenDocumentFile(QString::fromStdString(*commandLine.file)) == nullptr)
        documents_->NewDocument();
    mainFrame_->showMaximized();
    return true;
}

void CTarnwickApp::OpenHandedFile(const QString& file)
{
    documents_->OpenDroppedFiles({file});
    mainFrame_->raise();
    mainFrame_->activateWindow();
}

bool CTarnwickApp::LoadHosts(const CommandLine& commandLine, QString& error)
{
    try {
        const std::filesystem::path file =
            commandLine.config ? std::filesystem::path(*commandLine.config) : HostsConfig::DefaultPath();
        services_.hosts = HostsConfig::Load(file);
        for (const std::string& warning : services_.hosts.warnings())
            std::fprintf(stderr, "tarnwick: %s\n", warning.c_str());
    } catch (const TarnwickError& failure) {
        // Sites other than the ones the user named on the command line are
        // never reached; a broken file in the default place is only reported.
        if (commandLine.config) {
            error = QString::fromUtf8(failure.what());
            return false;
        }
        ShowError(QString::fromUtf8(failure.what()) + QStringLiteral("\nThe built-in site addresses are used."));
    }
    if (commandLine.allHosts && !services_.hosts.PointAllAt(*commandLine.allHosts)) {
        error = QStringLiteral("--all-hosts needs HOST:PORT, such as 127.0.0.1:8080; \"%1\" is not one.")
                    .arg(QString::fromStdString(*commandLine.allHosts));
        return false;
    }
    return true;
}

void CTarnwickApp::ApplySettings(const ProgramSettings& settings)
{
    settings_ = settings;
    services_.pageFolder = settings.pageFolder.toStdString();
    mainFrame_->SetFavoritesFolder(settings.favoritesFolder.toStdString());
    documents_->SetQuoteDir(settings.quoteDir.toStdString());
    QSettings stored = ProgramSettings::UserStore();
    settings.Save(stored);
    if (!ProgramSettings::Flush(stored))
        ShowError(QStringLiteral("The settings could not be saved to %1, so they last only until Tarnwick ends. "
                                 "Check that its folder can be written and the disk is not full.")
                      .arg(stored.fileName()));
}

void CTarnwickApp::OnCommand(int id)
{
    if (id >= kFirstRecentFile && id < kFirstRecentFile + kRecentFileCount) {
        documents_->OpenRecentFile(id - kFirstRecentFile);
        return;
    }
    switch (id) {
    case kNew: documents_->NewDocument(); return;
    case kOpen: documents_->Open(); return;
    case kImportQuotes: documents_->ImportQuotes(); return;
    case kScreenQuoteFolder: OpenScreener(); return;
    case kExport:
        if (ScreenerWindow* screener = ActiveScreener())
            screener->Export();
        return;
    case kPrintSetup: printCommands_->Setup(); return;
    case kSettings: EditSettings(); return;
    case kExit: mainFrame_->close(); return;
    case kAbout:
        ShowAboutBox(mainFrame_.get());
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
    case kSave: documents_->SaveDocument(frame, false); return true;
    case kSaveAs: documents_->SaveDocument(frame, true); return true;
    case kPrint: printCommands_->Print(frame); return true;
    case kPrintPreview: printCommands_->Preview(frame); return true;
    case kSend: SendDocument(frame); return true;
    case kNewWindow: documents_->NewWindow(frame); return true;
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

ScreenerWindow* CTarnwickApp::ActiveScreener() const
{
    return qobject_cast<ScreenerWindow*>(mainFrame_->mdiArea()->currentSubWindow());
}

void CTarnwickApp::OpenScreener()
{
    const QString folder = documents_->chooseFile
                               ? documents_->chooseFile(DocumentManager::FileChoice::ScreenFolder, settings_.quoteDir)
                               : QString();
    if (folder.isEmpty())
        return;
    auto* screener = new ScreenerWindow(folder);
    screener->showError = services_.showError;
    connect(screener, &ScreenerWindow::chartRequested, documents_.get(), &DocumentManager::ReadInNewDocument);
    connect(screener, &ScreenerWindow::scanFinished, this, &CTarnwickApp::UpdateCommandStates);
    mainFrame_->mdiArea()->addSubWindow(screener);
    screener->showMaximized();
    mainFrame_->mdiArea()->setActiveSubWindow(screener);
}

void CTarnwickApp::SendDocument(const CChildFrame& frame)
{
    const QString title = documents_->title(frame);
    if (title.isEmpty())
        return;
    QString error;
    if (!SendByMail(DocumentManager::WithStockExtension(title), title, services_.openInUserBrowser, error))
        ShowError(error);
}

void CTarnwickApp::EditSettings()
{
    SettingsDialog dialog(settings_, mainFrame_.get());
    if (dialog.exec() == QDialog::Accepted)
        ApplySettings(dialog.settings());
}

// Every command's enabled state, and the menus shown, for the documents open
// and the window active now: the document window's commands wait while a
// screener is active, and Cut while the active window has nothing to cut.
// Runs whenever another window becomes the active one, when the active
// window's view or page selection changes, and when a screener has its rows
// to export.
void CTarnwickApp::UpdateCommandStates()
{
    const bool documentOpen = !documents_->empty();
    const ScreenerWindow* screener = ActiveScreener();
    for (const CommandInfo& command : Commands()) {
        const bool available = documentOpen || command.withoutDocument;
        mainFrame_->action(command.id)->setEnabled(!NeverEnabled(command) && available &&
                                                   !(screener != nullptr && ActsOnDocumentWindow(command)));
    }
    mainFrame_->action(kExport)->setEnabled(screener != nullptr && screener->canExport());
    if (CChildFrame* frame = ActiveFrame()) {
        connect(frame, &CChildFrame::editStateChanged, this, &CTarnwickApp::UpdateCommandStates,
                Qt::UniqueConnection);
        mainFrame_->action(kCut)->setEnabled(mainFrame_->action(kCut)->isEnabled() && frame->CanCut());
    }
    mainFrame_->ShowDocumentMenus(documentOpen);
    mainFrame_->ShowRecentFiles(documents_->recentFiles());
}

void CTarnwickApp::ShowError(const QString& message) const
{
    services_.showError(message);
}
