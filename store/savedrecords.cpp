#include "store/savedrecords.h"

#include <QFile>
#include "platform/errors.h"
#include "platform/regularfile.h"
#include "platform/wholewrite.h"
#include "store/recordcodec.h"
#include "store/remindersfile.h"

namespace savedrecords {

namespace {
QString fileName() { return QString::fromLatin1(RemindersFile::kName); }

[[noreturn]] void fail(const char* what, const QString& reason)
{
    throw AppError(
        QStringLiteral("Could not %1 %2: %3").arg(QLatin1String(what), fileName(), reason));
}

// The whole file; nothing when it is missing.
QByteArray readBytes()
{
    QFile file(fileName());
    if (const auto refused = regularfile::openForReading(file)) {
        if (refused->kind == regularfile::Refusal::Missing)
            return {};
        fail("open", refused->reason);
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail("read", file.errorString());
    return data;
}
}  // namespace

ReminderTable read()
{
    const QByteArray data = readBytes();
    ReminderTable table;
    for (int n = 1; n <= 3; ++n)
        table(n) =
            recordcodec::decode(data.mid(recordcodec::offsetOf(n), recordcodec::kRecordLength));
    return table;
}

void writeAtEnd(int n, const ReminderRecord& record)
{
    if (const auto reason = saveWhole(fileName(), recordcodec::placed(readBytes(), n, record)))
        fail("write", *reason);
}

}  // namespace savedrecords
