#pragma once
// "General" of the edit-rate sheet: the currency of the rate's amounts, the
// minimum call duration and cost, the initial time unit and charge, the
// rounding of the call time and "Discard remainder". The currency symbol
// stands before or after the amount boxes as the chosen currency places it.

#include "ui/PropertySheet.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class SettingsDatabase;
struct RateEdit;

class CPageUDERateGeneral : public CPropertyPage
{
    Q_OBJECT
public:
    CPageUDERateGeneral(RateEdit& edit, const SettingsDatabase& db, QWidget* parent = nullptr);

    void readRecord() override;
    void writeRecord() override;

    QComboBox* currency() const { return m_currency; }
    QSpinBox* minDuration() const { return m_minDuration; }
    QLineEdit* minCost() const { return m_minCost; }
    QSpinBox* initialUnit() const { return m_initialUnit; }
    QLineEdit* initialCharge() const { return m_initialCharge; }
    QSpinBox* roundTo() const { return m_roundTo; }
    QCheckBox* discardRemainder() const { return m_discard; }

private:
    void showSymbols();

    RateEdit& m_edit;
    const SettingsDatabase& m_db;
    QComboBox* m_currency;
    QSpinBox* m_minDuration;
    QLineEdit* m_minCost;
    QSpinBox* m_initialUnit;
    QLineEdit* m_initialCharge;
    QSpinBox* m_roundTo;
    QCheckBox* m_discard;
    std::array<QLabel*, 4> m_symbols{}; // before and after the two amounts
};
