#pragma once
// "View": number formats of extensions and trunks, destination styles and the
// punctuation, classification and auto-refresh switches.

#include "ui/PropertySheet.h"

class QCheckBox;
class QComboBox;
struct Preferences;

class CPagePFView : public CPropertyPage
{
    Q_OBJECT
public:
    explicit CPagePFView(Preferences& prefs, QWidget* parent = nullptr);

    void readRecord() override;
    void writeRecord() override;

    QComboBox* extensionFormat() const { return m_extensionFormat; }
    QComboBox* trunkFormat() const { return m_trunkFormat; }
    QComboBox* destLongDistance() const { return m_destLongDistance; }
    QComboBox* destInternational() const { return m_destInternational; }
    QComboBox* destUser() const { return m_destUser; }
    QCheckBox* incomingLocal() const { return m_incomingLocal; }

private:
    Preferences& m_prefs;
    QComboBox* m_extensionFormat;
    QComboBox* m_trunkFormat;
    QComboBox* m_destLongDistance;
    QComboBox* m_destInternational;
    QComboBox* m_destUser;
    QCheckBox* m_dashToll;
    QCheckBox* m_dashLocal;
    QCheckBox* m_dashCode;
    QCheckBox* m_usaFormat;
    QCheckBox* m_incomingLocal;
    QCheckBox* m_refresh;
};
