#pragma once
// Controls the pricing pages share: boxes for whole seconds, amount edits in
// a currency of the working copy, and the currency symbol beside them.

#include "settings/CurrencyFormat.h"

#include <QString>

class IniProfile;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;
class SettingsDatabase;
struct Preferences;

// What the pricing pages work on: the sheet's working copy, the INI file
// (list layouts, the chosen carrier) and the preferences (call-type names).
struct TariffContext
{
    SettingsDatabase& db;
    IniProfile& ini;
    const Preferences& prefs;
};

QSpinBox* makeSecondsBox(QWidget* parent, int controlId, int maximum = 999999);
// Takes digits, a sign and the currency's decimal symbol.
QLineEdit* makeAmountEdit(QWidget* parent, int controlId);

// An amount as an edit shows it (8 decimals cut down to the currency's digits), and back.
QString amountText(const SettingsDatabase& db, double amount, Currency which);
double amountOf(const SettingsDatabase& db, const QLineEdit* edit, Currency which);

// The symbol of a currency in the label before or after an amount, as its
// symbol position puts it (odd positions after the amount).
void showSymbol(const SettingsDatabase& db, Currency which, QLabel* before, QLabel* after);

// "Delete selected records?" when more than one row is chosen; true to go on.
bool confirmDelete(int selectedCount);
