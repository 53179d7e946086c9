#include "app/CMainFrame.h"

#include "app/CallsListController.h"
#include "app/CallsModel.h"
#include "app/CallsView.h"
#include "app/Commands.h"
#include "app/FrameHandOver.h"
#include "app/FrameProgress.h"
#include "app/ProgramIcon.h"
#include "app/StatusPanel.h"
#include "app/ToolIcons.h"
#include "core/Cp1252.h"
#include "lang/LanguageService.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr const char* kSavedFiltersProperty = "qxSavedFilters";

// The toolbar's buttons in their order (0: a separator); the icons are the commands' own.
const int kToolBarLayout[] = {
    cmd::kOpen,
    cmd::kClose,
    0,
    cmd::kRefresh,
    cmd::kAutoRefresh,
    0,
    cmd::kFilter,
    cmd::kUndoFilter,
    cmd::kClearFilter,
    0,
    cmd::kReports,
    cmd::kQuickReport,
    cmd::kCallChecks,
    cmd::kCompareCarriers,
    0,
    cmd::kFind,
    cmd::kFindNext,
    0,
    cmd::kSettings,
    0,
    cmd::kHelpTopics,
    cmd::kAbout,
};

// The path as the title shows it: absolute, whichever way the file was opened.
std::filesystem::path absolutePath(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal();
}

} // namespace

CMainFrame::CMainFrame(std::filesystem::path programFolder, IniProfile& ini, QWidget* parent)
    : QMainWindow(parent)
    , m_ini(ini)
    , m_programFolder(std::move(programFolder))
    , m_network(NetworkSettings::read(ini))
    , m_session(std::make_unique<MainSession>(m_programFolder))
    , m_handOver(std::make_unique<FrameHandOver>(*this, ini))
{
    m_session->prefs().load(ini);
    NoProgress quiet;
    m_session->settingsChanged(quiet);
    // The name the window is known by (also what a second start looks for in its title bar).
    setObjectName(QStringLiteral("PBX_Call_Quantorix_Pro"));
    setWindowIcon(programIcon());
    m_findHistory = FindHistory::read(ini);
    m_lastFile = cp1252::toUtf8(ini.readString(filelayout::kSection, filelayout::kNameKey));
    m_status = new StatusPanel(statusBar());
    registerCommands();
    createList();
    createMenus();
    createToolBar();

    const QRect work = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const WindowLayout layout = WindowLayout::read(ini, work.left(), work.top(), work.width(), work.height());
    QList<QRect> workAreas;
    for (const QScreen* each : QGuiApplication::screens())
        workAreas.append(each->availableGeometry());
    setGeometry(WindowLayout::placeOnScreens(QRect(layout.left, layout.top, std::max(layout.width, 200),
                                                   std::max(layout.height, 150)),
                                             workAreas, style()->pixelMetric(QStyle::PM_TitleBarHeight)));
    m_maximize = layout.maximize;

    updateTitle();
    m_list->showTotals();
    updateCommandStates();
}

CMainFrame::~CMainFrame() { saveLayout(); }

void CMainFrame::createList()
{
    m_list = std::make_unique<CallsListController>(*m_session, *m_status, m_ini, this);
    m_model = m_list->model();
    m_view = m_list->view();
    setCentralWidget(m_view);
    setFocusProxy(m_view);
    connect(m_list.get(), &CallsListController::rowsShown, this, &CMainFrame::updateTitle);
    connect(m_list.get(), &CallsListController::commandStatesChanged, this, &CMainFrame::updateCommandStates);
    connect(m_view, &CallsView::deletePressed, this, [this] {
        if (isCommandEnabled(cmd::kHideSelected))
            m_list->hideSelected();
    });
    connect(m_view, &CallsView::contextMenuWanted, this, &CMainFrame::showContextMenu);
}

std::filesystem::path CMainFrame::dataFolder() const { return ::dataFolder(m_network, m_programFolder); }

