// The main window's command table, and the commands too small for a file of their own.
#include "app/CDlgAbout.h"
#include "app/CDlgCallChecks.h"
#include "app/CDlgCompareCarriers.h"
#include "app/CDlgExplainCost.h"
#include "app/CDlgLogin.h"
#include "app/CMainFrame.h"
#include "app/CallsExportCommand.h"
#include "app/CallsListController.h"
#include "app/CallsModel.h"
#include "app/CallsView.h"
#include "app/Commands.h"
#include "app/FrameProgress.h"
#include "app/FrameReports.h"
#include "app/StatusPanel.h"
#include "core/Cp1252.h"
#include "core/FileTypes.h"
#include "lang/LanguageService.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "lang/gui/TranslationCommands.h"
#include "settings/LoginRule.h"
#include "settings/gui/CDlgDatabaseLocation.h"
#include "ui/HelpOpener.h"
#include "ui/ModalRunner.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>

namespace {

std::string fileTypeName(int index) { return LoadText(sid::kFileTypeFirst + index); }

QString callFileDialogFilter()
{
    return qtText(filetypes::qtDialogFilter(filetypes::dialogFilter({filetypes::kCallDatabase}, fileTypeName)));
}

QuickFilter quickFilterOf(int id) { return static_cast<QuickFilter>(id - cmd::kQuickExtension); }

} // namespace

