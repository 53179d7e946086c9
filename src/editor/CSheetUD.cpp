#include "editor/CSheetUD.h"

#include "core/IniProfile.h"
#include "editor/CPageUDCarrier.h"
#include "editor/CPageUDContact.h"
#include "editor/CPageUDCurrency.h"
#include "editor/CPageUDHoliday.h"
#include "editor/CPageUDProject.h"
#include "editor/CPageUDRate.h"
#include "editor/CPageUDTrunk.h"
#include "editor/CPageUDUser.h"
#include "editor/EditorIds.h"
#include "lang/StringIds.h"
#include "settings/gui/CPageUDSecurity.h"
#include "settings/gui/SettingsGuiIds.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QWindowStateChangeEvent>

#include <algorithm>

namespace {

constexpr const char* kLayoutSection = "UDSheet_Layout";

template <class Page> std::function<CPropertyPage*(CSheetUD&)> maker()
{
    return [](CSheetUD& sheet) -> CPropertyPage* { return new Page(sheet); };
}

} // namespace

const std::vector<CSheetUD::PageEntry>& CSheetUD::pageTable()
{
    static const std::vector<PageEntry> table = {
        {udres::kCarrierPage, false, maker<CPageUDCarrier>()},
        {udres::kRatePage, false, maker<CPageUDRate>()},
        {udres::kUserPage, false, maker<CPageUDUser>()},
        {udres::kTrunkPage, false, maker<CPageUDTrunk>()},
        {udres::kContactPage, false, maker<CPageUDContact>()},
        {udres::kProjectPage, false, maker<CPageUDProject>()},
        {udres::kHolidayPage, false, maker<CPageUDHoliday>()},
        {udres::kCurrencyPage, false, maker<CPageUDCurrency>()},
        {stres::kSecurityPage, true,
         [](CSheetUD& sheet) -> CPropertyPage* { return new CPageUDSecurity(sheet.work()); }},
    };
    return table;
}

std::vector<int> CSheetUD::pageTemplates(bool security)
{
    std::vector<int> templates;
    for (const PageEntry& entry : pageTable())
        if (security || !entry.administratorOnly)
            templates.push_back(entry.templateId);
    return templates;
}

CSheetUD::CSheetUD(const SettingsDatabase& live, const Preferences& prefs, IniProfile& ini, bool security,
                   int startPage, QWidget* parent)
    : CPropertySheet(sid::kSettingsTitle, parent)
    , m_prefs(prefs)
    , m_ini(ini)
{
    udres::registerResources();
    m_work.copyFrom(live);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);
    // 280 x 212 dialog units: a quarter of the average character width and an
    // eighth of the line height each.
    const QFontMetrics metrics(font());
    setMinimumSize(metrics.averageCharWidth() * 280 / 4, metrics.height() * 212 / 8);
    for (const PageEntry& entry : pageTable())
        if (security || !entry.administratorOnly)
            addPage(entry.make(*this));
    translateButtons(udres::kSheet);
    restoreLayout();
    start(startPage);
}

CSheetUD::~CSheetUD() = default;

CPropertyPage* CSheetUD::pageOf(int templateId) const
{
    for (int i = 0; i < pageCount(); ++i)
        if (page(i)->templateId() == templateId)
            return page(i);
    return nullptr;
}

void CSheetUD::restoreLayout()
{
    const int left = m_ini.readInt(kLayoutSection, "Left", -1);
    const int top = m_ini.readInt(kLayoutSection, "Top", -1);
    const int width = m_ini.readInt(kLayoutSection, "Width", -1);
    const int height = m_ini.readInt(kLayoutSection, "Height", -1);
    // Room for the lists' columns at their default widths, and for every tab
    // without the tab bar's scroll buttons (longer titles in a translation).
    const int allTabs = tabs()->tabBar()->sizeHint().width() + 4 * style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    const QSize initial = sizeHint().expandedTo(
        QSize(std::max(fontMetrics().averageCharWidth() * 130, allTabs), fontMetrics().height() * 32));
    if (left != -1 && top != -1) {
        // A missing size keeps the sheet's own.
        const QSize size = width > 0 && height > 0 ? QSize(width, height).expandedTo(minimumSize()) : initial;
        setGeometry(left, top, size.width(), size.height());
    } else {
        resize(initial);
    }
    if (m_ini.readInt(kLayoutSection, "Maximized", 0) != 0)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void CSheetUD::storeLayout()
{
    const bool maximized = isMaximized();
    const QRect normal = maximized && normalGeometry().isValid() ? normalGeometry() : geometry();
    IniProfile::Batch batch(m_ini);
    m_ini.writeInt(kLayoutSection, "Left", normal.left());
    m_ini.writeInt(kLayoutSection, "Top", normal.top());
    m_ini.writeInt(kLayoutSection, "Width", normal.width());
    m_ini.writeInt(kLayoutSection, "Height", normal.height());
    m_ini.writeInt(kLayoutSection, "Maximized", maximized ? 1 : 0);
}

void CSheetUD::done(int result)
{
    storeLayout();
    CPropertySheet::done(result);
}

void CSheetUD::changeEvent(QEvent* event)
{
    // No minimizing, whatever the window manager offers.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized))
        setWindowState(windowState() & ~Qt::WindowMinimized);
    CPropertySheet::changeEvent(event);
}
