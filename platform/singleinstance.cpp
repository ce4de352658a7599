#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <unistd.h>

namespace {
const QByteArray kShow = "show\n";
}

LockFileInstance::LockFileInstance(const QString& executablePath)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    const QByteArray user = QByteArray::number(static_cast<qulonglong>(::getuid()));
    const QByteArray key =
        QCryptographicHash::hash(user + '\0' + executablePath.toUtf8(), QCryptographicHash::Sha1)
            .toHex();
    const QString base = dir + QStringLiteral("/chimewright-") + QString::fromLatin1(key.left(16));
    m_path = base + QStringLiteral(".lock");
    m_socketPath = base + QStringLiteral(".socket");
}

LockFileInstance::~LockFileInstance() = default;

bool LockFileInstance::acquire(std::function<void()> asked)
{
    // QLockFile takes over a lock whose owner no longer runs; a running owner keeps
    // its lock however old it is, through the native lock it holds on the file.
    m_lock = std::make_unique<QLockFile>(m_path);
    if (!m_lock->tryLock(0)) {
        askRunningCopy();
        return false;
    }
    // The lock is ours, so a socket still there was left by a killed copy.
    QLocalServer::removeServer(m_socketPath);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this, asked] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, asked] {
                // Answered from the event loop: the window's handlers may open boxes.
                if (socket->readAll().startsWith(kShow))
                    QMetaObject::invokeMethod(socket->parent(), asked, Qt::QueuedConnection);
            });
        }
    });
    // Without the socket the program runs all the same; only a later start cannot reach it.
    m_server->listen(m_socketPath);
    return true;
}

// The request is sent and the start ends; a copy that does not answer (stuck, or one
// without the socket) is not waited for.
void LockFileInstance::askRunningCopy() const
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(1000))
        return;
    socket.write(kShow);
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
}
