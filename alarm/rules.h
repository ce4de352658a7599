#pragma once
#include <QDate>
#include <QDateTime>
#include <QTime>
#include "store/reminderrecord.h"

// What the alarm timing decides, as pure functions of a record and the clock: each rule in one
// place, so that Set Alarm, the save questions, the timers, the day watch and the start-up review
// judge alike.
namespace rules {

// A typed moment that has passed: its time earlier than now on today, or a day gone by. Stored
// armed, it would never ring. The current minute passes only at its second 0.
bool passed(const QTime& typed, const QDate& day, const QDateTime& now);

// Whether a saved record's timer runs today: armed for today, or for a day from `since` on that
// went by unwatched (the machine slept through it, a box held the confirmation across midnight):
// that one rings late rather than never. An invalid `since`: no day was watched yet.
bool runsToday(const ReminderRecord& saved, const QDate& today, const QDate& since);

// A running timer's reminder is due once the wall clock has reached its saved moment (its day at
// its time); a time text that is not a time never is.
bool isDue(const ReminderRecord& saved, const QDateTime& now);

// Whether an armed reminder of another day shows its advance notice today.
bool advanceNoticeDue(const ReminderRecord& saved, const QDate& today);

// What the start-up review does with a saved reminder at that moment: nothing, start its timer
// (today's alarm still ahead), report it missed (its time passed today, or its whole day passed
// while the program was not running), show its advance notice, or report a time that is not one.
enum class Review { Nothing, Timer, Missed, Notice, BadTime };
Review reviewOf(const ReminderRecord& saved, const QDateTime& now);

}  // namespace rules
