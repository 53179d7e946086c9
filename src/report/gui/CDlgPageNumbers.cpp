#include "report/gui/CDlgPageNumbers.h"

#include "lang/gui/QtTranslate.h"
#include "report/gui/ReportGuiIds.h"
#include "ui/DialogButtonRow.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton* makeRadio(QWidget* parent, int controlId)
{
    auto* radio = new QRadioButton(parent);
    setControlId(radio, controlId);
    parent->layout()->addWidget(radio);
    return radio;
}

} // namespace

CDlgPageNumbers::CDlgPageNumbers(const PageSettings& settings, QWidget* parent)
    : QDialog(parent)
{
    rptres::registerResources();
    m_print = makeCheckBox(this, rptres::kPrintPageNumbers);
    QGroupBox* position = makeGroupBox(this, rptres::kPositionGroup);
    new QVBoxLayout(position);
    m_top = makeRadio(position, rptres::kTop);
    m_bottom = makeRadio(position, rptres::kBottom);
    QGroupBox* align = makeGroupBox(this, rptres::kAlignGroup);
    new QVBoxLayout(align);
    m_align = {makeRadio(align, rptres::kLeft), makeRadio(align, rptres::kCenter), makeRadio(align, rptres::kRight)};

    m_print->setChecked(settings.pageNumbers);
    positionButton(settings.position)->setChecked(true);
    alignButton(settings.align)->setChecked(true);

    QDialogButtonBox* buttons = addOkCancelHelp(this, rptres::kPageNumbersDialog);
    connect(m_print, &QCheckBox::toggled, this, &CDlgPageNumbers::updateEnabling);

    auto* groups = new QHBoxLayout;
    groups->addWidget(position);
    groups->addWidget(align);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_print);
    layout->addLayout(groups);
    layout->addWidget(buttons);
    updateEnabling();
    TranslateDialog(rptres::kPageNumbersDialog, this);
}

void CDlgPageNumbers::updateEnabling()
{
    enableAll(m_print->isChecked(), {m_top, m_bottom, m_align[0], m_align[1], m_align[2]});
}

PageSettings CDlgPageNumbers::chosen(PageSettings settings) const
{
    settings.pageNumbers = m_print->isChecked();
    settings.position = m_top->isChecked() ? PageSettings::Top : PageSettings::Bottom;
    for (int align = PageSettings::Left; align <= PageSettings::Right; ++align)
        if (alignButton(align)->isChecked())
            settings.align = align;
    settings.applyPageNumbers();
    return settings;
}
