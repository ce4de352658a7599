#include "store/remindersfile.h"

#include <QFile>
#include <stdexcept>
#include "platform/errors.h"
#include "platform/regularfile.h"
#include "platform/wholewrite.h"
#include "store/recordcodec.h"

namespace {
QString fileName() { return QString::fromLatin1(RemindersFile::kName); }

[[noreturn]] void fail(const QString& what, const QString& reason)
{
    throw AppError(QStringLiteral("Could not %1 %2: %3").arg(what, fileName(), reason));
}
}  // namespace

RemindersFile::RemindersFile(int recordLength)
{
    if (recordLength != recordcodec::kRecordLength)
        throw std::logic_error("reminders.dat holds records of 2068 bytes");
    open();
}

void RemindersFile::open()
{
    m_slot.emplace();
    QFile file(fileName());
    const auto refused = regularfile::openForReading(file);
    if (!refused)
        return;
    if (refused->kind != regularfile::Refusal::Missing)
        fail(QStringLiteral("open"), refused->reason);
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly))
        fail(QStringLiteral("create"), file.errorString());
}

RemindersFile::~RemindersFile() = default;

void RemindersFile::close() { m_slot.reset(); }

QByteArray RemindersFile::readAll() const
{
    QFile file(fileName());
    if (const auto refused = regularfile::openForReading(file)) {
        if (refused->kind == regularfile::Refusal::Missing)
            return {};
        fail(QStringLiteral("read"), refused->reason);
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("read"), file.errorString());
    return data;
}

ReminderRecord RemindersFile::read(int n) const
{
    if (!isOpen())
        throw std::logic_error("reminders.dat read while closed");
    QFile file(fileName());
    if (const auto refused = regularfile::openForReading(file))
        fail(QStringLiteral("read"), refused->reason);
    const qint64 offset = recordcodec::offsetOf(n);
    QByteArray image;
    if (offset < file.size()) {
        file.seek(offset);
        image = file.read(recordcodec::kRecordLength);
        if (file.error() != QFileDevice::NoError)
            fail(QStringLiteral("read"), file.errorString());
    }
    return recordcodec::decode(image);
}

void RemindersFile::write(int n, const ReminderRecord& record)
{
    if (!isOpen())
        throw std::logic_error("reminders.dat written while closed");
    const QByteArray data = recordcodec::placed(readAll(), n, record);

    if (const auto reason = saveWhole(fileName(), data))
        fail(QStringLiteral("write"), *reason);
}