void CMainFrame::registerCommands()
{
    const auto rows = [this](int) { return !m_model->frozen() && !m_session->calls().visible().empty(); };
    const auto filesOpen = [this](int) { return m_session->calls().openFileCount() > 0; };
    const auto oneFileOpen = [this](int) { return m_session->calls().openFileCount() == 1; };
    const auto list = [this](auto operation) {
        return [this, operation](int id) { rebuildList([&](Progress& progress) { operation(id, progress); }); };
    };
    const auto translationEnabled = [](int id) {
        const LanguageService* service = LanguageService::installed();
        return service && service->translationAvailable()
               && (id == cmd::kNewTranslation || service->currentNumber() != 0);
    };
    const auto translate = [this](int id) {
        if (id == cmd::kNewTranslation ? translation::newTranslation(this) : translation::editTranslation(this))
            retranslate();
    };
    using Keys = QKeyCombination;

    // File
    m_commands.add({.id = cmd::kOpen,
                    .run = [this](int) { commandOpen(); },
                    .keys = Keys(Qt::CTRL | Qt::Key_O),
                    .icon = {"document-open", QStyle::SP_DialogOpenButton}});
    m_commands.add({.id = cmd::kClose,
                    .enabled = filesOpen,
                    .run = [this](int) { m_list->closeFiles(); },
                    .icon = {"document-close", QStyle::SP_DialogCloseButton}});
    m_commands.add(
        {.id = cmd::kSaveAs, .level = login::kManager, .enabled = filesOpen, .run = [this](int) { commandSaveAs(); }});
    m_commands.add({.id = cmd::kExport, .level = login::kManager, .enabled = rows, .run = [this](int) {
                        exportShownCalls(this, *m_status, m_ini, *m_session, m_view->selectedRows());
                    }});
    m_commands.add({.id = cmd::kExit, .run = [this](int) { close(); }, .keys = Keys(Qt::ALT | Qt::Key_X)});
    m_commands.add({.id = cmd::kRefresh,
                    .enabled = oneFileOpen,
                    .run = [this](int) { m_list->refresh(false); },
                    .keys = Keys(Qt::Key_F5),
                    .icon = {"view-refresh", QStyle::SP_BrowserReload}});
    m_commands.add({.id = cmd::kAutoRefresh,
                    .enabled = [this, oneFileOpen](int id) { return m_list->autoRefreshRunning() || oneFileOpen(id); },
                    .run = [this](int) { m_list->toggleAutoRefresh(); },
                    .checked = [this](int) { return m_list->autoRefreshRunning(); },
                    .icon = {"media-playback-start", QStyle::SP_MediaPlay}});

    // Filter
    m_commands.add({.id = cmd::kFilter,
                    .run = [this](int) { commandFilter(); },
                    .keys = Keys(Qt::CTRL | Qt::Key_I),
                    .icon = {"view-filter", QStyle::SP_FileDialogContentsView}});
    m_commands.add({.id = cmd::kUndoFilter,
                    .enabled = [this](int) { return m_session->canUndoFilter(); },
                    .run = list([this](int, Progress& progress) { m_session->undoLastFilter(progress); }),
                    .keys = Keys(Qt::CTRL | Qt::Key_U),
                    .icon = {"edit-undo", QStyle::SP_ArrowBack}});
    m_commands.add({.id = cmd::kClearFilter,
                    .enabled = [this](int) { return m_session->canClearFilter(); },
                    .run = list([this](int, Progress& progress) { m_session->clearFilter(progress); }),
                    .keys = Keys(Qt::CTRL | Qt::Key_L),
                    .icon = {"edit-clear", QStyle::SP_DialogResetButton}});
    m_commands.add(
        {.id = cmd::kHideSelected,
         .level = login::kManager,
         .enabled = [this](int) { return m_session->canHideRows(static_cast<std::size_t>(m_list->selectedCount())); },
         .run = [this](int) { m_list->hideSelected(); }});
    m_commands.add({.id = cmd::kQuickExtension,
                    .count = kQuickFilterCount,
                    .enabled = [this](int id) { return m_session->canQuickFilter(quickFilterOf(id)); },
                    .run = list([this](int id, Progress& progress) {
                        m_session->applyQuickFilter(quickFilterOf(id), progress);
                    })});
    m_commands.add({.id = cmd::kSavedFilterFirst,
                    .count = static_cast<int>(MainSession::kSavedFilterMenuMax),
                    .enabled =
                        [this](int id) {
                            return m_session->canApplySavedFilter(
                                static_cast<std::size_t>(id - cmd::kSavedFilterFirst));
                        },
                    .run = list([this](int id, Progress& progress) {
                        m_session->applySavedFilter(static_cast<std::size_t>(id - cmd::kSavedFilterFirst), progress);
                    })});

    // Calls
    m_commands.add({.id = cmd::kFind,
                    .enabled = rows,
                    .run = [this](int) { commandFind(); },
                    .keys = Keys(Qt::CTRL | Qt::Key_F),
                    .icon = {"edit-find", QStyle::SP_FileDialogStart}});
    m_commands.add({.id = cmd::kFindNext,
                    .enabled = [this, rows](int id) { return rows(id) && m_hasSearch; },
                    .run = [this](int) { findNext(); },
                    .keys = Keys(Qt::Key_F3),
                    .icon = {"go-next", QStyle::SP_ArrowForward}});
    m_commands.add({.id = cmd::kCallChecks,
                    .enabled = rows,
                    .run = [this](int) { commandCallChecks(); },
                    .icon = {"dialog-warning", QStyle::SP_MessageBoxWarning}});
    m_commands.add({.id = cmd::kCompareCarriers,
                    .enabled = rows,
                    .run = [this](int) { commandCompareCarriers(); },
                    .icon = {"office-chart-bar", QStyle::SP_FileDialogListView}});
    m_commands.add({.id = cmd::kAddEditEmployee,
                    .count = cmd::kAddProject - cmd::kAddEditEmployee + 1,
                    .level = login::kSupervisor,
                    .enabled = [this](int id) { return canAddRecord(id); },
                    .run = [this](int id) { commandAddRecord(id); }});
    m_commands.add(
        {.id = cmd::kDialNumber,
         .enabled = [this](int) { return m_session->currentCall() && !m_session->currentCall()->number().empty(); },
         .run = [this](int) { commandDialNumber(); }});
    m_commands.add(
        {.id = cmd::kExplainCost,
         .enabled = [this](int) { return m_session->currentCall() != nullptr; },
         .run =
             [this](int) {
                 CDlgExplainCost(m_session->settings(), m_session->prefs(), *m_session->currentCall(), this).exec();
             },
         .keys = Keys(Qt::CTRL | Qt::Key_E)});
    // Reports: the window keeps the report period between runs.
    const auto reports = std::make_shared<FrameReports>(*this, m_ini);
    const auto report = [reports](int id) { reports->run(id); };
    m_commands.add({.id = cmd::kReports,
                    .enabled = filesOpen,
                    .run = report,
                    .keys = Keys(Qt::CTRL | Qt::Key_R),
                    .icon = {"document-print", QStyle::SP_FileDialogDetailedView}});
    // Ctrl+Q is shown in the menu beside "Quick report", so it works as well.
    m_commands.add({.id = cmd::kQuickReport,
                    .enabled = filesOpen,
                    .run = report,
                    .keys = Keys(Qt::CTRL | Qt::Key_Q),
                    .icon = {"document-print-preview", QStyle::SP_FileIcon}});
    m_commands.add({.id = cmd::kEditQuickReport, .run = report});

    // Options
    m_commands.add({.id = cmd::kSettings,
                    .level = login::kSupervisor,
                    .run = [this](int) { commandSettings(); },
                    .icon = {"preferences-system", QStyle::SP_ComputerIcon}});
    m_commands.add({.id = cmd::kDatabaseLocation, .level = login::kAdministrator, .run = [this](int) {
                        commandDatabaseLocation();
                    }});
    m_commands.add(
        {.id = cmd::kPreferences, .level = login::kSupervisor, .run = [this](int) { commandPreferences(); }});
    m_commands.add({.id = cmd::kChangeLoginLevel,
                    .enabled = [this](int) { return login::required(m_session->settings().header); },
                    .run = [this](int) { commandChangeLogin(); }});
    m_commands.add(
        {.id = cmd::kNewTranslation, .level = login::kAdministrator, .enabled = translationEnabled, .run = translate});
    m_commands.add(
        {.id = cmd::kEditTranslation, .level = login::kAdministrator, .enabled = translationEnabled, .run = translate});
    m_commands.add({.id = cmd::kLanguageFirst,
                    .count = LanguageService::kMaxMenuLanguages,
                    .run = [this](int id) { selectLanguage(id - cmd::kLanguageFirst); },
                    .checked =
                        [](int id) {
                            const LanguageService* service = LanguageService::installed();
                            return service && service->currentNumber() == id - cmd::kLanguageFirst;
                        }});

    // Help
    m_commands.add({.id = cmd::kHelpTopics,
                    .run = [this](int) { commandHelp(); },
                    .keys = Keys(Qt::Key_F1),
                    .icon = {"help-contents", QStyle::SP_DialogHelpButton}});
    m_commands.add({.id = cmd::kAbout,
                    .run = [this](int) { commandAbout(); },
                    .icon = {"help-about", QStyle::SP_MessageBoxInformation}});
}

