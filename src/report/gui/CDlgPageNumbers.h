#pragma once
// "Page numbers": whether page numbers are printed, at the top or the bottom
// of the page, and aligned left, center or right. Position and alignment are
// only enabled while the page numbers are on.

#include "report/print/ReportPrint.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

class CDlgPageNumbers : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgPageNumbers(const PageSettings& settings, QWidget* parent = nullptr);

    // `settings` with the dialog's choice of page numbers.
    PageSettings chosen(PageSettings settings) const;

    QCheckBox* printBox() const { return m_print; }
    QRadioButton* positionButton(int position) const { return position == PageSettings::Top ? m_top : m_bottom; }
    QRadioButton* alignButton(int align) const { return m_align[static_cast<std::size_t>(align)]; }

private:
    void updateEnabling();

    QCheckBox* m_print;
    QRadioButton* m_top;
    QRadioButton* m_bottom;
    std::array<QRadioButton*, 3> m_align{};
};
