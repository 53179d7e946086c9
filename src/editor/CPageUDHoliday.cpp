#include "editor/CPageUDHoliday.h"

#include "core/IniProfile.h"
#include "core/Locale.h"
#include "core/LocaleTexts.h"
#include "editor/CSheetUD.h"
#include "editor/TariffPageIds.h"
#include "editor/TextTable.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "settings/SettingsDatabase.h"
#include "textfile/gui/ListTransfer.h"
#include "ui/PageControls.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace {

constexpr std::string_view kSection = "ListHoliday";

void sortHolidays(std::vector<HolidayEntry>& list)
{
    std::stable_sort(list.begin(), list.end(), [](const HolidayEntry& a, const HolidayEntry& b) {
        return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
    });
}

QString holidayText(const HolidayEntry& h)
{
    const LocaleTexts& texts = LocaleTexts::current();
    DateTimeFields when;
    when.year = h.year ? h.year : 2000; // a leap year, so that 29 February shows
    when.month = h.month;
    when.day = h.day;
    return controlText(formatDateTime(h.year ? texts.longDateFormat : texts.yearlessDateFormat, when, texts));
}

} // namespace

int CPageUDHoliday::weekdayOfBox(int position, int firstDay)
{
    // position = (k - firstDay + 9) mod 7, solved for k
    return ((position + firstDay - 9) % 7 + 7) % 7;
}

CPageUDHoliday::CPageUDHoliday(CSheetUD& sheet)
    : CPageUDHoliday(TariffContext{sheet.work(), sheet.ini(), sheet.prefs()})
{ }

