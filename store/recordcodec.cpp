#include "store/recordcodec.h"

#include <cstring>
#include <QtEndian>
#include "store/codepage.h"

namespace recordcodec {

namespace {
constexpr int kTimeAt = 0;
constexpr int kDateAt = 8;
constexpr int kOptionAt = 16;
constexpr int kMessageAt = 18;
constexpr int kSetAt = 2066;
}  // namespace

QByteArray encode(const ReminderRecord& r)
{
    QByteArray image(kRecordLength, '\0');
    char* p = image.data();
    const QByteArray time = codepage::encode(r.AlarmTime.left(ReminderRecord::kTimeWidth));
    std::memcpy(p + kTimeAt, time.constData(), time.size());
    quint64 bits;
    std::memcpy(&bits, &r.AlarmDate, sizeof bits);
    qToLittleEndian(bits, p + kDateAt);
    qToLittleEndian(r.AdvanceOption, p + kOptionAt);
    const QByteArray message = codepage::encode(r.Message.left(ReminderRecord::kMessageWidth));
    std::memcpy(p + kMessageAt, message.constData(), message.size());
    qToLittleEndian(r.AlarmSet, p + kSetAt);
    return image;
}

ReminderRecord decode(const QByteArray& raw)
{
    QByteArray image = raw.left(kRecordLength);
    image.append(QByteArray(kRecordLength - image.size(), '\0'));
    const char* p = image.constData();
    ReminderRecord r;
    r.AlarmTime = codepage::decode(image.mid(kTimeAt, ReminderRecord::kTimeWidth));
    const quint64 bits = qFromLittleEndian<quint64>(p + kDateAt);
    std::memcpy(&r.AlarmDate, &bits, sizeof bits);
    r.AdvanceOption = qFromLittleEndian<qint16>(p + kOptionAt);
    r.Message = codepage::decode(image.mid(kMessageAt, ReminderRecord::kMessageWidth));
    r.AlarmSet = qFromLittleEndian<qint16>(p + kSetAt);
    return r;
}

QByteArray placed(QByteArray file, int n, const ReminderRecord& record)
{
    const qint64 end = offsetOf(n) + kRecordLength;
    if (file.size() < end)
        file.append(QByteArray(end - file.size(), '\0'));
    return file.replace(offsetOf(n), kRecordLength, encode(record));
}

}  // namespace recordcodec
