#include "app/CMainFrame.h"

#include "app/ToolbarIcons.h"
#include "base/CommandIds.h"
#include "pages/FavoritesTree.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

namespace {

constexpr auto kReady = "Ready";
constexpr int kSymbolBoxWidth = 64;
constexpr int kSourceBoxWidth = 120;
// The address bar fills its line; this much of it stays even in a narrow window.
constexpr int kAddressBarWidth = 160;
constexpr int kRecentFileTextWidth = 400;
constexpr int kToolbarIconSize = 16;
constexpr int kNoticeShownMs = 10000;

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The menu text without its shortcut label, and the label.
std::pair<QString, QString> MenuTextAndLabel(std::string_view menuText)
{
    const QString text = ToQString(menuText);
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    return tab < 0 ? std::pair{text, QString()} : std::pair{text.left(tab), text.mid(tab + 1)};
}

// The local files among dropped data, in the order given.
QStringList LocalFiles(const QMimeData* data)
{
    QStringList files;
    if (data == nullptr)
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

// The keys the program binds, the one shown in the menu first; the other
// labels in the menus are labels only. The clipboard commands keep their
// older keys as well.
QList<QKeySequence> BoundKeys(int id)
{
    switch (id) {
    case kNew: return {QKeySequence(QKeySequence::New)};
    case kOpen: return {QKeySequence(QKeySequence::Open)};
    case kImportQuotes: return {QKeySequence(Qt::CTRL | Qt::Key_I)};
    case kScreenQuoteFolder: return {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)};
    case kSave: return {QKeySequence(QKeySequence::Save)};
    case kPrint: return {QKeySequence(QKeySequence::Print)};
    case kCut: return {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)};
    case kCopy: return {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)};
    case kPaste: return {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)};
    // Plus needs Shift on most keyboards, so Ctrl with the = key beside it zooms in too.
    case kZoomIn: return {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)};
    case kZoomOut: return {QKeySequence(Qt::CTRL | Qt::Key_Minus)};
    case kActualSize: return {QKeySequence(Qt::CTRL | Qt::Key_0)};
    default: return {};
    }
}

}  // namespace

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), mdiArea_(new QMdiArea(this)), toolbar_(new QToolBar(QStringLiteral("Toolbar"), this))
{
    setWindowTitle(QStringLiteral("Tarnwick"));
    setCentralWidget(mdiArea_);
    createActions();
    createRecentFileActions();
    createMenus();
    createToolBars();
    createStatusBar();
    connect(popup(MenuPopup::Window), &QMenu::aboutToShow, this, &CMainFrame::ListWindows);
    connect(new QShortcut(QKeySequence(Qt::Key_F6), this), &QShortcut::activated, this, [this] { FocusNextPane(1); });
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this), &QShortcut::activated, this,
            [this] { FocusNextPane(-1); });
    // Files dropped anywhere on the window come here, even over the browser
    // view or a text box, which would otherwise take them themselves.
    setAcceptDrops(true);
    QCoreApplication::instance()->installEventFilter(this);
}

