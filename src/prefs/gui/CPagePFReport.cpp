#include "prefs/gui/CPagePFReport.h"

#include "lang/gui/QtTranslate.h"
#include "prefs/Preferences.h"
#include "prefs/gui/PreferencesIds.h"
#include "ui/PageControls.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

constexpr int kMax = static_cast<int>(Preferences::kCustomTextMax);

QLineEdit* makeTextEdit(QWidget* parent, int controlId)
{
    auto* edit = new QLineEdit(parent);
    setControlId(edit, controlId);
    edit->setMaxLength(kMax);
    edit->setMinimumWidth(320);
    return edit;
}

// The stored texts break lines with CR LF; the address box with LF.
QString shown(const std::string& text)
{
    QString result = controlText(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

std::string stored(QString text)
{
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return recordText(text);
}

} // namespace

CPagePFReport::CPagePFReport(Preferences& prefs, QWidget* parent)
    : CPropertyPage(pfres::kReportPage, pfres::kReportHelp, parent)
    , m_prefs(prefs)
{
    m_company = makeTextEdit(this, pfres::kReportEditFirst);
    m_address = new QPlainTextEdit(this);
    setControlId(m_address, pfres::kReportEditFirst + 1);
    m_address->setFixedHeight(m_address->fontMetrics().lineSpacing() * 4 + 12);
    for (int i = 0; i < 3; ++i)
        m_lines[static_cast<std::size_t>(i)] = makeTextEdit(this, pfres::kReportEditFirst + 2 + i);
    auto* layout = new QFormLayout;
    layout->addRow(makeLabel(this, pfres::kReportLabelFirst), m_company);
    layout->addRow(makeLabel(this, pfres::kReportLabelFirst + 1), m_address);
    for (int i = 0; i < 3; ++i)
        layout->addRow(makeLabel(this, pfres::kReportLabelFirst + 2 + i), m_lines[static_cast<std::size_t>(i)]);
    auto* page = new QVBoxLayout(this);
    page->addLayout(layout);
    page->addStretch(1);
    connect(m_address, &QPlainTextEdit::textChanged, this, &CPagePFReport::limitAddress);
    translate();
}

void CPagePFReport::limitAddress()
{
    // At most 255 characters as stored (each line break takes two).
    const QString text = m_address->toPlainText();
    if (stored(text).size() <= Preferences::kCustomTextMax)
        return;
    QString cut = text;
    while (stored(cut).size() > Preferences::kCustomTextMax)
        cut.chop(1);
    const QSignalBlocker block(m_address);
    m_address->setPlainText(cut);
    m_address->moveCursor(QTextCursor::End);
}

void CPagePFReport::readRecord()
{
    m_company->setText(controlText(m_prefs.customTexts[Preferences::CompanyName]));
    m_address->setPlainText(shown(m_prefs.customTexts[Preferences::Address]));
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        m_lines[i]->setText(controlText(m_prefs.customTexts[Preferences::Phones + i]));
}

void CPagePFReport::writeRecord()
{
    m_prefs.customTexts[Preferences::CompanyName] = recordText(m_company->text());
    m_prefs.customTexts[Preferences::Address] = stored(m_address->toPlainText());
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        m_prefs.customTexts[Preferences::Phones + i] = recordText(m_lines[i]->text());
}
