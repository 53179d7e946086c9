#include "editor/CPageUDRateCost.h"

#include "editor/TariffControls.h"
#include "editor/TariffPageIds.h"
#include "lang/gui/QtTranslate.h"
#include "settings/SettingsDatabase.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

Currency currencyOf(const QComboBox* box) { return box->currentIndex() == 1 ? Currency::Alternative : Currency::Main; }

} // namespace

CPageUDRateCost::CPageUDRateCost(QWidget* parent)
    : QWidget(parent)
{
    QGroupBox* supplied = makeGroupBox(this, tariffres::kSuppliedGroup);
    m_suppliedCost = makeCheckBox(supplied, tariffres::kUseSuppliedCost);
    m_suppliedPulses = makeCheckBox(supplied, tariffres::kUseSuppliedPulses);
    m_currency = new QComboBox(supplied);
    setControlId(m_currency, tariffres::kSuppliedCurrency);
    m_pulseValue = makeAmountEdit(supplied, tariffres::kPulse);
    auto* suppliedGrid = new QGridLayout(supplied);
    suppliedGrid->addWidget(m_suppliedCost, 0, 0, 1, 2);
    suppliedGrid->addWidget(m_suppliedPulses, 1, 0, 1, 2);
    suppliedGrid->addWidget(makeLabel(supplied, tariffres::kSuppliedCurrencyLabel), 2, 0);
    suppliedGrid->addWidget(m_currency, 2, 1);
    suppliedGrid->addWidget(makeLabel(supplied, tariffres::kPulseLabel), 3, 0);
    suppliedGrid->addWidget(m_pulseValue, 3, 1);

    QGroupBox* grace = makeGroupBox(this, tariffres::kGraceGroup);
    auto* graceGrid = new QGridLayout(grace);
    for (int i = 0; i < 5; ++i) {
        m_grace[static_cast<std::size_t>(i)] = makeSecondsBox(grace, tariffres::kGraceEditFirst + i);
        graceGrid->addWidget(makeLabel(grace, tariffres::kGraceLabelFirst + i), i, 0);
        graceGrid->addWidget(m_grace[static_cast<std::size_t>(i)], i, 1);
        graceGrid->addWidget(makeLabel(grace, tariffres::kGraceSec), i, 2);
    }

    QGroupBox* other = makeGroupBox(this, tariffres::kOtherGroup);
    m_modifier = new QSpinBox(other);
    m_modifier->setRange(0, 100000);
    setControlId(m_modifier, tariffres::kModifier);
    m_startRate = makeCheckBox(other, tariffres::kStartRate);
    auto* otherGrid = new QGridLayout(other);
    otherGrid->addWidget(makeLabel(other, tariffres::kModifierLabel), 0, 0);
    otherGrid->addWidget(m_modifier, 0, 1);
    otherGrid->addWidget(makeLabel(other, tariffres::kPercent), 0, 2);
    otherGrid->addWidget(m_startRate, 1, 0, 1, 3);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(supplied, 0, 0);
    grid->addWidget(grace, 0, 1, 2, 1);
    grid->addWidget(other, 1, 0);
    grid->setRowStretch(2, 1);

    // The two kinds of supplied charges exclude each other.
    connect(m_suppliedCost, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_suppliedPulses->setChecked(false);
        updateEnabling();
    });
    connect(m_suppliedPulses, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_suppliedCost->setChecked(false);
        updateEnabling();
    });
}

void CPageUDRateCost::load(const CarrierBlock& carrier, const SettingsDatabase& db)
{
    m_currency->clear();
    m_currency->addItem(controlText(db.currency().format(Currency::Main).symbol));
    m_currency->addItem(controlText(db.currency().format(Currency::Alternative).symbol));
    m_currency->setCurrentIndex(carrier.flags & CarrierBlock::kSuppliedInAlternativeCurrency ? 1 : 0);
    m_suppliedCost->setChecked(carrier.flags & CarrierBlock::kUseSuppliedCost);
    m_suppliedPulses->setChecked(!(carrier.flags & CarrierBlock::kUseSuppliedCost)
                                 && (carrier.flags & CarrierBlock::kUseSuppliedPulses));
    m_pulseValue->setText(amountText(db, carrier.pulseValue, currencyOf(m_currency)));
    const std::array<std::int32_t, 5> graces = {carrier.graceLocal, carrier.graceLongDistance,
                                                carrier.graceInternational, carrier.graceIncoming,
                                                carrier.graceUserDefined};
    for (std::size_t i = 0; i < graces.size(); ++i)
        m_grace[i]->setValue(graces[i]);
    m_modifier->setValue(carrier.costModifier);
    m_startRate->setChecked(carrier.flags & CarrierBlock::kStartRateForWholeCall);
    updateEnabling();
}

void CPageUDRateCost::store(CarrierBlock& carrier, const SettingsDatabase& db) const
{
    constexpr std::uint32_t owned = CarrierBlock::kSuppliedInAlternativeCurrency | CarrierBlock::kUseSuppliedCost
                                    | CarrierBlock::kUseSuppliedPulses | CarrierBlock::kStartRateForWholeCall;
    std::uint32_t flags = carrier.flags & ~owned;
    if (m_currency->currentIndex() == 1)
        flags |= CarrierBlock::kSuppliedInAlternativeCurrency;
    if (m_suppliedCost->isChecked())
        flags |= CarrierBlock::kUseSuppliedCost;
    else if (m_suppliedPulses->isChecked())
        flags |= CarrierBlock::kUseSuppliedPulses;
    if (m_startRate->isChecked())
        flags |= CarrierBlock::kStartRateForWholeCall;
    carrier.flags = flags;
    carrier.pulseValue = amountOf(db, m_pulseValue, currencyOf(m_currency));
    carrier.graceLocal = m_grace[0]->value();
    carrier.graceLongDistance = m_grace[1]->value();
    carrier.graceInternational = m_grace[2]->value();
    carrier.graceIncoming = m_grace[3]->value();
    carrier.graceUserDefined = m_grace[4]->value();
    carrier.costModifier = m_modifier->value();
}

void CPageUDRateCost::updateEnabling()
{
    const bool pulses = m_suppliedPulses->isChecked();
    m_pulseValue->setEnabled(pulses);
    m_currency->setEnabled(pulses || m_suppliedCost->isChecked());
}
