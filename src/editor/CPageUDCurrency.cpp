#include "editor/CPageUDCurrency.h"

#include "core/IniProfile.h"
#include "core/LocaleTexts.h"
#include "editor/CSheetUD.h"
#include "editor/TariffPageIds.h"
#include "editor/TextTable.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "settings/SettingsDatabase.h"
#include "textfile/gui/ListTransfer.h"
#include "ui/ModalRunner.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace {

constexpr std::string_view kSection = "ListCurrency";

QComboBox* makeCombo(QWidget* parent, int controlId, const QStringList& items, bool editable = false)
{
    auto* combo = editable ? makeEditableCombo(parent, 1) : new QComboBox(parent);
    combo->addItems(items);
    setControlId(combo, controlId);
    return combo;
}

QStringList digitItems()
{
    QStringList items;
    for (int i = 0; i <= 9; ++i)
        items << QString::number(i);
    return items;
}

QStringList positionItems()
{
    return {QStringLiteral("$1.1"), QStringLiteral("1.1$"), QStringLiteral("$ 1.1"), QStringLiteral("1.1 $")};
}

QLineEdit* makeSymbolEdit(QWidget* parent, int controlId)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(7);
    setControlId(edit, controlId);
    return edit;
}

std::uint32_t indexOf(const QComboBox* box) { return static_cast<std::uint32_t>(std::max(0, box->currentIndex())); }

auto dateOf(const ExchangeRateEntry& e) { return std::tie(e.year, e.month, e.day); }

} // namespace

std::size_t CPageUDCurrency::insertRate(std::vector<ExchangeRateEntry>& history, const ExchangeRateEntry& entry)
{
    auto at = std::find_if(history.begin(), history.end(),
                           [&](const ExchangeRateEntry& e) { return dateOf(e) >= dateOf(entry); });
    if (at != history.end() && dateOf(*at) == dateOf(entry))
        at->rate = entry.rate;
    else
        at = history.insert(at, entry);
    return static_cast<std::size_t>(at - history.begin());
}

CPageUDCurrency::CPageUDCurrency(CSheetUD& sheet)
    : CPageUDCurrency(TariffContext{sheet.work(), sheet.ini(), sheet.prefs()})
{ }