bool CMainFrame::isCommandEnabled(int id) const { return m_commands.enabled(id, m_session->loginLevel()); }

bool CMainFrame::isCommandChecked(int id) const { return m_commands.checked(id); }

void CMainFrame::runCommand(int id)
{
    if (FrameProgress::busy() || !m_commands.run(id, m_session->loginLevel()))
        return;
    updateCommandStates();
}

void CMainFrame::commandOpen()
{
    std::vector<std::filesystem::path> paths;
    if (m_chooseFiles) {
        paths = m_chooseFiles();
    } else {
        QFileDialog dialog(this, QString(), QString::fromStdString(defaultCallsFolder().string()),
                           callFileDialogFilter());
        dialog.setFileMode(QFileDialog::ExistingFiles);
        dialog.setDefaultSuffix(QStringLiteral("bsl"));
        if (dialog.exec() == QDialog::Accepted)
            for (const QString& file : dialog.selectedFiles())
                paths.emplace_back(file.toStdString());
    }
    if (!paths.empty())
        openFiles(paths);
}

void CMainFrame::commandSaveAs()
{
    // The dialog does not ask about replacing: an open call file is refused first,
    // and only another existing file is asked about.
    std::filesystem::path path =
        m_chooseSaveFile
            ? m_chooseSaveFile()
            : std::filesystem::path(
                QFileDialog::getSaveFileName(this, QString(), QString::fromStdString(defaultCallsFolder().string()),
                                             callFileDialogFilter(), nullptr, QFileDialog::DontConfirmOverwrite)
                    .toStdString());
    if (path.empty())
        return;
    if (path.extension().empty())
        path += filetypes::extension(filetypes::kCallDatabase);
    if (isOpenCallFile(path)) {
        MessageById(sid::kOverwritePrimaryCalls, mb::kOk | mb::kIconExclamation);
        return;
    }
    std::error_code error;
    if (std::filesystem::exists(path, error)
        && MessageById(sid::kReplaceFile, mb::kYesNo | mb::kIconExclamation, {PathText(path)}) != mb::kIdYes)
        return;
    SaveResult result;
    {
        FrameProgress progress(this, *m_status, sid::kStatusSaving, FrameProgress::Events::Hold);
        result = m_session->calls().saveCalls(path);
    }
    if (result == SaveResult::RefusedOpenFile)
        MessageById(sid::kOverwritePrimaryCalls, mb::kOk | mb::kIconExclamation);
    else if (result == SaveResult::WriteFailed)
        MessageById(sid::kErrorSavingFile, mb::kOk | mb::kIconStop, {PathText(path)});
}

