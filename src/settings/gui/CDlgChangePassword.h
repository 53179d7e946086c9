#pragma once
// "Change password": the new password typed twice, characters hidden. OK with
// two different texts says so (25381) and stays open with both texts.

#include <QDialog>

#include <string>

class QLineEdit;

class CDlgChangePassword : public QDialog
{
    Q_OBJECT
public:
    // Both boxes start with the level's current password (Windows-1252).
    explicit CDlgChangePassword(const std::string& current, QWidget* parent = nullptr);

    QLineEdit* enterEdit() const { return m_enter; }
    QLineEdit* confirmEdit() const { return m_confirm; }
    // The confirmed password (Windows-1252).
    std::string password() const;

    void accept() override;

private:
    QLineEdit* m_enter;
    QLineEdit* m_confirm;
};
