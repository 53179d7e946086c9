#include "editor/CDlgUDExchangeRate.h"

#include "editor/TariffControls.h"
#include "editor/TariffPageIds.h"
#include "lang/gui/QtTranslate.h"
#include "settings/SettingsDatabase.h"
#include "ui/DialogButtonRow.h"
#include "ui/PageControls.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

void ExchangeRateLine::refresh(const SettingsDatabase& db) const
{
    alternative->setText(controlText(db.formatCurrency(1.0, Currency::Alternative)));
    showSymbol(db, Currency::Main, mainBefore, mainAfter);
}

ExchangeRateLine makeExchangeRateLine(QWidget* parent)
{
    return {makeLabel(parent, tariffres::kAltAmount), makeLabel(parent, tariffres::kMainBefore),
            makeAmountEdit(parent, tariffres::kRateEdit), makeLabel(parent, tariffres::kMainAfter)};
}

CDlgUDExchangeRate::CDlgUDExchangeRate(const SettingsDatabase& db, QWidget* parent)
    : QDialog(parent)
    , m_db(db)
    , m_line(makeExchangeRateLine(this))
{
    tariffres::registerResources();
    QLabel* startingLabel = makeLabel(this, tariffres::kStartingLabel);
    m_starting = new QDateEdit(QDate::currentDate(), this);
    m_starting->setCalendarPopup(true);
    m_starting->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    setControlId(m_starting, tariffres::kStarting);
    startingLabel->setBuddy(m_starting);
    QDialogButtonBox* buttons = addOkCancelHelp(this, tariffres::kExchangeRateDialog);

    auto* grid = new QGridLayout(this);
    grid->addWidget(startingLabel, 0, 0);
    grid->addWidget(m_starting, 0, 1, 1, 4);
    grid->addWidget(m_line.alternative, 1, 0);
    grid->addWidget(makeLabel(this, tariffres::kEquals), 1, 1);
    grid->addWidget(m_line.mainBefore, 1, 2);
    grid->addWidget(m_line.rate, 1, 3);
    grid->addWidget(m_line.mainAfter, 1, 4);
    grid->addWidget(buttons, 2, 0, 1, 5);

    m_line.refresh(db);
    m_line.rate->setText(amountText(db, 0.0, Currency::Main));
    TranslateDialog(tariffres::kExchangeRateDialog, this);
}

ExchangeRateEntry CDlgUDExchangeRate::entry() const
{
    ExchangeRateEntry e;
    const QDate date = m_starting->date();
    e.year = static_cast<std::uint16_t>(date.year());
    e.month = static_cast<std::uint8_t>(date.month());
    e.day = static_cast<std::uint8_t>(date.day());
    e.rate = amountOf(m_db, m_line.rate, Currency::Main);
    return e;
}
