#include "app/DocumentManager.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/FrameServices.h"
#include "app/ProgramSettings.h"
#include "base/CommandIds.h"
#include "document/CTarnwickDoc.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr auto kFileFilter = "Stock Files (*.stk)";
constexpr auto kQuoteFileFilter = "Quote Histories (*.csv *.txt);;All Files (*)";

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
struct DocumentManager::OpenDocument {
    std::unique_ptr<CTarnwickDoc> document = std::make_unique<CTarnwickDoc>();
    QString title;  // Stock1, or the name of its file
    QString path;   // the file it was opened from or saved to; empty before
    std::vector<CChildFrame*> windows;
};

DocumentManager::DocumentManager(CMainFrame& mainFrame, const FrameServices& services)
    : mainFrame_(mainFrame), services_(services), recentFiles_(kRecentFileCount)
{
    chooseFile = [this](FileChoice choice, const QString& suggestion) {
        switch (choice) {
        case FileChoice::SaveDocument:
            return QFileDialog::getSaveFileName(&mainFrame_, QStringLiteral("Save As"), suggestion,
                                                QLatin1String(kFileFilter));
        case FileChoice::ImportQuotes:
            return QFileDialog::getOpenFileName(&mainFrame_, QStringLiteral("Import Quotes"), suggestion,
                                                QLatin1String(kQuoteFileFilter));
        case FileChoice::ScreenFolder:
            return QFileDialog::getExistingDirectory(&mainFrame_, QStringLiteral("Screen Quote Folder"), suggestion);
        case FileChoice::OpenDocument: break;
        }
        return QFileDialog::getOpenFileName(&mainFrame_, QStringLiteral("Open"), suggestion,
                                            QLatin1String(kFileFilter) + QStringLiteral(";;All Files (*)"));
    };
    recentFiles_.Load(ProgramSettings::UserStore());
    mainFrame_.ShowRecentFiles(recentFiles_.paths());
}

DocumentManager::~DocumentManager()
{
    // Without telling this object, which is half gone.
    for (const auto& entry : documents_) {
        for (CChildFrame* window : entry->windows) {
            disconnect(window, nullptr, this, nullptr);
            delete window;
        }
    }
}

CChildFrame* DocumentManager::NewDocument()
{
    auto& entry = *documents_.emplace_back(std::make_unique<OpenDocument>());
    entry.title = QStringLiteral("Stock%1").arg(++untitledCount_);
    return AddWindow(entry);
}

CChildFrame* DocumentManager::OpenDocumentFile(const QString& path)
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
            mainFrame_.mdiArea()->setActiveSubWindow(entry->windows.front());
            return entry->windows.front();
        }
    }
    auto& entry = *documents_.emplace_back(std::make_unique<OpenDocument>());
    entry.title = info.fileName();
    entry.path = canonical;
    return AddWindow(entry);
}

