#pragma once
#include "store/reminderrecord.h"

// The reminders as reminders.dat holds them now, read without the file slot: what must ring never
// waits for a handler that holds the file behind a box. Every write replaces the whole file, so a
// read meets the earlier or the later file, never half a record. Only a regular file is read, and
// nothing waits on one that is not (a FIFO, a device).
namespace savedrecords {
// Entries 1..3; a missing file, or a record past its end, reads as never written.
ReminderTable read();
// Replaces record n without the file slot. Only for the program's last moment: a handler that
// holds the slot behind a box then never writes again.
void writeAtEnd(int n, const ReminderRecord& record);
}  // namespace savedrecords
