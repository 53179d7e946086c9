#pragma once
// "Prefix": one prefix of a carrier, or the common values of several
// (multi mode: the prefix box is disabled and a value left empty or unchosen
// leaves each prefix's own).

#include "settings/ListRecords.h"

#include <QDialog>

#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;

class CDlgUDPrefix : public QDialog
{
    Q_OBJECT
public:
    // `callTypes`: the seven call-type names; `carriers`: the six carrier names;
    // `carrier`: the index (0-5) of the carrier whose prefix this is.
    CDlgUDPrefix(const PrefixEntry& entry, bool multi, int carrier, const std::array<std::string, 7>& callTypes,
                 const std::array<std::string, 6>& carriers, QWidget* parent = nullptr);

    // After OK: the record as stored (in multi mode -1 marks an unchosen call
    // type or carrier and an empty international code one left alone).
    const PrefixEntry& entry() const { return m_entry; }
    // Multi mode: applies the chosen values of `common` (a multi-mode result) to one selected prefix.
    static void applyCommon(const PrefixEntry& common, PrefixEntry& prefix);

    QLineEdit* prefix() const { return m_prefix; }
    QLineEdit* internationalCode() const { return m_intlCode; }
    QComboBox* callType() const { return m_callType; }
    QCheckBox* treatAsLocal() const { return m_local; }
    QCheckBox* freeCalls() const { return m_free; }
    QCheckBox* changeCarrier() const { return m_change; }
    QComboBox* carrier() const { return m_carrier; }

    void accept() override;

private:
    void updateEnabling();
    void store();

    PrefixEntry m_entry;
    int m_carrierIndex;
    QLineEdit* m_prefix;
    QLineEdit* m_intlCode;
    QComboBox* m_callType;
    QCheckBox* m_local;
    QCheckBox* m_free;
    QCheckBox* m_change;
    QComboBox* m_carrier;
};
