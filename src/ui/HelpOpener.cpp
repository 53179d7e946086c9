#include "ui/HelpOpener.h"

#include "core/Cp1252.h"
#include "lang/HelpTopics.h"
#include "lang/LanguageService.h"
#include "lang/Message.h"
#include "lang/StringTable.h"

#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace help {
namespace {

HelpViewer& viewer()
{
    static HelpViewer instance;
    return instance;
}

// One help window, reused while its owner lives. It belongs to the window that
// asked for it, so a modal dialog's help can be read while the dialog is open.
class HelpWindow : public QWidget
{
public:
    explicit HelpWindow(QWidget* owner)
        : QWidget(owner, Qt::Window)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        m_browser = new QTextBrowser(this);
        m_browser->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_browser);
        resize(760, 640);
    }

    void show(const HelpRequest& request)
    {
        load(request.file);
        m_browser->scrollToAnchor(QString::fromStdString(request.anchor));
        QWidget::show();
        raise();
        activateWindow();
    }

protected:
    // After a language change the help of the new language is shown, when it has one.
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange)
            load(HelpFilePath());
        QWidget::changeEvent(event);
    }

private:
    void load(const std::filesystem::path& file)
    {
        setWindowTitle(cp1252::toQString(LoadTextTip(sid::kCmdHelpTopics)));
        const QString path = QString::fromStdString(file.string());
        if (m_file != path) {
            m_browser->setSource(QUrl::fromLocalFile(path));
            m_file = path;
        }
    }

    QTextBrowser* m_browser;
    QString m_file;
};

QPointer<HelpWindow> g_window;

void showInWindow(QWidget* parent, const HelpRequest& request)
{
    QWidget* owner = parent ? parent->window() : nullptr;
    if (!g_window || g_window->parentWidget() != owner) {
        if (g_window)
            g_window->close();
        g_window = new HelpWindow(owner);
    }
    g_window->show(request);
}

} // namespace

void setHelpViewer(HelpViewer replacement) { viewer() = std::move(replacement); }

void openHelpAnchor(QWidget* parent, const std::string& anchor)
{
    HelpRequest request{HelpFilePath(), anchor};
    if (viewer()) {
        viewer()(request);
        return;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(request.file, ec)) {
        MessageById(sid::kErrorOpeningFile, mb::kOk | mb::kIconExclamation, {PathText(request.file)});
        return;
    }
    showInWindow(parent, request);
}

void openHelp(QWidget* parent, int templateId) { openHelpAnchor(parent, anchorFor(templateId)); }

void openHelpContents(QWidget* parent) { openHelpAnchor(parent, kContentsAnchor); }

QPushButton* addHelpButton(QDialogButtonBox* buttons, int templateId)
{
    QPushButton* button = buttons->addButton(QDialogButtonBox::Help);
    const auto open = [buttons, templateId] { openHelp(buttons->window(), templateId); };
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, buttons, open);
    // F1 in the dialog does what its Help button does.
    auto* f1 = new QShortcut(QKeySequence::HelpContents, buttons->parentWidget() ? buttons->parentWidget() : buttons);
    QObject::connect(f1, &QShortcut::activated, buttons, open);
    return button;
}

} // namespace help
