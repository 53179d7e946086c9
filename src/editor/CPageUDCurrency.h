#pragma once
// "Currency": the main currency (optionally overriding the platform's
// conventions), the rounding of call costs, the alternative currency and the
// exchange rate, fixed or as a history of rates by date. Changes that alter
// how amounts look are taken at once and the formats rebuilt, so every
// amount of the sheet follows.

#include "editor/CDlgUDExchangeRate.h"
#include "editor/TariffControls.h"
#include "ui/PropertySheet.h"

class CSheetUD;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;
class TextTableModel;

class CPageUDCurrency : public CPropertyPage
{
    Q_OBJECT
public:
    CPageUDCurrency(TariffContext context, QWidget* parent = nullptr);
    explicit CPageUDCurrency(CSheetUD& sheet);

    void readRecord() override;
    void writeRecord() override;
    // When the sheet closes with OK: the formats rebuilt, the column widths of "ListCurrency".
    void sheetAccepted() override;

    // Inserts a rate at its date: an entry of the same date is replaced. Returns its position.
    static std::size_t insertRate(std::vector<ExchangeRateEntry>& history, const ExchangeRateEntry& entry);

    QCheckBox* override() const { return m_override; }
    QLineEdit* symbol() const { return m_symbol; }
    QComboBox* position() const { return m_position; }
    QComboBox* decimal() const { return m_decimal; }
    QComboBox* digits() const { return m_digits; }
    QComboBox* grouping() const { return m_grouping; }
    QComboBox* groupSize() const { return m_groupSize; }
    QCheckBox* roundCost() const { return m_roundCost; }
    QLineEdit* altSymbol() const { return m_altSymbol; }
    QComboBox* altPosition() const { return m_altPosition; }
    const ExchangeRateLine& rateLine() const { return m_line; }
    QCheckBox* useHistory() const { return m_useHistory; }
    QTableView* history() const { return m_history; }
    void addRate();
    void removeSelected();

private:
    void takeNow();
    void takeControls();
    void updateEnabling();
    void fillHistory(int select = -1);
    std::vector<std::size_t> selectedRates() const;
    QString historyText(int row, int column) const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    TariffContext m_context;
    bool m_loading = false;
    QCheckBox* m_override;
    QLineEdit* m_symbol;
    QComboBox* m_position;
    QComboBox* m_decimal;
    QComboBox* m_digits;
    QComboBox* m_grouping;
    QComboBox* m_groupSize;
    QCheckBox* m_roundCost;
    QLineEdit* m_altSymbol;
    QComboBox* m_altPosition;
    ExchangeRateLine m_line;
    QCheckBox* m_useHistory;
    TextTableModel* m_historyModel;
    QTableView* m_history;
    QPushButton* m_add;
    QPushButton* m_delete;
    QPushButton* m_export;
    QPushButton* m_import;
};
