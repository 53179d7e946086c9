#pragma once
// Edit boxes and combo boxes that take only a set of characters: a typed
// character outside the set is dropped, and a paste is taken only when every
// one of its characters is allowed (otherwise nothing is inserted). Used for
// dialed numbers and account codes (digits and '*') and range lists (digits,
// '-' and ',').

#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QValidator>

// Accepts a text exactly when all its characters are in the set. An edit that
// would bring in another character is refused as a whole, which is what makes
// a typed character drop and a mixed paste insert nothing.
class CharSetValidator : public QValidator
{
    Q_OBJECT
public:
    CharSetValidator(QString allowed, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;
    bool accepts(const QString& text) const;

    static QString dialedNumberChars() { return QStringLiteral("0123456789*"); }
    static QString rangeListChars() { return QStringLiteral("0123456789-,"); }

private:
    QString m_allowed;
};

class CFilterEdit : public QLineEdit
{
    Q_OBJECT
public:
    CFilterEdit(const QString& allowed, QWidget* parent = nullptr);
};

// The filter applies to the edit part; a text chosen from the list passes as it is.
class CFilterCombo : public QComboBox
{
    Q_OBJECT
public:
    CFilterCombo(const QString& allowed, QWidget* parent = nullptr);
};
