#include "editor/CPageUDERateCode.h"

#include "editor/CSheetUDERate.h"
#include "editor/TariffPageIds.h"
#include "lang/gui/QtTranslate.h"
#include "ui/CharFilter.h"
#include "ui/PageControls.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

CPageUDERateCode::CPageUDERateCode(RateEdit& edit, QWidget* parent)
    : CPropertyPage(tariffres::kRateCodePage, tariffres::kRateHelp, parent)
    , m_edit(edit)
{
    m_code = new CFilterEdit(QStringLiteral("0123456789"), this);
    m_code->setMaxLength(31);
    setControlId(m_code, tariffres::kCode);
    m_country = makeEditableCombo(this, 63);
    setControlId(m_country, tariffres::kCountry);
    m_city = new QLineEdit(this);
    m_city->setMaxLength(63);
    setControlId(m_city, tariffres::kCity);

    auto* form = new QFormLayout(this);
    const auto row = [&](int labelId, QWidget* field) {
        QLabel* label = makeLabel(this, labelId);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(tariffres::kCodeLabel, m_code);
    row(tariffres::kCountryLabel, m_country);
    row(tariffres::kCityLabel, m_city);
    translate();
}

void CPageUDERateCode::readRecord()
{
    m_code->setText(controlText(m_edit.code));
    m_code->setEnabled(m_edit.codeEnabled);
    m_country->clear();
    for (const std::string& country : m_edit.countries)
        m_country->addItem(controlText(country));
    m_country->setEditText(controlText(m_edit.country));
    m_city->setText(controlText(m_edit.city));
}

void CPageUDERateCode::writeRecord()
{
    m_edit.code = recordText(m_code->text());
    m_edit.country = recordText(m_country->currentText());
    m_edit.city = recordText(m_city->text());
}
