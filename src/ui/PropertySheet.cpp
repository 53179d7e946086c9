#include "ui/PropertySheet.h"

#include "lang/HelpTopics.h"
#include "lang/LanguageService.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "ui/HelpOpener.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <filesystem>

CPropertyPage::CPropertyPage(int templateId, int helpTopic, QWidget* parent)
    : QWidget(parent)
    , m_templateId(templateId)
    , m_helpTopic(helpTopic)
{ }

void CPropertyPage::translate()
{
    TranslateDialog(m_templateId, this);
    TranslatePageTitle(m_templateId, this);
}

bool CPropertyPage::refuse(QWidget* control, const QString& text)
{
    m_lastRefusal = text;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
    control->setToolTip(text);
    if (control->isVisible())
        QToolTip::showText(control->mapToGlobal(QPoint(0, control->height())), text, control);
    return false;
}

CPropertySheet::CPropertySheet(int titleId, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(qtText(LoadText(titleId)));
    setWindowFlags((windowFlags() | Qt::WindowCloseButtonHint)
                   & ~(Qt::WindowMinimizeButtonHint | Qt::WindowContextHelpButtonHint));
    m_tabs = new QTabWidget(this);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    // No default button: Enter does not press OK.
    for (QAbstractButton* button : m_buttons->buttons())
        if (auto* push = qobject_cast<QPushButton*>(button)) {
            push->setAutoDefault(false);
            push->setDefault(false);
        }
    setControlId(m_buttons->button(QDialogButtonBox::Ok), 1);
    setControlId(m_buttons->button(QDialogButtonBox::Cancel), 2);
    setControlId(m_buttons->button(QDialogButtonBox::Help), 9);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CPropertySheet::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CPropertySheet::reject);
    connect(m_buttons, &QDialogButtonBox::helpRequested, this, &CPropertySheet::showHelp);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPropertySheet::tabChanged);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_buttons);
}

void CPropertySheet::addPage(CPropertyPage* page)
{
    m_pages.push_back(page);
    m_switching = true;
    m_tabs->addTab(page, page->windowTitle());
    m_switching = false;
}

void CPropertySheet::start(int pageIndex)
{
    if (m_pages.empty())
        return;
    if (pageIndex < 0 || pageIndex >= pageCount())
        pageIndex = 0;
    m_active = pageIndex;
    m_switching = true;
    m_tabs->setCurrentIndex(pageIndex);
    m_switching = false;
    page(pageIndex)->readRecord();
}

bool CPropertySheet::leaveActivePage()
{
    CPropertyPage* current = activePage();
    if (!current)
        return true;
    if (!current->checkControls())
        return false;
    current->writeRecord();
    return true;
}

bool CPropertySheet::selectPage(int index)
{
    if (index < 0 || index >= pageCount())
        return false;
    if (index == m_active)
        return true;
    m_tabs->setCurrentIndex(index);
    return m_active == index;
}

void CPropertySheet::tabChanged(int index)
{
    if (m_switching || index == m_active)
        return;
    if (!leaveActivePage()) {
        // The page stays in front until its controls can be stored.
        m_switching = true;
        m_tabs->setCurrentIndex(m_active);
        m_switching = false;
        return;
    }
    m_active = index;
    if (CPropertyPage* entered = activePage())
        entered->readRecord();
}

void CPropertySheet::accept()
{
    if (!leaveActivePage())
        return;
    for (CPropertyPage* each : m_pages)
        each->sheetAccepted();
    QDialog::accept();
}

void CPropertySheet::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept(); // no dialog keys: the sheet closes through its buttons only
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CPropertySheet::translateButtons(int templateId)
{
    const QString caption = windowTitle();
    TranslateDialog(templateId, this);
    setWindowTitle(caption);
}

void CPropertySheet::showHelp()
{
    const int topic = activePage() ? activePage()->helpTopic() : 0;
    Q_EMIT helpRequested(topic);
    openHelpTopic(topic, this);
}

void openHelpTopic(int topic, QWidget* parent)
{
    help::openHelpAnchor(parent, topic ? help::topicAnchor(topic) : std::string(help::kContentsAnchor));
}
