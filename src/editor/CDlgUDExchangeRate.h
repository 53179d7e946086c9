#pragma once
// "Currency exchange rate": the date from which a rate is in force and the
// rate, on the Currency page's exchange-rate line.

#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class SettingsDatabase;
struct ExchangeRateEntry;

// The exchange-rate line of the Currency page and this dialog: "1 unit of the
// alternative currency = [main symbol] rate [main symbol]".
struct ExchangeRateLine
{
    QLabel* alternative;
    QLabel* mainBefore;
    QLineEdit* rate;
    QLabel* mainAfter;

    // The labels for the currencies as they are now.
    void refresh(const SettingsDatabase& db) const;
};
ExchangeRateLine makeExchangeRateLine(QWidget* parent);

class CDlgUDExchangeRate : public QDialog
{
    Q_OBJECT
public:
    CDlgUDExchangeRate(const SettingsDatabase& db, QWidget* parent = nullptr);

    // After OK: the date and the rate typed.
    ExchangeRateEntry entry() const;

    QDateEdit* starting() const { return m_starting; }
    QLineEdit* rate() const { return m_line.rate; }

private:
    const SettingsDatabase& m_db;
    QDateEdit* m_starting;
    ExchangeRateLine m_line;
};
