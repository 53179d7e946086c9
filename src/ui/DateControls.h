#pragma once
// Date and time pickers of the dialogs: the date in the locale's short date
// format with a calendar pop-up, the time as hours and minutes in the locale's
// convention; and the exchange with the minute-exact CallDate.

#include "calls/CallDate.h"

#include <QDateTime>

class QDateEdit;
class QTimeEdit;
class QWidget;

QDateEdit* makeDateEdit(QWidget* parent);
QTimeEdit* makeTimeEdit(QWidget* parent);

// A CallDate as the pickers show it (a date that does not exist shows as today).
QDateTime shownDateTime(const CallDate& date);
CallDate callDateOf(const QDateTime& shown);
