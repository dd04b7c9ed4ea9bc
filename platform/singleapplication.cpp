#include "platform/singleapplication.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {

constexpr char kAck = '\x06';

QString userName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("USERNAME");
    return name;
}

QString lockFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace

SingleApplication::SingleApplication(int &argc, char **argv, bool gui)
    : QApplication(argc, argv) // the third QApplication argument is a version, not a GUI switch
{
    Q_UNUSED(gui);
    const QByteArray identity = (applicationFilePath() + QLatin1Char('\n') + userName()).toUtf8();
    m_key = QStringLiteral("tessaril-")
        + QString::fromLatin1(
            QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex().left(16));
    m_lock = std::make_unique<QLockFile>(
        lockFolder() + QLatin1Char('/') + m_key + QStringLiteral(".lock"));
    // Age alone never makes the lock stale: a launcher runs for days. Qt still
    // treats it as stale when its owner process is gone.
    m_lock->setStaleLockTime(0);
    becomeFirstInstance();
}

SingleApplication::~SingleApplication()
{
    if (m_server)
        m_server->close();
}

bool SingleApplication::becomeFirstInstance()
{
    if (m_server)
        return true;
    if (!m_lock->tryLock(0))
        return false;
    // Holding the lock makes us the only one who may remove a dead
    // instance's socket.
    QLocalServer::removeServer(m_key);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_key))
        qWarning("SingleApplication: cannot listen on %s: %s", qPrintable(m_key),
            qPrintable(m_server->errorString()));
    connect(m_server, &QLocalServer::newConnection, this, &SingleApplication::receiveConnection);
    return true;
}

bool SingleApplication::isRunning()
{
    return !becomeFirstInstance();
}

bool SingleApplication::sendMessage(const QString &message, int timeoutMs)
{
    if (m_server)
        return false;
    QElapsedTimer elapsed;
    elapsed.start();
    QLocalSocket socket;
    // The first instance may hold the lock a moment before it listens.
    for (;;) {
        socket.connectToServer(m_key);
        if (socket.waitForConnected(qMax(1, timeoutMs - int(elapsed.elapsed()))))
            break;
        if (elapsed.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(50);
    }
    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out << message;
    socket.write(frame);
    if (!socket.waitForBytesWritten(qMax(1, timeoutMs - int(elapsed.elapsed()))))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(qMax(1, timeoutMs - int(elapsed.elapsed()))))
            return false;
    }
    return socket.read(1).at(0) == kAck;
}

void SingleApplication::receiveConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream stream(socket);
            stream.startTransaction();
            QString message;
            stream >> message;
            if (!stream.commitTransaction())
                return;
            socket->write(&kAck, 1);
            socket->flush();
            emit messageReceived(message);
        });
    }
}
