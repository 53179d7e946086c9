#include "filter/gui/CPageFTType.h"

#include "filter/gui/CSheetFE.h"
#include "filter/gui/FilterEditorIds.h"
#include "prefs/CallColumns.h"
#include "settings/SettingsDatabase.h"
#include "ui/CharFilter.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <unordered_set>

CPageFTType::CPageFTType(FilterEditorContext& context, QWidget* parent)
    : CPropertyPage(feres::kTypePage, feres::kTypeHelp, parent)
    , m_context(context)
{
    QGroupBox* direction = makeGroupBox(this, feres::kDirectionGroup);
    m_outgoing = makeCheckBox(direction, feres::kOutgoing);
    m_incoming = makeCheckBox(direction, feres::kIncoming);
    auto* directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(m_outgoing);
    directionLayout->addWidget(m_incoming);
    directionLayout->addStretch(1);

    QGroupBox* types = makeGroupBox(this, feres::kCallTypeGroup);
    m_local = makeCheckBox(types, feres::kLocal);
    m_longDistance = makeCheckBox(types, feres::kLongDistance);
    m_international = makeCheckBox(types, feres::kInternational);
    auto* typeLayout = new QGridLayout(types);
    typeLayout->addWidget(m_local, 0, 0);
    typeLayout->addWidget(m_longDistance, 1, 0);
    typeLayout->addWidget(m_international, 2, 0);
    // The user-defined types carry their names from the preferences.
    const CallColumns names(m_context.settings, m_context.prefs);
    for (int i = 0; i < 4; ++i) {
        auto* box = new QCheckBox(controlText(names.callTypeName(3 + i)), types);
        m_userTypes[static_cast<std::size_t>(i)] = box;
        typeLayout->addWidget(box, i, 1);
    }

    QGroupBox* dialing = makeGroupBox(this, feres::kDialingGroup);
    m_cdOn = makeCheckBox(dialing, feres::kCd);
    m_cd = makeEditableCombo(dialing, 2);
    m_cd->addItems(
        {QStringLiteral("TR"), QStringLiteral("DS"), QStringLiteral("DI"), QStringLiteral("FW"), QStringLiteral("NA")});
    m_numberOn = makeCheckBox(dialing, feres::kNumber);
    m_number = new CFilterEdit(CharSetValidator::dialedNumberChars(), dialing);
    m_number->setMaxLength(static_cast<int>(FilterRecord::kNumberSize) - 1);
    m_numberExact = makeCheckBox(dialing, feres::kNumberExact);
    m_contactOn = makeCheckBox(dialing, feres::kContact);
    m_contact = makeEditableCombo(dialing, static_cast<int>(FilterRecord::kNameSize) - 1);
    m_contactExact = makeCheckBox(dialing, feres::kContactExact);
    m_unknownNumbers = makeCheckBox(dialing, feres::kUnknownNumbers);
    m_destinationOn = makeCheckBox(dialing, feres::kDestination);
    m_destination = makeEditableCombo(dialing, static_cast<int>(FilterRecord::kDestinationSize));
    m_unknownDestinations = makeCheckBox(dialing, feres::kUnknownDestinations);
    auto* dialingLayout = new QGridLayout(dialing);
    dialingLayout->addWidget(m_cdOn, 0, 0);
    dialingLayout->addWidget(m_cd, 0, 1);
    dialingLayout->addWidget(m_numberOn, 1, 0);
    dialingLayout->addWidget(m_number, 1, 1);
    dialingLayout->addWidget(m_numberExact, 1, 2);
    dialingLayout->addWidget(m_contactOn, 2, 0);
    dialingLayout->addWidget(m_contact, 2, 1);
    dialingLayout->addWidget(m_contactExact, 2, 2);
    dialingLayout->addWidget(m_unknownNumbers, 3, 1);
    dialingLayout->addWidget(m_destinationOn, 4, 0);
    dialingLayout->addWidget(m_destination, 4, 1);
    dialingLayout->addWidget(m_unknownDestinations, 5, 1);
    dialingLayout->setColumnStretch(1, 1);
    m_cd->setMaximumWidth(80);

    m_invert = makeCheckBox(this, feres::kInvert);

    auto* top = new QHBoxLayout;
    top->addWidget(direction);
    top->addWidget(types, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(dialing);
    layout->addWidget(m_invert);
    layout->addStretch(1);

    for (QCheckBox* box : {m_cdOn, m_numberOn, m_contactOn, m_unknownNumbers, m_destinationOn, m_unknownDestinations})
        connect(box, &QCheckBox::toggled, this, &CPageFTType::updateEnabling);
    fillLists();
    translate();
}

void CPageFTType::fillLists()
{
    const SettingsDatabase& settings = m_context.settings;
    // A large contacts list is not offered: the user types the name.
    if (!settings.contactsAreLarge())
        for (const std::string& name : settings.contactNames().names())
            m_contact->addItem(controlText(name));
    std::unordered_set<std::string> seen;
    for (std::size_t i = 0; i < settings.destinations.size(); ++i) {
        std::string text = settings.destinationText(static_cast<int>(i));
        if (!text.empty() && seen.insert(text).second)
            m_destination->addItem(controlText(text));
    }
}

void CPageFTType::updateEnabling()
{
    enableAll(m_cdOn->isChecked(), {m_cd});
    enableAll(m_numberOn->isChecked(), {m_number, m_numberExact});
    enableAll(m_contactOn->isChecked(), {m_unknownNumbers});
    enableAll(m_contactOn->isChecked() && !m_unknownNumbers->isChecked(), {m_contact, m_contactExact});
    enableAll(m_destinationOn->isChecked(), {m_unknownDestinations});
    enableAll(m_destinationOn->isChecked() && !m_unknownDestinations->isChecked(), {m_destination});
}

void CPageFTType::readRecord()
{
    const FilterRecord& f = m_context.state.filter;
    setChecked(m_outgoing, f.includeOutgoing);
    setChecked(m_incoming, f.includeIncoming);
    setChecked(m_local, f.includeLocal);
    setChecked(m_longDistance, f.includeLongDistance);
    setChecked(m_international, f.includeInternational);
    for (std::size_t i = 0; i < m_userTypes.size(); ++i)
        setChecked(m_userTypes[i], f.includeUserTypes[i]);
    setChecked(m_cdOn, f.cdOn);
    std::string cd(f.cd.data(), f.cd.size());
    cd.resize(cd.find('\0') == std::string::npos ? cd.size() : cd.find('\0'));
    m_cd->setEditText(controlText(cd));
    setChecked(m_numberOn, f.numberOn);
    m_number->setText(controlText(f.numberText()));
    setChecked(m_numberExact, f.numberExact);
    setChecked(m_contactOn, f.contactOn);
    m_contact->setEditText(controlText(f.contactText()));
    setChecked(m_contactExact, f.contactExact);
    setChecked(m_unknownNumbers, f.unknownNumbers);
    setChecked(m_destinationOn, f.destinationOn);
    m_destination->setEditText(controlText(f.destinationText()));
    setChecked(m_unknownDestinations, f.unknownDestinations);
    setChecked(m_invert, f.invert);
    updateEnabling();
}

void CPageFTType::writeRecord()
{
    FilterRecord& f = m_context.state.filter;
    f.includeOutgoing = flagOf(m_outgoing);
    f.includeIncoming = flagOf(m_incoming);
    f.includeLocal = flagOf(m_local);
    f.includeLongDistance = flagOf(m_longDistance);
    f.includeInternational = flagOf(m_international);
    for (std::size_t i = 0; i < m_userTypes.size(); ++i)
        f.includeUserTypes[i] = flagOf(m_userTypes[i]);
    f.cdOn = flagOf(m_cdOn);
    // The first one or two characters typed; an empty text gives two NULs.
    const std::string cd = recordText(m_cd->currentText());
    for (std::size_t i = 0; i < f.cd.size(); ++i)
        f.cd[i] = i < cd.size() ? cd[i] : '\0';
    f.numberOn = flagOf(m_numberOn);
    FilterRecord::setText(f.number, recordText(m_number->text()));
    f.numberExact = flagOf(m_numberExact);
    f.contactOn = flagOf(m_contactOn);
    FilterRecord::setText(f.contact, recordText(m_contact->currentText()));
    f.contactExact = flagOf(m_contactExact);
    f.unknownNumbers = flagOf(m_unknownNumbers);
    f.destinationOn = flagOf(m_destinationOn);
    f.setDestination(recordText(m_destination->currentText()));
    f.unknownDestinations = flagOf(m_unknownDestinations);
    f.invert = flagOf(m_invert);
}
