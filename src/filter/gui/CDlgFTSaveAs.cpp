#include "filter/gui/CDlgFTSaveAs.h"

#include "filter/SavedFilters.h"
#include "filter/gui/FilterEditorIds.h"
#include "lang/gui/QtTranslate.h"
#include "ui/HelpOpener.h"
#include "ui/PageControls.h"
#include "ui/PropertySheet.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDlgFTSaveAs::CDlgFTSaveAs(QWidget* parent)
    : QDialog(parent)
{
    feres::registerResources();
    QLabel* label = makeLabel(this, feres::kFilterName);
    m_name = new QLineEdit(this);
    m_name->setMaxLength(static_cast<int>(SavedFilter::kNameSize) - 1);
    label->setBuddy(m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    setControlId(buttons->button(QDialogButtonBox::Ok), 1);
    setControlId(buttons->button(QDialogButtonBox::Cancel), 2);
    setControlId(help::addHelpButton(buttons, feres::kSaveAsDialog), 9);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_name);
    layout->addWidget(buttons);
    setMinimumWidth(320);
    TranslateDialog(feres::kSaveAsDialog, this);
}

QString CDlgFTSaveAs::name() const { return m_name->text().trimmed(); }