void CMainFrame::createActions()
{
    for (const CommandInfo& command : Commands()) {
        const auto [text, label] = MenuTextAndLabel(command.menuText);
        // View > Toolbar is the toolbar's own switch, so its check mark also
        // follows the toolbar when it is hidden from the bars' context menu.
        const bool toolbarSwitch = command.id == kToggleToolbar;
        const bool barSwitch = toolbarSwitch || command.id == kToggleStatusBar;
        QAction* action = toolbarSwitch ? toolbar_->toggleViewAction() : new QAction(this);
        action->setText(text);
        const PromptParts prompt = SplitPrompt(command.prompt);
        action->setStatusTip(ToQString(prompt.status));
        action->setToolTip(prompt.tooltip.empty() ? QString(text).remove(QLatin1Char('&')) : ToQString(prompt.tooltip));
        action->setShortcuts(BoundKeys(command.id));
        // The window holds the bound commands too, so their keys work while
        // their popup is hidden (Stocks with no document open).
        if (!action->shortcut().isEmpty())
            addAction(action);
        // Labels of keys the program does not bind show in the menu only.
        if (!label.isEmpty() && action->shortcut().isEmpty())
            action->setText(text + QLatin1Char('\t') + label);
        action->setIconText(QString(text).remove(QLatin1Char('&')));
        action->setIcon(ToolbarIcon(command.id));
        if (command.id == kToggleStatusBar) {
            action->setCheckable(true);
            action->setChecked(true);
            connect(action, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
        }
        const int id = command.id;
        if (!barSwitch)
            connect(action, &QAction::triggered, this, [this, id] { Q_EMIT commandTriggered(id); });
        actions_.emplace(id, action);
    }
}

// The entries that follow "Recent File" once more than one file is listed.
void CMainFrame::createRecentFileActions()
{
    for (int id = kFirstRecentFile + 1; id < kFirstRecentFile + kRecentFileCount; ++id) {
        auto* action = new QAction(this);
        action->setStatusTip(actions_.at(kFirstRecentFile)->statusTip());
        action->setVisible(false);
        connect(action, &QAction::triggered, this, [this, id] { Q_EMIT commandTriggered(id); });
        actions_.emplace(id, action);
    }
}

void CMainFrame::createMenus()
{
    for (const PopupInfo& info : kPopups)
        popups_.emplace(info.popup, menuBar()->addMenu(ToQString(info.menuText)));
    for (const CommandInfo& command : Commands()) {
        QMenu* menu = popups_.at(command.popup);
        if (command.separatorBefore)
            menu->addSeparator();
        menu->addAction(actions_.at(command.id));
        if (command.id == kFirstRecentFile)
            for (int id = kFirstRecentFile + 1; id < kFirstRecentFile + kRecentFileCount; ++id)
                menu->addAction(actions_.at(id));
    }
    ShowRecentFiles({});
}

void CMainFrame::ShowRecentFiles(const QStringList& paths)
{
    const QString home = QDir::homePath();
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* entry = actions_.at(kFirstRecentFile + i);
        const bool listed = i < paths.size();
        entry->setVisible(listed || i == 0);
        entry->setEnabled(listed);
        if (!listed) {
            entry->setText(QStringLiteral("Recent File"));
            continue;
        }
        QString shown = QDir::toNativeSeparators(paths[i]);
        if (shown.startsWith(home + '/'))
            shown.replace(0, home.size(), QStringLiteral("~"));
        shown = fontMetrics().elidedText(shown, Qt::ElideMiddle, kRecentFileTextWidth);
        // A '&' in a file name is shown, not taken as a mnemonic.
        entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown.replace('&', QStringLiteral("&&"))));
        entry->setToolTip(paths[i]);
    }
}

void CMainFrame::ShowDocumentMenus(bool documentOpen)
{
    for (const PopupInfo& info : kPopups)
        popups_.at(info.popup)->menuAction()->setVisible(documentOpen || info.withoutDocument);
}

