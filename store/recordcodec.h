#pragma once
#include <QByteArray>
#include "store/reminderrecord.h"

// The 2068-byte record image: time at 0, date at 8, option at 16, message at 18,
// armed flag at 2066; integers little-endian, text one byte per character.
namespace recordcodec {
constexpr int kRecordLength = 2068;
QByteArray encode(const ReminderRecord& record);
// Any bytes decode; a short image reads as if padded with zero bytes.
ReminderRecord decode(const QByteArray& image);
// Where record n (1..3) starts in the file.
constexpr qint64 offsetOf(int n) { return qint64(n - 1) * kRecordLength; }
// The file's bytes with record n replaced; records skipped over are zero bytes.
QByteArray placed(QByteArray file, int n, const ReminderRecord& record);
}  // namespace recordcodec
