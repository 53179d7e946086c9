#pragma once
// "Type && dialing": direction, call types (also the four user-defined ones,
// labelled with their names), CD code, dialed number, contact, destination
// and "Invert filter".

#include "ui/PropertySheet.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
struct FilterEditorContext;

class CPageFTType : public CPropertyPage
{
    Q_OBJECT
public:
    explicit CPageFTType(FilterEditorContext& context, QWidget* parent = nullptr);

    void readRecord() override;
    void writeRecord() override;

    QCheckBox* outgoing() const { return m_outgoing; }
    QCheckBox* incoming() const { return m_incoming; }
    QCheckBox* local() const { return m_local; }
    QCheckBox* longDistance() const { return m_longDistance; }
    QCheckBox* international() const { return m_international; }
    QCheckBox* userType(int i) const { return m_userTypes[static_cast<std::size_t>(i)]; }
    QCheckBox* cdOn() const { return m_cdOn; }
    QComboBox* cd() const { return m_cd; }
    QCheckBox* numberOn() const { return m_numberOn; }
    QLineEdit* number() const { return m_number; }
    QCheckBox* numberExact() const { return m_numberExact; }
    QCheckBox* contactOn() const { return m_contactOn; }
    QComboBox* contact() const { return m_contact; }
    QCheckBox* contactExact() const { return m_contactExact; }
    QCheckBox* unknownNumbers() const { return m_unknownNumbers; }
    QCheckBox* destinationOn() const { return m_destinationOn; }
    QComboBox* destination() const { return m_destination; }
    QCheckBox* unknownDestinations() const { return m_unknownDestinations; }
    QCheckBox* invert() const { return m_invert; }

private:
    void fillLists();
    void updateEnabling();

    FilterEditorContext& m_context;
    QCheckBox* m_outgoing;
    QCheckBox* m_incoming;
    QCheckBox* m_local;
    QCheckBox* m_longDistance;
    QCheckBox* m_international;
    std::array<QCheckBox*, 4> m_userTypes;
    QCheckBox* m_cdOn;
    QComboBox* m_cd;
    QCheckBox* m_numberOn;
    QLineEdit* m_number;
    QCheckBox* m_numberExact;
    QCheckBox* m_contactOn;
    QComboBox* m_contact;
    QCheckBox* m_contactExact;
    QCheckBox* m_unknownNumbers;
    QCheckBox* m_destinationOn;
    QComboBox* m_destination;
    QCheckBox* m_unknownDestinations;
    QCheckBox* m_invert;
};