void CMainFrame::createToolBars()
{
    addToolBar(toolbar_);
    toolbar_->setObjectName(QStringLiteral("toolbar"));
    // Small buttons leave room for the symbol and source boxes on the same line.
    toolbar_->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
    for (int id : kToolbar) {
        if (id == kSeparator)
            toolbar_->addSeparator();
        else if (QAction* command = action(id))
            toolbar_->addAction(command);
    }

    input_ = addToolBar(QStringLiteral("Input"));
    input_->setObjectName(QStringLiteral("input"));
    input_->addWidget(new QLabel(QStringLiteral("Symbol "), input_));
    symbolBox_ = new QLineEdit(input_);
    symbolBox_->setAlignment(Qt::AlignCenter);
    symbolBox_->setFixedWidth(kSymbolBoxWidth);
    // Every letter is shown and kept in upper case, as typed.
    connect(symbolBox_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = symbolBox_->cursorPosition();
        symbolBox_->setText(text.toUpper());
        symbolBox_->setCursorPosition(cursor);
    });
    connect(symbolBox_, &QLineEdit::textChanged, this, &CMainFrame::ReadSymbol);
    input_->addWidget(symbolBox_);
    input_->addWidget(new QLabel(QStringLiteral(" Web "), input_));
    sourceBox_ = new QComboBox(input_);
    sourceBox_->setEditable(true);
    sourceBox_->setInsertPolicy(QComboBox::NoInsert);
    sourceBox_->addItems({QStringLiteral("Silicon Investor"), QStringLiteral("Yahoo")});  // sorted
    sourceBox_->setCurrentIndex(-1);
    sourceBox_->setFixedWidth(kSourceBoxWidth);
    connect(sourceBox_, &QComboBox::currentIndexChanged, this, &CMainFrame::ReadSource);
    input_->addWidget(sourceBox_);

    // The address bar takes a line of its own, below the buttons and boxes.
    addToolBarBreak();
    QToolBar* address = addToolBar(QStringLiteral("Address"));
    address->setObjectName(QStringLiteral("address"));
    address->addWidget(new QLabel(QStringLiteral("Address "), address));
    addressBar_ = new QComboBox(address);
    addressBar_->setEditable(true);
    addressBar_->setInsertPolicy(QComboBox::NoInsert);
    addressBar_->setMinimumWidth(kAddressBarWidth);
    addressBar_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Keys reach the box, the focus proxy of its edit field, which hands them
    // on to the field directly. Enter is taken before the box sees it, so that
    // only a choice from the list counts as a selection.
    addressBar_->installEventFilter(this);
    connect(addressBar_, &QComboBox::activated, this, [this] { Q_EMIT addressSelected(); });
    address->addWidget(addressBar_);
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FitInputBar();
}

// The Symbol and Web boxes are the program's main inputs: they share the
// toolbar's line while both fit on it, and take a line of their own below
// it in a narrower window rather than hide in the toolbar's overflow.
void CMainFrame::FitInputBar()
{
    if (toolBarArea(input_) != Qt::TopToolBarArea || toolBarArea(toolbar_) != Qt::TopToolBarArea)
        return;
    const int needed = toolbar_->sizeHint().width() + input_->sizeHint().width() + 2 * layout()->spacing();
    const bool fits = width() >= needed;
    if (!fits && !toolBarBreak(input_)) {
        insertToolBarBreak(input_);
        inputBarBroken_ = true;
    } else if (fits && inputBarBroken_) {
        if (toolBarBreak(input_))
            removeToolBarBreak(input_);
        inputBarBroken_ = false;
    }
}

// No Caps, Num or Scroll Lock panes: Qt cannot read those states on every
// platform, and a pane that always shows "off" would mislead.
void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    // The message pane shows a command's prompt while it is highlighted, else "Ready".
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(QString::fromLatin1(kReady));
    });
    bar->showMessage(QString::fromLatin1(kReady));
}

void CMainFrame::ShowNotice(const QString& text)
{
    statusBar()->showMessage(text, kNoticeShownMs);
}

