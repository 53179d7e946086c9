#include "textfile/gui/QtTextTableFrontEnd.h"

#include "core/FileTypes.h"
#include "lang/Message.h"
#include "lang/gui/QtTranslate.h"
#include "textfile/gui/CDlgTextTableOptions.h"
#include "ui/ModalRunner.h"

#include <QFileDialog>

#include <utility>

namespace {

TextFileChooser& installedChooser()
{
    static TextFileChooser chooser;
    return chooser;
}

} // namespace

TextFileChooserOverride::TextFileChooserOverride(TextFileChooser chooser)
    : m_previous(std::exchange(installedChooser(), std::move(chooser)))
{ }

TextFileChooserOverride::~TextFileChooserOverride() { installedChooser() = std::move(m_previous); }

std::filesystem::path QtTextTableFrontEnd::chooseFile(TextTableMode mode, const std::filesystem::path& suggested)
{
    if (const TextFileChooser chooser = installedChooser())
        return chooser(mode, suggested);
    const QString filter = qtText(filetypes::qtDialogFilter(TextTableFile::fileTypeFilter(mode)));
    const QString start = QString::fromStdString(suggested.string());
    QString chosen;
    if (mode == TextTableMode::Import) {
        chosen = QFileDialog::getOpenFileName(m_parent, QString(), start, filter);
    } else {
        QFileDialog dialog(m_parent, QString(), start, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().front();
    }
    return std::filesystem::path(chosen.toStdString());
}

bool QtTextTableFrontEnd::editOptions(TextTableFile& file)
{
    CDlgTextTableOptions dialog(file.mode(), file.options(), file.titles(), m_parent);
    if (runModal(dialog) != QDialog::Accepted)
        return false;
    file.options() = dialog.options();
    return true;
}

void QtTextTableFrontEnd::showError(const std::string& message) { ShowMessage(message, mb::kOk | mb::kIconStop); }

void showTextTableOutcome(const TextTableFile::Outcome& outcome, int id)
{
    ShowMessage(outcome.message, outcome.ok ? mb::kOk | mb::kIconInformation : mb::kOk | mb::kIconStop,
                outcome.ok ? id : 0);
}
