#pragma once
// Hand-made records and direct access to the data files, bypassing the program's file layer.
#include <QFile>
#include <QRegularExpression>
#include "platform/datetime.h"
#include "store/recordcodec.h"
#include "store/reminderrecord.h"

inline ReminderRecord armedRecord(const QDate& day, const QString& time, int option = 0,
                                  const QString& message = {})
{
    ReminderRecord r;
    r.AlarmTime = fixedText(time, ReminderRecord::kTimeWidth);
    r.AlarmDate = datetime::toOle(day);
    r.AdvanceOption = static_cast<qint16>(option);
    r.Message = fixedText(message, ReminderRecord::kMessageWidth);
    r.AlarmSet = -1;
    return r;
}

// A record in a failure message: time|OLE day|option|message|armed, the padding cut.
inline QString describe(const ReminderRecord& r)
{
    const QRegularExpression padding(QStringLiteral("[ \\x00]+$"));
    return QString("%1|%2|%3|%4|%5")
        .arg(QString(r.AlarmTime).remove(padding), QString::number(r.AlarmDate),
             QString::number(r.AdvanceOption), QString(r.Message).remove(padding),
             QString::number(r.AlarmSet));
}

inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void putFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(data);
}

inline void putRecord(const QString& path, int n, const ReminderRecord& r)
{
    const qint64 at = qint64(n - 1) * recordcodec::kRecordLength;
    QByteArray data = fileBytes(path).leftJustified(at + recordcodec::kRecordLength, '\0');
    putFile(path, data.replace(at, recordcodec::kRecordLength, recordcodec::encode(r)));
}
