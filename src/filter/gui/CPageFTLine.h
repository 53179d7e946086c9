#pragma once
// "Lines": employee, department, extension ranges, account code, project,
// carrier, trunk group and trunk ranges, with their mutual exclusions.

#include "ui/PropertySheet.h"

class QCheckBox;
class QComboBox;
struct FilterEditorContext;

class CPageFTLine : public CPropertyPage
{
    Q_OBJECT
public:
    explicit CPageFTLine(FilterEditorContext& context, QWidget* parent = nullptr);

    void readRecord() override;
    bool checkControls() override;
    void writeRecord() override;

    QCheckBox* employeeOn() const { return m_employeeOn; }
    QComboBox* employee() const { return m_employee; }
    QCheckBox* departmentOn() const { return m_departmentOn; }
    QComboBox* department() const { return m_department; }
    QCheckBox* departmentExact() const { return m_departmentExact; }
    QCheckBox* extensionOn() const { return m_extensionOn; }
    QComboBox* extension() const { return m_extension; }
    QCheckBox* accountOn() const { return m_accountOn; }
    QComboBox* account() const { return m_account; }
    QCheckBox* projectOn() const { return m_projectOn; }
    QComboBox* project() const { return m_project; }
    QCheckBox* projectExact() const { return m_projectExact; }
    QCheckBox* carrierOn() const { return m_carrierOn; }
    QComboBox* carrier() const { return m_carrier; }
    QCheckBox* trunkGroupOn() const { return m_trunkGroupOn; }
    QComboBox* trunkGroup() const { return m_trunkGroup; }
    QCheckBox* trunkGroupExact() const { return m_trunkGroupExact; }
    QCheckBox* trunkOn() const { return m_trunkOn; }
    QComboBox* trunk() const { return m_trunk; }

private:
    void fillLists();
    void updateEnabling();
    // A check box switched on by the user switches `others` off.
    void exclude(QCheckBox* box, std::initializer_list<QCheckBox*> others);
    void employeeChosen();
    bool checkRanges(QComboBox* combo);

    FilterEditorContext& m_context;
    QCheckBox* m_employeeOn;
    QComboBox* m_employee;
    QCheckBox* m_departmentOn;
    QComboBox* m_department;
    QCheckBox* m_departmentExact;
    QCheckBox* m_extensionOn;
    QComboBox* m_extension;
    QCheckBox* m_accountOn;
    QComboBox* m_account;
    QCheckBox* m_projectOn;
    QComboBox* m_project;
    QCheckBox* m_projectExact;
    QCheckBox* m_carrierOn;
    QComboBox* m_carrier;
    QCheckBox* m_trunkGroupOn;
    QComboBox* m_trunkGroup;
    QCheckBox* m_trunkGroupExact;
    QCheckBox* m_trunkOn;
    QComboBox* m_trunk;
};

// Why a typed range list cannot be stored, or an empty text when it can: every
// item is a number, a number range or a range open on one side, and there are
// at most eight (more would be lost).
QString rangeListProblem(const QString& text);
