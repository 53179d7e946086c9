#include "app/DialogButtons.h"

#include "app/AppResources.h"
#include "lang/gui/QtTranslate.h"

#include <QDialog>
#include <QPushButton>

QDialogButtonBox* addDialogButtons(QDialog* dialog, QDialogButtonBox::StandardButtons buttons)
{
    auto* box = new QDialogButtonBox(buttons, dialog);
    if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
        setControlId(ok, appres::kIdOk);
    if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel))
        setControlId(cancel, appres::kIdCancel);
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}
