#include "lang/gui/QtMessageSink.h"

#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QWidget>

namespace {

QMessageBox::Icon iconOf(int boxType)
{
    switch (boxType & mb::kIconMask) {
    case mb::kIconStop:
        return QMessageBox::Critical;
    case mb::kIconQuestion:
        return QMessageBox::Question;
    case mb::kIconExclamation:
        return QMessageBox::Warning;
    case mb::kIconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons buttonsOf(int boxType)
{
    switch (boxType & mb::kButtonMask) {
    case mb::kOkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case mb::kYesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case mb::kYesNo:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

int answerOf(int button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return mb::kIdCancel;
    case QMessageBox::Yes:
        return mb::kIdYes;
    case QMessageBox::No:
        return mb::kIdNo;
    default:
        return mb::kIdOk;
    }
}

// A short message makes a narrow box whose title bar cuts the program's name:
// the box is made at least as wide as its title needs (with room for the
// title bar's icon and buttons).
void keepTitleReadable(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
    constexpr int kTitleBarExtras = 160;
    const int width = title.horizontalAdvance(box.windowTitle()) + kTitleBarExtras;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

QtMessageSink::QtMessageSink()
    : m_previous(installMessageSink(this))
{ }

QtMessageSink::~QtMessageSink() { installMessageSink(m_previous); }

int QtMessageSink::show(int id, const std::string& text, int boxType)
{
    if (m_handler)
        return m_handler(id, text, boxType);
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox box(iconOf(boxType), qtText(LoadText(sid::kProgramTitle)), qtText(text), buttonsOf(boxType), parent);
    keepTitleReadable(box);
    // A box closed with Escape or its title bar answers as the system's does:
    // Cancel where there is one, else the only button.
    if ((boxType & mb::kButtonMask) == mb::kYesNo)
        box.setEscapeButton(QMessageBox::No);
    // A box shown in the middle of a long operation gets the ordinary pointer.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = answerOf(box.exec());
    if (waiting)
        QApplication::restoreOverrideCursor();
    return answer;
}
