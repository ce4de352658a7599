#include "platform/wholewrite.h"

#include <cerrno>
#include <cstring>
#include <QSaveFile>
#include <unistd.h>
#include "platform/regularfile.h"

std::optional<QString> writeWhole(QFileDevice& out, const QByteArray& data)
{
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 n = out.write(data.constData() + done, data.size() - done);
        if (n <= 0 || out.error() != QFileDevice::NoError)
            return out.error() != QFileDevice::NoError ? out.errorString()
                                                       : QStringLiteral("nothing could be written");
        done += n;
    }
    // The save file's own sync does not report a failure: a disk that cannot keep
    // the data must not be taken for one that did.
    if (out.handle() >= 0 && ::fsync(out.handle()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return std::nullopt;
}

std::optional<QString> saveWhole(const QString& path, const QByteArray& data)
{
    // A named pipe or a device in the file's place is refused, not replaced unseen.
    if (const auto kind = regularfile::notAFile(path))
        return kind;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return out.errorString();
    std::optional<QString> reason = writeWhole(out, data);
    if (!reason && (!out.commit() || out.error() != QFileDevice::NoError))
        reason = out.errorString();
    if (reason)
        out.cancelWriting();
    return reason;
}
