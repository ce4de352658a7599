#include "store/soundsetting.h"

#include <QFile>
#include <QSaveFile>
#include "platform/errors.h"
#include "platform/wholewrite.h"
#include "store/fileslot.h"
#include "store/writefault.h"

namespace soundsetting {

namespace {
QString fileName()
{
    return QString::fromLatin1(kName);
}
}  // namespace

std::optional<QString> read()
{
    FileSlot slot;
    QFile file(fileName());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    QString path = QString::fromLocal8Bit(line);
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    if (path.trimmed().isEmpty())
        return std::nullopt;
    return path;
}

void write(const QString& path)
{
    FileSlot slot;
    QSaveFile out(fileName());
    const QByteArray data = path.toLocal8Bit() + "\r\n";
    auto fail = [&out](const QString& reason) {
        out.cancelWriting();
        throw AppError(QStringLiteral("Could not write audioalarm.dat: %1").arg(reason));
    };
    // Unbuffered: every failure of the system shows in write() or commit().
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail(out.errorString());
    if (const auto reason = writefault::take())
        fail(*reason);
    if (const auto reason = writeWhole(out, data))
        fail(*reason);
    if (!out.commit() || out.error() != QFileDevice::NoError)
        fail(out.errorString());
}

}  // namespace soundsetting