std::filesystem::path CMainFrame::defaultCallsFolder() const
{
    if (!m_lastFile.empty() && !m_lastFile.parent_path().empty())
        return m_lastFile.parent_path();
    return callsFolder(dataFolder());
}

bool CMainFrame::openFiles(const std::vector<std::filesystem::path>& paths)
{
    if (!m_list->openFiles(paths))
        return false;
    m_lastFile = paths.back();
    return true;
}

void CMainFrame::rebuildList(const std::function<void(Progress&)>& operation) { m_list->rebuild(operation); }

void CMainFrame::takePreferences(const Preferences& prefs, const ListLayout& columnLayout)
{
    m_session->prefs() = prefs;
    prefs.save(m_ini);
    ListLayout layout = columnLayout;
    layout.sort = m_session->sortKeys();
    m_list->applyColumns(layout);
    rebuildList([this](Progress& progress) { m_session->settingsChanged(progress); });
}

void CMainFrame::takeSettings()
{
    m_session->settings().rebuildIndexes();
    rebuildList([this](Progress& progress) { m_session->settingsChanged(progress); });
}

void CMainFrame::createMenus()
{
    // Built anew from the resources (a language change rebuilds them): the old pop-ups go.
    const QList<QAction*> old = menuBar()->actions();
    menuBar()->clear();
    for (QAction* action : old)
        if (QMenu* popup = action->menu())
            popup->deleteLater();
    buildMenu(cmd::kMainMenu, menuBar());
    delete m_contextMenu;
    m_contextMenu = new QMenu(this);
    buildPopupMenu(cmd::kContextMenu, m_contextMenu);

    const auto connectAll = [this](QWidget* owner, auto& self) -> void {
        for (QAction* action : owner->actions()) {
            if (QMenu* popup = action->menu()) {
                // The resources leave the "Apply Filter" pop-ups empty: they list the saved filters.
                popup->setProperty(kSavedFiltersProperty, popup->actions().isEmpty());
                connect(popup, &QMenu::aboutToShow, this, [this, popup] { onMenuAboutToShow(popup); });
                self(popup, self);
            } else if (const int id = commandIdOf(action)) {
                action->setStatusTip(qtText(LoadTextPrompt(id)));
                connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
            }
        }
    };
    connectAll(menuBar(), connectAll);
    connectAll(m_contextMenu, connectAll);
    connect(m_contextMenu, &QMenu::aboutToShow, this, [this] { onMenuAboutToShow(m_contextMenu); });
    applyShortcuts();
    fillLanguageMenu();
}

void CMainFrame::applyShortcuts()
{
    for (const CommandEntry& entry : m_commands.entries()) {
        if (entry.keys == QKeyCombination())
            continue;
        if (QAction* action = findCommand(menuBar(), entry.id)) {
            action->setShortcut(QKeySequence(entry.keys));
            action->setShortcutContext(Qt::WindowShortcut);
        } else if (!m_shortcutsAdded) {
            // A command of the context menu only: its key acts on the first selected row,
            // as the context menu does on the row under the mouse.
            auto* shortcut = new QAction(this);
            shortcut->setShortcut(QKeySequence(entry.keys));
            addAction(shortcut);
            const int id = entry.id;
            connect(shortcut, &QAction::triggered, this, [this, id] {
                const std::vector<int> rows = m_view->selectedRowNumbers();
                prepareContextMenu(rows.empty() ? -1 : rows.front());
                runCommand(id);
            });
        }
    }
    m_shortcutsAdded = true;
}

