#pragma once
// A long operation of the main window (loading, re-rating, saving) seen by
// the user: its name in the status bar, the progress bar from 1000 items on,
// the wait cursor, and, when the operation lets window messages through, a
// window that stays painted while it ignores the user's input, except Escape,
// which asks a load to stop (only while the main window is the active one).

#include "calls/Progress.h"

#include <QObject>

class QWidget;
class StatusPanel;

class FrameProgress : public QObject, public Progress
{
    Q_OBJECT
public:
    enum class Events { Pump, Hold }; // let pending window messages through at each step, or not

    FrameProgress(QWidget* frame, StatusPanel& status, int textId, Events events = Events::Pump);
    ~FrameProgress() override;
    FrameProgress(const FrameProgress&) = delete;
    FrameProgress& operator=(const FrameProgress&) = delete;

    void begin(std::size_t total) override;
    bool step(std::size_t done, std::size_t total) override;
    void end() override;

    // The user pressed Escape during the operation.
    bool aborted() const { return m_aborted; }

    // Whether any operation is running (commands, timers and hand-overs wait for it).
    static bool busy() { return s_running > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_frame;
    StatusPanel& m_status;
    int m_textId;
    Events m_events;
    bool m_aborted = false;
    static int s_running;
};
