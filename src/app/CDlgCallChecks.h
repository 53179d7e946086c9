#pragma once
// "Call checks": every check rule with the number of shown calls it found.
// Double-clicking a rule shows only its calls in the calls list (Undo brings
// the others back) and closes the window.

#include "session/CallChecks.h"

#include <QDialog>

#include <functional>
#include <span>

class MainSession;
class QTreeWidget;

class CDlgCallChecks : public QDialog
{
    Q_OBJECT
public:
    using ShowCalls = std::function<void(std::span<const std::uint32_t> tableIndices)>;

    // Checks the calls the list shows now.
    CDlgCallChecks(const MainSession& session, ShowCalls show, QWidget* parent = nullptr);

    const CheckResults& results() const { return m_results; }
    QTreeWidget* ruleList() const { return m_list; }
    // What double-clicking the rule does.
    void showRule(CheckRule rule);

private:
    CheckResults m_results;
    ShowCalls m_show;
    QTreeWidget* m_list;
};