CPageUDCurrency::CPageUDCurrency(TariffContext context, QWidget* parent)
    : CPropertyPage(tariffres::kCurrencyPage, tariffres::kCurrencyHelp, parent)
    , m_context(context)
    , m_line(makeExchangeRateLine(this))
{
    tariffres::registerResources();
    QGroupBox* main = makeGroupBox(this, tariffres::kMainGroup);
    m_override = makeCheckBox(main, tariffres::kOverride);
    m_symbol = makeSymbolEdit(main, tariffres::kSymbol);
    m_position = makeCombo(main, tariffres::kPosition, positionItems());
    m_decimal = makeCombo(main, tariffres::kDecimal, {QStringLiteral("."), QStringLiteral(",")}, true);
    m_digits = makeCombo(main, tariffres::kDigits, digitItems());
    m_grouping = makeCombo(main, tariffres::kGrouping, {QStringLiteral(" "), QStringLiteral("'")}, true);
    m_groupSize = makeCombo(main, tariffres::kGroupSize, digitItems());
    m_roundCost = makeCheckBox(main, tariffres::kRoundCost);
    auto* mainGrid = new QGridLayout(main);
    mainGrid->addWidget(m_override, 0, 0, 1, 4);
    const auto field = [&](QGridLayout* grid, int labelId, QWidget* control, int row, int column) {
        QLabel* label = makeLabel(control->parentWidget(), labelId);
        label->setBuddy(control);
        grid->addWidget(label, row, column);
        grid->addWidget(control, row, column + 1);
    };
    field(mainGrid, tariffres::kSymbolLabel, m_symbol, 1, 0);
    field(mainGrid, tariffres::kPositionLabel, m_position, 1, 2);
    field(mainGrid, tariffres::kDecimalLabel, m_decimal, 2, 0);
    field(mainGrid, tariffres::kDigitsLabel, m_digits, 2, 2);
    field(mainGrid, tariffres::kGroupingLabel, m_grouping, 3, 0);
    field(mainGrid, tariffres::kGroupSizeLabel, m_groupSize, 3, 2);
    mainGrid->addWidget(m_roundCost, 4, 0, 1, 4);

    QGroupBox* alternative = makeGroupBox(this, tariffres::kAltGroup);
    m_altSymbol = makeSymbolEdit(alternative, tariffres::kAltSymbol);
    m_altPosition = makeCombo(alternative, tariffres::kAltPosition, positionItems());
    auto* altGrid = new QGridLayout(alternative);
    field(altGrid, tariffres::kAltSymbolLabel, m_altSymbol, 0, 0);
    field(altGrid, tariffres::kAltPositionLabel, m_altPosition, 0, 2);

    QGroupBox* rates = makeGroupBox(this, tariffres::kRateGroup);
    for (QWidget* w : {static_cast<QWidget*>(m_line.alternative), static_cast<QWidget*>(m_line.mainBefore),
                       static_cast<QWidget*>(m_line.rate), static_cast<QWidget*>(m_line.mainAfter)})
        w->setParent(rates);
    m_useHistory = makeCheckBox(rates, tariffres::kUseHistory);
    m_historyModel = new TextTableModel(
        {qtText(LoadText(sid::kExchangeRateDate)), qtText(LoadText(sid::kExchangeRateRate))},
        [this] { return static_cast<int>(m_context.db.exchangeRates.size()); },
        [this](int row, int column) { return historyText(row, column); }, this);
    m_history = makeTextTable(rates, m_historyModel, QAbstractItemView::ExtendedSelection);
    setControlId(m_history, tariffres::kList);
    m_history->installEventFilter(this);
    m_history->setColumnWidth(0, m_context.ini.readInt(kSection, "ColWidth0", 68));
    m_history->setColumnWidth(1, m_context.ini.readInt(kSection, "ColWidth1", 68));
    m_add = makeButton(rates, tariffres::kAdd);
    m_delete = makeButton(rates, tariffres::kDelete);
    m_export = makeButton(rates, tariffres::kExport);
    m_import = makeButton(rates, tariffres::kImport);
    auto* rateLine = new QHBoxLayout;
    rateLine->addWidget(m_line.alternative);
    rateLine->addWidget(makeLabel(rates, tariffres::kEquals));
    rateLine->addWidget(m_line.mainBefore);
    rateLine->addWidget(m_line.rate);
    rateLine->addWidget(m_line.mainAfter);
    rateLine->addStretch(1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_add, m_delete, m_export, m_import})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* rateGrid = new QGridLayout(rates);
    rateGrid->addLayout(rateLine, 0, 0, 1, 2);
    rateGrid->addWidget(m_useHistory, 1, 0, 1, 2);
    rateGrid->addWidget(m_history, 2, 0);
    rateGrid->addLayout(buttons, 2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(main);
    layout->addWidget(alternative);
    layout->addWidget(rates, 1);

    connect(m_override, &QCheckBox::toggled, this, &CPageUDCurrency::takeNow);
    connect(m_position, &QComboBox::currentIndexChanged, this, &CPageUDCurrency::takeNow);
    connect(m_altPosition, &QComboBox::currentIndexChanged, this, &CPageUDCurrency::takeNow);
    connect(m_digits, &QComboBox::currentIndexChanged, this, &CPageUDCurrency::takeNow);
    connect(m_symbol, &QLineEdit::textEdited, this, &CPageUDCurrency::takeNow);
    connect(m_altSymbol, &QLineEdit::textEdited, this, &CPageUDCurrency::takeNow);
    connect(m_decimal, &QComboBox::currentTextChanged, this, &CPageUDCurrency::takeNow);
    connect(m_useHistory, &QCheckBox::toggled, this, &CPageUDCurrency::updateEnabling);
    connect(m_add, &QPushButton::clicked, this, &CPageUDCurrency::addRate);
    connect(m_delete, &QPushButton::clicked, this, &CPageUDCurrency::removeSelected);
    connect(m_import, &QPushButton::clicked, this, [this] {
        if (listtransfer::importInto(this, m_context.ini, m_context.db, m_context.prefs, {SettingsList::ExchangeRates}))
            fillHistory();
    });
    connect(m_export, &QPushButton::clicked, this, [this] {
        listtransfer::exportFrom(this, m_context.ini, m_context.db, m_context.prefs, {SettingsList::ExchangeRates},
                                 selectedRates());
    });
    translate();
}

void CPageUDCurrency::readRecord()
{
    m_loading = true;
    const SettingsHeader& h = m_context.db.header;
    m_override->setChecked(h.overrideCurrency != 0);
    m_symbol->setText(controlText(h.mainCurrency.symbol.view()));
    m_position->setCurrentIndex(static_cast<int>(h.mainCurrency.symbolPosition % 4));
    m_decimal->setEditText(controlText(h.mainCurrency.decimalSymbol.view()));
    m_digits->setCurrentIndex(static_cast<int>(std::min<std::uint32_t>(h.mainCurrency.digits, 9)));
    m_grouping->setEditText(controlText(h.mainCurrency.groupingSymbol.view()));
    m_groupSize->setCurrentIndex(static_cast<int>(std::min<std::uint32_t>(h.mainCurrency.groupSize, 9)));
    m_roundCost->setChecked(h.roundCost != 0);
    m_altSymbol->setText(controlText(h.alternativeCurrency.symbol.view()));
    m_altPosition->setCurrentIndex(static_cast<int>(h.alternativeCurrency.symbolPosition % 4));
    m_useHistory->setChecked(h.useRateHistory != 0);
    m_loading = false;
    m_line.refresh(m_context.db);
    m_line.rate->setText(amountText(m_context.db, h.exchangeRate, Currency::Main));
    fillHistory();
    updateEnabling();
}

