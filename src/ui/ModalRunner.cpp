#include "ui/ModalRunner.h"

#include <QDialog>

#include <utility>

namespace {

ModalHandler& installedHandler()
{
    static ModalHandler handler;
    return handler;
}

} // namespace

int runModal(QDialog& dialog)
{
    // A copy: the handler may open a nested dialog that installs another one.
    const ModalHandler handler = installedHandler();
    return handler ? handler(dialog) : dialog.exec();
}

ModalOverride::ModalOverride(ModalHandler handler)
    : m_previous(std::exchange(installedHandler(), std::move(handler)))
{ }

ModalOverride::~ModalOverride() { installedHandler() = std::move(m_previous); }
