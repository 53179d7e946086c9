#include "lang/gui/QtTranslate.h"

#include "core/Cp1252.h"
#include "lang/LanguageKeys.h"
#include "lang/LanguageService.h"
#include "lang/Resources.h"

#include "lang/StringTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>
#include <QVariant>
#include <QWidget>

#include <memory>

namespace {

constexpr const char* kControlIdProperty = "qxControlId";
constexpr const char* kFirstPopupProperty = "qxFirstPopupOf"; // a context menu: the resource's first pop-up

void setControlText(QWidget* control, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
}

void translateActions(const QList<QAction*>& actions, langkey::MenuKeyWalker& walker)
{
    for (QAction* action : actions) {
        if (action->isSeparator())
            continue;
        if (QMenu* popup = action->menu()) {
            if (const auto text = TranslationForKey(walker.popup()))
                action->setText(qtText(*text));
            translateActions(popup->actions(), walker);
        } else if (const int id = commandIdOf(action)) {
            if (const auto text = TranslationForKey(walker.item(id)))
                action->setText(qtText(*text));
        }
    }
}

void addItems(QWidget* owner, const std::vector<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        switch (item.type) {
        case MenuItem::Type::Separator: {
            auto* separator = new QAction(owner);
            separator->setSeparator(true);
            owner->addAction(separator);
            break;
        }
        case MenuItem::Type::Popup: {
            auto* popup = new QMenu(qtText(item.text), owner);
            addItems(popup, item.items);
            owner->addAction(popup->menuAction());
            break;
        }
        case MenuItem::Type::Command: {
            auto* action = new QAction(qtText(item.text), owner);
            setCommandId(action, item.commandId);
            owner->addAction(action);
            break;
        }
        }
    }
}

} // namespace

QString qtText(std::string_view bytes) { return cp1252::toQString(bytes); }

void setControlId(QWidget* control, int id) { control->setProperty(kControlIdProperty, id); }

int controlIdOf(const QWidget* control) { return control->property(kControlIdProperty).toInt(); }

void setCommandId(QAction* action, int commandId) { action->setData(commandId); }

int commandIdOf(const QAction* action) { return action->menu() ? 0 : action->data().toInt(); }

QString dialogText(int templateId, int controlId)
{
    if (const auto text = TranslationForDialog(templateId, controlId))
        return qtText(*text);
    const DialogTemplate* dialog = ResourceRegistry::global().dialog(templateId);
    if (!dialog)
        return {};
    if (controlId == 0)
        return qtText(dialog->title);
    for (const DialogControl& control : dialog->controls)
        if (control.id == controlId)
            return qtText(control.text);
    return {};
}

namespace {

// Takes a window's texts again when the language changes while it is open
// (the main window sends the change to every open window).
class LanguageFollower : public QObject
{
public:
    LanguageFollower(QWidget* window, int templateId, bool pageTitle)
        : QObject(window)
        , m_templateId(templateId)
        , m_pageTitle(pageTitle)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && event->type() == QEvent::LanguageChange) {
            auto* window = static_cast<QWidget*>(watched);
            if (m_pageTitle)
                TranslatePageTitle(m_templateId, window);
            else
                TranslateDialog(m_templateId, window);
        }
        return false;
    }

private:
    int m_templateId;
    bool m_pageTitle;
};

void followLanguage(QWidget* window, int templateId, bool pageTitle)
{
    constexpr const char* kFollowedProperty = "qxFollowsLanguage";
    if (window->property(kFollowedProperty).toBool())
        return;
    window->setProperty(kFollowedProperty, true);
    new LanguageFollower(window, templateId, pageTitle);
}

} // namespace

void TranslateDialog(int templateId, QWidget* dialog)
{
    followLanguage(dialog, templateId, false);
    const QString title = dialogText(templateId, 0);
    if (!title.isEmpty())
        dialog->setWindowTitle(title);
    const auto children = dialog->findChildren<QWidget*>();
    for (QWidget* child : children) {
        const int id = controlIdOf(child);
        if (id == 0)
            continue;
        const QString text = dialogText(templateId, id);
        if (!text.isEmpty())
            setControlText(child, text);
    }
}

void TranslatePageTitle(int templateId, QWidget* page)
{
    followLanguage(page, templateId, true);
    const QString title = dialogText(templateId, 0);
    if (!title.isEmpty())
        page->setWindowTitle(title);
}

void TranslateMenu(int menuId, QMenuBar* menu)
{
    langkey::MenuKeyWalker walker(menuId);
    translateActions(menu->actions(), walker);
}

void TranslateMenu(int menuId, QMenu* menu)
{
    langkey::MenuKeyWalker walker(menuId);
    if (menu->property(kFirstPopupProperty).toInt() == menuId)
        walker.popup(); // the resource's root pop-up itself is not an action here
    translateActions(menu->actions(), walker);
}

bool buildMenu(int menuId, QMenuBar* bar)
{
    const MenuTemplate* menu = ResourceRegistry::global().menu(menuId);
    if (!menu)
        return false;
    addItems(bar, menu->items);
    TranslateMenu(menuId, bar);
    return true;
}

bool buildPopupMenu(int menuId, QMenu* menu)
{
    const MenuTemplate* resource = ResourceRegistry::global().menu(menuId);
    if (!resource || resource->items.empty() || resource->items.front().type != MenuItem::Type::Popup)
        return false;
    menu->setProperty(kFirstPopupProperty, menuId);
    addItems(menu, resource->items.front().items);
    TranslateMenu(menuId, menu);
    return true;
}

QAction* findCommand(QWidget* menu, int commandId)
{
    for (QAction* action : menu->actions()) {
        if (QMenu* popup = action->menu()) {
            if (QAction* found = findCommand(popup, commandId))
                return found;
        } else if (commandIdOf(action) == commandId) {
            return action;
        }
    }
    return nullptr;
}

bool LoadQtTranslation()
{
    static QTranslator* loaded = nullptr;
    if (loaded) {
        QCoreApplication::removeTranslator(loaded);
        delete loaded;
        loaded = nullptr;
    }
    const QString code = qtText(LoadText(sid::kQtLanguageCode)).trimmed();
    if (code.isEmpty() || code == QLatin1String("en"))
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    loaded = translator.release();
    QCoreApplication::installTranslator(loaded);
    return true;
}
