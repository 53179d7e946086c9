#pragma once
// "Login": asks for the password at start-up and on "Change login level".

#include <QDialog>

#include <optional>

class QLineEdit;
struct SettingsHeader;

class CDlgLogin : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgLogin(QWidget* parent = nullptr);

    QString password() const;
    void setPassword(const QString& text);

    // The whole login: without the password switch the Administrator level at
    // once; otherwise the dialog until a password opens a level ("Invalid
    // password!" and the dialog again with the typed text) or Cancel (nothing).
    static std::optional<int> run(QWidget* parent, const SettingsHeader& header);

private:
    QLineEdit* m_password;
};
