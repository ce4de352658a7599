// The start-up review of one saved reminder.
#include "alarm/alarmtexts.h"
#include "alarm/alarmtimer.h"
#include "editor/mainform.h"
#include "platform/clock.h"
#include "platform/datetime.h"
#include "platform/errors.h"
#include "platform/messageboxes.h"
#include "store/remindersfile.h"

void mainform::ReviewReminder(int N, RemindersFile& file)
{
    Reminders(N) = file.read(N);
    ReminderRecord& E = Reminders(N);
    if (E.AlarmSet != -1)
        return;
    const QDateTime now = m_services.clock->now();
    const QDate today = now.date();
    const QDate day = datetime::dayFromOle(E.AlarmDate);
    const bool dayPassed = day.isValid() && day < today;
    if (E.AlarmDate == datetime::toOle(today)) {
        const auto T = datetime::parseTimeText(E.AlarmTime);
        if (!T)
            throw AppError(QStringLiteral("Reminder #%1 is set, but its alarm time \"%2\" is not a time. "
                                          "It was left as it is; set it again.")
                               .arg(N)
                               .arg(E.AlarmTime));
        if (*T >= now.time()) {
            Timer1[N]->start(E);
            return;
        }
    } else if (!dayPassed) {
        if (alarmtexts::advanceNoticeDue(E, today))
            MsgBox(alarmtexts::advanceNotice(E), msgbox::kOkOnly);
        return;
    }
    // Missed: its time passed today, or its whole day passed while the program
    // was not running. Left armed, it would never ring nor be told.
    const QString text = alarmtexts::missedText(E);
    E.makeSpent();
    MsgBox(text, msgbox::kOkOnly);
    file.write(N, E);
    m_logonDirty = true;
}
