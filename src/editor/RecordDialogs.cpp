#include "editor/RecordDialogs.h"

#include "core/Locale.h"
#include "editor/EditorIds.h"
#include "lang/Message.h"
#include "lang/StringIds.h"
#include "lang/gui/QtTranslate.h"
#include "prefs/Preferences.h"
#include "settings/NameList.h"
#include "settings/SettingsDatabase.h"
#include "ui/CharFilter.h"
#include "ui/DialogButtonRow.h"
#include "ui/ModalRunner.h"
#include "ui/PageControls.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kTextMax = 63;
constexpr int kCodeMax = 15;
constexpr int kNumberMax = 31;
constexpr int kReserveAhead = 10;

const QString kDigits = QStringLiteral("0123456789");

QLineEdit* makeEdit(QWidget* parent, const QString& allowed, int maxLength)
{
    QLineEdit* edit = allowed.isEmpty() ? new QLineEdit(parent) : new CFilterEdit(allowed, parent);
    edit->setMaxLength(maxLength);
    return edit;
}

// An editable drop-down of the distinct names of a list, sorted in the locale's collation.
template <class Record, class Field>
QComboBox* makeNameCombo(QWidget* parent, const std::vector<Record>& list, Field field, bool fill = true)
{
    QComboBox* combo = makeEditableCombo(parent, kTextMax);
    if (!fill)
        return combo;
    std::vector<std::string_view> names;
    names.reserve(list.size());
    for (const Record& record : list)
        if (!(record.*field).empty())
            names.push_back((record.*field).view());
    NameList distinct;
    distinct.build(names, Locale::current());
    QStringList items;
    if (distinct.size() > kReserveAhead)
        items.reserve(distinct.size());
    for (const std::string& name : distinct.names())
        items.push_back(controlText(name));
    combo->addItems(items);
    return combo;
}

void setComboText(QComboBox* combo, std::string_view text)
{
    combo->setCurrentIndex(-1);
    combo->setEditText(controlText(text));
}

// Digits of a number box as a value; -1 when empty.
int numberOf(const QLineEdit* edit)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty())
        return -1;
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    return ok ? static_cast<int>(std::min<long long>(value, 0x7fffffff)) : -1;
}

bool refuse(int stringId)
{
    MessageById(stringId, mb::kOk | mb::kIconExclamation);
    return false;
}

// False after message `stringId` when a record of the list other than `ownIndex` is `same`.
template <class Record, class Same> bool unique(const std::vector<Record>& list, int ownIndex, Same same, int stringId)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (static_cast<int>(i) != ownIndex && same(list[i]))
            return refuse(stringId);
    return true;
}

} // namespace

// --- CDlgUDRecord ---

CDlgUDRecord::CDlgUDRecord(int templateId, QWidget* parent)
    : QDialog(parent)
    , m_templateId(templateId)
{
    m_form = new QFormLayout;
}

void CDlgUDRecord::addField(QWidget* field, int controlId, QWidget* suffix)
{
    setControlId(field, controlId);
    QLabel* label = makeLabel(this, udres::kFieldLabelFirst + m_fields++);
    label->setBuddy(field);
    if (!suffix) {
        m_form->addRow(label, field);
        return;
    }
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(suffix);
    m_form->addRow(label, row);
}

void CDlgUDRecord::finish()
{
    QDialogButtonBox* buttons = addOkCancelHelp(this, m_templateId);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    TranslateDialog(m_templateId, this);
}

QLineEdit* CDlgUDRecord::edit(int controlId) const
{
    for (QLineEdit* each : findChildren<QLineEdit*>())
        if (controlIdOf(each) == controlId)
            return each;
    return nullptr;
}

QComboBox* CDlgUDRecord::combo(int controlId) const
{
    for (QComboBox* each : findChildren<QComboBox*>())
        if (controlIdOf(each) == controlId)
            return each;
    return nullptr;
}

// --- Directory ---

bool showRecordDialog(DirectoryEntry& record, bool single, const SettingsDatabase& db, const Preferences& prefs,
                      QWidget* parent)
{
    udres::registerResources();
    CDlgUDRecord dialog(udres::kEmployeeDialog, parent);
    QLineEdit* extension = makeEdit(&dialog, kDigits, 9);
    QLineEdit* accountCode = makeEdit(&dialog, kDigits, kCodeMax);
    QLineEdit* name = makeEdit(&dialog, {}, kTextMax);
    QComboBox* department = makeNameCombo(&dialog, db.directory, &DirectoryEntry::department);
    QLineEdit* costModifier = makeEdit(&dialog, kDigits, 5);
    dialog.addField(extension, udres::kExtensionEdit);
    dialog.addField(accountCode, udres::kAccountCodeEdit);
    dialog.addField(name, udres::kNameEdit);
    dialog.addField(department, udres::kDepartmentEdit);
    dialog.addField(costModifier, udres::kCostModifierEdit, new QLabel(QStringLiteral("%"), &dialog));
    dialog.finish();

    if (record.extension != -1)
        extension->setText(controlText(prefs.formatExtension(record.extension)));
    accountCode->setText(controlText(record.accountCode.view()));
    name->setText(controlText(record.name.view()));
    setComboText(department, record.department.view());
    if (record.costModifier != -1)
        costModifier->setText(QString::number(record.costModifier));
    extension->setEnabled(single);
    accountCode->setEnabled(single);

    if (runModal(dialog) != QDialog::Accepted)
        return false;
    if (single) {
        record.extension = numberOf(extension);
        record.accountCode.assign(recordText(accountCode->text()));
    }
    record.name.assign(recordText(name->text()));
    record.department.assign(recordText(department->currentText()));
    const int modifier = numberOf(costModifier);
    record.costModifier = modifier != -1 ? modifier : (single ? 100 : -1);
    return true;
}

