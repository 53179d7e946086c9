#pragma once
// "Save / Load": loads a saved filter into the working filter, saves the
// working filter under a name, deletes saved filters, resets the working
// filter and chooses or clears the default filter. Changes go to the sheet's
// copies of the saved list and default name.

#include "ui/PropertySheet.h"

class QComboBox;
class QPushButton;
struct FilterEditorContext;

class CPageFTSave : public CPropertyPage
{
    Q_OBJECT
public:
    explicit CPageFTSave(FilterEditorContext& context, QWidget* parent = nullptr);

    void readRecord() override { fillLists(); }

    QComboBox* loadList() const { return m_load; }
    QComboBox* defaultList() const { return m_default; }
    QPushButton* saveAsButton() const { return m_saveAs; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* resetButton() const { return m_reset; }
    QPushButton* clearButton() const { return m_clear; }

    // The actions of the controls.
    void load(int index);
    void saveAs();
    void deleteChosen();
    void reset();
    void chooseDefault(int index);
    void clearDefault();

private:
    void fillLists();

    FilterEditorContext& m_context;
    QComboBox* m_load;
    QPushButton* m_saveAs;
    QPushButton* m_delete;
    QPushButton* m_reset;
    QComboBox* m_default;
    QPushButton* m_clear;
};
