#pragma once
// "Rate #n" of the edit-rate sheet: one time period of the rate. "Active";
// "Apply on" every day, weekdays or holidays; From and To; the rate per
// unit, the unit being a minute, a second or a number of seconds. Everything
// but "Active" is enabled only while the period is active.

#include "ui/PropertySheet.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTimeEdit;
class SettingsDatabase;
struct RateEdit;

class CPageUDERatePeriods : public CPropertyPage
{
    Q_OBJECT
public:
    // Unit list entries.
    enum Unit { kUnitSeconds = 0, kUnitMinute = 1, kUnitSecond = 2 };

    CPageUDERatePeriods(RateEdit& edit, int period, const SettingsDatabase& db, QWidget* parent = nullptr);

    void readRecord() override;
    void writeRecord() override;

    QCheckBox* active() const { return m_active; }
    QRadioButton* everyday() const { return m_everyday; }
    QRadioButton* weekdays() const { return m_weekdays; }
    QRadioButton* holidays() const { return m_holidays; }
    QTimeEdit* from() const { return m_from; }
    QTimeEdit* to() const { return m_to; }
    QLineEdit* rate() const { return m_rate; }
    QComboBox* unit() const { return m_unit; }
    QSpinBox* unitSeconds() const { return m_unitSeconds; }

private:
    void updateEnabling();
    void unitChosen(int index);

    RateEdit& m_edit;
    int m_period;
    const SettingsDatabase& m_db;
    QCheckBox* m_active;
    QRadioButton* m_everyday;
    QRadioButton* m_weekdays;
    QRadioButton* m_holidays;
    QTimeEdit* m_from;
    QTimeEdit* m_to;
    QLineEdit* m_rate;
    QLabel* m_before;
    QLabel* m_after;
    QComboBox* m_unit;
    QSpinBox* m_unitSeconds;
};
