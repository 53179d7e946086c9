#include "lang/gui/TranslationCommands.h"

#include "core/Cp1252.h"
#include "core/FileTypes.h"
#include "lang/LanguageService.h"
#include "lang/StringTable.h"
#include "lang/gui/CDlgTranslation.h"
#include "lang/gui/QtTranslate.h"

#include <QFileDialog>
#include <QFileInfo>

namespace translation {
namespace {

FileChooser& chooser()
{
    static FileChooser instance;
    return instance;
}

QString chooseFile(QWidget* parent, const LanguageService& service)
{
    if (chooser())
        return chooser()(parent);
    const std::string filter = filetypes::dialogFilter({filetypes::kLanguageFiles}, [](int index) {
        return LoadText(filetypes::kTypeNameStringId + index);
    });
    QFileDialog dialog(parent, QString(), QString::fromStdString(service.programFolder().string()),
                       qtText(filetypes::qtDialogFilter(filter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("lng"));
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
}

// The language's name: the chosen file's name without ".lng" (wherever the
// dialog was pointed, the file goes into the program folder).
std::string languageTitle(const QString& chosen)
{
    QString title = QFileInfo(chosen).fileName();
    const QString extension = QString::fromLatin1(LanguageService::kTranslationExtension);
    if (title.endsWith(extension, Qt::CaseInsensitive))
        title.chop(extension.size());
    return cp1252::fromQString(title);
}

} // namespace

void setFileChooser(FileChooser replacement) { chooser() = std::move(replacement); }

bool editTranslation(QWidget* parent)
{
    LanguageService* service = LanguageService::installed();
    if (!service || !service->translationAvailable() || service->currentNumber() == 0)
        return false;
    // A file that cannot be written (the message says so) brings the editor
    // back with the texts typed, so the work is not lost; Cancel gives up.
    LanguageTable texts = service->currentTable();
    for (;;) {
        CDlgTranslation dialog(service->baseTable(), texts, parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        texts = dialog.table();
        if (service->saveCurrentTranslation(texts))
            return true;
    }
}

bool newTranslation(QWidget* parent)
{
    LanguageService* service = LanguageService::installed();
    if (!service || !service->translationAvailable())
        return false;
    LanguageTable texts;
    for (;;) {
        CDlgTranslation dialog(service->baseTable(), texts, parent);
        if (dialog.exec() != QDialog::Accepted || dialog.draft().translatedCount() == 0)
            return false;
        texts = dialog.table();
        const QString chosen = chooseFile(parent, *service);
        if (chosen.isEmpty())
            return false;
        if (service->saveNewTranslation(languageTitle(chosen), texts))
            return true;
    }
}

} // namespace translation
