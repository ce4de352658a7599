#include "platform/regularfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace regularfile {

namespace {
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a named pipe, not a file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a file");
    return QStringLiteral("it is a device, not a file");
}

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }
}  // namespace

std::optional<Refusal> openForReading(QFile& file)
{
    // O_NONBLOCK: opening a named pipe with no writer, or some devices, would wait.
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return Refusal{error == ENOENT ? Refusal::Missing : Refusal::Failed, systemReason(error)};
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return Refusal{Refusal::Failed, systemReason(error)};
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return Refusal{Refusal::NotAFile, kindOf(st.st_mode)};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Refusal{Refusal::Failed, file.errorString()};
    }
    return std::nullopt;
}

std::optional<QString> notAFile(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return std::nullopt;
    return kindOf(st.st_mode);
}

}  // namespace regularfile
