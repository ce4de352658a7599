#pragma once
#include <optional>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// Dates as the reminders file stores them (OLE Automation dates: days since
// 30 December 1899, the fraction being the time of day) and the text patterns the
// program shows. English day, month and AM/PM names always.
namespace datetime {

// Earliest and latest days a stored date may name and still be used.
constexpr double kOleMin = -657434.0;  // 1 January 100
constexpr double kOleMax = 2958465.0;  // 31 December 9999

double toOle(const QDate& day);
// The whole day of an OLE date; invalid for NaN or out-of-range values.
QDate dayFromOle(double ole);

// "hh:mm AM/PM" (also "Medium Time"): always 8 characters, seconds dropped.
QString hhmmAmPm(const QTime& t);
// "dddd, mmmm dd, yyyy".
QString longDate(const QDate& d);
// The user's short date format; a two-digit year is widened to four digits so
// that a year is never ambiguous.
QString shortDate(const QDate& d);

// The typed time of the Set Alarm command: a time, optionally after a calendar
// date. Returns the time of day, or nothing when the text is not accepted.
std::optional<QTime> parseTimeText(const QString& text);

// A moment from a stored day and an 8-character time text; nothing when either is unusable.
std::optional<QDateTime> alarmMoment(double oleDay, const QString& timeText);

// Hour boundaries from one wall-clock moment to another: both cut to the whole
// hour, counted in hours; negative when `to` lies before `from`.
qint64 hourBoundaries(const QDateTime& from, const QDateTime& to);

// A wall-clock moment from local date and time fields.
inline QDateTime wallClock(const QDate& d, const QTime& t) { return QDateTime(d, t, Qt::UTC); }

}  // namespace datetime
