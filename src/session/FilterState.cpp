#include "session/FilterState.h"

void FilterState::rebuildMatcher(const SettingsDatabase& settings, bool updateActive)
{
    m_matcher = FilterMatcher(m_filter, settings);
    if (updateActive)
        m_active = m_matcher.active();
}

void FilterState::push(UndoRows kept)
{
    m_undo.insert(m_undo.begin(), m_filter);
    m_undoRows.insert(m_undoRows.begin(), std::move(kept));
}

UndoRows FilterState::pop()
{
    if (m_undo.size() >= 2)
        m_filter = m_undo[1];
    else
        loadDefault();
    m_undo.erase(m_undo.begin());
    UndoRows kept = std::move(m_undoRows.front());
    m_undoRows.erase(m_undoRows.begin());
    return kept;
}

void FilterState::clearUndo()
{
    m_undo.clear();
    m_undoRows.clear();
}

void FilterState::loadSaved() { m_saved = savedfilters::load(m_programFolder); }

bool FilterState::saveSaved(std::string* error) const { return savedfilters::save(m_programFolder, m_saved, error); }

const SavedFilter* FilterState::find(std::string_view name) const { return savedfilters::find(m_saved, name); }

void FilterState::loadDefault()
{
    const SavedFilter* saved = m_defaultName.empty() ? nullptr : find(m_defaultName);
    if (saved)
        m_filter = saved->filter;
    else
        m_filter.reset();
}
