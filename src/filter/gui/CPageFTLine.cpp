#include "filter/gui/CPageFTLine.h"

#include "filter/RangeText.h"
#include "filter/gui/CSheetFE.h"
#include "filter/gui/FilterEditorIds.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "prefs/Preferences.h"
#include "settings/SettingsDatabase.h"
#include "ui/CharFilter.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <set>

QString rangeListProblem(const QString& text)
{
    static const QRegularExpression item(QStringLiteral("^(\\d{1,9})?-?(\\d{1,9})?$"));
    std::size_t ranges = 0;
    for (const QString& part : text.split(QLatin1Char(','))) {
        if (part.isEmpty())
            continue;
        if (!item.match(part).hasMatch() || ++ranges > RangeList::kMaxRanges)
            return controlText(LoadText(sid::kBadRangeList));
    }
    return {};
}

CPageFTLine::CPageFTLine(FilterEditorContext& context, QWidget* parent)
    : CPropertyPage(feres::kLinePage, feres::kLineHelp, parent)
    , m_context(context)
{
    const int nameMax = static_cast<int>(FilterRecord::kNameSize) - 1;
    m_employeeOn = makeCheckBox(this, feres::kEmployee);
    m_employee = new QComboBox(this);
    m_departmentOn = makeCheckBox(this, feres::kDepartment);
    m_department = makeEditableCombo(this, nameMax);
    m_departmentExact = makeCheckBox(this, feres::kDepartmentExact);
    m_extensionOn = makeCheckBox(this, feres::kExtension);
    m_extension = new CFilterCombo(CharSetValidator::rangeListChars(), this);
    m_accountOn = makeCheckBox(this, feres::kAccount);
    m_account = new CFilterCombo(CharSetValidator::dialedNumberChars(), this);
    m_account->lineEdit()->setMaxLength(static_cast<int>(FilterRecord::kAccountSize) - 1);
    m_projectOn = makeCheckBox(this, feres::kProject);
    m_project = makeEditableCombo(this, nameMax);
    m_projectExact = makeCheckBox(this, feres::kProjectExact);
    m_carrierOn = makeCheckBox(this, feres::kCarrier);
    m_carrier = new QComboBox(this);
    m_trunkGroupOn = makeCheckBox(this, feres::kTrunkGroup);
    m_trunkGroup = makeEditableCombo(this, nameMax);
    m_trunkGroupExact = makeCheckBox(this, feres::kTrunkGroupExact);
    m_trunkOn = makeCheckBox(this, feres::kTrunk);
    m_trunk = new CFilterCombo(CharSetValidator::rangeListChars(), this);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](QCheckBox* on, QComboBox* combo, QCheckBox* exact) {
        grid->addWidget(on, row, 0);
        grid->addWidget(combo, row, 1);
        if (exact)
            grid->addWidget(exact, row, 2);
        ++row;
    };
    addRow(m_employeeOn, m_employee, nullptr);
    addRow(m_departmentOn, m_department, m_departmentExact);
    addRow(m_extensionOn, m_extension, nullptr);
    grid->setRowMinimumHeight(row++, 8);
    addRow(m_accountOn, m_account, nullptr);
    addRow(m_projectOn, m_project, m_projectExact);
    grid->setRowMinimumHeight(row++, 8);
    addRow(m_carrierOn, m_carrier, nullptr);
    addRow(m_trunkGroupOn, m_trunkGroup, m_trunkGroupExact);
    addRow(m_trunkOn, m_trunk, nullptr);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);

    for (QCheckBox* box : {m_employeeOn, m_departmentOn, m_extensionOn, m_accountOn, m_projectOn, m_carrierOn,
                           m_trunkGroupOn, m_trunkOn})
        connect(box, &QCheckBox::toggled, this, &CPageFTLine::updateEnabling);
    exclude(m_employeeOn, {m_departmentOn, m_extensionOn});
    exclude(m_departmentOn, {m_employeeOn, m_extensionOn});
    exclude(m_extensionOn, {m_employeeOn, m_departmentOn});
    exclude(m_accountOn, {m_projectOn});
    exclude(m_projectOn, {m_accountOn});
    exclude(m_trunkGroupOn, {m_trunkOn});
    exclude(m_trunkOn, {m_trunkGroupOn});
    connect(m_employeeOn, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            employeeChosen();
    });
    connect(m_employee, &QComboBox::activated, this, &CPageFTLine::employeeChosen);
    fillLists();
    translate();
}

void CPageFTLine::exclude(QCheckBox* box, std::initializer_list<QCheckBox*> others)
{
    const std::vector<QCheckBox*> list(others);
    connect(box, &QCheckBox::clicked, this, [list](bool on) {
        if (on)
            for (QCheckBox* other : list)
                other->setChecked(false);
    });
}

void CPageFTLine::fillLists()
{
    const SettingsDatabase& settings = m_context.settings;
    const Preferences& prefs = m_context.prefs;
    // One item per employee: entries of the same name and department (the
    // directory keeps them together) are listed once.
    const DirectoryEntry* previous = nullptr;
    std::set<std::int32_t> extensions;
    std::set<std::string> accounts;
    for (std::size_t i = 0; i < settings.directory.size(); ++i) {
        const DirectoryEntry& entry = settings.directory[i];
        if (!previous || !filtertext::equal(entry.name.view(), previous->name.view())
            || !filtertext::equal(entry.department.view(), previous->department.view()))
            m_employee->addItem(controlText(entry.name.view()), static_cast<int>(i));
        previous = &entry;
        if (entry.extension >= 0)
            extensions.insert(entry.extension);
        if (!entry.accountCode.view().empty())
            accounts.insert(entry.accountCode.str());
    }
    for (const std::int32_t extension : extensions)
        m_extension->addItem(controlText(prefs.formatExtension(extension)));
    for (const std::string& account : accounts)
        m_account->addItem(controlText(account));
    for (const std::string& name : settings.departments().names())
        m_department->addItem(controlText(name));
    for (const std::string& name : settings.projectNames().names())
        m_project->addItem(controlText(name));
    for (const CarrierBlock& carrier : settings.carriers)
        m_carrier->addItem(controlText(carrier.name.view()));
    for (const std::string& name : settings.trunkGroups().names())
        m_trunkGroup->addItem(controlText(name));
    std::set<std::uint32_t> trunks;
    for (const TrunkEntry& trunk : settings.trunks)
        trunks.insert(trunk.number);
    for (const std::uint32_t trunk : trunks)
        m_trunk->addItem(controlText(prefs.formatTrunk(static_cast<int>(trunk))));
}

