#pragma once
// The main window: menus, toolbar, status bar and the calls list, and the
// commands on the loaded calls. The state lives in MainSession (calls, settings,
// preferences, filter, login level); the window routes commands to it, asks it
// the enabling rules and turns results into the list (CallsListController),
// the status bar, the title and messages.

#include "app/CDlgFind.h"
#include "app/CommandTable.h"
#include "core/IniProfile.h"
#include "prefs/FindHistory.h"
#include "prefs/FrameLayout.h"
#include "session/MainSession.h"
#include "settings/SettingsLocation.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CallsListController;
class CallsModel;
class FrameHandOver;
class CallsView;
class QMenu;
class QToolBar;
class QToolButton;
class SettingsLock;
class StatusPanel;

class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // Loads the preferences, builds the list and reads the layout keys.
    CMainFrame(std::filesystem::path programFolder, IniProfile& ini, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Start-up, in this order after the window is shown.
    // Loads the settings database; on failure shows the stop message and returns false.
    bool loadSettings();
    // Asks for the password when the settings require one; false when cancelled.
    bool logIn();
    // No files open, the default filter, an empty list and the title.
    void resetToNoFiles();

    // The program's window layout keys: the window is shown minimized for a
    // command line, else maximized or normal as stored.
    void showAtStart(bool commandLineGiven);
    // A minimized window comes back maximized or normal as stored.
    void restoreFromMinimized();

    // A command line handed over (origin 1 from a second start, 2 from this
    // program's own start): a ".bsl" file opens in place of the open files,
    // anything else runs as a report task (after which origin 2 closes the
    // program). Returns false when it was refused: an unknown origin, or a
    // dialog is open. Returns nothing while an operation runs (ask again later).
    std::optional<bool> receiveCommandLine(int origin, const QString& text);
    // A report task run over the window: the timer stops and the list is frozen
    // while it runs; afterwards the list shows the rows of the files it loaded.
    void beginReportTask();
    void endReportTask();

    // The commands.
    void runCommand(int id);
    bool isCommandEnabled(int id) const;
    bool isCommandChecked(int id) const;
    void updateCommandStates();

    // Opens the files in place of the open ones (see CallsListController::openFiles);
    // the last of them becomes the call file opened last.
    bool openFiles(const std::vector<std::filesystem::path>& paths);
    // Searches as the Find dialog's OK does.
    void find(const FindRequest& request);
    void findNext();

    // Replace the file dialogs of Open and Save as (tests): they return the chosen
    // files, none (an empty path) for Cancel.
    using FileChooser = std::function<std::vector<std::filesystem::path>()>;
    void setFileChooser(FileChooser chooser) { m_chooseFiles = std::move(chooser); }
    using SaveChooser = std::function<std::filesystem::path()>;
    void setSaveChooser(SaveChooser chooser) { m_chooseSaveFile = std::move(chooser); }

    MainSession& session() { return *m_session; }
    const std::filesystem::path& programFolder() const { return m_programFolder; }
    // The network folder of a network installation, else the program folder.
    std::filesystem::path dataFolder() const;
    // Where call files are looked for by default: the folder of the call file
    // opened last, else the data folder's "Calls".
    std::filesystem::path defaultCallsFolder() const;
    CallsListController& callsList() { return *m_list; }
    CallsModel* model() const { return m_model; }
    CallsView* view() const { return m_view; }
    StatusPanel* status() const { return m_status; }
    const FindHistory& findHistory() const { return m_findHistory; }
    // The context menu as it would be shown for a row (-1: no row), without showing it.
    QMenu* prepareContextMenu(int row);

    // Writes the layout keys (also done when the window closes).
    void saveLayout();

    // OK of the preferences sheet: the preferences are written to the INI file at
    // once, the columns are built again, and every call is classified and priced
    // again (the preferences shape classification too).
    void takePreferences(const Preferences& prefs, const ListLayout& columns);
    // After the live settings database was changed (and saved): its indexes are
    // rebuilt and every call is classified and priced again.
    void takeSettings();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Every command of the window, registered once (MainFrameCommands.cpp).
    void registerCommands();
    void createList();
    void createMenus();
    void createToolBar();
    void applyShortcuts();
    void fillLanguageMenu();
    void retranslate();
    void onMenuAboutToShow(QMenu* menu);

    // As CallsListController::rebuild.
    void rebuildList(const std::function<void(Progress&)>& operation);
    void updateTitle();
    void showContextMenu(int row, const QPoint& globalPos);

    void fillSavedFilterMenu(QMenu* menu);
    void commandOpen();
    void commandSaveAs();
    bool isOpenCallFile(const std::filesystem::path& path) const;
    void commandFind();
    void commandFilter();      // MainFrameSheets.cpp
    void commandPreferences(); // MainFrameSheets.cpp
    // MainFrameSettings.cpp: the Settings sheet and the Add / Edit commands on the live settings.
    void commandSettings();
    bool canAddRecord(int id) const;
    void commandAddRecord(int id);
    bool beginSettingsEdit(SettingsLock& lock);
    bool changedOnDisk();
    void reloadSettings();
    // Changes the live settings, saves them and rates every call again.
    void storeSettings(const std::function<void(SettingsDatabase&)>& change);
    void commandAbout();
    void commandCallChecks();
    void commandCompareCarriers();
    void commandChangeLogin();
    void commandDatabaseLocation(); // MainFrameCommands.cpp
    void commandDialNumber();
    void commandHelp();
    void selectLanguage(int number);
    CallSession& searchableCalls();

    IniProfile& m_ini;
    std::filesystem::path m_programFolder;
    NetworkSettings m_network;
    std::filesystem::path m_settingsPath; // the settings file loaded, and its state then
    SettingsStamp m_settingsStamp;
    std::unique_ptr<MainSession> m_session;
    std::unique_ptr<FrameHandOver> m_handOver;
    std::unique_ptr<CallsListController> m_list;
    CallsModel* m_model = nullptr; // the list's model and view (child widgets of the window)
    CallsView* m_view = nullptr;
    CommandTable m_commands;
    bool m_shortcutsAdded = false; // the window's own shortcuts of context-menu commands
    StatusPanel* m_status = nullptr;
    QToolBar* m_toolBar = nullptr;
    QToolButton* m_filterButton = nullptr;
    QMenu* m_filterDropMenu = nullptr;
    QMenu* m_contextMenu = nullptr;
    FileChooser m_chooseFiles;
    SaveChooser m_chooseSaveFile;

    FindRequest m_lastFind;
    bool m_hasSearch = false;
    FindHistory m_findHistory;
    std::filesystem::path m_lastFile; // the call file opened last ("File" "Name")
    bool m_maximize = true;           // "Layout" "Maximize" as read at creation
    bool m_layoutSaved = false;
    bool m_shownOnScreen = false; // shown other than minimized at least once
};
