#pragma once
// "Compare carriers": what the shown calls would have cost with each of the six
// carriers (calls priced, calls not priced, total, difference to the actual
// total) as a table and as a bar chart of the totals.

#include "session/CarrierComparison.h"

#include <QDialog>

#include <array>

class MainSession;
class QTableWidget;

class CDlgCompareCarriers : public QDialog
{
    Q_OBJECT
public:
    // Compares the calls the list shows now.
    explicit CDlgCompareCarriers(const MainSession& session, QWidget* parent = nullptr);

    const std::array<CarrierTotal, kCarrierCount>& table() const { return m_table; }
    QTableWidget* tableWidget() const { return m_tableWidget; }

private:
    std::array<CarrierTotal, kCarrierCount> m_table;
    QTableWidget* m_tableWidget;
};
