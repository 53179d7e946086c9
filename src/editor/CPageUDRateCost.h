#pragma once
// The "Cost calculation" mode of the Rates page: how a carrier's calls are
// priced (supplied call cost or metering pulses, their currency, the value
// of a pulse), the grace periods, the global cost modifier and "Use call
// start rate for all call".

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class SettingsDatabase;
struct CarrierBlock;

class CPageUDRateCost : public QWidget
{
    Q_OBJECT
public:
    explicit CPageUDRateCost(QWidget* parent = nullptr);

    void load(const CarrierBlock& carrier, const SettingsDatabase& db);
    // Rebuilds the carrier's flags from the boxes and stores the values.
    void store(CarrierBlock& carrier, const SettingsDatabase& db) const;

    QCheckBox* suppliedCost() const { return m_suppliedCost; }
    QCheckBox* suppliedPulses() const { return m_suppliedPulses; }
    QComboBox* currency() const { return m_currency; }
    QLineEdit* pulseValue() const { return m_pulseValue; }
    QSpinBox* grace(int i) const
    {
        return m_grace[static_cast<std::size_t>(i)];
    } // local, long distance, international, incoming, user defined
    QSpinBox* modifier() const { return m_modifier; }
    QCheckBox* startRate() const { return m_startRate; }

private:
    void updateEnabling();

    QCheckBox* m_suppliedCost;
    QCheckBox* m_suppliedPulses;
    QComboBox* m_currency;
    QLineEdit* m_pulseValue;
    std::array<QSpinBox*, 5> m_grace{};
    QSpinBox* m_modifier;
    QCheckBox* m_startRate;
};