void CPageUDCurrency::takeControls()
{
    SettingsHeader& h = m_context.db.header;
    h.overrideCurrency = flagOf(m_override);
    h.mainCurrency.symbol.assign(recordText(m_symbol->text()));
    h.mainCurrency.symbolPosition = indexOf(m_position);
    h.mainCurrency.decimalSymbol.assign(recordText(m_decimal->currentText()));
    h.mainCurrency.digits = indexOf(m_digits);
    h.mainCurrency.groupingSymbol.assign(recordText(m_grouping->currentText()));
    h.mainCurrency.groupSize = indexOf(m_groupSize);
    h.roundCost = flagOf(m_roundCost);
    h.alternativeCurrency.symbol.assign(recordText(m_altSymbol->text()));
    h.alternativeCurrency.symbolPosition = indexOf(m_altPosition);
    h.useRateHistory = flagOf(m_useHistory);
}

void CPageUDCurrency::takeNow()
{
    if (m_loading)
        return;
    // The rate is read in the decimal symbol it was shown with.
    const double rate = amountOf(m_context.db, m_line.rate, Currency::Main);
    takeControls();
    m_context.db.rebuildCurrencyFormats();
    m_line.refresh(m_context.db);
    m_line.rate->setText(amountText(m_context.db, rate, Currency::Main));
    fillHistory();
    updateEnabling();
}

void CPageUDCurrency::writeRecord()
{
    m_context.db.header.exchangeRate = amountOf(m_context.db, m_line.rate, Currency::Main);
    takeControls();
    m_context.db.rebuildCurrencyFormats();
}

void CPageUDCurrency::sheetAccepted()
{
    m_context.db.rebuildCurrencyFormats();
    IniProfile::Batch batch(m_context.ini);
    m_context.ini.writeInt(kSection, "ColWidth0", m_history->columnWidth(0));
    m_context.ini.writeInt(kSection, "ColWidth1", m_history->columnWidth(1));
}

void CPageUDCurrency::updateEnabling()
{
    enableAll(m_override->isChecked(), {m_symbol, m_position, m_decimal, m_digits, m_grouping, m_groupSize});
    const bool history = m_useHistory->isChecked();
    enableAll(history, {m_history, m_add, m_delete, m_export, m_import});
    if (!history)
        m_history->clearSelection();
}

QString CPageUDCurrency::historyText(int row, int column) const
{
    const ExchangeRateEntry& e = m_context.db.exchangeRates[static_cast<std::size_t>(row)];
    if (column == 1)
        return amountText(m_context.db, e.rate, Currency::Main);
    const LocaleTexts& texts = LocaleTexts::current();
    DateTimeFields when;
    when.year = e.year;
    when.month = e.month;
    when.day = e.day;
    return controlText(formatDateTime(texts.shortDateFormat, when, texts));
}

void CPageUDCurrency::fillHistory(int select)
{
    m_historyModel->reset();
    // The dates are never cut off: the column grows to its longest date.
    widenToContents(m_history, 0);
    selectRowOf(m_history, select);
}

std::vector<std::size_t> CPageUDCurrency::selectedRates() const
{
    std::vector<std::size_t> out;
    for (int row : selectedRowsOf(m_history))
        out.push_back(static_cast<std::size_t>(row));
    return out;
}

void CPageUDCurrency::addRate()
{
    CDlgUDExchangeRate dialog(m_context.db, this);
    if (runModal(dialog) != QDialog::Accepted)
        return;
    fillHistory(static_cast<int>(insertRate(m_context.db.exchangeRates, dialog.entry())));
}

void CPageUDCurrency::removeSelected()
{
    const std::vector<std::size_t> chosen = selectedRates();
    if (!confirmDelete(static_cast<int>(chosen.size())))
        return;
    auto& history = m_context.db.exchangeRates;
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
        history.erase(history.begin() + static_cast<std::ptrdiff_t>(*it));
    fillHistory();
}

bool CPageUDCurrency::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_history && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        removeSelected();
        return true;
    }
    return CPropertyPage::eventFilter(watched, event);
}
