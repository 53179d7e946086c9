#include "editor/CPageUDRate.h"

#include "core/IniProfile.h"
#include "editor/CPageUDRateCost.h"
#include "editor/CPageUDRateRules.h"
#include "editor/CPageUDRateText.h"
#include "editor/CSheetUDERate.h"
#include "editor/EditorIds.h"
#include "editor/TariffPageIds.h"
#include "editor/TextTable.h"
#include "lang/Message.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "textfile/TollRateColumns.h"
#include "textfile/gui/ListTransfer.h"
#include "ui/ModalRunner.h"
#include "ui/PageControls.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>

using namespace listpage;
using Entry = DestinationEntry;

namespace {

constexpr std::string_view kCarrierEdit = "CarrierEdit";
constexpr std::string_view kLocalSection = "ListRateLocal";
constexpr int kFirstRateColumn = 3; // "General", then "Rate #1" to "Rate #4"

int byCode(const Entry& a, const Entry& b) { return compareBytes(a.code.view(), b.code.view()); }

QString carrierTabText(const SettingsDatabase& db, int k)
{
    return QStringLiteral("%1. %2").arg(k + 1).arg(controlText(db.carriers[static_cast<std::size_t>(k)].name.view()));
}

// The "General" and "Rate #n" column texts of a rate block (column 0 = "General").
std::string rateText(const RateBlock& r, int column, const SettingsDatabase& db)
{
    if (column == 0)
        return ratetext::general(r, db);
    return ratetext::period(r.periods[static_cast<std::size_t>(column - 1)], r.flags & RateBlock::kAlternativeCurrency,
                            db);
}

} // namespace

CPageUDRate::CPageUDRate(CSheetUD& sheet)
    : CPageUDListOf(sheet, {tariffres::kRatePage, tariffres::kRateHelp, "ListRateToll", {}, 2},
                    &SettingsDatabase::destinations, [this] {
                        std::vector<Column> columns = {
                            {sid::kRateCode, 80, [](const Entry& e) { return e.code.str(); }, byCode},
                            {sid::kRateCountry, 128, [](const Entry& e) { return e.country.str(); },
                             [](const Entry& a, const Entry& b) {
                                 if (int order = compareNames(a.country.view(), b.country.view()))
                                     return order;
                                 if (int order = compareNames(a.city.view(), b.city.view()))
                                     return order;
                                 return byCode(a, b);
                             }},
                            {sid::kRateCity, 128, [](const Entry& e) { return e.city.str(); },
                             [](const Entry& a, const Entry& b) {
                                 if (int order = compareNames(a.city.view(), b.city.view()))
                                     return order;
                                 return byCode(a, b);
                             }},
                        };
                        for (int n = 0; n < 5; ++n)
                            columns.push_back({n == 0 ? sid::kRateGeneral : sid::kRateNumber, 128,
                                               [this, n](const Entry& e) { return rateText(rateOf(e), n, db()); },
                                               [this](const Entry& a, const Entry& b) {
                                                   if (int order = raterules::compareRates(rateOf(a), rateOf(b)))
                                                       return order;
                                                   return byCode(a, b);
                                               },
                                               nullptr, n});
                        return columns;
                    }())
{
    tariffres::registerResources();
    m_tabs = new QTabBar(this);
    setControlId(m_tabs, tariffres::kCarrierTabs);
    for (int k = 0; k < kCarrierCount; ++k)
        m_tabs->addTab(carrierTabText(db(), k));
    addAbove(m_tabs);

    auto* modes = new QWidget(this);
    auto* modeRow = new QHBoxLayout(modes);
    modeRow->setContentsMargins(0, 0, 0, 0);
    auto* group = new QButtonGroup(this);
    for (int m = 0; m < 3; ++m) {
        auto* radio = new QRadioButton(modes);
        setControlId(radio, tariffres::kTollMode + m);
        group->addButton(radio, m);
        modeRow->addWidget(radio);
        m_modes[static_cast<std::size_t>(m)] = radio;
    }
    modeRow->addStretch(1);
    addAbove(modes);

    QStringList titles{qtText(LoadText(sid::kRateDirection)), qtText(LoadText(sid::kRateGeneral))};
    for (int n = 1; n <= 4; ++n)
        titles << qtText(LoadText(sid::kRateNumber)).replace(QStringLiteral("%d"), QString::number(n));
    m_localModel = new TextTableModel(
        titles, [] { return 2; }, [this](int row, int column) { return localText(row, column); }, this);
    m_local = makeTextTable(this, m_localModel, QAbstractItemView::ExtendedSelection);
    setControlId(m_local, tariffres::kList);
    for (int c = 0; c < titles.size(); ++c)
        m_local->setColumnWidth(c, ini().readInt(kLocalSection, "ColWidth" + std::to_string(c), c == 0 ? 96 : 128));
    m_local->installEventFilter(this);
    connect(m_local, &QTableView::doubleClicked, this, &CPageUDRate::editLocal);
    addAbove(m_local);
    m_cost = new CPageUDRateCost(this);
    addAbove(m_cost);

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int k) {
        if (k != m_carrier && k >= 0)
            selectCarrier(k);
    });
    connect(group, &QButtonGroup::idClicked, this, [this](int m) { selectMode(static_cast<Mode>(m)); });
    m_carrier = std::clamp(ini().readInt(kCarrierEdit, "Carrier", 0), 0, kCarrierCount - 1);
    m_mode = static_cast<Mode>(std::clamp(ini().readInt(kCarrierEdit, "PageType", 0), 0, 2));
    translate();
}

