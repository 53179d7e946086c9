#pragma once
// "Colors && call types": text and background colours of each kind of call,
// the names of the four user-defined call types, and the delimiter lines with
// their colour.

#include "ui/PropertySheet.h"

#include <array>

class CColorButton;
class QCheckBox;
class QLineEdit;
struct Preferences;

class CPagePFColor : public CPropertyPage
{
    Q_OBJECT
public:
    // Rows: local, long distance, international, unknown destinations, incoming,
    // user-defined types 1 to 4.
    static constexpr int kRows = 9;

    explicit CPagePFColor(Preferences& prefs, QWidget* parent = nullptr);

    void readRecord() override;
    void writeRecord() override;

    CColorButton* textColor(int row) const { return m_text[static_cast<std::size_t>(row)]; }
    CColorButton* backColor(int row) const { return m_back[static_cast<std::size_t>(row)]; }
    QLineEdit* userName(int i) const { return m_names[static_cast<std::size_t>(i)]; }
    QCheckBox* delimiters() const { return m_delimiters; }
    CColorButton* delimiterColor() const { return m_delimiterColor; }

private:
    void updateEnabling();

    Preferences& m_prefs;
    std::array<CColorButton*, kRows> m_text{};
    std::array<CColorButton*, kRows> m_back{};
    std::array<QLineEdit*, 4> m_names{};
    QCheckBox* m_delimiters;
    CColorButton* m_delimiterColor;
};
