#include "ui/DialogButtonRow.h"

#include "lang/gui/QtTranslate.h"
#include "ui/HelpOpener.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

QDialogButtonBox* addOkCancelHelp(QDialog* dialog, int templateId)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    setControlId(buttons->button(QDialogButtonBox::Ok), 1);
    setControlId(buttons->button(QDialogButtonBox::Cancel), 2);
    setControlId(help::addHelpButton(buttons, templateId), 9);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
