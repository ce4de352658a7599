#include "store/soundsetting.h"

#include <QFile>
#include "platform/errors.h"
#include "platform/regularfile.h"
#include "platform/wholewrite.h"
#include "store/fileslot.h"

namespace soundsetting {

namespace {
QString fileName() { return QString::fromLatin1(kName); }
}  // namespace

std::optional<QString> read()
{
    FileSlot slot;
    QFile file(fileName());
    if (const auto refused = regularfile::openForReading(file)) {
        if (refused->kind == regularfile::Refusal::NotAFile)
            throw AppError(
                QStringLiteral("Could not read %1: %2").arg(fileName(), refused->reason));
        return std::nullopt;
    }
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
    if (const auto reason = saveWhole(fileName(), path.toLocal8Bit() + "\r\n"))
        throw AppError(QStringLiteral("Could not write audioalarm.dat: %1").arg(*reason));
}

}  // namespace soundsetting
