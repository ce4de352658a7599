#pragma once
// Hand-made records and direct access to the data files, bypassing the program's file layer.
#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>
#include "platform/datetime.h"
#include "store/recordcodec.h"
#include "store/reminderrecord.h"

inline ReminderRecord armedRecord(const QDate& day, const QString& time, int option = 0, const QString& message = {})
{
    ReminderRecord r;
    r.AlarmTime = fixedText(time, ReminderRecord::kTimeWidth);
    r.AlarmDate = datetime::toOle(day);
    r.AdvanceOption = static_cast<qint16>(option);
    r.Message = fixedText(message, ReminderRecord::kMessageWidth);
    r.AlarmSet = -1;
    return r;
}

inline void putRecord(const QString& path, int n, const ReminderRecord& r)
{
    QFile f(path);
    f.open(QIODevice::ReadWrite);
    QByteArray data = f.readAll();
    const qint64 at = qint64(n - 1) * recordcodec::kRecordLength;
    if (data.size() < at + recordcodec::kRecordLength)
        data.append(QByteArray(at + recordcodec::kRecordLength - data.size(), '\0'));
    data.replace(at, recordcodec::kRecordLength, recordcodec::encode(r));
    f.resize(0);
    f.seek(0);
    f.write(data);
}

inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

inline ReminderRecord getRecord(const QString& path, int n)
{
    return recordcodec::decode(fileBytes(path).mid(qint64(n - 1) * recordcodec::kRecordLength, recordcodec::kRecordLength));
}
