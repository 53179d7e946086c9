// The main window's commands: when each is enabled, and the small ones.
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

bool CMainFrame::isCommandEnabled(int id) const
{
    const MainSession& session = *m_session;
    const CallSession& calls = session.calls();
    const bool filesOpen = calls.openFileCount() > 0;
    const bool rows = !m_model->frozen() && !calls.visible().empty();
    const CallRecord* current = session.currentCall();
    switch (id) {
    case cmd::kOpen:
    case cmd::kExit:
    case cmd::kAbout:
    case cmd::kHelpTopics:
        return true;
    case cmd::kClose:
        return filesOpen;
    case cmd::kSaveAs:
        return filesOpen && session.permits(login::kManager);
    case cmd::kRefresh:
        return calls.openFileCount() == 1;
    case cmd::kAutoRefresh:
        return m_refreshTimer.isActive() || calls.openFileCount() == 1;
    case cmd::kFind:
    case cmd::kCallChecks:
    case cmd::kCompareCarriers:
        return rows;
    case cmd::kFindNext:
        return rows && m_hasSearch;
    case cmd::kChangeLoginLevel:
        return login::required(session.settings().header);
    case cmd::kUndoFilter:
        return session.canUndoFilter();
    case cmd::kClearFilter:
        return session.canClearFilter();
    case cmd::kHideSelected:
        return session.canHideRows(static_cast<std::size_t>(m_selectedCount));
    case cmd::kDialNumber:
        return current && !current->number().empty();
    case cmd::kNewTranslation:
    case cmd::kEditTranslation: {
        const LanguageService* service = LanguageService::installed();
        return service && service->translationAvailable() && session.permits(login::kAdministrator)
            && (id == cmd::kNewTranslation || service->currentNumber() != 0);
    }
    case cmd::kFilter:
        return true;
    case cmd::kPreferences:
        return session.permits(login::kSupervisor);
    case cmd::kExplainCost:
        return current != nullptr;
    default:
        break;
    }
    if (id >= cmd::kQuickExtension && id <= cmd::kQuickProject)
        return session.canQuickFilter(static_cast<QuickFilter>(id));
    if (cmd::isSavedFilter(id))
        return session.canApplySavedFilter(static_cast<std::size_t>(id - cmd::kSavedFilterFirst));
    if (cmd::isLanguage(id))
        return true;
    // Settings, preferences, export, reports, the filter editor, the database
    // location, the translation editor and the add/edit commands of the context
    // menu come with their windows.
    return false;
}

bool CMainFrame::isCommandChecked(int id) const
{
    if (id == cmd::kAutoRefresh)
        return m_refreshTimer.isActive();
    if (cmd::isLanguage(id)) {
        const LanguageService* service = LanguageService::installed();
        return service && service->currentNumber() == id - cmd::kLanguageFirst;
    }
    return false;
}

void CMainFrame::runCommand(int id)
{
    if (FrameProgress::busy() || !isCommandEnabled(id))
        return;
    switch (id) {
    case cmd::kOpen:
        commandOpen();
        break;
    case cmd::kClose:
        closeFiles();
        break;
    case cmd::kSaveAs:
        commandSaveAs();
        break;
    case cmd::kExit:
        close();
        break;
    case cmd::kRefresh:
        refresh(false);
        break;
    case cmd::kAutoRefresh:
        toggleAutoRefresh();
        break;
    case cmd::kFind:
        commandFind();
        break;
    case cmd::kFindNext:
        findNext();
        break;
    case cmd::kFilter:
        commandFilter();
        break;
    case cmd::kPreferences:
        commandPreferences();
        break;
    case cmd::kUndoFilter:
        rebuildList([this](Progress& progress) { m_session->undoLastFilter(progress); });
        break;
    case cmd::kClearFilter:
        rebuildList([this](Progress& progress) { m_session->clearFilter(progress); });
        break;
    case cmd::kHideSelected:
        hideSelected();
        break;
    case cmd::kCallChecks:
        commandCallChecks();
        break;
    case cmd::kCompareCarriers:
        commandCompareCarriers();
        break;
    case cmd::kChangeLoginLevel:
        commandChangeLogin();
        break;
    case cmd::kDialNumber:
        commandDialNumber();
        break;
    case cmd::kExplainCost:
        CDlgExplainCost(m_session->settings(), m_session->prefs(), *m_session->currentCall(), this).exec();
        break;
    case cmd::kAbout:
        commandAbout();
        break;
    case cmd::kHelpTopics:
        commandHelp();
        break;
    case cmd::kNewTranslation:
    case cmd::kEditTranslation:
        if (id == cmd::kNewTranslation ? translation::newTranslation(this) : translation::editTranslation(this))
            retranslate();
        break;
    default:
        if (id >= cmd::kQuickExtension && id <= cmd::kQuickProject)
            rebuildList([this, id](Progress& progress) { m_session->applyQuickFilter(static_cast<QuickFilter>(id), progress); });
        else if (cmd::isSavedFilter(id))
            rebuildList([this, id](Progress& progress) {
                m_session->applySavedFilter(static_cast<std::size_t>(id - cmd::kSavedFilterFirst), progress);
            });
        else if (cmd::isLanguage(id))
            selectLanguage(id - cmd::kLanguageFirst);
        break;
    }
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