void CPageUDRate::readRecord()
{
    m_entered = true;
    {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(m_carrier);
    }
    m_modes[static_cast<std::size_t>(m_mode)]->setChecked(true);
    showCarrier();
    showMode();
    CPageUDListOf::readRecord();
}

void CPageUDRate::writeRecord()
{
    leaveCarrier();
    writeState();
}

void CPageUDRate::sheetAccepted()
{
    if (!m_entered)
        return;
    writeState();
    for (int c = 0; c < m_localModel->columnCount(); ++c)
        ini().writeInt(kLocalSection, "ColWidth" + std::to_string(c), m_local->columnWidth(c));
    CPageUDListOf::sheetAccepted();
}

void CPageUDRate::writeState()
{
    ini().writeInt(kCarrierEdit, "Carrier", m_carrier);
    ini().writeInt(kCarrierEdit, "PageType", m_mode);
}

void CPageUDRate::leaveCarrier()
{
    if (m_mode == kCost)
        m_cost->store(work().carriers[static_cast<std::size_t>(m_carrier)], work());
}

void CPageUDRate::selectCarrier(int carrier)
{
    if (carrier < 0 || carrier >= kCarrierCount)
        return;
    leaveCarrier();
    m_carrier = carrier;
    {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(carrier);
    }
    ini().writeInt(kCarrierEdit, "Carrier", carrier);
    showCarrier();
    if (m_mode == kToll && sortColumn() >= kFirstRateColumn)
        refresh(); // ordered by the rates of the carrier shown
    else
        model()->reset();
}

void CPageUDRate::selectMode(Mode mode)
{
    leaveCarrier();
    m_mode = mode;
    m_modes[static_cast<std::size_t>(mode)]->setChecked(true);
    showCarrier();
    showMode();
}

void CPageUDRate::showCarrier()
{
    for (int k = 0; k < kCarrierCount; ++k)
        m_tabs->setTabText(k, carrierTabText(db(), k));
    fillLocal();
    m_cost->load(work().carriers[static_cast<std::size_t>(m_carrier)], work());
}

void CPageUDRate::showMode()
{
    const bool toll = m_mode == kToll;
    list()->setVisible(toll);
    quickFind()->setVisible(toll);
    for (QLabel* label : findChildren<QLabel*>()) {
        const int id = controlIdOf(label);
        if (label->parentWidget() == this
            && (id == udres::kQuickFindLabel || id == udres::kTotalLabel || label == total()))
            label->setVisible(toll);
    }
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->parentWidget() == this)
            b->setVisible(toll);
    m_local->setVisible(m_mode == kLocal);
    m_cost->setVisible(m_mode == kCost);
}

