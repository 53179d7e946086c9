#include "editor/CPageUDCarrier.h"

#include "core/IniProfile.h"
#include "editor/CDlgUDPrefix.h"
#include "editor/TariffPageIds.h"
#include "lang/Message.h"
#include "lang/StringIds.h"
#include "lang/gui/QtTranslate.h"
#include "prefs/CallColumns.h"
#include "textfile/ListFieldText.h"
#include "textfile/gui/ListTransfer.h"
#include "ui/ModalRunner.h"
#include "ui/PageControls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

using namespace listpage;
using Entry = PrefixEntry;

namespace {

constexpr std::string_view kCarrierEdit = "CarrierEdit";

// Plain character order: "*" matching anything is for equality only, not an order.
int byPrefix(const Entry& a, const Entry& b) { return compareBytes(a.prefix.view(), b.prefix.view()); }

bool treatedAsLocal(const Entry& e)
{
    return e.callType >= 3 && e.callType <= 6 && (e.flags & PrefixEntry::kTreatAsLocal);
}

} // namespace

CPageUDCarrier::CPageUDCarrier(CSheetUD& sheet)
    : CPageUDListOf(sheet, {tariffres::kCarrierPage, tariffres::kCarrierHelp, "ListPrefix", {}, 0}, nullptr,
                    {
                        {sid::kPrefixPrefix, 128, [](const Entry& e) { return e.prefix.str(); }, byPrefix},
                        {sid::kPrefixInternationalCode, 128,
                         [this](const Entry& e) { return internationalCodeText(e); },
                         [](const Entry& a, const Entry& b) {
                             if (int order = compareBytes(a.internationalCode.view(), b.internationalCode.view()))
                                 return order;
                             return byPrefix(a, b);
                         }},
                        {sid::kPrefixCallType, 140, [this](const Entry& e) { return callTypeName(e.callType); },
                         [](const Entry& a, const Entry& b) {
                             if (int order = compareNumbers(a.callType, b.callType))
                                 return order;
                             return byPrefix(a, b);
                         }},
                        {sid::kPrefixCarrier, 128, [this](const Entry& e) { return carrierName(e.changeCarrierTo); },
                         [](const Entry& a, const Entry& b) {
                             if (int order = compareNumbers(a.changeCarrierTo, b.changeCarrierTo))
                                 return order;
                             return byPrefix(a, b);
                         }},
                    })
{
    tariffres::registerResources();
    const CallColumns columns(db(), prefs());
    for (std::size_t t = 0; t < m_callTypes.size(); ++t)
        m_callTypes[t] = std::string(columns.callTypeName(static_cast<std::int32_t>(t)));

    m_tabs = new QTabBar(this);
    setControlId(m_tabs, tariffres::kCarrierTabs);
    for (int k = 0; k < kCarrierCount; ++k)
        m_tabs->addTab(QString());
    addAbove(m_tabs);
    auto* nameRow = new QWidget(this);
    auto* nameLayout = new QHBoxLayout(nameRow);
    nameLayout->setContentsMargins(0, 0, 0, 0);
    QLabel* nameLabel = makeLabel(nameRow, tariffres::kNameLabel);
    m_name = new QLineEdit(nameRow);
    m_name->setMaxLength(63);
    setControlId(m_name, tariffres::kName);
    nameLabel->setBuddy(m_name);
    nameLayout->addWidget(nameLabel);
    nameLayout->addWidget(m_name, 1);
    addAbove(nameRow);
    // No quick find on this page.
    quickFind()->hide();
    for (QLabel* label : findChildren<QLabel*>())
        if (label->buddy() == quickFind())
            label->hide();

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int k) {
        if (k >= 0 && k != m_carrier)
            selectCarrier(k);
    });
    translate();
}

std::vector<Entry>& CPageUDCarrier::listIn(SettingsDatabase& db) const
{
    return db.prefixes[static_cast<std::size_t>(m_carrier)];
}

