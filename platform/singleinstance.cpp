#include "platform/singleinstance.h"

#include <unistd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

LockFileInstance::LockFileInstance(const QString& executablePath)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    const QByteArray user = QByteArray::number(static_cast<qulonglong>(::getuid()));
    const QByteArray key = QCryptographicHash::hash(user + '\0' + executablePath.toUtf8(), QCryptographicHash::Sha1).toHex();
    m_path = dir + QStringLiteral("/chimewright-") + QString::fromLatin1(key.left(16)) + QStringLiteral(".lock");
}

LockFileInstance::~LockFileInstance() = default;

bool LockFileInstance::acquire()
{
    // QLockFile takes over a lock whose owner no longer runs; a running owner keeps
    // its lock however old it is, through the native lock it holds on the file.
    m_lock = std::make_unique<QLockFile>(m_path);
    return m_lock->tryLock(0);
}
