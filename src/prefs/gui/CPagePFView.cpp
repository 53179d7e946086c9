#include "prefs/gui/CPagePFView.h"

#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "prefs/Preferences.h"
#include "prefs/gui/PreferencesIds.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QComboBox* makeChoice(QWidget* parent, int controlId, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    setControlId(combo, controlId);
    combo->addItems(items);
    return combo;
}

void choose(QComboBox* combo, int index) { combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0); }

} // namespace

CPagePFView::CPagePFView(Preferences& prefs, QWidget* parent)
    : CPropertyPage(pfres::kViewPage, pfres::kViewHelp, parent)
    , m_prefs(prefs)
{
    QStringList formats{QStringLiteral("1 - 99"), QStringLiteral("01 - 99"), QStringLiteral("001 - 999"),
                        QStringLiteral("0001 - 9999"), QStringLiteral("00001 - 99999")};
    QGroupBox* lines = makeGroupBox(this, pfres::kLineFormatGroup);
    m_extensionFormat = makeChoice(lines, pfres::kExtensionFormat, formats);
    formats << QStringLiteral("000001 - 999999");
    m_trunkFormat = makeChoice(lines, pfres::kTrunkFormat, formats);
    auto* lineLayout = new QFormLayout(lines);
    lineLayout->addRow(makeLabel(lines, pfres::kExtensionsLabel), m_extensionFormat);
    lineLayout->addRow(makeLabel(lines, pfres::kTrunksLabel), m_trunkFormat);

    const QStringList styles{controlText(LoadText(sid::kDestStyleCountryCity)),
                             controlText(LoadText(sid::kDestStyleCountryOnly)),
                             controlText(LoadText(sid::kDestStyleCityOnly))};
    QGroupBox* destinations = makeGroupBox(this, pfres::kDestinationGroup);
    m_destLongDistance = makeChoice(destinations, pfres::kDestLongDistance, styles);
    m_destInternational = makeChoice(destinations, pfres::kDestInternational, styles);
    m_destUser = makeChoice(destinations, pfres::kDestUser, styles);
    auto* destinationLayout = new QFormLayout(destinations);
    destinationLayout->addRow(makeLabel(destinations, pfres::kLongDistanceLabel), m_destLongDistance);
    destinationLayout->addRow(makeLabel(destinations, pfres::kInternationalLabel), m_destInternational);
    destinationLayout->addRow(makeLabel(destinations, pfres::kUserTypeLabel), m_destUser);

    m_dashToll = makeCheckBox(this, pfres::kDashToll);
    m_dashLocal = makeCheckBox(this, pfres::kDashLocal);
    m_dashCode = makeCheckBox(this, pfres::kDashCode);
    m_usaFormat = makeCheckBox(this, pfres::kUsaFormat);
    m_incomingLocal = makeCheckBox(this, pfres::kIncomingLocal);
    m_refresh = makeCheckBox(this, pfres::kRefresh);

    auto* top = new QHBoxLayout;
    top->addWidget(lines);
    top->addWidget(destinations);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    for (QCheckBox* box : {m_dashToll, m_dashLocal, m_dashCode, m_usaFormat, m_incomingLocal, m_refresh})
        layout->addWidget(box);
    layout->addStretch(1);
    translate();
}

void CPagePFView::readRecord()
{
    choose(m_extensionFormat, m_prefs.extensionFormat);
    choose(m_trunkFormat, m_prefs.trunkFormat);
    choose(m_destLongDistance, m_prefs.destinationLongDistance);
    choose(m_destInternational, m_prefs.destinationIntl);
    choose(m_destUser, m_prefs.destinationUser);
    m_dashToll->setChecked(m_prefs.dashAfterTollPrefix);
    m_dashLocal->setChecked(m_prefs.dashAfterLocalPrefix);
    m_dashCode->setChecked(m_prefs.dashAfterCode);
    m_usaFormat->setChecked(m_prefs.usaFormat);
    m_incomingLocal->setChecked(m_prefs.incomingLocal);
    m_refresh->setChecked(m_prefs.refresh);
}

void CPagePFView::writeRecord()
{
    m_prefs.extensionFormat = m_extensionFormat->currentIndex();
    m_prefs.trunkFormat = m_trunkFormat->currentIndex();
    m_prefs.destinationLongDistance = m_destLongDistance->currentIndex();
    m_prefs.destinationIntl = m_destInternational->currentIndex();
    m_prefs.destinationUser = m_destUser->currentIndex();
    m_prefs.dashAfterTollPrefix = m_dashToll->isChecked();
    m_prefs.dashAfterLocalPrefix = m_dashLocal->isChecked();
    m_prefs.dashAfterCode = m_dashCode->isChecked();
    m_prefs.usaFormat = m_usaFormat->isChecked();
    m_prefs.incomingLocal = m_incomingLocal->isChecked();
    m_prefs.refresh = m_refresh->isChecked();
}