void CPageUDCarrier::readRecord()
{
    m_carrier = std::clamp(ini().readInt(kCarrierEdit, "Carrier", 0), 0, kCarrierCount - 1);
    showCarrier();
    CPageUDListOf::readRecord();
}

void CPageUDCarrier::writeRecord() { takeName(); }

void CPageUDCarrier::takeName()
{
    work().carriers[static_cast<std::size_t>(m_carrier)].name.assign(recordText(m_name->text()));
}

void CPageUDCarrier::selectCarrier(int carrier)
{
    if (carrier < 0 || carrier >= kCarrierCount)
        return;
    takeName();
    m_carrier = carrier;
    showCarrier();
    refresh();
}

void CPageUDCarrier::showCarrier()
{
    {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(m_carrier);
        for (int k = 0; k < kCarrierCount; ++k)
            m_tabs->setTabText(k, QStringLiteral("%1. %2").arg(k + 1).arg(
                                      controlText(db().carriers[static_cast<std::size_t>(k)].name.view())));
    }
    m_name->setText(controlText(db().carriers[static_cast<std::size_t>(m_carrier)].name.view()));
    ini().writeInt(kCarrierEdit, "Carrier", m_carrier);
}

std::string CPageUDCarrier::internationalCodeText(const Entry& e) const
{
    return e.callType == 0 || treatedAsLocal(e) ? std::string() : e.internationalCode.str();
}

std::string CPageUDCarrier::callTypeName(std::int32_t type) const
{
    return type >= 0 && type < 7 ? m_callTypes[static_cast<std::size_t>(type)] : std::string();
}

std::string CPageUDCarrier::carrierName(std::int32_t changeTo) const
{
    const CarrierBlock* carrier = changeTo > 0 ? db().carrierAt(changeTo - 1) : nullptr;
    return carrier ? carrier->name.str() : std::string();
}

bool CPageUDCarrier::runDialog(Entry& record, bool single)
{
    std::array<std::string, 6> carriers;
    for (int k = 0; k < kCarrierCount; ++k)
        carriers[static_cast<std::size_t>(k)] = db().carriers[static_cast<std::size_t>(k)].name.str();
    CDlgUDPrefix dialog(record, !single, m_carrier, m_callTypes, carriers, this);
    if (runModal(dialog) != QDialog::Accepted)
        return false;
    record = dialog.entry();
    return true;
}

bool CPageUDCarrier::accept(const Entry& record, int ownIndex)
{
    const std::vector<Entry>& list = records();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (static_cast<int>(i) != ownIndex && listtext::wildcardEqual(list[i].prefix.view(), record.prefix.view())) {
            MessageById(sid::kDuplicatePrefix, mb::kOk | mb::kIconExclamation);
            return false;
        }
    return true;
}

bool CPageUDCarrier::sameKey(const Entry& a, const Entry& b) const { return a.prefix.view() == b.prefix.view(); }

Entry CPageUDCarrier::newRecord() const
{
    Entry e;
    e.callType = 2; // "International"
    return e;
}

void CPageUDCarrier::blankDiffering(Entry& common, const Entry& other) const
{
    if (common.internationalCode.view() != other.internationalCode.view())
        common.internationalCode.assign({});
    if (common.callType != other.callType)
        common.callType = -1;
    if (common.changeCarrierTo != other.changeCarrierTo)
        common.changeCarrierTo = -1;
    common.flags |= other.flags;
}

void CPageUDCarrier::blankKeys(Entry& common) const { common.prefix.assign({}); }

void CPageUDCarrier::applyCommon(const Entry& common, Entry& target) const
{
    CDlgUDPrefix::applyCommon(common, target);
}

void CPageUDCarrier::exportList()
{
    std::vector<std::size_t> chosen;
    for (int row : selectedRows())
        chosen.push_back(static_cast<std::size_t>(row));
    listtransfer::exportFrom(this, ini(), work(), prefs(), {SettingsList::Prefixes, m_carrier}, chosen);
}

void CPageUDCarrier::importList()
{
    if (listtransfer::importInto(this, ini(), work(), prefs(), {SettingsList::Prefixes, m_carrier}))
        refresh();
}
