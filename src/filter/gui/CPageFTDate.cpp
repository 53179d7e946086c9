#include "filter/gui/CPageFTDate.h"

#include "filter/gui/CSheetFE.h"
#include "filter/gui/FilterEditorIds.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "settings/SettingsDatabase.h"
#include "ui/CharFilter.h"
#include "ui/DateControls.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <limits>

namespace {

QLineEdit* makeSecondsEdit(QWidget* parent)
{
    auto* edit = new CFilterEdit(QStringLiteral("0123456789"), parent);
    edit->setMaxLength(10);
    return edit;
}

void storeDateTime(const QDateEdit* dateEdit, const QTimeEdit* timeEdit, const QDateTime& shown, CallDate& date)
{
    const QDateTime now(dateEdit->date(), timeEdit->time());
    if (now != shown)
        date = callDateOf(now);
}

QString secondsText(std::int32_t value) { return value < 0 ? QString() : QString::number(value); }

std::int32_t secondsOf(const QLineEdit* edit) { return edit->text().isEmpty() ? -1 : edit->text().toInt(); }

} // namespace

CPageFTDate::CPageFTDate(FilterEditorContext& context, QWidget* parent)
    : CPropertyPage(feres::kDatePage, feres::kDateHelp, parent)
    , m_context(context)
{
    QGroupBox* date = makeGroupBox(this, feres::kDateGroup);
    m_fromOn = makeCheckBox(date, feres::kFrom);
    m_fromDate = makeDateEdit(date);
    m_fromTime = makeTimeEdit(date);
    m_toOn = makeCheckBox(date, feres::kTo);
    m_toDate = makeDateEdit(date);
    m_toTime = makeTimeEdit(date);
    auto* dateLayout = new QGridLayout(date);
    dateLayout->addWidget(m_fromOn, 0, 0);
    dateLayout->addWidget(m_fromDate, 0, 1);
    dateLayout->addWidget(m_fromTime, 0, 2);
    dateLayout->addWidget(m_toOn, 1, 0);
    dateLayout->addWidget(m_toDate, 1, 1);
    dateLayout->addWidget(m_toTime, 1, 2);
    dateLayout->setColumnStretch(3, 1);

    int andId = feres::kAndFirst;
    // One "Between" row: check box, lower control, "and", upper control, unit.
    const auto betweenRow = [this, &andId](int groupId, int betweenId, QCheckBox*& on, QWidget* low, QWidget* high,
                                           QWidget* before, QWidget* after) {
        QGroupBox* group = makeGroupBox(this, groupId);
        on = makeCheckBox(group, betweenId);
        auto* row = new QHBoxLayout(group);
        row->addWidget(on);
        const auto add = [&](QWidget* control) {
            if (before)
                row->addWidget(new QLabel(static_cast<QLabel*>(before)->text(), group));
            control->setParent(group);
            row->addWidget(control);
            if (after)
                row->addWidget(new QLabel(static_cast<QLabel*>(after)->text(), group));
        };
        add(low);
        row->addWidget(makeLabel(group, andId++));
        add(high);
        row->addStretch(1);
        return group;
    };

    m_timeFrom = makeTimeEdit(this);
    m_timeTo = makeTimeEdit(this);
    QGroupBox* time = betweenRow(feres::kTimeGroup, feres::kTimeBetween, m_timeOn, m_timeFrom, m_timeTo, nullptr,
                                 nullptr);

    m_minDuration = makeSecondsEdit(this);
    m_maxDuration = makeSecondsEdit(this);
    QLabel* durationUnit = makeLabel(this, feres::kDurationUnit);
    QGroupBox* duration = betweenRow(feres::kDurationGroup, feres::kDurationBetween, m_durationOn, m_minDuration,
                                     m_maxDuration, nullptr, nullptr);
    static_cast<QBoxLayout*>(duration->layout())->insertWidget(duration->layout()->count() - 1, durationUnit);
    durationUnit->setParent(duration);

    // The currency symbol stands before or after the amounts as the settings place it.
    const CurrencyFormat& currency = m_context.settings.currency().format(Currency::Main);
    const bool symbolFirst = currency.positiveOrder == 0 || currency.positiveOrder == 2;
    QLabel symbol(controlText(currency.symbol));
    m_minCost = new QLineEdit(this);
    m_maxCost = new QLineEdit(this);
    m_minCost->setMaxLength(20);
    m_maxCost->setMaxLength(20);
    QGroupBox* cost = betweenRow(feres::kCostGroup, feres::kCostBetween, m_costOn, m_minCost, m_maxCost,
                                 symbolFirst ? &symbol : nullptr, symbolFirst ? nullptr : &symbol);

    m_minRing = makeSecondsEdit(this);
    m_maxRing = makeSecondsEdit(this);
    QLabel* ringUnit = makeLabel(this, feres::kRingUnit);
    QGroupBox* ring = betweenRow(feres::kRingGroup, feres::kRingBetween, m_ringOn, m_minRing, m_maxRing, nullptr,
                                 nullptr);
    static_cast<QBoxLayout*>(ring->layout())->insertWidget(ring->layout()->count() - 1, ringUnit);
    ringUnit->setParent(ring);

    for (QLineEdit* edit : {m_minDuration, m_maxDuration, m_minRing, m_maxRing, m_minCost, m_maxCost})
        edit->setMaximumWidth(100);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(date);
    layout->addWidget(time);
    layout->addWidget(duration);
    layout->addWidget(cost);
    layout->addWidget(ring);
    layout->addStretch(1);

    for (QCheckBox* box : {m_fromOn, m_toOn, m_timeOn, m_durationOn, m_costOn, m_ringOn})
        connect(box, &QCheckBox::toggled, this, &CPageFTDate::updateEnabling);
    translate();
}

