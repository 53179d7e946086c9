#pragma once
// Runs modal dialogs. Window code opens its dialogs through runModal() rather
// than exec(), so that a test (or an unattended run) can take the dialog's
// place: the installed handler gets the dialog, works its controls and returns
// the result that exec() would have returned.

#include <functional>

class QDialog;

using ModalHandler = std::function<int(QDialog& dialog)>;

// exec(), or the handler installed last.
int runModal(QDialog& dialog);

// Installs a handler for its lifetime; the one installed before comes back after.
class ModalOverride
{
public:
    explicit ModalOverride(ModalHandler handler);
    ~ModalOverride();
    ModalOverride(const ModalOverride&) = delete;
    ModalOverride& operator=(const ModalOverride&) = delete;

private:
    ModalHandler m_previous;
};
