// The main window's commands: what each does and when it is enabled.
#include "app/CDlgAbout.h"
#include "app/CDlgLogin.h"
#include "app/CMainFrame.h"
#include "app/CallsModel.h"
#include "app/CallsView.h"
#include "app/Commands.h"
#include "app/FrameProgress.h"
#include "app/LoginRule.h"
#include "app/StatusPanel.h"
#include "core/Cp1252.h"
#include "core/DebugLog.h"
#include "core/FileTypes.h"
#include "lang/LanguageService.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QUrl>

namespace {

std::string fileTypeName(int index)
{
    return LoadText(sid::kFileTypeFirst + index);
}

QString callFileFilter()
{
    return qtText(filetypes::qtDialogFilter(filetypes::dialogFilter({filetypes::kCallDatabase}, fileTypeName)));
}

} // namespace

bool CMainFrame::isCommandEnabled(int id) const
{
    const CallSession& calls = m_session->calls();
    const bool filesOpen = calls.openFileCount() > 0;
    const bool rows = !m_model->frozen() && !calls.visible().empty();
    const CallRecord* current = currentCallRecord();
    switch (id) {
    case cmd::kOpen:
    case cmd::kExit:
    case cmd::kAbout:
    case cmd::kHelpTopics:
        return true;
    case cmd::kClose:
        return filesOpen;
    case cmd::kSaveAs:
        return filesOpen && m_session->permits(login::kManager);
    case cmd::kRefresh:
        return calls.openFileCount() == 1;
    case cmd::kAutoRefresh:
        return m_refreshTimer.isActive() || calls.openFileCount() == 1;
    case cmd::kFind:
        return rows;
    case cmd::kFindNext:
        return rows && m_hasSearch;
    case cmd::kChangeLoginLevel:
        return login::required(m_session->settings().header);
    case cmd::kHideSelected:
        return m_session->permits(login::kManager) && m_selectedCount > 0;
    case cmd::kDialNumber:
        return current && !current->number().empty();
    default:
        break;
    }
    if (cmd::isLanguage(id))
        return true;
    // Settings, preferences, export, reports, the filter editor and the translation
    // editor come with their windows; the filter commands with the filter state.
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
    case cmd::kHideSelected:
        hideSelected();
        break;
    case cmd::kChangeLoginLevel:
        commandChangeLogin();
        break;
    case cmd::kDialNumber:
        commandDialNumber();
        break;
    case cmd::kAbout:
        commandAbout();
        break;
    case cmd::kHelpTopics:
        commandHelp();
        break;
    default:
        if (cmd::isLanguage(id))
            selectLanguage(id - cmd::kLanguageFirst);
        break;
    }
    updateCommandStates();
}

const CallRecord* CMainFrame::currentCallRecord() const
{
    const CallSession& calls = m_session->calls();
    if (m_currentCall < 0 || static_cast<std::size_t>(m_currentCall) >= calls.count())
        return nullptr;
    return &calls.call(static_cast<std::size_t>(m_currentCall));
}

std::filesystem::path CMainFrame::openDialogFolder() const
{
    if (!m_lastFile.empty())
        return m_lastFile.parent_path();
    return callsFolder(m_session->dataFolder());
}

void CMainFrame::commandOpen()
{
    std::vector<std::filesystem::path> paths;
    if (m_chooseFiles) {
        paths = m_chooseFiles();
    } else {
        QFileDialog dialog(this, QString(), QString::fromStdString(openDialogFolder().string()), callFileFilter());
        dialog.setFileMode(QFileDialog::ExistingFiles);
        dialog.setDefaultSuffix(QStringLiteral("bsl"));
        dialog.setOption(QFileDialog::ReadOnly, false);
        if (dialog.exec() == QDialog::Accepted)
            for (const QString& file : dialog.selectedFiles())
                paths.emplace_back(file.toStdString());
    }
    if (!paths.empty())
        openFiles(paths);
}

bool CMainFrame::openFiles(const std::vector<std::filesystem::path>& paths)
{
    m_refreshTimer.stop();
    m_currentCall = -1;
    LoadOutcome outcome;
    bool aborted = false;
    {
        m_model->setFrozen(true);
        FrameProgress progress(this, *m_status, sid::kStatusLoading);
        outcome = m_session->calls().openFiles(paths, progress);
        aborted = progress.aborted();
        m_session->rankCallNames();
    }
    m_model->setFrozen(false);
    if (!outcome.ok()) {
        afterListChange(false);
        // An abort by Escape is the user's choice, not a damaged file: no message.
        if (!aborted) {
            const int message = outcome.result == LoadResult::CannotOpen ? sid::kErrorOpeningFile : sid::kLoadingFailedCorrupt;
            MessageById(message, mb::kOk | mb::kIconExclamation, {PathText(outcome.path)});
        }
        return false;
    }
    m_lastFile = paths.back();
    afterListChange(false);
    m_view->selectOnly(0);
    if (m_session->prefs().refresh && m_session->calls().openFileCount() == 1)
        m_refreshTimer.start();
    return true;
}

void CMainFrame::closeFiles()
{
    m_refreshTimer.stop();
    m_currentCall = -1;
    m_session->calls().close();
    afterListChange(false);
}

void CMainFrame::refresh(bool byTimer)
{
    if (FrameProgress::busy())
        return;  // the next tick tries again
    const std::optional<std::uint32_t> focused = focusedCall();
    ReloadOutcome outcome;
    {
        FrameProgress progress(this, *m_status, sid::kStatusLoading, FrameProgress::Events::Hold);
        outcome = m_session->calls().reload(progress);
    }
    if (outcome.visibleChanged) {
        m_model->reset();
        updateTotals();
        updateTitle();
        restoreFocus(focused);
        updateSelectionTotals();
    }
    if (!outcome.ok()) {
        if (byTimer) {
            m_refreshTimer.stop();
        } else {
            const int message = outcome.result == LoadResult::CannotOpen ? sid::kErrorOpeningFile : sid::kLoadingFailedCorrupt;
            MessageById(message, mb::kOk | mb::kIconExclamation, {PathText(outcome.path)});
        }
    }
    updateCommandStates();
}

