#include "app/FrameProgress.h"

#include "app/StatusPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QWidget>
#include <QWindow>

int FrameProgress::s_running = 0;

FrameProgress::FrameProgress(QWidget* frame, StatusPanel& status, int textId, Events events)
    : m_frame(frame)
    , m_status(status)
    , m_textId(textId)
    , m_events(events)
{
    ++s_running;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(this);
    m_status.beginProgress(m_textId, 0);
}

FrameProgress::~FrameProgress()
{
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    m_status.endProgress();
    --s_running;
}

void FrameProgress::begin(std::size_t total) { m_status.beginProgress(m_textId, total); }

bool FrameProgress::step(std::size_t done, std::size_t total)
{
    (void)total;
    m_status.advanceProgress(done);
    if (m_events == Events::Pump)
        QApplication::processEvents();
    return !m_aborted;
}

void FrameProgress::end()
{
    // One counted loop of the operation is over; its name stays while the rest
    // (sorting, totals) runs. The idle text comes back when the operation ends.
    m_status.hideProgress();
}

bool FrameProgress::eventFilter(QObject* watched, QEvent* event)
{
    // A message of the operation (an error, mostly) waits for the user: the
    // status bar no longer claims the operation is under way.
    if (event->type() == QEvent::Show && qobject_cast<const QMessageBox*>(watched)) {
        m_status.hideProgress();
        m_status.setIdle();
    }
    // Only the main window is held still: a message box the operation shows must
    // take its answer.
    const auto* widget = qobject_cast<const QWidget*>(watched);
    const auto* window = qobject_cast<const QWindow*>(watched);
    if ((widget && widget->window() != m_frame) || (window && window != m_frame->windowHandle()))
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && QApplication::activeWindow() == m_frame)
            m_aborted = true;
        return true;
    }
    case QEvent::Close:
        if (watched == m_frame) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
