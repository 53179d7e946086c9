#include "editor/CDlgUDPrefix.h"

#include "editor/TariffPageIds.h"
#include "lang/gui/QtTranslate.h"
#include "ui/CharFilter.h"
#include "ui/DialogButtonRow.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kLocal = 0;
bool userDefined(int callType) { return callType >= 3 && callType <= 6; }

} // namespace

CDlgUDPrefix::CDlgUDPrefix(const PrefixEntry& entry, bool multi, int carrier,
                           const std::array<std::string, 7>& callTypes, const std::array<std::string, 6>& carriers,
                           QWidget* parent)
    : QDialog(parent)
    , m_entry(entry)
    , m_carrierIndex(carrier)
{
    tariffres::registerResources();
    m_prefix = new CFilterEdit(CharSetValidator::dialedNumberChars(), this);
    m_prefix->setMaxLength(31);
    setControlId(m_prefix, tariffres::kPrefix);
    m_intlCode = new CFilterEdit(QStringLiteral("0123456789"), this);
    m_intlCode->setMaxLength(31);
    setControlId(m_intlCode, tariffres::kIntlCode);
    m_callType = new QComboBox(this);
    setControlId(m_callType, tariffres::kCallType);
    for (const std::string& name : callTypes)
        m_callType->addItem(controlText(name));
    m_local = makeCheckBox(this, tariffres::kTreatAsLocal);
    m_free = makeCheckBox(this, tariffres::kFreeCalls);
    m_change = makeCheckBox(this, tariffres::kChangeCarrier);
    m_carrier = new QComboBox(this);
    setControlId(m_carrier, tariffres::kCarrierChoice);
    for (const std::string& name : carriers)
        m_carrier->addItem(controlText(name));
    QDialogButtonBox* buttons = addOkCancelHelp(this, tariffres::kPrefixDialog);

    auto* grid = new QGridLayout(this);
    int row = 0;
    for (auto [labelId, field] : {std::pair<int, QWidget*>{tariffres::kPrefixLabel, m_prefix},
                                  {tariffres::kIntlCodeLabel, m_intlCode},
                                  {tariffres::kCallTypeLabel, m_callType}}) {
        QLabel* label = makeLabel(this, labelId);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row++, 1);
    }
    grid->addWidget(m_local, row++, 1);
    grid->addWidget(m_free, row++, 1);
    grid->addWidget(m_change, row, 0);
    grid->addWidget(m_carrier, row++, 1);
    grid->addWidget(buttons, row, 0, 1, 2);

    m_prefix->setText(controlText(entry.prefix.view()));
    m_prefix->setEnabled(!multi);
    m_intlCode->setText(entry.callType == kLocal ? QString() : controlText(entry.internationalCode.view()));
    m_callType->setCurrentIndex(entry.callType >= 0 && entry.callType < 7 ? entry.callType : -1);
    m_local->setChecked(entry.flags & PrefixEntry::kTreatAsLocal);
    m_free->setChecked(entry.flags & PrefixEntry::kFreeCalls);
    m_change->setChecked(entry.changeCarrierTo > 0);
    m_carrier->setCurrentIndex(entry.changeCarrierTo > 0 && entry.changeCarrierTo <= 6 ? entry.changeCarrierTo - 1
                                                                                       : -1);
    updateEnabling();

    connect(m_callType, &QComboBox::currentIndexChanged, this, &CDlgUDPrefix::updateEnabling);
    connect(m_local, &QCheckBox::toggled, this, &CDlgUDPrefix::updateEnabling);
    connect(m_change, &QCheckBox::toggled, this, &CDlgUDPrefix::updateEnabling);
    TranslateDialog(tariffres::kPrefixDialog, this);
}

void CDlgUDPrefix::updateEnabling()
{
    const int type = m_callType->currentIndex();
    const bool user = userDefined(type);
    m_local->setEnabled(user);
    m_free->setEnabled(user);
    m_intlCode->setEnabled(type != kLocal && !(user && m_local->isChecked()));
    m_carrier->setEnabled(m_change->isChecked());
}

void CDlgUDPrefix::store()
{
    m_entry.prefix.assign(recordText(m_prefix->text()));
    m_entry.internationalCode.assign(recordText(m_intlCode->text()));
    const int type = m_callType->currentIndex();
    m_entry.callType = type;
    if (type == kLocal)
        m_entry.internationalCode.assign("");
    m_entry.flags = 0;
    if (userDefined(type) || type < 0) {
        if (m_local->isChecked()) {
            m_entry.flags |= PrefixEntry::kTreatAsLocal;
            m_entry.internationalCode.assign("");
        }
        if (m_free->isChecked())
            m_entry.flags |= PrefixEntry::kFreeCalls;
    }
    if (const int chosen = m_carrier->currentIndex(); chosen >= 0)
        m_entry.changeCarrierTo = m_change->isChecked() && chosen != m_carrierIndex ? chosen + 1 : 0;
}

void CDlgUDPrefix::accept()
{
    store();
    QDialog::accept();
}

void CDlgUDPrefix::applyCommon(const PrefixEntry& common, PrefixEntry& prefix)
{
    if (!common.internationalCode.view().empty())
        prefix.internationalCode = common.internationalCode;
    if (common.callType >= 0)
        prefix.callType = common.callType;
    if (common.changeCarrierTo >= 0)
        prefix.changeCarrierTo = common.changeCarrierTo;
    prefix.flags = common.flags;
}