void DocumentManager::Open()
{
    const QString path = chooseFile ? chooseFile(FileChoice::OpenDocument, QString()) : QString();
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void DocumentManager::ImportQuotes()
{
    const QString path =
        chooseFile ? chooseFile(FileChoice::ImportQuotes, QString::fromStdString(quoteDir_)) : QString();
    if (!path.isEmpty())
        CurrentOrNewWindow()->ImportQuotes(path.toStdString());
}

void DocumentManager::OpenDroppedFiles(const QStringList& paths)
{
    bool firstImport = true;
    for (const QString& path : paths) {
        if (QFileInfo(path).suffix().compare(QLatin1String("stk"), Qt::CaseInsensitive) == 0) {
            OpenDocumentFile(path);
            continue;
        }
        CChildFrame* window = firstImport ? CurrentOrNewWindow() : NewDocument();
        firstImport = false;
        window->ImportQuotes(path.toStdString());
    }
}

void DocumentManager::OpenRecentFile(int index)
{
    const QString path = recentFiles_.paths().value(index);
    if (path.isEmpty() || OpenDocumentFile(path) != nullptr)
        return;
    recentFiles_.Remove(path);
    SaveRecentFiles();
}

bool DocumentManager::SaveDocument(CChildFrame& frame, bool askForName)
{
    OpenDocument* entry = Find(frame);
    if (entry == nullptr)
        return false;
    QString path = entry->path;
    if (askForName || path.isEmpty()) {
        const QString folder =
            recentFiles_.paths().isEmpty() ? QDir::homePath() : QFileInfo(recentFiles_.paths().front()).absolutePath();
        const QString suggestion = path.isEmpty() ? folder + '/' + WithStockExtension(entry->title) : path;
        path = chooseFile ? chooseFile(FileChoice::SaveDocument, suggestion) : QString();
        if (path.isEmpty())
            return false;
        path = WithStockExtension(path);
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

CChildFrame* DocumentManager::NewWindow(CChildFrame& frame)
{
    OpenDocument* entry = Find(frame);
    return entry == nullptr ? nullptr : AddWindow(*entry);
}

CChildFrame* DocumentManager::ReadInNewDocument(const QString& quoteFolder, const QString& symbol)
{
    CChildFrame* frame = NewDocument();
    frame->document().quoteDir = quoteFolder.toStdString();
    mainFrame_.symbolBox()->setText(symbol);
    frame->OnCommand(kReadLocal);
    return frame;
}

void DocumentManager::SetQuoteDir(const std::string& folder)
{
    quoteDir_ = folder;
    for (const auto& entry : documents_)
        entry->document->quoteDir = folder;
}

QString DocumentManager::title(const CChildFrame& frame) const
{
    const OpenDocument* entry = Find(frame);
    return entry == nullptr ? QString() : entry->title;
}

QString DocumentManager::path(const CChildFrame& frame) const
{
    const OpenDocument* entry = Find(frame);
    return entry == nullptr ? QString() : entry->path;
}

QString DocumentManager::WithStockExtension(const QString& name)
{
    return QFileInfo(name).suffix().isEmpty() ? name + QStringLiteral(".stk") : name;
}

CChildFrame* DocumentManager::AddWindow(OpenDocument& entry)
{
    entry.document->quoteDir = quoteDir_;
    auto* frame = new CChildFrame(*entry.document, mainFrame_, services_);
    entry.windows.push_back(frame);
    connect(frame, &QObject::destroyed, this, [this, frame] { OnWindowGone(frame); });
    mainFrame_.mdiArea()->addSubWindow(frame);
    Retitle(entry);
    frame->showMaximized();
    mainFrame_.mdiArea()->setActiveSubWindow(frame);
    Q_EMIT documentsChanged();
    return frame;
}

CChildFrame* DocumentManager::CurrentOrNewWindow()
{
    if (auto* current = qobject_cast<CChildFrame*>(mainFrame_.mdiArea()->currentSubWindow()))
        return current;
    return NewDocument();
}

void DocumentManager::OnWindowGone(CChildFrame* window)
{
    const auto owner = std::ranges::find_if(documents_, [window](const auto& open) {
        return std::ranges::find(open->windows, window) != open->windows.end();
    });
    if (owner == documents_.end())
        return;
    std::erase((*owner)->windows, window);
    if ((*owner)->windows.empty())
        documents_.erase(owner);
    else
        Retitle(**owner);
    Q_EMIT documentsChanged();
}

DocumentManager::OpenDocument* DocumentManager::Find(const CChildFrame& frame) const
{
    for (const auto& entry : documents_)
        if (std::ranges::find(entry->windows, &frame) != entry->windows.end())
            return entry.get();
    return nullptr;
}

// One window shows the document's title; several number themselves: Stock1:1, Stock1:2.
void DocumentManager::Retitle(OpenDocument& entry)
{
    const std::size_t count = entry.windows.size();
    for (std::size_t i = 0; i < count; ++i)
        entry.windows[i]->setWindowTitle(count == 1 ? entry.title : QStringLiteral("%1:%2").arg(entry.title).arg(i + 1));
}

void DocumentManager::RememberFile(const QString& path)
{
    recentFiles_.Add(path);
    SaveRecentFiles();
}

void DocumentManager::SaveRecentFiles()
{
    QSettings stored = ProgramSettings::UserStore();
    recentFiles_.Save(stored);
    mainFrame_.ShowRecentFiles(recentFiles_.paths());
    if (!ProgramSettings::Flush(stored))
        mainFrame_.ShowNotice(
            QStringLiteral("The recent files could not be saved to %1; the list lasts until Tarnwick ends.")
                .arg(stored.fileName()));
}

void DocumentManager::ShowError(const QString& message) const
{
    if (services_.showError)
        services_.showError(message);
}
