#include "report/gui/CDlgCreateReport.h"

#include "lang/gui/QtTranslate.h"
#include "prefs/Preferences.h"
#include "report/gui/ReportGuiIds.h"
#include "settings/SettingsDatabase.h"
#include "ui/CharFilter.h"
#include "ui/DateControls.h"
#include "ui/DialogButtonRow.h"
#include "ui/PageControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <set>

namespace {

constexpr std::array<int, 10> kComboIds = {0,
                                           rptres::kEmployee,
                                           rptres::kDepartment,
                                           rptres::kTrunk,
                                           rptres::kExtension,
                                           rptres::kAccount,
                                           rptres::kContact,
                                           rptres::kTrunkGroup,
                                           rptres::kProject,
                                           0};

// Adds `text` unless the combo has it already.
void addOnce(QComboBox* combo, std::set<QString>& seen, const QString& text)
{
    if (seen.insert(text).second)
        combo->addItem(text);
}

// An extension or trunk typed or chosen: its number, -1 when there is none.
int numberOf(const QComboBox* combo)
{
    bool ok = false;
    const int value = combo->currentText().trimmed().toInt(&ok);
    return ok && value >= 0 ? value : -1;
}

void selectText(QComboBox* combo, std::string_view text)
{
    combo->setCurrentIndex(combo->findText(controlText(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

} // namespace

CDlgCreateReport::CDlgCreateReport(const ReportChoices& choices, const CallDate& from, const CallDate& to,
                                   const std::vector<std::string>& templates, const SettingsDatabase& settings,
                                   const Preferences& prefs, bool quick, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_prefs(prefs)
{
    rptres::registerResources();
    QLabel* templateLabel = makeLabel(this, rptres::kTemplateLabel);
    m_template = new QComboBox(this);
    setControlId(m_template, rptres::kTemplate);
    templateLabel->setBuddy(m_template);
    for (const std::string& name : templates)
        m_template->addItem(controlText(name));

    QGroupBox* kindGroup = makeGroupBox(this, rptres::kKindGroup);
    auto* kindGrid = new QGridLayout(kindGroup);
    auto* buttons = new QButtonGroup(this);
    for (int kind = 0; kind < kReportKindCount; ++kind) {
        auto* radio = new QRadioButton(kindGroup);
        setControlId(radio, rptres::kKindFirst + kind);
        buttons->addButton(radio, kind);
        m_kinds[static_cast<std::size_t>(kind)] = radio;
        if (const int comboId = kComboIds[static_cast<std::size_t>(kind)]) {
            QComboBox* combo = nullptr;
            if (kind == ReportTrunk || kind == ReportExtension || kind == ReportAccCode) {
                combo = new CFilterCombo(QStringLiteral("0123456789"), kindGroup);
                if (kind == ReportAccCode)
                    combo->lineEdit()->setMaxLength(15);
            } else {
                combo = new QComboBox(kindGroup);
            }
            setControlId(combo, comboId);
            m_individuals[static_cast<std::size_t>(kind)] = combo;
        }
    }
    int row = 0;
    kindGrid->addWidget(m_kinds[0], row++, 0, 1, 2);
    kindGrid->addWidget(makeLabel(kindGroup, rptres::kIndividualLabel), row++, 0, 1, 2);
    for (int kind = 1; kind < kReportKindCount; ++kind) {
        kindGrid->addWidget(m_kinds[static_cast<std::size_t>(kind)], row, 0);
        if (QComboBox* combo = m_individuals[static_cast<std::size_t>(kind)])
            kindGrid->addWidget(combo, row, 1);
        ++row;
    }
    kindGrid->setColumnStretch(1, 1);
    m_pageBreaks = makeCheckBox(this, rptres::kPageBreaks);

    QGroupBox* dateGroup = makeGroupBox(this, rptres::kDateGroup);
    m_fromDate = makeDateEdit(dateGroup);
    m_fromTime = makeTimeEdit(dateGroup);
    m_toDate = makeDateEdit(dateGroup);
    m_toTime = makeTimeEdit(dateGroup);
    setControlId(m_fromDate, rptres::kFromDate);
    setControlId(m_fromTime, rptres::kFromTime);
    setControlId(m_toDate, rptres::kToDate);
    setControlId(m_toTime, rptres::kToTime);
    auto* dateGrid = new QGridLayout(dateGroup);
    QLabel* fromLabel = makeLabel(dateGroup, rptres::kFromLabel);
    QLabel* toLabel = makeLabel(dateGroup, rptres::kToLabel);
    fromLabel->setBuddy(m_fromDate);
    toLabel->setBuddy(m_toDate);
    dateGrid->addWidget(fromLabel, 0, 0);
    dateGrid->addWidget(m_fromDate, 0, 1);
    dateGrid->addWidget(m_fromTime, 0, 2);
    dateGrid->addWidget(toLabel, 1, 0);
    dateGrid->addWidget(m_toDate, 1, 1);
    dateGrid->addWidget(m_toTime, 1, 2);
    dateGrid->setColumnStretch(1, 1);
    const QDateTime shownFrom = shownDateTime(from);
    const QDateTime shownTo = shownDateTime(to);
    m_fromDate->setDate(shownFrom.date());
    m_fromTime->setTime(shownFrom.time());
    m_toDate->setDate(shownTo.date());
    m_toTime->setTime(shownTo.time());
    enableAll(!quick, {m_fromDate, m_fromTime, m_toDate, m_toTime});

    QDialogButtonBox* box = addOkCancelHelp(this, rptres::kCreateReportDialog);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(templateLabel);
    layout->addWidget(m_template);
    layout->addWidget(kindGroup);
    layout->addWidget(m_pageBreaks);
    layout->addWidget(dateGroup);
    layout->addWidget(box);

    fillLists();
    show(choices);
    connect(buttons, &QButtonGroup::idClicked, this, &CDlgCreateReport::updateEnabling);
    connect(m_individuals[ReportEmployee], &QComboBox::activated, this, &CDlgCreateReport::employeeChosen);
    updateEnabling();
    TranslateDialog(rptres::kCreateReportDialog, this);
}

QComboBox* CDlgCreateReport::individualCombo(int kind) const
{
    return kind >= 0 && kind < kReportKindCount ? m_individuals[static_cast<std::size_t>(kind)] : nullptr;
}

void CDlgCreateReport::fillLists()
{
    // One item per employee: an entry whose name differs from the entry before it.
    const std::vector<DirectoryEntry>& directory = m_settings.directory;
    std::set<QString> extensions;
    std::set<QString> accounts;
    for (std::size_t i = 0; i < directory.size(); ++i) {
        const DirectoryEntry& entry = directory[i];
        if (i == 0 || entry.name.view() != directory[i - 1].name.view())
            m_individuals[ReportEmployee]->addItem(controlText(entry.name.view()), static_cast<int>(i));
        if (entry.extension != -1)
            addOnce(m_individuals[ReportExtension], extensions, controlText(m_prefs.formatExtension(entry.extension)));
        if (!entry.accountCode.view().empty())
            addOnce(m_individuals[ReportAccCode], accounts, controlText(entry.accountCode.view()));
    }
    const auto fill = [](QComboBox* combo, const NameList& names) {
        for (const std::string& name : names.names())
            combo->addItem(controlText(name));
    };
    fill(m_individuals[ReportDepartment], m_settings.departments());
    fill(m_individuals[ReportContact], m_settings.contactNames());
    fill(m_individuals[ReportTrunkGroup], m_settings.trunkGroups());
    fill(m_individuals[ReportProject], m_settings.projectNames());
    std::set<QString> trunks;
    for (const TrunkEntry& trunk : m_settings.trunks)
        addOnce(m_individuals[ReportTrunk], trunks, controlText(m_prefs.formatTrunk(static_cast<int>(trunk.number))));
}

void CDlgCreateReport::show(const ReportChoices& choices)
{
    // The last template when none is stored, or when the stored one is gone.
    const int stored = choices.templateName.empty() ? -1
                                                    : m_template->findText(controlText(choices.templateName),
                                                                           Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_template->setCurrentIndex(stored >= 0 ? stored : m_template->count() - 1);

    const int kind = choices.kind >= 0 && choices.kind < kReportKindCount ? choices.kind : ReportSummary;
    m_kinds[static_cast<std::size_t>(kind)]->setChecked(true);

    // The stored employee; of several of that name, the one in the stored department.
    QComboBox* employee = m_individuals[ReportEmployee];
    employee->setCurrentIndex(-1);
    for (int i = 0; i < employee->count(); ++i) {
        const DirectoryEntry& entry = m_settings.directory[static_cast<std::size_t>(employee->itemData(i).toInt())];
        if (entry.name.view() != choices.employee)
            continue;
        if (employee->currentIndex() < 0 || entry.department.view() == choices.department)
            employee->setCurrentIndex(i);
    }
    selectText(m_individuals[ReportDepartment], choices.department);
    selectText(m_individuals[ReportContact], choices.contact);
    selectText(m_individuals[ReportTrunkGroup], choices.trunkGroup);
    selectText(m_individuals[ReportProject], choices.project);
    m_individuals[ReportTrunk]->setEditText(choices.trunk >= 0 ? controlText(m_prefs.formatTrunk(choices.trunk))
                                                               : QString());
    m_individuals[ReportExtension]->setEditText(
        choices.extension >= 0 ? controlText(m_prefs.formatExtension(choices.extension)) : QString());
    m_individuals[ReportAccCode]->setEditText(controlText(choices.account));
    m_pageBreaks->setChecked(choices.pageBreak);
}

int CDlgCreateReport::checkedKind() const
{
    for (int kind = 0; kind < kReportKindCount; ++kind)
        if (m_kinds[static_cast<std::size_t>(kind)]->isChecked())
            return kind;
    return ReportSummary;
}

void CDlgCreateReport::updateEnabling()
{
    const int kind = checkedKind();
    for (int other = 0; other < kReportKindCount; ++other)
        if (QComboBox* combo = m_individuals[static_cast<std::size_t>(other)])
            combo->setEnabled(other == kind);
}

void CDlgCreateReport::employeeChosen(int index)
{
    const QVariant entry = m_individuals[ReportEmployee]->itemData(index);
    if (!entry.isValid())
        return;
    selectText(m_individuals[ReportDepartment],
               m_settings.directory[static_cast<std::size_t>(entry.toInt())].department.view());
}

ReportChoices CDlgCreateReport::choices() const
{
    ReportChoices choices;
    choices.kind = checkedKind();
    choices.templateName = recordText(m_template->currentText());
    choices.extension = numberOf(m_individuals[ReportExtension]);
    choices.trunk = numberOf(m_individuals[ReportTrunk]);
    choices.account = recordText(m_individuals[ReportAccCode]->currentText());
    choices.employee = recordText(m_individuals[ReportEmployee]->currentText());
    choices.department = recordText(m_individuals[ReportDepartment]->currentText());
    choices.contact = recordText(m_individuals[ReportContact]->currentText());
    choices.trunkGroup = recordText(m_individuals[ReportTrunkGroup]->currentText());
    choices.project = recordText(m_individuals[ReportProject]->currentText());
    choices.pageBreak = m_pageBreaks->isChecked();
    return choices;
}

CallDate CDlgCreateReport::from() const { return callDateOf(QDateTime(m_fromDate->date(), m_fromTime->time())); }

CallDate CDlgCreateReport::to() const { return callDateOf(QDateTime(m_toDate->date(), m_toTime->time())); }
