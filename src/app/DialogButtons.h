#pragma once
// The button row of the main window's small dialogs: OK (control 1) and, when
// asked for, Cancel (control 2), wired to accept and reject.

#include <QDialogButtonBox>

class QDialog;

QDialogButtonBox* addDialogButtons(QDialog* dialog, QDialogButtonBox::StandardButtons buttons);
