#pragma once
// "Reports customization": the five texts reports print in their heading.

#include "ui/PropertySheet.h"

#include <array>

class QLineEdit;
class QPlainTextEdit;
struct Preferences;

class CPagePFReport : public CPropertyPage
{
    Q_OBJECT
public:
    explicit CPagePFReport(Preferences& prefs, QWidget* parent = nullptr);

    void readRecord() override;
    void writeRecord() override;

    QLineEdit* companyName() const { return m_company; }
    QPlainTextEdit* address() const { return m_address; }
    QLineEdit* line(int i) const { return m_lines[static_cast<std::size_t>(i)]; } // phone(s), text lines 1 and 2

private:
    void limitAddress();

    Preferences& m_prefs;
    QLineEdit* m_company;
    QPlainTextEdit* m_address;
    std::array<QLineEdit*, 3> m_lines{};
};