CPageUDHoliday::CPageUDHoliday(TariffContext context, QWidget* parent)
    : CPropertyPage(tariffres::kHolidayPage, tariffres::kHolidayHelp, parent)
    , m_context(context)
{
    tariffres::registerResources();
    QGroupBox* weekly = makeGroupBox(this, tariffres::kWeeklyGroup);
    auto* weeklyLayout = new QVBoxLayout(weekly);
    for (std::size_t p = 0; p < m_weekdays.size(); ++p) {
        m_weekdays[p] = makeCheckBox(weekly, tariffres::kWeekdayFirst + static_cast<int>(p));
        weeklyLayout->addWidget(m_weekdays[p]);
    }
    weeklyLayout->addStretch(1);

    QLabel* listLabel = makeLabel(this, tariffres::kHolidayListLabel);
    m_model = new TextTableModel(
        {qtText(LoadText(sid::kHolidayDate))}, [this] { return static_cast<int>(m_context.db.holidays.size()); },
        [this](int row, int) {
            return holidayText(m_context.db.holidays[static_cast<std::size_t>(holidayOfRow(row))]);
        },
        this);
    m_list = makeTextTable(this, m_model, QAbstractItemView::ExtendedSelection, true);
    setControlId(m_list, tariffres::kList);
    m_list->horizontalHeader()->setSortIndicatorShown(true);
    m_list->installEventFilter(this);
    listLabel->setBuddy(m_list);
    QLabel* totalLabel = makeLabel(this, tariffres::kTotalLabel);
    m_total = makeLabel(this, tariffres::kTotal);

    QLabel* calendarLabel = makeLabel(this, tariffres::kCalendarLabel);
    m_calendar = new QCalendarWidget(this);
    setControlId(m_calendar, tariffres::kCalendar);
    m_yearly = makeCheckBox(this, tariffres::kYearly);
    QPushButton* addButton = makeButton(this, tariffres::kAdd);
    QPushButton* deleteButton = makeButton(this, tariffres::kDelete);
    QPushButton* exportButton = makeButton(this, tariffres::kExport);
    QPushButton* importButton = makeButton(this, tariffres::kImport);

    auto* grid = new QGridLayout(this);
    grid->addWidget(weekly, 0, 0, 3, 1);
    grid->addWidget(listLabel, 0, 1);
    grid->addWidget(m_list, 1, 1);
    auto* totalRow = new QHBoxLayout;
    totalRow->addStretch(1);
    totalRow->addWidget(totalLabel);
    totalRow->addWidget(m_total);
    grid->addLayout(totalRow, 2, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(calendarLabel);
    right->addWidget(m_calendar);
    right->addWidget(m_yearly);
    for (QPushButton* button : {addButton, deleteButton, exportButton, importButton})
        right->addWidget(button);
    right->addStretch(1);
    grid->addLayout(right, 0, 2, 3, 1);
    grid->setColumnStretch(1, 1);

    const IniProfile& ini = m_context.ini;
    m_list->setColumnWidth(0, ini.readInt(kSection, "ColWidth0", 128));
    m_descending = ini.readInt(kSection, "Order", 0) != 0;
    m_yearly->setChecked(ini.readInt(kSection, "Yearly", 1) != 0);

    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, [this] {
        m_descending = !m_descending;
        fillList();
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CPageUDHoliday::showSelected);
    connect(addButton, &QPushButton::clicked, this, &CPageUDHoliday::add);
    connect(deleteButton, &QPushButton::clicked, this, &CPageUDHoliday::removeSelected);
    connect(exportButton, &QPushButton::clicked, this, &CPageUDHoliday::exportList);
    connect(importButton, &QPushButton::clicked, this, &CPageUDHoliday::importList);
    translate();
}

void CPageUDHoliday::readRecord()
{
    const LocaleData& locale = Locale::current().data();
    m_firstDay = locale.firstDayOfWeek;
    m_calendar->setFirstDayOfWeek(static_cast<Qt::DayOfWeek>(m_firstDay == 1 ? 7 : m_firstDay - 1));
    const auto& flags = m_context.db.header.weeklyHolidays;
    for (int p = 0; p < 7; ++p) {
        const auto k = static_cast<std::size_t>(weekdayOfBox(p, m_firstDay));
        QCheckBox* box = m_weekdays[static_cast<std::size_t>(p)];
        box->setText(controlText(locale.dayNames[k]));
        box->setChecked(flags[k] != 0);
    }
    sortHolidays(m_context.db.holidays);
    fillList();
}

void CPageUDHoliday::writeRecord()
{
    auto& flags = m_context.db.header.weeklyHolidays;
    for (int p = 0; p < 7; ++p)
        flags[static_cast<std::size_t>(weekdayOfBox(p, m_firstDay))] =
            m_weekdays[static_cast<std::size_t>(p)]->isChecked() ? 1 : 0;
}

void CPageUDHoliday::sheetAccepted()
{
    IniProfile::Batch batch(m_context.ini);
    m_context.ini.writeInt(kSection, "ColWidth0", m_list->columnWidth(0));
    m_context.ini.writeInt(kSection, "Order", m_descending ? 1 : 0);
    m_context.ini.writeInt(kSection, "Yearly", m_yearly->isChecked() ? 1 : 0);
}

int CPageUDHoliday::holidayOfRow(int row) const
{
    const int count = static_cast<int>(m_context.db.holidays.size());
    return m_descending ? count - 1 - row : row;
}

void CPageUDHoliday::fillList(int select)
{
    // The calendar stays where it is while the list is filled.
    m_filling = true;
    m_model->reset();
    widenToContents(m_list, 0);
    m_list->horizontalHeader()->setSortIndicator(0, m_descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    m_total->setText(QString::number(m_context.db.holidays.size()));
    if (select >= 0)
        selectRowOf(m_list, holidayOfRow(select));
    m_filling = false;
}

std::vector<int> CPageUDHoliday::selectedHolidays() const
{
    std::vector<int> out;
    for (int row : selectedRowsOf(m_list))
        out.push_back(holidayOfRow(row));
    std::sort(out.begin(), out.end());
    return out;
}

void CPageUDHoliday::showSelected()
{
    if (m_filling)
        return;
    int row = m_list->currentIndex().row();
    if (row < 0 || !m_list->selectionModel()->isRowSelected(row, {})) {
        const std::vector<int> chosen = selectedRowsOf(m_list);
        if (chosen.empty())
            return;
        row = chosen.front();
    }
    const HolidayEntry& h = m_context.db.holidays[static_cast<std::size_t>(holidayOfRow(row))];
    // A yearly 29 February shows on the 28th in a year without it.
    const int year = h.year ? h.year : QDate::currentDate().year();
    const QDate date(year, h.month, std::min<int>(h.day, QDate(year, h.month, 1).daysInMonth()));
    if (date.isValid())
        m_calendar->setSelectedDate(date);
}

void CPageUDHoliday::add()
{
    const QDate date = m_calendar->selectedDate();
    HolidayEntry h;
    h.year = static_cast<std::uint16_t>(m_yearly->isChecked() ? 0 : date.year());
    h.month = static_cast<std::uint8_t>(date.month());
    h.day = static_cast<std::uint8_t>(date.day());
    auto& holidays = m_context.db.holidays;
    if (std::find(holidays.begin(), holidays.end(), h) != holidays.end())
        return;
    holidays.push_back(h);
    sortHolidays(holidays);
    fillList(static_cast<int>(std::find(holidays.begin(), holidays.end(), h) - holidays.begin()));
}

void CPageUDHoliday::removeSelected()
{
    const std::vector<int> chosen = selectedHolidays();
    if (!confirmDelete(static_cast<int>(chosen.size())))
        return;
    auto& holidays = m_context.db.holidays;
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
        holidays.erase(holidays.begin() + *it);
    fillList();
}

void CPageUDHoliday::importList()
{
    if (listtransfer::importInto(this, m_context.ini, m_context.db, m_context.prefs, {SettingsList::Holidays})) {
        sortHolidays(m_context.db.holidays);
        fillList();
    }
}

void CPageUDHoliday::exportList()
{
    std::vector<std::size_t> chosen;
    for (int i : selectedHolidays())
        chosen.push_back(static_cast<std::size_t>(i));
    listtransfer::exportFrom(this, m_context.ini, m_context.db, m_context.prefs, {SettingsList::Holidays}, chosen);
}

bool CPageUDHoliday::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            removeSelected();
            return true;
        }
    }
    return CPropertyPage::eventFilter(watched, event);
}
