#include "filter/gui/CSheetFE.h"

#include "filter/gui/CPageFTDate.h"
#include "filter/gui/CPageFTLine.h"
#include "filter/gui/CPageFTSave.h"
#include "filter/gui/CPageFTType.h"
#include "filter/gui/FilterEditorIds.h"
#include "lang/StringIds.h"

#include <utility>

CSheetFE::CSheetFE(FilterEditorState state, const SettingsDatabase& settings, const Preferences& prefs,
                   bool withSavePage, int startPage, QWidget* parent)
    : CPropertySheet(sid::kFilterTitle, parent)
    , m_context{std::move(state), settings, prefs}
{
    feres::registerResources();
    m_type = new CPageFTType(m_context);
    m_date = new CPageFTDate(m_context);
    m_line = new CPageFTLine(m_context);
    addPage(m_type);
    addPage(m_date);
    addPage(m_line);
    if (withSavePage) {
        m_save = new CPageFTSave(m_context);
        addPage(m_save);
    }
    setSizeGripEnabled(true);
    translateButtons(feres::kSheet);
    start(startPage);
}

CSheetFE::~CSheetFE() = default;
