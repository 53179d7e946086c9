#pragma once
// "Destination" of the edit-rate sheet: code (digits, only for a single
// row), country (the countries already used are offered) and city.

#include "ui/PropertySheet.h"

class QComboBox;
class QLineEdit;
struct RateEdit;

class CPageUDERateCode : public CPropertyPage
{
    Q_OBJECT
public:
    CPageUDERateCode(RateEdit& edit, QWidget* parent = nullptr);

    void readRecord() override;
    void writeRecord() override;

    QLineEdit* code() const { return m_code; }
    QComboBox* country() const { return m_country; }
    QLineEdit* city() const { return m_city; }

private:
    RateEdit& m_edit;
    QLineEdit* m_code;
    QComboBox* m_country;
    QLineEdit* m_city;
};
