#include "alarm/alarmtexts.h"

#include "platform/datetime.h"

namespace alarmtexts {

QString ringText(const QString& keptMessage)
{
    const QString message = trimBlanks(keptMessage);
    if (shownText(message).isEmpty())
        return QStringLiteral("Message: None.");
    return QStringLiteral("Message:\r\n") + message;
}

QString notes(const QString& message)
{
    const QString shown = shownText(message);
    return shown.isEmpty() ? QStringLiteral("None.") : shown;
}

QString missedText(const ReminderRecord& r)
{
    return QStringLiteral("You had an alarm scheduled for: ") +
           datetime::shortDate(datetime::dayFromOle(r.AlarmDate)) +
           QStringLiteral(" Alarm Time: ") + r.AlarmTime +
           QStringLiteral("\r\nThe alarm did not run because either:\r\n"
                          "the computer was turned off during the designated alarm time,\r\n"
                          "or the Chimewright program is not in your startup folder.\r\n\r\n"
                          "Message/Notes: \r\n") +
           notes(r.Message);
}

QString advanceNotice(const ReminderRecord& r)
{
    return QStringLiteral("You have scheduled an alarm for: ") +
           datetime::shortDate(datetime::dayFromOle(r.AlarmDate)) +
           QStringLiteral("\r\nAlarm Time: ") + r.AlarmTime +
           QStringLiteral("\r\n\r\nMessage/Notes: \r\n") + notes(r.Message);
}

}  // namespace alarmtexts
