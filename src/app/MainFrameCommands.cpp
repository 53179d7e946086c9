// The main window's command table, and the commands too small for a file of their own.
#include "app/CDlgAbout.h"
#include "app/CDlgCallChecks.h"
#include "app/CDlgCompareCarriers.h"
#include "app/CDlgExplainCost.h"
#include "app/CDlgLogin.h"
#include "app/CMainFrame.h"
#include "app/CallsModel.h"
#include "app/CallsView.h"
#include "app/Commands.h"
#include "app/FrameProgress.h"
#include "app/LoginRule.h"
#include "app/StatusPanel.h"
#include "core/Cp1252.h"
#include "core/FileTypes.h"
#include "lang/LanguageService.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "lang/gui/TranslationCommands.h"
#include "ui/HelpOpener.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>

namespace {

std::string fileTypeName(int index)
{
    return LoadText(sid::kFileTypeFirst + index);
}

QString callFileDialogFilter()
{
    return qtText(filetypes::qtDialogFilter(filetypes::dialogFilter({filetypes::kCallDatabase}, fileTypeName)));
}

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
        return service && service->translationAvailable() && (id == cmd::kNewTranslation || service->currentNumber() != 0);
    };
    const auto translate = [this](int id) {
        if (id == cmd::kNewTranslation ? translation::newTranslation(this) : translation::editTranslation(this))
            retranslate();
    };
    using Keys = QKeyCombination;

    // File
    m_commands.add({.id = cmd::kOpen, .run = [this](int) { commandOpen(); },
                    .keys = Keys(Qt::CTRL | Qt::Key_O), .icon = {"document-open", QStyle::SP_DialogOpenButton}});
    m_commands.add({.id = cmd::kClose, .enabled = filesOpen, .run = [this](int) { closeFiles(); },
                    .icon = {"document-close", QStyle::SP_DialogCloseButton}});
    m_commands.add({.id = cmd::kSaveAs, .level = login::kManager, .enabled = filesOpen, .run = [this](int) { commandSaveAs(); }});
    m_commands.add({.id = cmd::kExit, .run = [this](int) { close(); }, .keys = Keys(Qt::ALT | Qt::Key_X)});
    m_commands.add({.id = cmd::kRefresh, .enabled = oneFileOpen, .run = [this](int) { refresh(false); },
                    .keys = Keys(Qt::Key_F5), .icon = {"view-refresh", QStyle::SP_BrowserReload}});
    m_commands.add({.id = cmd::kAutoRefresh,
                    .enabled = [this, oneFileOpen](int id) { return m_refreshTimer.isActive() || oneFileOpen(id); },
                    .run = [this](int) { toggleAutoRefresh(); },
                    .checked = [this](int) { return m_refreshTimer.isActive(); },
                    .icon = {"media-playback-start", QStyle::SP_MediaPlay}});

    // Filter
    m_commands.add({.id = cmd::kFilter, .run = [this](int) { commandFilter(); },
                    .keys = Keys(Qt::CTRL | Qt::Key_I), .icon = {"view-filter", QStyle::SP_FileDialogContentsView}});
    m_commands.add({.id = cmd::kUndoFilter, .enabled = [this](int) { return m_session->canUndoFilter(); },
                    .run = list([this](int, Progress& progress) { m_session->undoLastFilter(progress); }),
                    .keys = Keys(Qt::CTRL | Qt::Key_U), .icon = {"edit-undo", QStyle::SP_ArrowBack}});
    m_commands.add({.id = cmd::kClearFilter, .enabled = [this](int) { return m_session->canClearFilter(); },
                    .run = list([this](int, Progress& progress) { m_session->clearFilter(progress); }),
                    .keys = Keys(Qt::CTRL | Qt::Key_L), .icon = {"edit-clear", QStyle::SP_DialogResetButton}});
    m_commands.add({.id = cmd::kHideSelected,
                    .enabled = [this](int) { return m_session->canHideRows(static_cast<std::size_t>(m_selectedCount)); },
                    .run = [this](int) { hideSelected(); }});
    m_commands.add({.id = cmd::kQuickExtension, .count = cmd::kQuickProject - cmd::kQuickExtension + 1,
                    .enabled = [this](int id) { return m_session->canQuickFilter(static_cast<QuickFilter>(id)); },
                    .run = list([this](int id, Progress& progress) {
                        m_session->applyQuickFilter(static_cast<QuickFilter>(id), progress);
                    })});
    m_commands.add({.id = cmd::kSavedFilterFirst, .count = cmd::kSavedFilterMenuMax,
                    .enabled = [this](int id) {
                        return m_session->canApplySavedFilter(static_cast<std::size_t>(id - cmd::kSavedFilterFirst));
                    },
                    .run = list([this](int id, Progress& progress) {
                        m_session->applySavedFilter(static_cast<std::size_t>(id - cmd::kSavedFilterFirst), progress);
                    })});

    // Calls
    m_commands.add({.id = cmd::kFind, .enabled = rows, .run = [this](int) { commandFind(); },
                    .keys = Keys(Qt::CTRL | Qt::Key_F), .icon = {"edit-find", QStyle::SP_FileDialogStart}});
    m_commands.add({.id = cmd::kFindNext, .enabled = [this, rows](int id) { return rows(id) && m_hasSearch; },
                    .run = [this](int) { findNext(); }, .keys = Keys(Qt::Key_F3),
                    .icon = {"go-next", QStyle::SP_ArrowForward}});
    m_commands.add({.id = cmd::kCallChecks, .enabled = rows, .run = [this](int) { commandCallChecks(); },
                    .icon = {"dialog-warning", QStyle::SP_MessageBoxWarning}});
    m_commands.add({.id = cmd::kCompareCarriers, .enabled = rows, .run = [this](int) { commandCompareCarriers(); },
                    .icon = {"office-chart-bar", QStyle::SP_FileDialogListView}});
    m_commands.add({.id = cmd::kAddEditEmployee, .count = cmd::kAddProject - cmd::kAddEditEmployee + 1,
                    .level = login::kSupervisor, .enabled = [this](int id) { return canAddRecord(id); },
                    .run = [this](int id) { commandAddRecord(id); }});
    m_commands.add({.id = cmd::kDialNumber,
                    .enabled = [this](int) { return m_session->currentCall() && !m_session->currentCall()->number().empty(); },
                    .run = [this](int) { commandDialNumber(); }});
    m_commands.add({.id = cmd::kExplainCost, .enabled = [this](int) { return m_session->currentCall() != nullptr; },
                    .run = [this](int) {
                        CDlgExplainCost(m_session->settings(), m_session->prefs(), *m_session->currentCall(), this).exec();
                    },
                    .keys = Keys(Qt::CTRL | Qt::Key_E)});
    // Reports: their windows come later; the accelerators and buttons are in place, disabled.
    m_commands.add({.id = cmd::kReports, .keys = Keys(Qt::CTRL | Qt::Key_R),
                    .icon = {"document-print", QStyle::SP_FileDialogDetailedView}});
    // Ctrl+Q is shown in the menu beside "Quick report", so it works as well.
    m_commands.add({.id = cmd::kQuickReport, .keys = Keys(Qt::CTRL | Qt::Key_Q),
                    .icon = {"document-print-preview", QStyle::SP_FileIcon}});

    // Options
    m_commands.add({.id = cmd::kSettings, .level = login::kSupervisor, .run = [this](int) { commandSettings(); },
                    .icon = {"preferences-system", QStyle::SP_ComputerIcon}});
    m_commands.add({.id = cmd::kPreferences, .level = login::kSupervisor, .run = [this](int) { commandPreferences(); }});
    m_commands.add({.id = cmd::kChangeLoginLevel,
                    .enabled = [this](int) { return login::required(m_session->settings().header); },
                    .run = [this](int) { commandChangeLogin(); }});
    m_commands.add({.id = cmd::kNewTranslation, .level = login::kAdministrator, .enabled = translationEnabled, .run = translate});
    m_commands.add({.id = cmd::kEditTranslation, .level = login::kAdministrator, .enabled = translationEnabled, .run = translate});
    m_commands.add({.id = cmd::kLanguageFirst, .count = cmd::kLanguageCount,
                    .run = [this](int id) { selectLanguage(id - cmd::kLanguageFirst); },
                    .checked = [](int id) {
                        const LanguageService* service = LanguageService::installed();
                        return service && service->currentNumber() == id - cmd::kLanguageFirst;
                    }});

    // Help
    m_commands.add({.id = cmd::kHelpTopics, .run = [this](int) { commandHelp(); }, .keys = Keys(Qt::Key_F1),
                    .icon = {"help-contents", QStyle::SP_DialogHelpButton}});
    m_commands.add({.id = cmd::kAbout, .run = [this](int) { commandAbout(); },
                    .icon = {"help-about", QStyle::SP_MessageBoxInformation}});
}

bool CMainFrame::isCommandEnabled(int id) const
{
    return m_commands.enabled(id, m_session->loginLevel());
}

bool CMainFrame::isCommandChecked(int id) const
{
    return m_commands.checked(id);
}

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
        QFileDialog dialog(this, QString(), QString::fromStdString(defaultCallsFolder().string()), callFileDialogFilter());
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
    std::filesystem::path path = m_chooseSaveFile
        ? m_chooseSaveFile()
        : std::filesystem::path(QFileDialog::getSaveFileName(this, QString(), QString::fromStdString(defaultCallsFolder().string()),
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
    auto* checks = new CDlgCallChecks(*m_session, [this](std::span<const std::uint32_t> calls) {
        if (!m_session->showOnlyCalls(calls))
            return;
        m_view->clearSelection();
        m_model->reset();
        updateSelectionTotals();
        updateCommandStates();
    }, this);
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

void CMainFrame::commandHelp()
{
    help::openHelpContents(this);
}

void CMainFrame::selectLanguage(int number)
{
    LanguageService* service = LanguageService::installed();
    if (service && service->SelectLanguage(number))
        retranslate();
}
