#include "alarm/alarmtexts.h"

#include "platform/datetime.h"

namespace alarmtexts {

bool isDue(const ReminderRecord& record, const QDateTime& now)
{
    const auto moment = datetime::alarmMoment(record.AlarmDate, record.AlarmTime);
    return moment && now >= *moment;
}

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
    return QStringLiteral("You had an alarm scheduled for: ") + datetime::shortDate(datetime::dayFromOle(r.AlarmDate)) +
           QStringLiteral(" Alarm Time: ") + r.AlarmTime +
           QStringLiteral("\r\nThe alarm did not run because either:\r\n"
                          "the computer was turned off during the designated alarm time,\r\n"
                          "or the Chimewright program is not in your startup folder.\r\n\r\n"
                          "Message/Notes: \r\n") +
           notes(r.Message);
}

QString advanceNotice(const ReminderRecord& r)
{
    return QStringLiteral("You have scheduled an alarm for: ") + datetime::shortDate(datetime::dayFromOle(r.AlarmDate)) +
           QStringLiteral("\r\nAlarm Time: ") + r.AlarmTime + QStringLiteral("\r\n\r\nMessage/Notes: \r\n") +
           notes(r.Message);
}

bool advanceNoticeDue(const ReminderRecord& r, const QDate& today)
{
    const double t = datetime::toOle(today);
    switch (r.AdvanceOption) {
    case 1: return r.AlarmDate == t + 1;
    case 2: return r.AlarmDate == t + 2;
    case 3: return t < r.AlarmDate;
    default: return false;
    }
}

Review reviewOf(const ReminderRecord& r, const QDateTime& now)
{
    if (r.AlarmSet != -1)
        return Review::Nothing;
    const QDate today = now.date();
    if (r.AlarmDate == datetime::toOle(today)) {
        const auto T = datetime::parseTimeText(r.AlarmTime);
        if (!T)
            return Review::BadTime;
        return *T >= now.time() ? Review::Timer : Review::Missed;
    }
    // Left armed, an alarm of a day gone by would never ring nor be told.
    const QDate day = datetime::dayFromOle(r.AlarmDate);
    if (day.isValid() && day < today)
        return Review::Missed;
    return advanceNoticeDue(r, today) ? Review::Notice : Review::Nothing;
}

}  // namespace alarmtexts
