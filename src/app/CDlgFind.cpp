#include "app/CDlgFind.h"

#include "app/AppResources.h"
#include "app/DialogButtons.h"
#include "lang/gui/QtTranslate.h"
#include "ui/CharFilter.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CDlgFind::CDlgFind(const FindRequest& last, const std::vector<std::string>& history, QWidget* parent)
    : QDialog(parent)
{
    auto* label = new QLabel(this);
    setControlId(label, appres::kFindNumberLabel);
    m_number = new CFilterCombo(CharSetValidator::dialedNumberChars(), this);
    for (const std::string& entry : history)
        m_number->addItem(qtText(entry));
    m_number->setEditText(last.number);
    m_number->lineEdit()->selectAll();
    label->setBuddy(m_number);

    auto* startAt = new QGroupBox(this);
    setControlId(startAt, appres::kFindStartAt);
    m_top = new QRadioButton(startAt);
    setControlId(m_top, appres::kFindTop);
    m_cursor = new QRadioButton(startAt);
    setControlId(m_cursor, appres::kFindCursor);
    (last.fromCursor ? m_cursor : m_top)->setChecked(true);
    auto* startLayout = new QHBoxLayout(startAt);
    startLayout->addWidget(m_top);
    startLayout->addWidget(m_cursor);

    m_exact = new QCheckBox(this);
    setControlId(m_exact, appres::kFindExact);
    m_exact->setChecked(last.exact);

    QDialogButtonBox* buttons = addDialogButtons(this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_number);
    layout->addWidget(startAt);
    layout->addWidget(m_exact);
    layout->addWidget(buttons);
    setMinimumWidth(300);
    TranslateDialog(appres::kFindDialog, this);
}

FindRequest CDlgFind::request() const { return {m_number->currentText(), m_cursor->isChecked(), m_exact->isChecked()}; }
