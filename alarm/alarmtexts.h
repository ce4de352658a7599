#pragma once
#include <QString>
#include "store/reminderrecord.h"

// What the ring and the start-up review say.
namespace alarmtexts {
// The ringing box's text.
QString ringText(const QString& keptMessage);
// The message for the review's boxes: trimmed, or "None.".
QString notes(const QString& message);
QString missedText(const ReminderRecord& record);
QString advanceNotice(const ReminderRecord& record);
}  // namespace alarmtexts
