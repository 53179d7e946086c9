#include "prefs/gui/CSheetPF.h"

#include "lang/StringIds.h"
#include "prefs/gui/CPagePFColor.h"
#include "prefs/gui/CPagePFColumn.h"
#include "prefs/gui/CPagePFReport.h"
#include "prefs/gui/CPagePFView.h"
#include "prefs/gui/PreferencesIds.h"

#include <QLayout>

#include <utility>

CSheetPF::CSheetPF(PreferencesEditorState state, int startPage, QWidget* parent)
    : CPropertySheet(sid::kPreferencesTitle, parent)
    , m_state(std::move(state))
{
    pfres::registerResources();
    m_view = new CPagePFView(m_state.prefs);
    m_column = new CPagePFColumn(m_state);
    m_color = new CPagePFColor(m_state.prefs);
    m_report = new CPagePFReport(m_state.prefs);
    addPage(m_view);
    addPage(m_column);
    addPage(m_color);
    addPage(m_report);
    translateButtons(pfres::kSheet);
    layout()->setSizeConstraint(QLayout::SetFixedSize); // not resizable
    start(startPage);
}

CSheetPF::~CSheetPF() = default;