void CMainFrame::createToolBar()
{
    m_toolBar = addToolBar(QString());
    m_toolBar->setObjectName(QStringLiteral("MainToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    m_filterDropMenu = new QMenu(this);
    m_filterDropMenu->setProperty(kSavedFiltersProperty, true);
    connect(m_filterDropMenu, &QMenu::aboutToShow, this, [this] { onMenuAboutToShow(m_filterDropMenu); });
    for (const int id : kToolBarLayout) {
        const CommandEntry* entry = m_commands.find(id);
        if (!entry) {
            m_toolBar->addSeparator();
            continue;
        }
        auto* action = new QAction(toolIcon(entry->icon, *style(), id == cmd::kHelpTopics), qtText(LoadTextTip(id)),
                                   m_toolBar);
        setCommandId(action, id);
        action->setToolTip(qtText(LoadTextTip(id)));
        action->setStatusTip(qtText(LoadTextPrompt(id)));
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        action->setCheckable(m_commands.checkable(id));
        if (id == cmd::kFilter) {
            // Not the action's own button: its drop-down arrow stays usable while the
            // action is disabled, and appears only when there are saved filters.
            m_filterButton = new QToolButton(m_toolBar);
            m_filterButton->setIcon(action->icon());
            m_filterButton->setToolTip(action->toolTip());
            m_filterButton->setStatusTip(action->statusTip());
            m_filterButton->setPopupMode(QToolButton::MenuButtonPopup);
            connect(m_filterButton, &QToolButton::clicked, this, [this] { runCommand(cmd::kFilter); });
            m_toolBar->addWidget(m_filterButton);
            action->setParent(m_filterButton);
        } else {
            m_toolBar->addAction(action);
        }
    }
}

void CMainFrame::fillLanguageMenu()
{
    QAction* newTranslation = findCommand(menuBar(), cmd::kNewTranslation);
    if (!newTranslation)
        return;
    QMenu* languages = nullptr;
    for (QObject* owner : newTranslation->associatedObjects())
        if ((languages = qobject_cast<QMenu*>(owner)))
            break;
    if (!languages)
        return;
    for (QAction* action : languages->actions()) {
        const int number = commandIdOf(action) - cmd::kLanguageFirst;
        if (number >= 0 && number < LanguageService::kMaxMenuLanguages)
            delete action;
    }
    const LanguageService* service = LanguageService::installed();
    // Without the base language file there is nothing to choose: the menu goes.
    languages->menuAction()->setVisible(service && service->translationAvailable());
    if (!service)
        return;
    for (const LanguageService::MenuLanguage& language : service->menuLanguages()) {
        auto* action = new QAction(qtText(language.name), languages);
        const int id = cmd::kLanguageFirst + language.number;
        setCommandId(action, id);
        action->setCheckable(true);
        action->setChecked(language.current);
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        languages->addAction(action);
    }
}

void CMainFrame::retranslate()
{
    LoadQtTranslation();
    // The direction, call-type and "Unknown" texts of the list come with the columns.
    rebuildList([this](Progress& progress) { m_session->settingsChanged(progress); });
    createMenus();
    for (QAction* action : m_toolBar->actions()) {
        if (const int id = commandIdOf(action)) {
            action->setText(qtText(LoadTextTip(id)));
            action->setToolTip(qtText(LoadTextTip(id)));
            action->setStatusTip(qtText(LoadTextPrompt(id)));
        }
    }
    m_filterButton->setToolTip(qtText(LoadTextTip(cmd::kFilter)));
    m_filterButton->setStatusTip(qtText(LoadTextPrompt(cmd::kFilter)));
    m_status->setIdle();
    updateTitle();
    m_list->showTotals();
    updateCommandStates();
    // The other open windows take their texts again on the language-change event.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this) {
            QEvent changed(QEvent::LanguageChange);
            QCoreApplication::sendEvent(window, &changed);
        }
    }
}

void CMainFrame::fillSavedFilterMenu(QMenu* menu)
{
    menu->clear();
    for (const SavedFilterMenuItem& item : m_session->savedFilterMenu()) {
        QAction* action = menu->addAction(qtText(item.name));
        const int id = cmd::kSavedFilterFirst + static_cast<int>(item.position);
        setCommandId(action, id);
        action->setEnabled(isCommandEnabled(id));
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    }
}

