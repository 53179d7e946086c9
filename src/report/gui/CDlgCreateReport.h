#pragma once
// "Create report": the template, the report kind with its individual, page
// breaks and the period of one report run, shown from and read back into the
// stored choices. For the quick report the period is not asked (its pickers
// are disabled).

#include "calls/CallDate.h"
#include "report/ReportChoices.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

struct Preferences;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QRadioButton;
class QTimeEdit;
class SettingsDatabase;

class CDlgCreateReport : public QDialog
{
    Q_OBJECT
public:
    CDlgCreateReport(const ReportChoices& choices, const CallDate& from, const CallDate& to,
                     const std::vector<std::string>& templates, const SettingsDatabase& settings,
                     const Preferences& prefs, bool quick, QWidget* parent = nullptr);

    // The choices and the period as the controls hold them.
    ReportChoices choices() const;
    CallDate from() const;
    CallDate to() const;

    QComboBox* templateCombo() const { return m_template; }
    QRadioButton* kindButton(int kind) const { return m_kinds[static_cast<std::size_t>(kind)]; }
    // The individual's combo of kinds 1 to 8, nullptr for the others.
    QComboBox* individualCombo(int kind) const;
    QDateEdit* fromDate() const { return m_fromDate; }
    QTimeEdit* fromTime() const { return m_fromTime; }
    QDateEdit* toDate() const { return m_toDate; }
    QTimeEdit* toTime() const { return m_toTime; }

private:
    void fillLists();
    void show(const ReportChoices& choices);
    void updateEnabling();
    void employeeChosen(int index);
    int checkedKind() const;

    const SettingsDatabase& m_settings;
    const Preferences& m_prefs;
    QComboBox* m_template;
    std::array<QRadioButton*, 10> m_kinds{};
    std::array<QComboBox*, 10> m_individuals{}; // by kind; none for 0 and 9
    QCheckBox* m_pageBreaks;
    QDateEdit* m_fromDate;
    QTimeEdit* m_fromTime;
    QDateEdit* m_toDate;
    QTimeEdit* m_toTime;
};
