#include "app/CDlgAbout.h"

#include "app/AppResources.h"
#include "app/DialogButtons.h"
#include "app/ProgramIcon.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

CDlgAbout::CDlgAbout(QWidget* parent)
    : QDialog(parent)
{
    auto* picture = new QLabel(this);
    picture->setPixmap(programPixmap(48));
    auto* title = new QLabel(qtText(BuiltInText(sid::kProgramTitle)), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* version = new QLabel(this);
    setControlId(version, appres::kAboutVersion);
    QDialogButtonBox* buttons = addDialogButtons(this, QDialogButtonBox::Ok);

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(title, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    TranslateDialog(appres::kAboutDialog, this);
}