QMenu* CMainFrame::prepareContextMenu(int row)
{
    const bool hit = row >= 0 && row < m_model->rowCount();
    m_session->setCurrentCall(hit ? static_cast<std::int64_t>(m_model->tableIndexAt(row)) : -1);
    updateCommandStates();
    return m_contextMenu;
}

void CMainFrame::showContextMenu(int row, const QPoint& globalPos)
{
    if (FrameProgress::busy())
        return;
    prepareContextMenu(row)->exec(globalPos);
}

void CMainFrame::onMenuAboutToShow(QMenu* menu)
{
    if (menu->property(kSavedFiltersProperty).toBool())
        fillSavedFilterMenu(menu);
    updateCommandStates();
}

void CMainFrame::updateCommandStates()
{
    const auto update = [this](QWidget* owner, auto& self) -> void {
        for (QAction* action : owner->actions()) {
            if (QMenu* popup = action->menu()) {
                if (popup->property(kSavedFiltersProperty).toBool())
                    action->setEnabled(m_session->hasSavedFilters()); // grayed without saved filters
                self(popup, self);
            } else if (const int id = commandIdOf(action)) {
                action->setEnabled(isCommandEnabled(id));
                if (action->isCheckable() || m_commands.checkable(id)) {
                    action->setCheckable(true);
                    action->setChecked(isCommandChecked(id));
                }
            }
        }
    };
    update(menuBar(), update);
    update(m_contextMenu, update);
    update(m_toolBar, update);
    const bool savedFilters = m_session->hasSavedFilters();
    m_filterButton->setMenu(savedFilters ? m_filterDropMenu : nullptr);
    m_filterButton->setEnabled(isCommandEnabled(cmd::kFilter) || savedFilters);
}

std::optional<bool> CMainFrame::receiveCommandLine(int origin, const QString& text)
{
    return m_handOver->receive(origin, text);
}

void CMainFrame::beginReportTask() { m_list->beginTask(); }

void CMainFrame::endReportTask()
{
    if (!m_session->calls().openFilePaths().empty())
        m_lastFile = m_session->calls().openFilePaths().back();
    m_list->endTask();
    updateCommandStates();
}

void CMainFrame::showAtStart(bool commandLineGiven)
{
    if (commandLineGiven)
        showMinimized();
    else if (m_maximize)
        showMaximized();
    else
        showNormal();
    repaint();
}

void CMainFrame::updateTitle()
{
    QString title = qtText(LoadText(sid::kProgramTitle));
    const CallSession& calls = m_session->calls();
    if (calls.openFileCount() == 1)
        title += QStringLiteral(" - ") + QString::fromStdString(absolutePath(calls.currentFile()).string());
    else if (calls.openFileCount() > 1)
        title += qtText(
            FormatPrintf(LoadText(sid::kTitleFilesOpen), {static_cast<unsigned long long>(calls.openFileCount())}));
    setWindowTitle(title);
}

void CMainFrame::saveLayout()
{
    if (m_layoutSaved)
        return;
    m_layoutSaved = true;
    m_list->stopAutoRefresh();
    const ListLayout list = m_list->columns();
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    WindowLayout window;
    window.left = normal.left();
    window.top = normal.top();
    window.width = normal.width();
    window.height = normal.height();
    window.maximize = isMaximized();

    IniProfile::Batch batch(m_ini);
    m_network.write(m_ini);
    m_session->saveConfiguration(m_ini);
    if (!m_lastFile.empty())
        m_ini.writeString(filelayout::kSection, filelayout::kNameKey, cp1252::fromUtf8(m_lastFile.string()));
    list.write(m_ini);
    // A run that only ever showed the window minimized (a report task) knows no
    // layout of its own: the one stored stays.
    if (m_shownOnScreen)
        window.write(m_ini);
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!isMinimized())
        m_shownOnScreen = true;
}

void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isVisible() && !isMinimized())
        m_shownOnScreen = true;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (FrameProgress::busy()) {
        event->ignore();
        return;
    }
    saveLayout();
    QMainWindow::closeEvent(event);
}
