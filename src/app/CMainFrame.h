#pragma once

#include "document/CommandTable.h"

#include <QMainWindow>
#include <QString>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMenu;
class QToolBar;
struct FavoritesMenu;

// The main window: the document windows in an MDI area, the menus and the
// toolbar built from the command table, the input bar with the symbol and web
// source boxes, the address bar on a line of its own, and the status bar.
// Commands go out through commandTriggered and dropped files through
// filesDropped; the window keeps only the last text it read from each of its
// three input boxes.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);

    QString symbolText;   // last text read from the symbol box
    QString sourceText;   // last entry chosen in the web source box
    QString addressText;  // last address read from the address bar

    // Copies the symbol box's text into symbolText; runs on every change.
    void ReadSymbol();
    // Copies the chosen entry of the source box into sourceText; with no
    // entry chosen sourceText keeps its text. Typed text is never read.
    void ReadSource();
    // Shows `address` in the address bar's edit field.
    void SetAddress(const QString& address);
    // Copies the address bar's chosen list entry into addressText.
    void ReadAddressSelection();
    // Copies the address bar's edit text into addressText and appends it to
    // the list (again, if it is there already).
    void ReadAddressEntry();

    // The Favorites menu lists the shortcuts of `folder`: at once, and again
    // each time it opens, so that it follows the files added and removed.
    // With none it shows one disabled entry that says where they are read from.
    void SetFavoritesFolder(const std::filesystem::path& folder);
    // The address of Favorites entry `commandId` as the menu lists it now;
    // empty for an entry not listed (or listed beyond kLastFavoriteId).
    QString FavoriteUrl(int commandId) const;

    // Lists `paths` (newest first) as the recent-file entries of the File
    // menu, commands kFirstRecentFile + i; with none, the "Recent File"
    // entry stays, disabled.
    void ShowRecentFiles(const QStringList& paths);

    // Shows `text` in the status bar's message pane for ten seconds, then
    // "Ready" again; a highlighted command's prompt replaces it sooner.
    void ShowNotice(const QString& text);
    // Shows the chart's readout in the message pane until the next one; an
    // empty line brings back "Ready".
    void ShowReadout(const QString& line);

    // With no document open the menu bar shows only File, View and Help.
    void ShowDocumentMenus(bool documentOpen);

    QMdiArea* mdiArea() const { return mdiArea_; }
    // The action of a command of the command table; nullptr for other IDs.
    QAction* action(int id) const;
    QMenu* popup(MenuPopup popup) const;
    QLineEdit* symbolBox() const { return symbolBox_; }
    QComboBox* sourceBox() const { return sourceBox_; }
    QComboBox* addressBar() const { return addressBar_; }

Q_SIGNALS:
    // A menu entry, toolbar button or Favorites entry was chosen; not View >
    // Toolbar or Status Bar, which show and hide their bars themselves, nor
    // an open window chosen in the Window menu.
    void commandTriggered(int id);
    // An entry of the address bar's list was chosen.
    void addressSelected();
    // Enter was pressed in the address bar.
    void addressEntered();
    // Local files were dropped on the window, wherever on it: their full
    // paths, in the order given. Other drops go to the widget under them.
    void filesDropped(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildFavoritesMenu();
    void AddFavorites(QMenu* menu, const FavoritesMenu& entries);
    // Takes a drag or drop of local files over any widget of this window,
    // emitting filesDropped for the drop; true when it took `event`.
    bool TakeFileDrop(QObject* watched, QEvent* event);
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void createRecentFileActions();
    void FitInputBar();
    // Lists the open windows, numbered, at the end of the Window menu.
    void ListWindows();
    // Moves the focus to the next (or previous) of the window's panes: the
    // document window shown, the Symbol box, the address bar.
    void FocusNextPane(int step);

    QMdiArea* mdiArea_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QToolBar* input_ = nullptr;
    bool inputBarBroken_ = false;  // FitInputBar put the input bar on a line of its own
    std::vector<QAction*> windowEntries_;  // ListWindows' entries of the Window menu
    std::map<int, QAction*> actions_;
    std::map<MenuPopup, QMenu*> popups_;
    QLineEdit* symbolBox_ = nullptr;
    QComboBox* sourceBox_ = nullptr;
    QComboBox* addressBar_ = nullptr;
    std::filesystem::path favoritesFolder_;
    // The menu's one address list: entry kFirstFavoriteId + i opens favoriteUrls_[i].
    std::vector<std::string> favoriteUrls_;
};
