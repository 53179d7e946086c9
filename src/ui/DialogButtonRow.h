#pragma once
// The OK, Cancel and Help row of a dialog with a template: the buttons carry
// the control ids 1, 2 and 9 (for their translated texts), OK and Cancel
// accept and reject, Help (and F1) opens the template's help section.

class QDialog;
class QDialogButtonBox;

QDialogButtonBox* addOkCancelHelp(QDialog* dialog, int templateId);
