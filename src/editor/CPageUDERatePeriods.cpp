#include "editor/CPageUDERatePeriods.h"

#include "editor/CSheetUDERate.h"
#include "editor/TariffControls.h"
#include "editor/TariffPageIds.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "settings/SettingsDatabase.h"
#include "ui/PageControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

QTimeEdit* makeTimeEdit(QWidget* parent, int controlId)
{
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[:.]?s+")));
    auto* edit = new QTimeEdit(parent);
    edit->setDisplayFormat(format);
    setControlId(edit, controlId);
    return edit;
}

QRadioButton* makeRadio(QWidget* parent, int controlId)
{
    auto* radio = new QRadioButton(parent);
    setControlId(radio, controlId);
    return radio;
}

RatePeriod& periodOf(RateEdit& edit, int n) { return edit.rates.periods[static_cast<std::size_t>(n)]; }

} // namespace

CPageUDERatePeriods::CPageUDERatePeriods(RateEdit& edit, int period, const SettingsDatabase& db, QWidget* parent)
    : CPropertyPage(tariffres::kRatePeriodPage, tariffres::kRateHelp, parent)
    , m_edit(edit)
    , m_period(period)
    , m_db(db)
{
    m_active = makeCheckBox(this, tariffres::kActive);
    QGroupBox* apply = makeGroupBox(this, tariffres::kApplyGroup);
    m_everyday = makeRadio(apply, tariffres::kEveryday);
    m_weekdays = makeRadio(apply, tariffres::kWeekdays);
    m_holidays = makeRadio(apply, tariffres::kHolidays);
    auto* applyLayout = new QHBoxLayout(apply);
    for (QRadioButton* radio : {m_everyday, m_weekdays, m_holidays})
        applyLayout->addWidget(radio);
    m_from = makeTimeEdit(this, tariffres::kFrom);
    m_to = makeTimeEdit(this, tariffres::kTo);
    m_rate = makeAmountEdit(this, tariffres::kRate);
    m_before = new QLabel(this);
    m_after = new QLabel(this);
    m_unit = new QComboBox(this);
    setControlId(m_unit, tariffres::kUnit);
    for (int id : {sid::kUnitUnit, sid::kUnitMin, sid::kUnitSec})
        m_unit->addItem(qtText(LoadText(id)));
    m_unitSeconds = makeSecondsBox(this, tariffres::kUnitSeconds);

    auto* grid = new QGridLayout;
    grid->addWidget(m_active, 0, 0, 1, 4);
    grid->addWidget(apply, 1, 0, 1, 6);
    QLabel* fromLabel = makeLabel(this, tariffres::kFromLabel);
    fromLabel->setBuddy(m_from);
    QLabel* toLabel = makeLabel(this, tariffres::kToLabel);
    toLabel->setBuddy(m_to);
    grid->addWidget(fromLabel, 2, 0);
    grid->addWidget(m_from, 2, 1, 1, 2);
    grid->addWidget(toLabel, 3, 0);
    grid->addWidget(m_to, 3, 1, 1, 2);
    QLabel* rateLabel = makeLabel(this, tariffres::kRateLabel);
    rateLabel->setBuddy(m_rate);
    grid->addWidget(rateLabel, 4, 0);
    grid->addWidget(m_before, 4, 1);
    grid->addWidget(m_rate, 4, 2);
    grid->addWidget(m_after, 4, 3);
    grid->addWidget(new QLabel(QStringLiteral("/"), this), 4, 4);
    grid->addWidget(m_unit, 4, 5);
    grid->addWidget(m_unitSeconds, 5, 5);
    grid->addWidget(makeLabel(this, tariffres::kUnitSecLabel), 5, 6);
    grid->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(m_active, &QCheckBox::toggled, this, &CPageUDERatePeriods::updateEnabling);
    connect(m_unit, &QComboBox::activated, this, &CPageUDERatePeriods::unitChosen);
    translate();
    setWindowTitle(windowTitle().replace(QStringLiteral("%d"), QString::number(period + 1)));
}

void CPageUDERatePeriods::readRecord()
{
    const RatePeriod& p = periodOf(m_edit, m_period);
    const Currency which = m_edit.rates.flags & RateBlock::kAlternativeCurrency ? Currency::Alternative
                                                                                : Currency::Main;
    m_active->setChecked(p.flags & RatePeriod::kActive);
    if (!(p.flags & RatePeriod::kByKindOfDay))
        m_everyday->setChecked(true);
    else if (p.flags & RatePeriod::kHolidaysOnly)
        m_holidays->setChecked(true);
    else
        m_weekdays->setChecked(true);
    m_from->setTime(QTime(p.fromHour % 24, p.fromMinute % 60));
    m_to->setTime(QTime(p.toHour % 24, p.toMinute % 60));
    m_rate->setText(amountText(m_db, p.rate, which));
    showSymbol(m_db, which, m_before, m_after);
    m_unitSeconds->setValue(p.unitLength);
    m_unit->setCurrentIndex(p.unitLength == 60 ? kUnitMinute : p.unitLength == 1 ? kUnitSecond : kUnitSeconds);
    updateEnabling();
}

void CPageUDERatePeriods::writeRecord()
{
    RatePeriod& p = periodOf(m_edit, m_period);
    const Currency which = m_edit.rates.flags & RateBlock::kAlternativeCurrency ? Currency::Alternative
                                                                                : Currency::Main;
    p.flags = 0;
    if (m_active->isChecked())
        p.flags |= RatePeriod::kActive;
    if (m_weekdays->isChecked())
        p.flags |= RatePeriod::kByKindOfDay;
    else if (m_holidays->isChecked())
        p.flags |= RatePeriod::kByKindOfDay | RatePeriod::kHolidaysOnly;
    p.fromHour = static_cast<std::uint8_t>(m_from->time().hour());
    p.fromMinute = static_cast<std::uint8_t>(m_from->time().minute());
    p.toHour = static_cast<std::uint8_t>(m_to->time().hour());
    p.toMinute = static_cast<std::uint8_t>(m_to->time().minute());
    p.rate = amountOf(m_db, m_rate, which);
    p.unitLength = m_unitSeconds->value();
}

void CPageUDERatePeriods::unitChosen(int index)
{
    if (index == kUnitMinute)
        m_unitSeconds->setValue(60);
    else if (index == kUnitSecond)
        m_unitSeconds->setValue(1);
    updateEnabling();
}

void CPageUDERatePeriods::updateEnabling()
{
    const bool on = m_active->isChecked();
    enableAll(on, {m_everyday, m_weekdays, m_holidays, m_from, m_to, m_rate, m_unit});
    m_unitSeconds->setEnabled(on && m_unit->currentIndex() == kUnitSeconds);
}
