#include "app/CDlgCompareCarriers.h"

#include "app/DialogButtons.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "session/MainSession.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// One bar per carrier for its total, and a line at the actual total.
class TotalsChart : public QWidget
{
public:
    TotalsChart(const std::array<CarrierTotal, kCarrierCount>& table, QWidget* parent)
        : QWidget(parent)
        , m_table(table)
    {
        setMinimumHeight(160);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const double actual = m_table[0].total - m_table[0].difference;
        double top = actual;
        for (const CarrierTotal& t : m_table)
            top = std::max(top, t.total);
        const int label = fontMetrics().height() + 4;
        const QRect area = rect().adjusted(8, 8, -8, -label);
        const int slot = area.width() / kCarrierCount;
        const auto yOf = [&](double value) {
            return area.bottom() - (top > 0.0 ? static_cast<int>(value / top * area.height()) : 0);
        };
        for (int c = 0; c < kCarrierCount; ++c) {
            const CarrierTotal& t = m_table[static_cast<std::size_t>(c)];
            const QRect bar(area.left() + c * slot + slot / 6, yOf(t.total), slot * 2 / 3,
                            area.bottom() - yOf(t.total));
            p.fillRect(bar, t.difference <= 0.0 ? QColor(0x4C, 0x9A, 0x2A) : QColor(0xC0, 0x50, 0x40));
            p.drawText(QRect(area.left() + c * slot, area.bottom() + 2, slot, label), Qt::AlignHCenter | Qt::AlignTop,
                       QString::number(t.carrier));
        }
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DashLine));
        p.drawLine(area.left(), yOf(actual), area.right(), yOf(actual));
    }

private:
    const std::array<CarrierTotal, kCarrierCount>& m_table;
};

} // namespace

CDlgCompareCarriers::CDlgCompareCarriers(const MainSession& session, QWidget* parent)
    : QDialog(parent)
    , m_table(CarrierComparison(session.settings(), RatingOptions::from(session.prefs()))
                  .compare(session.calls().calls(), session.calls().visible()))
    , m_tableWidget(new QTableWidget(kCarrierCount, 6, this))
{
    setWindowTitle(qtText(LoadText(sid::kCompareCarriersTitle)));
    QStringList headings;
    for (const int id : {sid::kCompareCarrier, sid::kCompareName, sid::kComparePriced, sid::kCompareUnpriced,
                         sid::kCompareTotal, sid::kCompareDifference})
        headings << qtText(LoadText(id));
    m_tableWidget->setHorizontalHeaderLabels(headings);
    m_tableWidget->verticalHeader()->hide();
    m_tableWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const SettingsDatabase& settings = session.settings();
    for (int row = 0; row < kCarrierCount; ++row) {
        const CarrierTotal& t = m_table[static_cast<std::size_t>(row)];
        const QStringList cells = {QString::number(t.carrier),
                                   qtText(t.name),
                                   QString::number(t.priced),
                                   QString::number(t.unpriced),
                                   qtText(settings.formatCurrency(t.total)),
                                   qtText(settings.formatCurrency(t.difference))};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column != 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_tableWidget->setItem(row, column, item);
        }
    }
    m_tableWidget->resizeColumnsToContents();

    QDialogButtonBox* buttons = addDialogButtons(this, QDialogButtonBox::Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tableWidget);
    layout->addWidget(new TotalsChart(m_table, this), 1);
    layout->addWidget(buttons);
    resize(640, 440);
}
