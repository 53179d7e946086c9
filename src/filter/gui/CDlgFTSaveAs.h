#pragma once
// "Save Filter As": the name under which the working filter is saved.

#include <QDialog>

class QLineEdit;

class CDlgFTSaveAs : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgFTSaveAs(QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QString name() const;

private:
    QLineEdit* m_name;
};
