#include "app/CDlgLogin.h"

#include "app/AppResources.h"
#include "app/DialogButtons.h"
#include "core/Cp1252.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "settings/LoginRule.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int kPasswordMax = 31;
}

CDlgLogin::CDlgLogin(QWidget* parent)
    : QDialog(parent)
{
    auto* prompt = new QLabel(this);
    setControlId(prompt, appres::kLoginPrompt);
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(kPasswordMax);
    prompt->setBuddy(m_password);
    QDialogButtonBox* buttons = addDialogButtons(this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_password);
    layout->addWidget(buttons);
    setMinimumWidth(280);
    TranslateDialog(appres::kLoginDialog, this);
}

QString CDlgLogin::password() const { return m_password->text(); }

void CDlgLogin::setPassword(const QString& text)
{
    m_password->setText(text);
    m_password->selectAll();
}

std::optional<int> CDlgLogin::run(QWidget* parent, const SettingsHeader& header)
{
    if (!login::required(header))
        return login::kAdministrator;
    CDlgLogin dialog(parent);
    while (dialog.exec() == QDialog::Accepted) {
        if (const auto level = login::levelFor(header, cp1252::fromQString(dialog.password())))
            return level;
        MessageById(sid::kInvalidPassword, mb::kOk | mb::kIconStop);
        dialog.setPassword(dialog.password());
    }
    return std::nullopt;
}