void CPageFTLine::updateEnabling()
{
    enableAll(m_employeeOn->isChecked(), {m_employee});
    enableAll(m_departmentOn->isChecked(), {m_department, m_departmentExact});
    enableAll(m_extensionOn->isChecked(), {m_extension});
    enableAll(m_accountOn->isChecked(), {m_account});
    enableAll(m_projectOn->isChecked(), {m_project, m_projectExact});
    enableAll(m_carrierOn->isChecked(), {m_carrier});
    enableAll(m_trunkGroupOn->isChecked(), {m_trunkGroup, m_trunkGroupExact});
    enableAll(m_trunkOn->isChecked(), {m_trunk});
}

void CPageFTLine::employeeChosen()
{
    const int position = m_employee->currentData().toInt();
    if (m_employee->currentIndex() < 0 || position < 0
        || static_cast<std::size_t>(position) >= m_context.settings.directory.size())
        return;
    m_department->setEditText(
        controlText(m_context.settings.directory[static_cast<std::size_t>(position)].department.view()));
}

void CPageFTLine::readRecord()
{
    const FilterRecord& f = m_context.state.filter;
    setChecked(m_employeeOn, f.employeeOn);
    // The first entry of the filter's employee in the filter's department.
    int chosen = -1;
    for (int i = 0; i < m_employee->count() && chosen < 0; ++i) {
        const DirectoryEntry& entry =
            m_context.settings.directory[static_cast<std::size_t>(m_employee->itemData(i).toInt())];
        if (filtertext::equal(entry.name.view(), f.employeeText())
            && filtertext::equal(entry.department.view(), f.departmentText()))
            chosen = i;
    }
    m_employee->setCurrentIndex(chosen);
    if (chosen < 0)
        m_employeeOn->setChecked(false);
    setChecked(m_departmentOn, f.departmentOn);
    m_department->setEditText(controlText(f.departmentText()));
    setChecked(m_departmentExact, f.departmentExact);
    setChecked(m_extensionOn, f.extensionOn);
    m_extension->setEditText(controlText(rangetext::formatExtensions(f.extensions, m_context.prefs)));
    setChecked(m_accountOn, f.accountOn);
    m_account->setEditText(controlText(f.accountText()));
    setChecked(m_projectOn, f.projectOn);
    m_project->setEditText(controlText(f.projectText()));
    setChecked(m_projectExact, f.projectExact);
    setChecked(m_carrierOn, f.carrierOn);
    m_carrier->setCurrentIndex(f.carrier >= 0 && f.carrier < m_carrier->count() ? f.carrier : -1);
    setChecked(m_trunkGroupOn, f.trunkGroupOn);
    m_trunkGroup->setEditText(controlText(f.trunkGroupText()));
    setChecked(m_trunkGroupExact, f.trunkGroupExact);
    setChecked(m_trunkOn, f.trunkOn);
    m_trunk->setEditText(controlText(rangetext::formatTrunks(f.trunks, m_context.prefs)));
    updateEnabling();
}

bool CPageFTLine::checkRanges(QComboBox* combo)
{
    const QString problem = rangeListProblem(combo->currentText());
    return problem.isEmpty() || refuse(combo, problem);
}

bool CPageFTLine::checkControls() { return checkRanges(m_extension) && checkRanges(m_trunk); }

void CPageFTLine::writeRecord()
{
    FilterRecord& f = m_context.state.filter;
    f.employeeOn = flagOf(m_employeeOn);
    if (m_employee->currentIndex() >= 0)
        FilterRecord::setText(f.employee, recordText(m_employee->currentText()));
    else
        f.employeeOn = 0;
    f.departmentOn = flagOf(m_departmentOn);
    FilterRecord::setText(f.department, recordText(m_department->currentText()));
    f.departmentExact = flagOf(m_departmentExact);
    f.extensionOn = flagOf(m_extensionOn);
    f.extensions = rangetext::parse(recordText(m_extension->currentText()));
    f.accountOn = flagOf(m_accountOn);
    FilterRecord::setText(f.account, recordText(m_account->currentText()));
    f.projectOn = flagOf(m_projectOn);
    FilterRecord::setText(f.project, recordText(m_project->currentText()));
    f.projectExact = flagOf(m_projectExact);
    f.carrierOn = flagOf(m_carrierOn);
    if (m_carrier->currentIndex() >= 0)
        f.carrier = m_carrier->currentIndex();
    f.trunkGroupOn = flagOf(m_trunkGroupOn);
    FilterRecord::setText(f.trunkGroup, recordText(m_trunkGroup->currentText()));
    f.trunkGroupExact = flagOf(m_trunkGroupExact);
    f.trunkOn = flagOf(m_trunkOn);
    f.trunks = rangetext::parse(recordText(m_trunk->currentText()));
}
