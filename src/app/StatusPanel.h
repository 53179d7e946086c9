#pragma once
// The main window's status bar: a stretching message pane, three panes of at
// least 120, 120 and 128 pixels (row count, duration sum, cost sum, each with
// the selection's value in brackets when more than one row is selected) and
// the caps-lock and num-lock
// indicators. The message pane shows the idle text or the name of a running
// operation; an operation over 1000 or more items gets a progress bar inside
// the message pane.

#include <QObject>
#include <QString>

class QLabel;
class QProgressBar;
class QStatusBar;
class QWidget;

class StatusPanel : public QObject
{
    Q_OBJECT
public:
    static constexpr int kProgressThreshold = 1000;
    static constexpr int kProgressLeft = 96; // pixels from the message pane's left edge

    explicit StatusPanel(QStatusBar* bar);

    // The idle text, or an operation's name (string id).
    void setIdle();
    void setMessage(const QString& text);
    QString message() const;

    void setCounts(const QString& calls, const QString& duration, const QString& cost);
    // While the rows are being rebuilt their totals are not known.
    void clearCounts() { setCounts({}, {}, {}); }
    QString countsText(int pane) const; // 0 calls, 1 duration, 2 cost

    // Progress display of an operation over `total` items: the bar appears only
    // for 1000 or more; positions that do not move forward are ignored.
    void beginProgress(int textId, std::size_t total);
    void advanceProgress(std::size_t done);
    // The bar goes; the operation's name stays until endProgress (an operation
    // may go on without counting, sorting for instance).
    void hideProgress();
    void endProgress();
    bool progressVisible() const;

    // The lock indicators.
    void setLocks(bool caps, bool num);

private:
    void placeProgress();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QStatusBar* m_bar;
    QWidget* m_messagePane;
    QLabel* m_message;
    QLabel* m_panes[3];
    QLabel* m_caps;
    QLabel* m_num;
    QProgressBar* m_progress;
    std::size_t m_lastProgress = 0;
};
