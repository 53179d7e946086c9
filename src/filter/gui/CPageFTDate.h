#pragma once
// "Date, time, cost": the From and To date-times, the starting time window,
// and the duration, cost and ring time bounds (an empty box is no bound).

#include "ui/PropertySheet.h"

#include <QDateTime>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTimeEdit;
struct FilterEditorContext;

class CPageFTDate : public CPropertyPage
{
    Q_OBJECT
public:
    explicit CPageFTDate(FilterEditorContext& context, QWidget* parent = nullptr);

    void readRecord() override;
    bool checkControls() override;
    void writeRecord() override;

    QCheckBox* fromOn() const { return m_fromOn; }
    QDateEdit* fromDate() const { return m_fromDate; }
    QTimeEdit* fromTime() const { return m_fromTime; }
    QCheckBox* toOn() const { return m_toOn; }
    QDateEdit* toDate() const { return m_toDate; }
    QTimeEdit* toTime() const { return m_toTime; }
    QCheckBox* timeOn() const { return m_timeOn; }
    QTimeEdit* timeFrom() const { return m_timeFrom; }
    QTimeEdit* timeTo() const { return m_timeTo; }
    QCheckBox* durationOn() const { return m_durationOn; }
    QLineEdit* minDuration() const { return m_minDuration; }
    QLineEdit* maxDuration() const { return m_maxDuration; }
    QCheckBox* costOn() const { return m_costOn; }
    QLineEdit* minCost() const { return m_minCost; }
    QLineEdit* maxCost() const { return m_maxCost; }
    QCheckBox* ringOn() const { return m_ringOn; }
    QLineEdit* minRing() const { return m_minRing; }
    QLineEdit* maxRing() const { return m_maxRing; }

private:
    void updateEnabling();
    bool checkSeconds(QLineEdit* edit);
    bool checkAmount(QLineEdit* edit);
    double amountOf(const QLineEdit* edit) const;

    FilterEditorContext& m_context;
    QCheckBox* m_fromOn;
    QDateEdit* m_fromDate;
    QTimeEdit* m_fromTime;
    QCheckBox* m_toOn;
    QDateEdit* m_toDate;
    QTimeEdit* m_toTime;
    QCheckBox* m_timeOn;
    QTimeEdit* m_timeFrom;
    QTimeEdit* m_timeTo;
    QCheckBox* m_durationOn;
    QLineEdit* m_minDuration;
    QLineEdit* m_maxDuration;
    QCheckBox* m_costOn;
    QLineEdit* m_minCost;
    QLineEdit* m_maxCost;
    QCheckBox* m_ringOn;
    QLineEdit* m_minRing;
    QLineEdit* m_maxRing;
    // What the date pickers showed when the page was entered: a date-time the
    // user did not touch keeps its stored bytes (an unset date shows today).
    QDateTime m_shownFrom;
    QDateTime m_shownTo;
};