bool CMainFrame::isOpenCallFile(const std::filesystem::path& path) const
{
    for (const std::filesystem::path& open : m_session->calls().openFilePaths()) {
        std::error_code error;
        if (std::filesystem::equivalent(path, open, error)
            || std::filesystem::weakly_canonical(path, error) == std::filesystem::weakly_canonical(open, error))
            return true;
    }
    return false;
}

void CMainFrame::commandFind()
{
    CDlgFind dialog(m_lastFind, m_findHistory.entries(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const FindRequest request = dialog.request();
    if (request.number.isEmpty())
        return;
    if (m_findHistory.add(cp1252::fromQString(request.number)))
        m_findHistory.write(m_ini);
    find(request);
}

CallSession& CMainFrame::searchableCalls()
{
    // The session lends the call table read-only; the search position kept in it
    // (reset whenever the list is rebuilt) is the one thing the window moves.
    return const_cast<CallSession&>(m_session->calls());
}

void CMainFrame::find(const FindRequest& request)
{
    m_lastFind = request;
    m_hasSearch = !request.number.isEmpty();
    const std::vector<int> selected = m_view->selectedRowNumbers();
    if (request.fromCursor && !selected.empty())
        searchableCalls().resetSearch(static_cast<std::size_t>(selected.front()));
    else
        searchableCalls().resetSearch();
    findNext();
}

void CMainFrame::findNext()
{
    if (!m_hasSearch)
        return;
    const auto hit = searchableCalls().findNext(cp1252::fromQString(m_lastFind.number), m_lastFind.exact);
    if (hit)
        m_view->selectOnly(static_cast<int>(*hit));
    else
        MessageById(sid::kNumberNotFound, mb::kOk | mb::kIconExclamation);
}

void CMainFrame::commandDialNumber()
{
    // No telephony here: the number goes to the clipboard, ready for the phone software.
    if (const CallRecord* call = m_session->currentCall()) {
        QGuiApplication::clipboard()->setText(qtText(call->number()));
        m_status->setMessage(qtText(FormatInserts(LoadText(sid::kNumberCopied), {call->number()})));
    }
}

void CMainFrame::commandAbout()
{
    CDlgAbout about(this);
    about.exec();
}

// The two windows over the shown calls open modal without blocking here.
void CMainFrame::commandCallChecks()
{
    auto* checks = new CDlgCallChecks(
        *m_session, [this](std::span<const std::uint32_t> calls) { m_list->showOnlyCalls(calls); }, this);
    checks->setAttribute(Qt::WA_DeleteOnClose);
    checks->open();
}

void CMainFrame::commandCompareCarriers()
{
    auto* compare = new CDlgCompareCarriers(*m_session, this);
    compare->setAttribute(Qt::WA_DeleteOnClose);
    compare->open();
}

void CMainFrame::commandChangeLogin()
{
    if (const auto level = CDlgLogin::run(this, m_session->settings().header))
        m_session->setLoginLevel(*level);
}

void CMainFrame::commandHelp() { help::openHelpContents(this); }

void CMainFrame::selectLanguage(int number)
{
    LanguageService* service = LanguageService::installed();
    if (service && service->SelectLanguage(number))
        retranslate();
}

// A new location is used at once: the settings are read from there (or, when
// the shared file does not load and the user agrees, from the program folder)
// and every call is rated again. When nothing loads, the previous location and
// settings stay, so a later save never writes them into the wrong folder.
void CMainFrame::commandDatabaseLocation()
{
    CDlgDatabaseLocation dialog(m_network, this);
    if (runModal(dialog) != QDialog::Accepted)
        return;
    const NetworkSettings previous = m_network;
    const std::filesystem::path previousFolder = dataFolder();
    m_network = dialog.network();
    if (dataFolder() != previousFolder) {
        SettingsDatabase before = m_session->settings();
        if (!loadSettings()) {
            m_network = previous;
            m_session->settings() = std::move(before);
        }
        takeSettings();
    }
    m_network.write(m_ini);
}