// Row 0 is the outgoing (local) rate, row 1 the incoming rate.
QString CPageUDRate::localText(int row, int column) const
{
    if (column == 0)
        return qtText(LoadText(row == 0 ? sid::kDirectionOutgoing : sid::kDirectionIncoming));
    const CarrierBlock& c = db().carriers[static_cast<std::size_t>(m_carrier)];
    return controlText(rateText(row == 0 ? c.localRate : c.incomingRate, column - 1, db()));
}

// The two rows stay, and so does their selection: only the texts follow the carrier.
void CPageUDRate::fillLocal() { m_localModel->refreshTexts(); }

void CPageUDRate::editLocal()
{
    const std::vector<int> rows = selectedRowsOf(m_local);
    if (rows.empty())
        return;
    CarrierBlock& c = work().carriers[static_cast<std::size_t>(m_carrier)];
    RateEdit edit;
    edit.withDestination = false;
    edit.rates = rows.front() == 0 ? c.localRate : c.incomingRate;
    if (!runSheet(edit))
        return;
    for (int r : rows)
        (r == 0 ? c.localRate : c.incomingRate) = edit.rates;
    fillLocal();
}

bool CPageUDRate::runSheet(RateEdit& edit)
{
    const int startPage = ini().readInt(kCarrierEdit, "PageRate", 0);
    CSheetUDERate rateSheet(edit, work(), edit.withDestination ? startPage : std::max(0, startPage - 1), this);
    const bool ok = runModal(rateSheet) == QDialog::Accepted;
    ini().writeInt(kCarrierEdit, "PageRate", rateSheet.activeIndex() + (edit.withDestination ? 0 : 1));
    if (ok)
        edit = rateSheet.edit();
    return ok;
}

void CPageUDRate::editRows(const std::vector<int>& rows)
{
    if (rows.empty())
        return;
    RateEdit edit = raterules::editOf(records(), rows, m_carrier);
    if (!runSheet(edit))
        return;
    if (!raterules::storeEdit(records(), rows, m_carrier, edit) && !edit.code.empty())
        MessageById(sid::kDuplicateCode, mb::kOk | mb::kIconExclamation);
    if (rows.size() == 1)
        refreshWith(records()[static_cast<std::size_t>(rows.front())]);
    else
        refresh();
}

void CPageUDRate::addFrom(int copyRow)
{
    const Entry base = copyRow >= 0 && copyRow < recordCount() ? records()[static_cast<std::size_t>(copyRow)]
                                                               : newRecord();
    RateEdit edit = raterules::editOf({base}, {0}, m_carrier);
    edit.countries = raterules::countries(records());
    if (!runSheet(edit))
        return;
    if (!raterules::codeIsFree(records(), edit.code, -1)) {
        if (!edit.code.empty())
            MessageById(sid::kDuplicateCode, mb::kOk | mb::kIconExclamation);
        return;
    }
    const Entry added = raterules::destinationOf(base, m_carrier, edit);
    records().push_back(added);
    refreshWith(added);
}

bool CPageUDRate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_local && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            editLocal();
            return true;
        }
    }
    return CPageUDListOf::eventFilter(watched, event);
}

Entry CPageUDRate::newRecord() const { return tollrates::newDestination(); }

bool CPageUDRate::sameKey(const Entry& a, const Entry& b) const { return a.code.view() == b.code.view(); }

bool CPageUDRate::findHit(const Entry& record, std::string_view typed) const
{
    return startsWith(record.code.view(), typed, false) || startsWith(record.city.view(), typed, true)
           || startsWith(record.country.view(), typed, true);
}

bool CPageUDRate::sameOnButton(int button, const Entry& a, const Entry& b) const
{
    // "Select by Rate", "Select by Country".
    return button == 0 ? raterules::compareRates(rateOf(a), rateOf(b)) == 0 : a.country.view() == b.country.view();
}

void CPageUDRate::exportList()
{
    std::vector<std::size_t> chosen;
    for (int row : selectedRows())
        chosen.push_back(static_cast<std::size_t>(row));
    listtransfer::exportFrom(this, ini(), work(), prefs(), {SettingsList::TollRates, m_carrier}, chosen);
}

void CPageUDRate::importList()
{
    if (listtransfer::importInto(this, ini(), work(), prefs(), {SettingsList::TollRates, m_carrier}))
        refresh();
}