void CMainFrame::ShowReadout(const QString& line)
{
    if (line.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(line);
}

bool CMainFrame::TakeFileDrop(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = LocalFiles(drop->mimeData());
    if (files.isEmpty())
        return false;
    drop->acceptProposedAction();
    if (type == QEvent::Drop)
        Q_EMIT filesDropped(files);
    return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (TakeFileDrop(watched, event))
        return true;
    if (watched == addressBar_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Q_EMIT addressEntered();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::ReadSymbol()
{
    symbolText = symbolBox_->text();
}

void CMainFrame::ReadSource()
{
    const int chosen = sourceBox_->currentIndex();
    if (chosen >= 0)
        sourceText = sourceBox_->itemText(chosen);
}

void CMainFrame::SetAddress(const QString& address)
{
    addressBar_->setEditText(address);
}

void CMainFrame::ReadAddressSelection()
{
    const int chosen = addressBar_->currentIndex();
    if (chosen >= 0)
        addressText = addressBar_->itemText(chosen);
}

void CMainFrame::ReadAddressEntry()
{
    addressText = addressBar_->currentText();
    addressBar_->addItem(addressText);
}

void CMainFrame::SetFavoritesFolder(const std::filesystem::path& folder)
{
    favoritesFolder_ = folder;
    connect(popup(MenuPopup::Favorites), &QMenu::aboutToShow, this, &CMainFrame::BuildFavoritesMenu,
            Qt::UniqueConnection);
    BuildFavoritesMenu();
}

void CMainFrame::BuildFavoritesMenu()
{
    QMenu* favorites = popup(MenuPopup::Favorites);
    // clear() would leave the submenus of the last build behind.
    for (QMenu* folder : favorites->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        delete folder;
    favorites->clear();
    favoriteUrls_.clear();
    FavoritesMenu entries;
    std::error_code error;
    if (std::filesystem::is_directory(favoritesFolder_, error))
        BuildFavorites(favoritesFolder_, 0, entries, favoriteUrls_);
    AddFavorites(favorites, entries);
    // A popup once opened without entries is never shown again under X11,
    // however it is filled later, so it always holds one.
    if (favorites->isEmpty()) {
        const QString folder = QDir::toNativeSeparators(QString::fromStdString(favoritesFolder_.string()));
        QAction* empty = favorites->addAction(
            QStringLiteral("(empty: add .url shortcuts to %1)").arg(QString(folder).replace('&', "&&")));
        empty->setEnabled(false);
    }
}

QString CMainFrame::FavoriteUrl(int commandId) const
{
    const int index = commandId - kFirstFavoriteId;
    if (!IsFavoriteEntry(commandId) || static_cast<std::size_t>(index) >= favoriteUrls_.size())
        return {};
    return QString::fromStdString(favoriteUrls_[static_cast<std::size_t>(index)]);
}

void CMainFrame::AddFavorites(QMenu* menu, const FavoritesMenu& entries)
{
    // A '&' in a file name is shown, not taken as a mnemonic.
    const auto shown = [](const std::string& text) { return QString::fromStdString(text).replace('&', "&&"); };
    for (const FavoritesFolder& folder : entries.folders)
        AddFavorites(menu->addMenu(shown(folder.name)), folder.entries);
    for (const FavoritesShortcut& shortcut : entries.shortcuts) {
        const int id = shortcut.commandId;
        connect(menu->addAction(shown(shortcut.title)), &QAction::triggered, this,
                [this, id] { Q_EMIT commandTriggered(id); });
    }
}

void CMainFrame::ListWindows()
{
    for (QAction* entry : windowEntries_)
        delete entry;
    windowEntries_.clear();
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    if (windows.isEmpty())
        return;
    QMenu* menu = popup(MenuPopup::Window);
    windowEntries_.push_back(menu->addSeparator());
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const QPointer<QMdiSubWindow> window = windows[i];
        // A '&' in a title is shown, not taken as a mnemonic; the first nine have theirs.
        const QString title = window->windowTitle().replace('&', QStringLiteral("&&"));
        QAction* entry = menu->addAction(i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title)
                                               : QStringLiteral("%1 %2").arg(i + 1).arg(title));
        entry->setCheckable(true);
        entry->setChecked(window == mdiArea_->currentSubWindow());
        connect(entry, &QAction::triggered, this, [this, window] {
            if (window)
                mdiArea_->setActiveSubWindow(window);
        });
        windowEntries_.push_back(entry);
    }
}

void CMainFrame::FocusNextPane(int step)
{
    std::vector<QWidget*> panes;
    if (QMdiSubWindow* window = mdiArea_->currentSubWindow())
        panes.push_back(window);
    panes.push_back(symbolBox_);
    panes.push_back(addressBar_);
    const QWidget* focus = QApplication::focusWidget();
    const auto holdsFocus = [focus](const QWidget* pane) {
        return focus != nullptr && (focus == pane || pane->isAncestorOf(focus));
    };
    const auto found = std::find_if(panes.begin(), panes.end(), holdsFocus);
    const auto count = static_cast<int>(panes.size());
    // With the focus in none of them, F6 starts at the first pane and Shift+F6 at the last.
    const int current = found == panes.end() ? (step > 0 ? -1 : 0) : static_cast<int>(found - panes.begin());
    QWidget* next = panes[static_cast<std::size_t>((current + step + count) % count)];
    if (auto* window = qobject_cast<QMdiSubWindow*>(next))
        next = window->widget();
    next->setFocus(Qt::ShortcutFocusReason);
}

QAction* CMainFrame::action(int id) const
{
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

QMenu* CMainFrame::popup(MenuPopup popup) const
{
    return popups_.at(popup);
}
