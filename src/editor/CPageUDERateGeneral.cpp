#include "editor/CPageUDERateGeneral.h"

#include "editor/CSheetUDERate.h"
#include "editor/TariffControls.h"
#include "editor/TariffPageIds.h"
#include "lang/gui/QtTranslate.h"
#include "settings/SettingsDatabase.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

Currency currencyOfBox(const QComboBox* box)
{
    return box->currentIndex() == 1 ? Currency::Alternative : Currency::Main;
}

} // namespace

CPageUDERateGeneral::CPageUDERateGeneral(RateEdit& edit, const SettingsDatabase& db, QWidget* parent)
    : CPropertyPage(tariffres::kRateGeneralPage, tariffres::kRateHelp, parent)
    , m_edit(edit)
    , m_db(db)
{
    m_currency = new QComboBox(this);
    setControlId(m_currency, tariffres::kCurrency);
    m_minDuration = makeSecondsBox(this, tariffres::kMinDuration);
    m_minCost = makeAmountEdit(this, tariffres::kMinCost);
    m_initialUnit = makeSecondsBox(this, tariffres::kInitialUnit);
    m_initialCharge = makeAmountEdit(this, tariffres::kInitialCharge);
    m_roundTo = makeSecondsBox(this, tariffres::kRoundTo);
    m_discard = makeCheckBox(this, tariffres::kDiscardRemainder);
    for (QLabel*& label : m_symbols)
        label = new QLabel(this);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto label = [&](int id, QWidget* field) {
        QLabel* text = makeLabel(this, id);
        text->setBuddy(field);
        grid->addWidget(text, row, 0);
    };
    const auto seconds = [&](int id, QSpinBox* box) {
        label(id, box);
        grid->addWidget(box, row, 2);
        grid->addWidget(makeLabel(this, tariffres::kSecondsLabel), row++, 3);
    };
    const auto amount = [&](int id, QLineEdit* field, QLabel* before, QLabel* after) {
        label(id, field);
        grid->addWidget(before, row, 1);
        grid->addWidget(field, row, 2);
        grid->addWidget(after, row++, 3);
    };
    label(tariffres::kCurrencyLabel, m_currency);
    grid->addWidget(m_currency, row++, 2);
    seconds(tariffres::kMinDurationLabel, m_minDuration);
    amount(tariffres::kMinCostLabel, m_minCost, m_symbols[0], m_symbols[1]);
    seconds(tariffres::kInitialUnitLabel, m_initialUnit);
    amount(tariffres::kInitialChargeLabel, m_initialCharge, m_symbols[2], m_symbols[3]);
    seconds(tariffres::kRoundToLabel, m_roundTo);
    grid->addWidget(m_discard, row++, 2, 1, 2);
    grid->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(m_currency, &QComboBox::currentIndexChanged, this, &CPageUDERateGeneral::showSymbols);
    translate();
}

void CPageUDERateGeneral::readRecord()
{
    const RateBlock& r = m_edit.rates;
    const Currency which = r.flags & RateBlock::kAlternativeCurrency ? Currency::Alternative : Currency::Main;
    m_currency->clear();
    m_currency->addItem(controlText(m_db.currency().format(Currency::Main).symbol));
    m_currency->addItem(controlText(m_db.currency().format(Currency::Alternative).symbol));
    m_currency->setCurrentIndex(which == Currency::Alternative ? 1 : 0);
    m_minDuration->setValue(r.minDuration);
    m_minCost->setText(amountText(m_db, r.minCost, which));
    m_initialUnit->setValue(r.initialUnit);
    m_initialCharge->setText(amountText(m_db, r.initialCharge, which));
    m_roundTo->setValue(r.roundTo);
    m_discard->setChecked(r.flags & RateBlock::kDiscardRemainder);
    showSymbols();
}

void CPageUDERateGeneral::writeRecord()
{
    RateBlock& r = m_edit.rates;
    const Currency which = currencyOfBox(m_currency);
    r.flags &= ~(RateBlock::kAlternativeCurrency | RateBlock::kDiscardRemainder);
    if (which == Currency::Alternative)
        r.flags |= RateBlock::kAlternativeCurrency;
    if (m_discard->isChecked())
        r.flags |= RateBlock::kDiscardRemainder;
    r.minDuration = m_minDuration->value();
    r.minCost = amountOf(m_db, m_minCost, which);
    r.initialUnit = m_initialUnit->value();
    r.initialCharge = amountOf(m_db, m_initialCharge, which);
    r.roundTo = m_roundTo->value();
}

void CPageUDERateGeneral::showSymbols()
{
    const Currency which = currencyOfBox(m_currency);
    showSymbol(m_db, which, m_symbols[0], m_symbols[1]);
    showSymbol(m_db, which, m_symbols[2], m_symbols[3]);
}
