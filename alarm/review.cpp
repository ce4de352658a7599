// The start-up review of one saved reminder, in its turn among the review's boxes. Start-up
// has read the record and decided what to do with it at that moment, and has started the
// timers of today's alarms still ahead before the first box.
#include "alarm/alarmtexts.h"
#include "editor/mainform.h"
#include "platform/errors.h"
#include "platform/messageboxes.h"
#include "store/remindersfile.h"

void mainform::ReviewReminder(int N, RemindersFile& file, alarmtexts::Review plan)
{
    using alarmtexts::Review;
    ReminderRecord& E = Reminders(N);
    switch (plan) {
    case Review::Nothing:
    case Review::Timer:
        return;
    case Review::BadTime:
        throw AppError(QStringLiteral("Reminder #%1 is set, but its alarm time \"%2\" is not a "
                                      "time. It was left as it is; set it again.")
                           .arg(N)
                           .arg(E.AlarmTime));
    case Review::Notice:
        MsgBox(alarmtexts::advanceNotice(E), msgbox::kOkOnly);
        return;
    case Review::Missed:
        break;
    }
    const QString text = alarmtexts::missedText(E);
    E.makeSpent();
    MsgBox(text, msgbox::kOkOnly);
    file.write(N, E);
    SavedRecordsChanged();
}
