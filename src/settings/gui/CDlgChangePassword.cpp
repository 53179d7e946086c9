#include "settings/gui/CDlgChangePassword.h"

#include "lang/Message.h"
#include "lang/StringIds.h"
#include "lang/gui/QtTranslate.h"
#include "settings/SettingsHeader.h"
#include "settings/gui/SettingsGuiIds.h"
#include "ui/DialogButtonRow.h"
#include "ui/PageControls.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* makePasswordEdit(QWidget* parent, const std::string& text)
{
    auto* edit = new QLineEdit(controlText(text), parent);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(static_cast<int>(SettingsHeader::kPasswordSize) - 1);
    return edit;
}

} // namespace

CDlgChangePassword::CDlgChangePassword(const std::string& current, QWidget* parent)
    : QDialog(parent)
    , m_enter(makePasswordEdit(this, current))
    , m_confirm(makePasswordEdit(this, current))
{
    stres::registerResources();
    auto* form = new QFormLayout;
    form->addRow(makeLabel(this, stres::kEnterPassword), m_enter);
    form->addRow(makeLabel(this, stres::kConfirmPassword), m_confirm);
    QDialogButtonBox* buttons = addOkCancelHelp(this, stres::kChangePasswordDialog);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(320);
    TranslateDialog(stres::kChangePasswordDialog, this);
}

std::string CDlgChangePassword::password() const { return recordText(m_confirm->text()); }

void CDlgChangePassword::accept()
{
    if (m_enter->text() != m_confirm->text()) {
        MessageById(sid::kPasswordsDontMatch, mb::kOk | mb::kIconExclamation);
        return;
    }
    QDialog::accept();
}
