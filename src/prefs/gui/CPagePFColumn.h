#pragma once
// "Columns": the calls list's columns, "Selected" (shown, in order) and
// "Available" (the rest). Columns move between the lists with "&<" and "&>" (or a
// double click) and up and down within "Selected". The list always keeps one
// column: the last selected one cannot be moved away.

#include "ui/PropertySheet.h"

class QPushButton;
class QTreeWidget;
struct PreferencesEditorState;

class CPagePFColumn : public CPropertyPage
{
    Q_OBJECT
public:
    explicit CPagePFColumn(PreferencesEditorState& state, QWidget* parent = nullptr);

    void readRecord() override { rebuild(0, 0); }

    QTreeWidget* selectedList() const { return m_selected; }
    QTreeWidget* availableList() const { return m_available; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }
    QPushButton* upButton() const { return m_up; }
    QPushButton* downButton() const { return m_down; }

    // The actions, on the entries selected in the lists.
    void addColumn();
    void removeColumn();
    void moveUp();
    void moveDown();

private:
    // Fills both lists from the order and selects the given rows (-1: none).
    void rebuild(int selectedRow, int availableRow);
    void updateButtons();
    static int currentRow(const QTreeWidget* list);

    PreferencesEditorState& m_state;
    QTreeWidget* m_selected;
    QTreeWidget* m_available;
    QPushButton* m_add;
    QPushButton* m_remove;
    QPushButton* m_up;
    QPushButton* m_down;
};
