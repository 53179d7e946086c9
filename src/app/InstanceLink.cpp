#include "app/InstanceLink.h"

#include "core/LittleEndian.h"
#include "lang/StringTable.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <algorithm>

#include <unistd.h>

namespace {

constexpr int kConnectTries = 25; // the first instance may still be starting
constexpr int kConnectWaitMs = 200;
constexpr int kBusyRetryMs = 100;
constexpr int kRequestWaitMs = 30 * 1000; // a sender that never completes its request is cut off
constexpr const char* kServedProperty = "qxServed";
constexpr const char* kServingProperty = "qxServing";

} // namespace

InstanceLink::InstanceLink(QString name, QObject* parent)
    : QObject(parent)
    , m_name(name.isEmpty() ? defaultName() : std::move(name))
{
    connect(&m_server, &QLocalServer::newConnection, this, &InstanceLink::onConnection);
}

InstanceLink::~InstanceLink() = default;

QString InstanceLink::defaultName()
{
    // The built-in title, not a translation of it: every start must find the same name.
    // The user's id keeps the programs of several users on one machine apart, the
    // display the programs of one user's several graphical sessions.
    QString name = QString::fromLatin1(BuiltInText(sid::kProgramTitle)) + QStringLiteral("-%1").arg(getuid());
    const QString display = displayKey();
    if (!display.isEmpty())
        name += QLatin1Char('-') + display;
    return name;
}

QString InstanceLink::displayKey()
{
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        display = qEnvironmentVariable("DISPLAY");
        // ":0" and ":0.0" are one display: the screen number does not count.
        const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
        const qsizetype dot = colon >= 0 ? display.indexOf(QLatin1Char('.'), colon) : -1;
        if (dot > colon)
            display.truncate(dot);
    }
    // A name for a file and a socket: letters and digits only.
    for (QChar& c : display)
        if (!(c.isLetterOrNumber() && c.unicode() < 128))
            c = QLatin1Char('_');
    return display;
}

bool InstanceLink::becomeFirst()
{
    m_lock = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(m_name + QStringLiteral(".lock")));
    m_lock->setStaleLockTime(0); // stale only when its process is gone
    if (!m_lock->tryLock(0)) {
        // Only a lock held by a running program makes this a second start. A lock
        // that cannot be made at all (no temporary folder to write in) must not
        // keep the program from starting: it runs, unguarded.
        const bool heldByOther = m_lock->error() == QLockFile::LockFailedError;
        m_lock.reset();
        if (heldByOther)
            return false;
    }
    QLocalServer::removeServer(m_name); // left behind by a program that crashed
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_name);
    return true;
}

QByteArray InstanceLink::encodeRequest(int origin, const QString& commandLine)
{
    QByteArray bytes(kRequestSize, '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(bytes.data());
    le::storeU32(p, static_cast<std::uint32_t>(origin));
    le::storeU32(p + 4, kBufferUnits);
    const int units = std::min<int>(static_cast<int>(commandLine.size()), kMaxCommandLine);
    for (int i = 0; i < units; ++i)
        le::storeU16(p + 8 + 2 * i, commandLine.at(i).unicode());
    return bytes;
}

bool InstanceLink::decodeRequest(const QByteArray& bytes, int& origin, QString& commandLine)
{
    if (bytes.size() < kRequestSize)
        return false;
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    if (le::loadU32(p + 4) != kBufferUnits)
        return false;
    origin = static_cast<int>(le::loadU32(p));
    commandLine.clear();
    for (int i = 0; i < kBufferUnits; ++i) {
        const std::uint16_t unit = le::loadU16(p + 8 + 2 * i);
        if (unit == 0)
            return true;
        commandLine.append(QChar(unit));
    }
    return false; // not terminated within the buffer
}

InstanceLink::HandOver InstanceLink::handOver(const QString& commandLine, int origin, int timeoutMs) const
{
    if (commandLine.size() > kMaxCommandLine)
        return HandOver::TooLong;
    QLocalSocket socket;
    for (int attempt = 0; attempt < kConnectTries; ++attempt) {
        socket.connectToServer(m_name);
        if (socket.waitForConnected(kConnectWaitMs))
            break;
        socket.abort();
        QThread::msleep(kConnectWaitMs);
    }
    if (socket.state() != QLocalSocket::ConnectedState)
        return HandOver::NoInstance;
    socket.write(encodeRequest(origin, commandLine));
    if (!socket.waitForBytesWritten(timeoutMs))
        return HandOver::Refused;
    const QDeadlineTimer deadline(timeoutMs);
    while (socket.bytesAvailable() < 1) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return HandOver::Refused;
    }
    char answer = 0;
    socket.read(&answer, 1);
    return answer == 1 ? HandOver::Accepted : HandOver::Refused;
}

void InstanceLink::onConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        // The receiver may show a message box while it serves a request; a sender
        // that disappears meanwhile must not take the socket away under it.
        connect(socket, &QLocalSocket::disconnected, socket, [socket] {
            if (!socket->property(kServingProperty).toBool())
                socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { serve(socket); });
        QTimer::singleShot(kRequestWaitMs, socket, [socket] {
            if (!socket->property(kServedProperty).toBool() && !socket->property(kServingProperty).toBool())
                socket->abort();
        });
        serve(socket);
    }
}

void InstanceLink::serve(QLocalSocket* socket)
{
    if (socket->property(kServedProperty).toBool() || socket->property(kServingProperty).toBool())
        return;
    if (socket->state() != QLocalSocket::ConnectedState) {
        // The sender gave up (or was ended) before its request was taken: drop it.
        socket->deleteLater();
        return;
    }
    if (socket->bytesAvailable() < kRequestSize)
        return;
    int origin = 0;
    QString text;
    std::optional<bool> accepted = false;
    if (decodeRequest(socket->peek(kRequestSize), origin, text) && m_receiver) {
        const QPointer<QLocalSocket> guard(socket);
        socket->setProperty(kServingProperty, true);
        accepted = m_receiver(origin, text);
        if (!guard)
            return;
        socket->setProperty(kServingProperty, false);
        if (!accepted) {
            QTimer::singleShot(kBusyRetryMs, socket, [this, socket] { serve(socket); });
            return;
        }
    }
    socket->setProperty(kServedProperty, true);
    if (socket->state() != QLocalSocket::ConnectedState) {
        // Gone while the receiver worked: nobody is left to answer.
        socket->deleteLater();
        return;
    }
    socket->read(kRequestSize);
    const char answer = *accepted ? 1 : 0;
    socket->write(&answer, 1);
    socket->flush();
    socket->disconnectFromServer();
}
