#include "store/remindersfile.h"

#include <stdexcept>
#include <QFile>
#include <QFileInfo>
#include "platform/errors.h"
#include "platform/wholewrite.h"
#include "store/recordcodec.h"
#include "store/writefault.h"

namespace {
QString fileName()
{
    return QString::fromLatin1(RemindersFile::kName);
}

[[noreturn]] void fail(const QString& what, const QString& reason)
{
    throw AppError(QStringLiteral("Could not %1 %2: %3").arg(what, fileName(), reason));
}
}  // namespace

RemindersFile::RemindersFile(int recordLength) : m_recordLength(recordLength)
{
    open();
}

void RemindersFile::open()
{
    m_slot.emplace();
    const QFileInfo info(fileName());
    if (info.isDir())
        fail(QStringLiteral("open"), QStringLiteral("it is a folder, not a file"));
    QFile file(fileName());
    if (!info.exists()) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            fail(QStringLiteral("create"), file.errorString());
        return;
    }
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("open"), file.errorString());
}

RemindersFile::~RemindersFile() = default;

void RemindersFile::close()
{
    m_slot.reset();
}

QByteArray RemindersFile::readAll() const
{
    QFile file(fileName());
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("read"), file.errorString());
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
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("read"), file.errorString());
    const qint64 offset = qint64(n - 1) * m_recordLength;
    QByteArray image;
    if (offset < file.size()) {
        file.seek(offset);
        image = file.read(m_recordLength);
        if (file.error() != QFileDevice::NoError)
            fail(QStringLiteral("read"), file.errorString());
    }
    return recordcodec::decode(image);
}

void RemindersFile::write(int n, const ReminderRecord& record)
{
    if (!isOpen())
        throw std::logic_error("reminders.dat written while closed");
    QByteArray data = readAll();
    const qint64 offset = qint64(n - 1) * m_recordLength;
    if (data.size() < offset + m_recordLength)
        data.append(QByteArray(offset + m_recordLength - data.size(), '\0'));
    data.replace(offset, m_recordLength, recordcodec::encode(record).left(m_recordLength));

    if (const auto reason = writefault::take())
        fail(QStringLiteral("write"), *reason);
    if (const auto reason = saveWhole(fileName(), data))
        fail(QStringLiteral("write"), *reason);
}
