#pragma once
// "Rates": per carrier (six tabs), in one of three modes: the destination
// codes with their rates (the toll list, on the list-page mechanism), the
// carrier's local and incoming rates, or its cost-calculation options.
// Rates are edited in the edit-rate sheet.

#include "editor/ListPageOf.h"

#include <array>

class CPageUDRateCost;
class QRadioButton;
class QTabBar;
class QTableView;
class TextTableModel;
class QWidget;
struct RateEdit;

class CPageUDRate : public CPageUDListOf<DestinationEntry>
{
    Q_OBJECT
public:
    enum Mode { kToll = 0, kLocal = 1, kCost = 2 };

    explicit CPageUDRate(CSheetUD& sheet);

    void readRecord() override;
    void writeRecord() override;
    void sheetAccepted() override;

    int carrier() const { return m_carrier; }
    Mode mode() const { return m_mode; }
    void selectCarrier(int carrier);
    void selectMode(Mode mode);

    QTabBar* carrierTabs() const { return m_tabs; }
    QRadioButton* modeButton(Mode mode) const { return m_modes[static_cast<std::size_t>(mode)]; }
    QTableView* localList() const { return m_local; }
    CPageUDRateCost* costPanel() const { return m_cost; }
    // Local mode: edits the selected rows of the two-row list.
    void editLocal();

    void exportList() override;
    void importList() override;

protected:
    bool sameKey(const DestinationEntry& a, const DestinationEntry& b) const override;
    bool findHit(const DestinationEntry& record, std::string_view typed) const override;
    bool sameOnButton(int button, const DestinationEntry& a, const DestinationEntry& b) const override;
    DestinationEntry newRecord() const override;
    void blankDiffering(DestinationEntry&, const DestinationEntry&) const override { }
    void blankKeys(DestinationEntry&) const override { }
    void applyCommon(const DestinationEntry&, DestinationEntry&) const override { }
    void editRows(const std::vector<int>& rows) override;
    void addFrom(int copyRow) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const RateBlock& rateOf(const DestinationEntry& d) const { return d.rates[static_cast<std::size_t>(m_carrier)]; }
    std::string rateColumnText(const DestinationEntry& d, int column) const;
    // Runs the edit-rate sheet; false on Cancel.
    bool runSheet(RateEdit& edit);
    void leaveCarrier();
    void showCarrier();
    void fillLocal();
    QString localText(int row, int column) const;
    void showMode();
    void writeState();

    int m_carrier = 0;
    Mode m_mode = kToll;
    QTabBar* m_tabs;
    std::array<QRadioButton*, 3> m_modes{};
    TextTableModel* m_localModel;
    QTableView* m_local;
    CPageUDRateCost* m_cost;
    bool m_entered = false;
};
