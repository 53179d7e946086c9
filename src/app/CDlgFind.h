#pragma once
// "Find dialed number": the number (digits and '*', with the search history to
// choose from), where to start (top or cursor) and exact match.

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QRadioButton;

struct FindRequest
{
    QString number;
    bool fromCursor = false;
    bool exact = false;
};

class CDlgFind : public QDialog
{
    Q_OBJECT
public:
    CDlgFind(const FindRequest& last, const std::vector<std::string>& history, QWidget* parent = nullptr);

    FindRequest request() const;
    QComboBox* numberBox() const { return m_number; }

private:
    QComboBox* m_number;
    QRadioButton* m_top;
    QRadioButton* m_cursor;
    QCheckBox* m_exact;
};
