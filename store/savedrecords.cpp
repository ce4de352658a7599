#include "store/savedrecords.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include "platform/errors.h"
#include "platform/wholewrite.h"
#include "store/recordcodec.h"
#include "store/remindersfile.h"

namespace savedrecords {

namespace {
[[noreturn]] void fail(const char* what, const QString& reason)
{
    const QLatin1String name(RemindersFile::kName);
    throw AppError(QStringLiteral("Could not %1 %2: %3").arg(QLatin1String(what), name, reason));
}

// The first `length` bytes of the file; none when it is missing.
QByteArray readBytes(qint64 length)
{
    const int fd = ::open(RemindersFile::kName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return {};
        fail("open", QString::fromLocal8Bit(std::strerror(errno)));
    }
    struct stat info {};
    QByteArray data;
    QString refused;
    if (::fstat(fd, &info) != 0)
        refused = QString::fromLocal8Bit(std::strerror(errno));
    else if (S_ISDIR(info.st_mode))
        refused = QStringLiteral("it is a folder, not a file");
    else if (!S_ISREG(info.st_mode))
        refused = QStringLiteral("it is not a regular file");
    while (refused.isEmpty() && data.size() < length) {
        char buffer[8192];
        const ssize_t n = ::read(fd, buffer, std::min<qint64>(sizeof buffer, length - data.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            refused = QString::fromLocal8Bit(std::strerror(errno));
        if (n <= 0)
            break;
        data.append(buffer, n);
    }
    ::close(fd);
    if (!refused.isEmpty())
        fail("open", refused);
    return data;
}
}  // namespace

ReminderTable read(int recordLength)
{
    const QByteArray data = readBytes(3 * qint64(recordLength));
    ReminderTable table;
    for (int n = 1; n <= 3; ++n)
        table(n) = recordcodec::decode(data.mid((n - 1) * recordLength, recordLength));
    return table;
}

void writeAtEnd(int n, const ReminderRecord& record, int recordLength)
{
    QByteArray data = readBytes(std::numeric_limits<qint64>::max());
    const qint64 offset = qint64(n - 1) * recordLength;
    if (data.size() < offset + recordLength)
        data.append(QByteArray(offset + recordLength - data.size(), '\0'));
    data.replace(offset, recordLength, recordcodec::encode(record).left(recordLength));
    if (const auto reason = saveWhole(QString::fromLatin1(RemindersFile::kName), data))
        fail("write", *reason);
}

}  // namespace savedrecords
