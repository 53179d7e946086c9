#pragma once
// "Projects": account codes linked to projects, and the switch that turns
// the linking on.

#include "editor/ListPageOf.h"
#include "settings/ListRecords.h"

class QCheckBox;

class CPageUDProject : public CPageUDListOf<ProjectEntry>
{
public:
    explicit CPageUDProject(CSheetUD& sheet);

protected:
    bool sameKey(const ProjectEntry& a, const ProjectEntry& b) const override;
    bool findHit(const ProjectEntry& record, std::string_view typed) const override;
    bool sameOnButton(int button, const ProjectEntry& a, const ProjectEntry& b) const override;
    void blankDiffering(ProjectEntry& common, const ProjectEntry& other) const override;
    void blankKeys(ProjectEntry& common) const override;
    void applyCommon(const ProjectEntry& common, ProjectEntry& target) const override;

public:
    QCheckBox* linkBox() const { return m_link; }
    void readRecord() override;
    void writeRecord() override;

private:
    QCheckBox* m_link;
};