void CPageFTDate::updateEnabling()
{
    enableAll(m_fromOn->isChecked(), {m_fromDate, m_fromTime});
    enableAll(m_toOn->isChecked(), {m_toDate, m_toTime});
    enableAll(m_timeOn->isChecked(), {m_timeFrom, m_timeTo});
    enableAll(m_durationOn->isChecked(), {m_minDuration, m_maxDuration});
    enableAll(m_costOn->isChecked(), {m_minCost, m_maxCost});
    enableAll(m_ringOn->isChecked(), {m_minRing, m_maxRing});
}

void CPageFTDate::readRecord()
{
    const FilterRecord& f = m_context.state.filter;
    setChecked(m_fromOn, f.fromOn);
    m_shownFrom = shownDateTime(f.from);
    m_fromDate->setDate(m_shownFrom.date());
    m_fromTime->setTime(m_shownFrom.time());
    setChecked(m_toOn, f.toOn);
    m_shownTo = shownDateTime(f.to);
    m_toDate->setDate(m_shownTo.date());
    m_toTime->setTime(m_shownTo.time());
    setChecked(m_timeOn, f.timeOn);
    m_timeFrom->setTime(QTime(f.timeFrom.hour % 24, f.timeFrom.minute % 60));
    m_timeTo->setTime(QTime(f.timeTo.hour % 24, f.timeTo.minute % 60));
    setChecked(m_durationOn, f.durationOn);
    m_minDuration->setText(secondsText(f.minDuration));
    m_maxDuration->setText(secondsText(f.maxDuration));
    setChecked(m_ringOn, f.ringOn);
    m_minRing->setText(secondsText(f.minRing));
    m_maxRing->setText(secondsText(f.maxRing));
    setChecked(m_costOn, f.costOn);
    const auto amountText = [this](double amount) {
        return amount == -1.0 ? QString()
                              : controlText(m_context.settings.formatCurrency(amount, Currency::Main, true));
    };
    m_minCost->setText(amountText(f.minCost));
    m_maxCost->setText(amountText(f.maxCost));
    updateEnabling();
}

bool CPageFTDate::checkSeconds(QLineEdit* edit)
{
    const QString text = edit->text();
    bool ok = true;
    if (!text.isEmpty() && (text.toLongLong(&ok) > std::numeric_limits<std::int32_t>::max() || !ok))
        return refuse(edit, controlText(LoadText(sid::kBadSeconds)));
    return true;
}

bool CPageFTDate::checkAmount(QLineEdit* edit)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty())
        return true;
    const QString point = QRegularExpression::escape(
        controlText(m_context.settings.currency().format(Currency::Main).decimalSymbol));
    const QRegularExpression amount(QStringLiteral("^(\\d+(%1\\d*)?|%1\\d+)$").arg(point));
    if (!amount.match(text).hasMatch())
        return refuse(edit, controlText(LoadText(sid::kBadAmount)));
    return true;
}

bool CPageFTDate::checkControls()
{
    return checkSeconds(m_minDuration) && checkSeconds(m_maxDuration) && checkAmount(m_minCost)
           && checkAmount(m_maxCost) && checkSeconds(m_minRing) && checkSeconds(m_maxRing);
}

double CPageFTDate::amountOf(const QLineEdit* edit) const
{
    const QString text = edit->text().trimmed();
    return text.isEmpty() ? -1.0 : m_context.settings.parseAmount(recordText(text));
}

void CPageFTDate::writeRecord()
{
    FilterRecord& f = m_context.state.filter;
    f.fromOn = flagOf(m_fromOn);
    storeDateTime(m_fromDate, m_fromTime, m_shownFrom, f.from);
    f.toOn = flagOf(m_toOn);
    storeDateTime(m_toDate, m_toTime, m_shownTo, f.to);
    f.timeOn = flagOf(m_timeOn);
    f.timeFrom = {static_cast<std::uint8_t>(m_timeFrom->time().hour()),
                  static_cast<std::uint8_t>(m_timeFrom->time().minute())};
    f.timeTo = {static_cast<std::uint8_t>(m_timeTo->time().hour()),
                static_cast<std::uint8_t>(m_timeTo->time().minute())};
    f.durationOn = flagOf(m_durationOn);
    f.minDuration = secondsOf(m_minDuration);
    f.maxDuration = secondsOf(m_maxDuration);
    f.ringOn = flagOf(m_ringOn);
    f.minRing = secondsOf(m_minRing);
    f.maxRing = secondsOf(m_maxRing);
    f.costOn = flagOf(m_costOn);
    f.minCost = amountOf(m_minCost);
    f.maxCost = amountOf(m_maxCost);
}
