#pragma once
#include "store/reminderrecord.h"

// What the ring and the start-up review need of the program around them: the editor's entries,
// the window and the files that follow the saved reminders. The ring never reaches the editor's
// controls itself.
class AlarmHost {
public:
    virtual ~AlarmHost() = default;
    // The editor's entry n now mirrors the record the file holds.
    virtual void SetEntry(int n, const ReminderRecord& saved) = 0;
    // Reminder n rang and its record is spent in the file (or as it was, when the write failed):
    // the editor shows it, unless it holds an unsaved edit of another reminder.
    virtual void RungSpent(int n) = 0;
    // Reminder n rings while its record steps wait for a box: a window that was never filled
    // comes up on the rung reminder all the same.
    virtual void RingWaiting(int n, const ReminderRecord& spent) = 0;
    // The window comes up for a ring, as the tray menu's Restore brings it.
    virtual void mPopRestore_Click() = 0;
    // The saved reminders changed: the log-on entry and an open summary follow.
    virtual void SavedRecordsChanged() = 0;
    // The day watch's tick: the editor follows a new day.
    virtual void FollowToday() = 0;
};
