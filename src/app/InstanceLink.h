#pragma once
// One running program per user and graphical session. The first start takes
// a lock named after the program title, the user and the display, and listens
// on a local socket of the same name; a later start in the same session finds
// the lock taken and hands its command line to the running program instead of
// opening a window.
//
// A hand-over is one request and one answer, sent synchronously: the sender
// waits until the receiver has opened the file or run the task. The request
// is the origin (1 from a second start, 2 from the program's own start-up) and
// a buffer of 260 UTF-16 units holding the command line and its terminating
// NUL, so a command line has at most 259 characters; a longer one is refused
// before anything is sent. The answer is 1 when the receiver took the text,
// 0 when it refused it (origin unknown, a dialog open).

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QLocalSocket;

class InstanceLink : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFromSecondStart = 1;
    static constexpr int kFromOwnStart = 2;
    static constexpr int kBufferUnits = 260;
    static constexpr int kMaxCommandLine = kBufferUnits - 1;

    // The receiver's answer to a hand-over, or what kept it from being made.
    enum class HandOver { Refused = 0, Accepted = 1, NoInstance, TooLong };

    // `name` defaults to the program title, the user's id and the display.
    explicit InstanceLink(QString name = {}, QObject* parent = nullptr);
    ~InstanceLink() override;

    // Takes the lock and starts listening. False when another instance holds it
    // (a lock that cannot be made at all does not count as one).
    bool becomeFirst();

    // Receives hand-overs once first: answers what the receiver returns. A
    // receiver that cannot take one now (busy) returns nothing and is asked
    // again shortly; the sender keeps waiting meanwhile.
    using Receiver = std::function<std::optional<bool>(int origin, const QString& text)>;
    void setReceiver(Receiver receiver) { m_receiver = std::move(receiver); }

    // Sends a command line to the running instance and waits for its answer
    // (at most `timeoutMs` for the answer once connected).
    HandOver handOver(const QString& commandLine, int origin, int timeoutMs = 10 * 60 * 1000) const;

    static QString defaultName();
    // The graphical session the program shows its windows in (X display or
    // Wayland socket), made fit for a file name; empty without one.
    static QString displayKey();

    // The request as it goes over the socket (tests check the wire form).
    static QByteArray encodeRequest(int origin, const QString& commandLine);
    static bool decodeRequest(const QByteArray& bytes, int& origin, QString& commandLine);
    static constexpr int kRequestSize = 8 + 2 * kBufferUnits;

private:
    void onConnection();
    void serve(QLocalSocket* socket);

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
    Receiver m_receiver;
};
