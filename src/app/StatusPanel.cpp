#include "app/StatusPanel.h"

#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kPaneWidths[3] = {120, 120, 128};

QLabel* fixedPane(QStatusBar* bar, int width, Qt::Alignment alignment)
{
    // The width is the least a pane takes: it grows when its text needs more
    // (with a selection the sums are twice as long, and fonts differ).
    auto* pane = new QLabel(bar);
    pane->setMinimumWidth(width);
    pane->setAlignment(alignment | Qt::AlignVCenter);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    bar->addPermanentWidget(pane);
    return pane;
}

} // namespace

StatusPanel::StatusPanel(QStatusBar* bar)
    : QObject(bar)
    , m_bar(bar)
{
    m_messagePane = new QWidget(bar);
    auto* layout = new QHBoxLayout(m_messagePane);
    layout->setContentsMargins(2, 0, 2, 0);
    m_message = new QLabel(m_messagePane);
    layout->addWidget(m_message);
    bar->addWidget(m_messagePane, 1);
    m_progress = new QProgressBar(m_messagePane);
    m_progress->setTextVisible(false);
    m_progress->hide();
    m_messagePane->installEventFilter(this);
    for (int i = 0; i < 3; ++i)
        m_panes[i] = fixedPane(bar, kPaneWidths[i], Qt::AlignRight);
    m_caps = fixedPane(bar, 36, Qt::AlignHCenter);
    m_num = fixedPane(bar, 36, Qt::AlignHCenter);
    m_caps->setText(QStringLiteral("CAP"));
    m_num->setText(QStringLiteral("NUM"));
    setLocks(false, false);
    // The X server reports the lock keys with every key event; other platforms
    // leave the indicators grey.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        qApp->installEventFilter(this);
    setIdle();
}

void StatusPanel::setIdle() { setMessage(qtText(LoadText(sid::kIdleMessage))); }

void StatusPanel::setMessage(const QString& text)
{
    m_message->setText(text);
    m_message->repaint();
}

QString StatusPanel::message() const { return m_message->text(); }

void StatusPanel::setCounts(const QString& calls, const QString& duration, const QString& cost)
{
    m_panes[0]->setText(calls);
    m_panes[1]->setText(duration);
    m_panes[2]->setText(cost);
}

QString StatusPanel::countsText(int pane) const { return pane >= 0 && pane < 3 ? m_panes[pane]->text() : QString(); }

void StatusPanel::beginProgress(int textId, std::size_t total)
{
    setMessage(qtText(LoadText(textId)));
    m_lastProgress = 0;
    if (total < kProgressThreshold) {
        m_progress->hide();
        return;
    }
    m_progress->setRange(0, static_cast<int>(std::min<std::size_t>(total, INT32_MAX)));
    m_progress->setValue(0);
    placeProgress();
    m_progress->show();
    m_progress->repaint();
}

void StatusPanel::advanceProgress(std::size_t done)
{
    if (m_progress->isHidden() || done <= m_lastProgress)
        return;
    m_lastProgress = done;
    // Repaints at once by itself, and only when the bar grows by a pixel.
    m_progress->setValue(
        static_cast<int>(std::min<std::size_t>(done, static_cast<std::size_t>(m_progress->maximum()))));
}

void StatusPanel::hideProgress() { m_progress->hide(); }

void StatusPanel::endProgress()
{
    m_progress->hide();
    setIdle();
}

bool StatusPanel::progressVisible() const { return !m_progress->isHidden(); }

void StatusPanel::setLocks(bool caps, bool num)
{
    m_caps->setEnabled(caps);
    m_num->setEnabled(num);
}

void StatusPanel::placeProgress()
{
    const QRect pane = m_messagePane->rect();
    m_progress->setGeometry(kProgressLeft, 2, std::max(0, pane.width() - kProgressLeft - 2),
                            std::max(0, pane.height() - 4));
}

bool StatusPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_messagePane && event->type() == QEvent::Resize)
        placeProgress();
    if (event->type() == QEvent::KeyRelease) {
        // X modifier state after the key: Lock is bit 1, NumLock (Mod2) bit 4.
        const quint32 state = static_cast<QKeyEvent*>(event)->nativeModifiers();
        setLocks((state & 0x02) != 0, (state & 0x10) != 0);
    }
    return QObject::eventFilter(watched, event);
}
