#pragma once
// The options of a text-table import or export (dialog 203): which fields the
// file holds in which column order, with their extra empty columns (delimited)
// or widths (fixed width), the separator and the run's options. In export
// mode the trim and delete-all boxes read "Export selected records" and "Use
// Excel friendly format", and the add and update boxes are hidden.

#include "textfile/TextTableOptions.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

class CDlgTextTableOptions : public QDialog
{
    Q_OBJECT
public:
    CDlgTextTableOptions(TextTableMode mode, const TextTableOptions& options, std::vector<std::string> titles,
                         QWidget* parent = nullptr);

    // The values as edited; the controls' flags are taken over on OK.
    const TextTableOptions& options() const { return m_options; }

    QListWidget* fieldList() const { return m_fields; }
    // A control by its template id (buttons, radios, check boxes, the separator combo).
    QWidget* control(int id) const;

    void accept() override;

private:
    void showPositions();
    void updateEnabling();
    void takeFlags();
    void moveSelected(bool up);
    void editSelected(void (TextTableOptions::*change)(std::size_t, int), int delta);
    void fieldChanged(QListWidgetItem* item);
    int selectedPosition() const;

    TextTableMode m_mode;
    TextTableOptions m_options;
    std::vector<std::string> m_titles;
    QListWidget* m_fields;
    QRadioButton* m_tab;
    QRadioButton* m_other;
    QRadioButton* m_fixed;
    QComboBox* m_separator;
    QCheckBox* m_firstLine;
    QCheckBox* m_trim;      // export: "Export selected records"
    QCheckBox* m_deleteAll; // export: "Use Excel friendly format"
    QCheckBox* m_add;
    QCheckBox* m_update;
    bool m_filling = false;
};