void CMainFrame::toggleAutoRefresh()
{
    if (m_refreshTimer.isActive())
        m_refreshTimer.stop();
    else if (m_session->calls().openFileCount() == 1)
        m_refreshTimer.start();
}

void CMainFrame::commandSaveAs()
{
    const QString chosen = QFileDialog::getSaveFileName(this, QString(), QString::fromStdString(openDialogFolder().string()),
                                                        callFileFilter());
    if (chosen.isEmpty())
        return;
    std::filesystem::path path = chosen.toStdString();
    if (path.extension().empty())
        path += filetypes::extension(filetypes::kCallDatabase);
    SaveResult result;
    std::string error;
    {
        FrameProgress progress(this, *m_status, sid::kStatusSaving, FrameProgress::Events::Hold);
        result = m_session->calls().saveCalls(path, false, &error);
    }
    if (result == SaveResult::RefusedOpenFile)
        MessageById(sid::kOverwritePrimaryCalls, mb::kOk | mb::kIconExclamation);
    else if (result == SaveResult::WriteFailed)
        MessageById(sid::kErrorSavingFile, mb::kOk | mb::kIconStop, {PathText(path)});
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

void CMainFrame::find(const FindRequest& request)
{
    m_lastFind = request;
    m_hasSearch = !request.number.isEmpty();
    const std::vector<int> selected = m_view->selectedRowNumbers();
    if (request.fromCursor && !selected.empty())
        m_session->calls().resetSearch(static_cast<std::size_t>(selected.front()));
    else
        m_session->calls().resetSearch();
    findNext();
}

void CMainFrame::findNext()
{
    if (!m_hasSearch)
        return;
    const auto hit = m_session->calls().findNext(cp1252::fromQString(m_lastFind.number), m_lastFind.exact);
    if (hit)
        m_view->selectOnly(static_cast<int>(*hit));
    else
        MessageById(sid::kNumberNotFound, mb::kOk | mb::kIconExclamation);
}

void CMainFrame::hideSelected()
{
    const std::vector<int> rows = m_view->selectedRowNumbers();
    if (rows.empty() || !m_session->permits(login::kManager))
        return;
    std::vector<std::size_t> remove(rows.begin(), rows.end());
    const int scroll = m_view->verticalScrollBar()->value();
    m_session->calls().removeVisibleRows(remove);
    m_view->clearSelection();
    m_model->reset();
    m_view->verticalScrollBar()->setValue(scroll);
    updateTotals();
    updateSelectionTotals();
}

void CMainFrame::columnClicked(int column)
{
    if (column < 0 || column >= m_model->columnCount())
        return;
    const ColumnType type = m_model->typeAt(column);
    SortKeys keys = m_session->sortKeys();
    if (keys.primary.type == type) {
        keys.primary.descending = !keys.primary.descending;
    } else {
        keys.secondary = keys.primary;
        keys.primary = {type, false};
    }
    m_session->setSortKeys(keys);
    ListLayout layout = m_model->layout();
    layout.sort = keys;
    const std::optional<std::uint32_t> focused = focusedCall();
    m_model->setLayout(layout);
    m_session->calls().sortVisible(0);
    m_model->reset();
    restoreFocus(focused);
}

std::optional<std::uint32_t> CMainFrame::focusedCall() const
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid() || m_model->frozen() || current.row() >= m_model->rowCount())
        return std::nullopt;
    return m_model->tableIndexAt(current.row());
}

void CMainFrame::restoreFocus(std::optional<std::uint32_t> call)
{
    std::optional<std::size_t> row = call ? m_session->calls().rowOf(*call) : std::nullopt;
    m_view->selectOnly(row ? static_cast<int>(*row) : 0);
}

void CMainFrame::afterListChange(bool keepFocus)
{
    const std::optional<std::uint32_t> focused = keepFocus ? focusedCall() : std::nullopt;
    m_model->reset();
    updateTotals();
    updateTitle();
    if (keepFocus)
        restoreFocus(focused);
    updateSelectionTotals();
}

QMenu* CMainFrame::prepareContextMenu(int row)
{
    m_currentCall = row >= 0 && row < m_model->rowCount() ? static_cast<std::int64_t>(m_model->tableIndexAt(row)) : -1;
    updateCommandStates();
    return m_contextMenu;
}

void CMainFrame::showContextMenu(int row, const QPoint& globalPos)
{
    if (FrameProgress::busy())
        return;
    prepareContextMenu(row)->exec(globalPos);
}

void CMainFrame::commandDialNumber()
{
    if (const CallRecord* call = currentCallRecord())
        QGuiApplication::clipboard()->setText(qtText(call->number()));
}

void CMainFrame::commandAbout()
{
    CDlgAbout about(this);
    about.exec();
}

void CMainFrame::commandChangeLogin()
{
    if (const auto level = CDlgLogin::run(this, m_session->settings().header))
        m_session->setLoginLevel(*level);
}

void CMainFrame::commandHelp()
{
    const std::filesystem::path help = HelpFilePath();
    if (!std::filesystem::exists(help) || !QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(help.string()))))
        MessageById(sid::kErrorOpeningFile, mb::kOk | mb::kIconExclamation, {PathText(help)});
}

void CMainFrame::selectLanguage(int number)
{
    LanguageService* service = LanguageService::installed();
    if (service && service->SelectLanguage(number))
        retranslate();
}