bool acceptRecord(const DirectoryEntry& record, int ownIndex, const SettingsDatabase& db)
{
    if (record.extension == -1 && record.accountCode.empty())
        return false;
    for (std::size_t i = 0; i < db.directory.size(); ++i) {
        if (static_cast<int>(i) == ownIndex)
            continue;
        const DirectoryEntry& other = db.directory[i];
        if (record.extension != -1 && other.extension == record.extension)
            return refuse(sid::kDuplicateExtension);
        if (!record.accountCode.empty() && other.accountCode.view() == record.accountCode.view())
            return refuse(sid::kDuplicateAccountCode);
    }
    return true;
}

// --- Trunks ---

bool showRecordDialog(TrunkEntry& record, bool single, const SettingsDatabase& db, const Preferences& prefs,
                      QWidget* parent)
{
    udres::registerResources();
    CDlgUDRecord dialog(udres::kTrunkDialog, parent);
    QLineEdit* number = makeEdit(&dialog, kDigits, 9);
    QComboBox* group = makeNameCombo(&dialog, db.trunks, &TrunkEntry::group);
    auto* carrier = new QComboBox(&dialog);
    for (const CarrierBlock& block : db.carriers)
        carrier->addItem(controlText(block.name.view()));
    dialog.addField(number, udres::kTrunkEdit);
    dialog.addField(group, udres::kNameEdit);
    dialog.addField(carrier, udres::kCarrierCombo);
    dialog.finish();

    if (single)
        number->setText(controlText(prefs.formatTrunk(static_cast<int>(record.number))));
    number->setEnabled(single);
    setComboText(group, record.group.view());
    carrier->setCurrentIndex(record.carrier >= 0 && record.carrier < kCarrierCount ? record.carrier : -1);

    if (runModal(dialog) != QDialog::Accepted)
        return false;
    // An empty box keeps the record's number.
    if (single && numberOf(number) != -1)
        record.number = static_cast<std::uint32_t>(numberOf(number));
    record.group.assign(recordText(group->currentText()));
    // Multi mode: -1 (no choice) leaves each trunk's carrier; single mode keeps a stored value outside 0-5.
    if (carrier->currentIndex() != -1 || !single)
        record.carrier = carrier->currentIndex();
    return true;
}

bool acceptRecord(const TrunkEntry& record, int ownIndex, const SettingsDatabase& db)
{
    return unique(
        db.trunks, ownIndex, [&](const TrunkEntry& other) { return other.number == record.number; },
        sid::kDuplicateTrunk);
}

// --- Contacts ---

bool showRecordDialog(ContactEntry& record, bool single, const SettingsDatabase& db, const Preferences&,
                      QWidget* parent)
{
    udres::registerResources();
    CDlgUDRecord dialog(udres::kContactDialog, parent);
    QLineEdit* number = makeEdit(&dialog, CharSetValidator::dialedNumberChars(), kNumberMax);
    // A large list offers no names: collecting them would take longer than typing one.
    QComboBox* name = makeNameCombo(&dialog, db.contacts, &ContactEntry::name,
                                    db.contacts.size() <= SettingsDatabase::kLargeContactList);
    dialog.addField(number, udres::kPhoneEdit);
    dialog.addField(name, udres::kNameEdit);
    dialog.finish();

    number->setText(controlText(record.number.view()));
    number->setEnabled(single);
    setComboText(name, record.name.view());

    if (runModal(dialog) != QDialog::Accepted)
        return false;
    if (single)
        record.number.assign(recordText(number->text()));
    record.name.assign(recordText(name->currentText()));
    return true;
}

bool acceptRecord(const ContactEntry& record, int ownIndex, const SettingsDatabase& db)
{
    return !record.number.empty()
           && unique(
               db.contacts, ownIndex,
               [&](const ContactEntry& other) { return other.number.view() == record.number.view(); },
               sid::kDuplicateNumber);
}

// --- Projects ---

bool showRecordDialog(ProjectEntry& record, bool single, const SettingsDatabase& db, const Preferences&,
                      QWidget* parent)
{
    udres::registerResources();
    CDlgUDRecord dialog(udres::kProjectDialog, parent);
    QLineEdit* accountCode = makeEdit(&dialog, kDigits, kCodeMax);
    QComboBox* name = makeNameCombo(&dialog, db.projects, &ProjectEntry::name);
    dialog.addField(accountCode, udres::kAccountCodeEdit);
    dialog.addField(name, udres::kNameEdit);
    dialog.finish();

    accountCode->setText(controlText(record.accountCode.view()));
    accountCode->setEnabled(single);
    setComboText(name, record.name.view());

    if (runModal(dialog) != QDialog::Accepted)
        return false;
    if (single)
        record.accountCode.assign(recordText(accountCode->text()));
    record.name.assign(recordText(name->currentText()));
    return true;
}

bool acceptRecord(const ProjectEntry& record, int ownIndex, const SettingsDatabase& db)
{
    return !record.accountCode.empty()
           && unique(
               db.projects, ownIndex,
               [&](const ProjectEntry& other) { return other.accountCode.view() == record.accountCode.view(); },
               sid::kDuplicateAccountCode);
}
