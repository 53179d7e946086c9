#include "editor/TariffControls.h"

#include "lang/Message.h"
#include "lang/StringIds.h"
#include "lang/gui/QtTranslate.h"
#include "settings/SettingsDatabase.h"
#include "ui/PageControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

QSpinBox* makeSecondsBox(QWidget* parent, int controlId, int maximum)
{
    auto* box = new QSpinBox(parent);
    box->setRange(0, maximum);
    setControlId(box, controlId);
    return box;
}

QLineEdit* makeAmountEdit(QWidget* parent, int controlId)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(24);
    setControlId(edit, controlId);
    return edit;
}

QString amountText(const SettingsDatabase& db, double amount, Currency which)
{
    return controlText(db.formatCurrency(amount, which, true));
}

double amountOf(const SettingsDatabase& db, const QLineEdit* edit, Currency which)
{
    return db.parseAmount(recordText(edit->text()), which);
}

void showSymbol(const SettingsDatabase& db, Currency which, QLabel* before, QLabel* after)
{
    const CurrencyFormat& format = db.currency().format(which);
    const QString symbol = controlText(format.symbol);
    const bool behind = format.positiveOrder % 2 == 1;
    before->setText(behind ? QString() : symbol);
    after->setText(behind ? symbol : QString());
}

bool confirmDelete(int selectedCount)
{
    if (selectedCount < 1)
        return false;
    return selectedCount == 1 || MessageById(sid::kDeleteSelectedRecords, mb::kYesNo | mb::kIconQuestion) == mb::kIdYes;
}
