#pragma once
// "Holidays": the weekly days off (boxes in the locale's week order) and the
// list of dated holidays, each for one year or for every year, added from a
// calendar.

#include "editor/TariffControls.h"
#include "ui/PropertySheet.h"

#include <array>
#include <vector>

class QCalendarWidget;
class CSheetUD;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;
class TextTableModel;

class CPageUDHoliday : public CPropertyPage
{
    Q_OBJECT
public:
    CPageUDHoliday(TariffContext context, QWidget* parent = nullptr);
    explicit CPageUDHoliday(CSheetUD& sheet);

    void readRecord() override;
    void writeRecord() override;
    // When the sheet closes with OK: "Order", the column width and "Yearly" of "ListHoliday".
    void sheetAccepted() override;

    // The weekday flag (0 = Monday) that box `position` shows, for a week starting on
    // day `firstDay` (1 = Sunday ... 7 = Saturday).
    static int weekdayOfBox(int position, int firstDay);

    QCheckBox* weekdayBox(int position) const { return m_weekdays[static_cast<std::size_t>(position)]; }
    QTableView* list() const { return m_list; }
    QCalendarWidget* calendar() const { return m_calendar; }
    QCheckBox* yearly() const { return m_yearly; }
    QLabel* total() const { return m_total; }
    void add();
    void removeSelected();

private:
    void fillList(int select = -1);
    int holidayOfRow(int row) const;
    std::vector<int> selectedHolidays() const;
    void showSelected();
    void importList();
    void exportList();
    bool eventFilter(QObject* watched, QEvent* event) override;

    TariffContext m_context;
    std::array<QCheckBox*, 7> m_weekdays{};
    int m_firstDay = 2;
    TextTableModel* m_model;
    QTableView* m_list;
    QLabel* m_total;
    QCalendarWidget* m_calendar;
    QCheckBox* m_yearly;
    bool m_descending = false;
    bool m_filling = false;
};
