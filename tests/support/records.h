#pragma once
// Hand-made records and direct access to the data files, bypassing the program's file layer.
#include <QFile>
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

// A record in a failure message: time|OLE day|option|message|armed, each text's padding counted.
inline QString describe(const ReminderRecord& r)
{
    auto field = [](const QString& text) {
        qsizetype end = text.size();
        while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == QChar(0)))
            --end;
        const QString pad = text.mid(end);
        return text.left(end) + (pad.isEmpty() ? QString()
                                 : pad.count(' ') == pad.size()
                                     ? QString("+%1 blanks").arg(pad.size())
                                     : QString("+%1 pad").arg(pad.size()));
    };
    return QStringList{field(r.AlarmTime), QString::number(r.AlarmDate),
                       QString::number(r.AdvanceOption), field(r.Message),
                       QString::number(r.AlarmSet)}
        .join('|');
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
