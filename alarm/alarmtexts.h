#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include "store/reminderrecord.h"

// What the alarm timing decides and says, as pure functions of a record and the clock.
namespace alarmtexts {
// A running timer's reminder is due once the wall clock has reached its alarm
// moment (its day at its time); a time text that is not a time never is.
bool isDue(const ReminderRecord& record, const QDateTime& now);
// The ringing box's text.
QString ringText(const QString& keptMessage);
// The message for the review's boxes: trimmed, or "None.".
QString notes(const QString& message);
QString missedText(const ReminderRecord& record);
QString advanceNotice(const ReminderRecord& record);
// Whether an armed reminder of another day shows its advance notice today.
bool advanceNoticeDue(const ReminderRecord& record, const QDate& today);

// What the start-up review does with a saved reminder at that moment: nothing, start its
// timer (today's alarm still ahead), report it missed (its time passed today, or its whole
// day passed while the program was not running), show its advance notice, or report a time
// that is not a time.
enum class Review { Nothing, Timer, Missed, Notice, BadTime };
Review reviewOf(const ReminderRecord& record, const QDateTime& now);
}
