#include "prefs/gui/CPagePFColor.h"

#include "lang/gui/QtTranslate.h"
#include "prefs/Preferences.h"
#include "prefs/gui/PreferencesIds.h"
#include "ui/ColorButton.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// The colour button ids of the rows (text, background).
constexpr std::array<int, CPagePFColor::kRows> kTextIds{6070, 6071, 6072, 6265, 6271, 6005, 6006, 6007, 6008};
constexpr std::array<int, CPagePFColor::kRows> kBackIds{6075, 6076, 6077, 6266, 6272, 6009, 6010, 6011, 6012};
constexpr int kDelimiterColorId = 6268;
constexpr int kBuiltInRows = 5;

CColorButton* makeColorButton(QWidget* parent, int controlId)
{
    auto* button = new CColorButton(parent);
    setControlId(button, controlId);
    button->setAutoDefault(false);
    button->setMinimumWidth(64);
    return button;
}

// The colour values the rows edit, text and background.
std::array<std::pair<ColorRef*, ColorRef*>, CPagePFColor::kRows> rowColors(Preferences& p)
{
    return {{{&p.colorOut[0], &p.backOut[0]},
             {&p.colorOut[1], &p.backOut[1]},
             {&p.colorOut[2], &p.backOut[2]},
             {&p.colorUnknown, &p.backUnknown},
             {&p.colorIn, &p.backIn},
             {&p.colorUser[0], &p.backUser[0]},
             {&p.colorUser[1], &p.backUser[1]},
             {&p.colorUser[2], &p.backUser[2]},
             {&p.colorUser[3], &p.backUser[3]}}};
}

} // namespace

CPagePFColor::CPagePFColor(Preferences& prefs, QWidget* parent)
    : CPropertyPage(pfres::kColorPage, pfres::kColorHelp, parent)
    , m_prefs(prefs)
{
    auto* grid = new QGridLayout;
    grid->addWidget(makeLabel(this, pfres::kTextHeading), 0, 1, Qt::AlignHCenter);
    grid->addWidget(makeLabel(this, pfres::kBackgroundHeading), 0, 2, Qt::AlignHCenter);
    for (int row = 0; row < kRows; ++row) {
        const std::size_t i = static_cast<std::size_t>(row);
        if (row < kBuiltInRows) {
            grid->addWidget(makeLabel(this, pfres::kRowFirst + row), row + 1, 0);
        } else {
            if (row == kBuiltInRows)
                grid->addWidget(makeLabel(this, pfres::kUserTypesGroup), row + 1, 0, 1, 3);
            QLineEdit* name = new QLineEdit(this);
            setControlId(name, pfres::kUserNameFirst + row - kBuiltInRows);
            name->setMaxLength(static_cast<int>(Preferences::kUserCallTypeNameMax));
            m_names[static_cast<std::size_t>(row - kBuiltInRows)] = name;
            grid->addWidget(name, row + 2, 0);
        }
        const int gridRow = row < kBuiltInRows ? row + 1 : row + 2;
        m_text[i] = makeColorButton(this, kTextIds[i]);
        m_back[i] = makeColorButton(this, kBackIds[i]);
        grid->addWidget(m_text[i], gridRow, 1);
        grid->addWidget(m_back[i], gridRow, 2);
    }
    m_delimiters = makeCheckBox(this, pfres::kDelimiters);
    m_delimiterColor = makeColorButton(this, kDelimiterColorId);
    grid->addWidget(m_delimiters, kRows + 2, 0);
    grid->addWidget(m_delimiterColor, kRows + 2, 1);
    grid->setColumnStretch(0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(m_delimiters, &QCheckBox::toggled, this, &CPagePFColor::updateEnabling);
    translate();
}

void CPagePFColor::updateEnabling() { m_delimiterColor->setEnabled(m_delimiters->isChecked()); }

void CPagePFColor::readRecord()
{
    const auto colors = rowColors(m_prefs);
    for (std::size_t i = 0; i < colors.size(); ++i) {
        m_text[i]->setColor(*colors[i].first);
        m_back[i]->setColor(*colors[i].second);
    }
    for (std::size_t i = 0; i < m_names.size(); ++i)
        m_names[i]->setText(controlText(m_prefs.userCallTypes[i]));
    m_delimiters->setChecked(m_prefs.delimiters);
    m_delimiterColor->setColor(m_prefs.delimiterColor);
    updateEnabling();
}

void CPagePFColor::writeRecord()
{
    const auto colors = rowColors(m_prefs);
    for (std::size_t i = 0; i < colors.size(); ++i) {
        *colors[i].first = m_text[i]->color();
        *colors[i].second = m_back[i]->color();
    }
    // A name is taken over only when its text changed.
    for (std::size_t i = 0; i < m_names.size(); ++i)
        if (m_names[i]->text() != controlText(m_prefs.userCallTypes[i]))
            m_prefs.userCallTypes[i] = recordText(m_names[i]->text());
    m_prefs.delimiters = m_delimiters->isChecked();
    m_prefs.delimiterColor = m_delimiterColor->color();
}
