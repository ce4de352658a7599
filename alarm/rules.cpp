#include "alarm/rules.h"

#include "platform/datetime.h"

namespace rules {

bool passed(const QTime& typed, const QDate& day, const QDateTime& now)
{
    const QTime minute(typed.hour(), typed.minute());
    return (minute < now.time() && day == now.date()) || day < now.date();
}

bool runsToday(const ReminderRecord& saved, const QDate& today, const QDate& since)
{
    const QDate day = datetime::dayFromOle(saved.AlarmDate);
    return saved.isArmed() && (day == today || ((!since.isValid() || since <= day) && day < today));
}

bool isDue(const ReminderRecord& saved, const QDateTime& now)
{
    const auto moment = datetime::alarmMoment(saved.AlarmDate, saved.AlarmTime);
    return moment && now >= *moment;
}

bool advanceNoticeDue(const ReminderRecord& saved, const QDate& today)
{
    const double t = datetime::toOle(today);
    switch (saved.AdvanceOption) {
    case 1:
        return saved.AlarmDate == t + 1;
    case 2:
        return saved.AlarmDate == t + 2;
    case 3:
        return t < saved.AlarmDate;
    default:
        return false;
    }
}

Review reviewOf(const ReminderRecord& saved, const QDateTime& now)
{
    if (!saved.isArmed())
        return Review::Nothing;
    const QDate today = now.date();
    if (saved.AlarmDate == datetime::toOle(today)) {
        const auto T = datetime::parseTimeText(saved.AlarmTime);
        if (!T)
            return Review::BadTime;
        return *T >= now.time() ? Review::Timer : Review::Missed;
    }
    // Left armed, an alarm of a day gone by would never ring nor be told.
    const QDate day = datetime::dayFromOle(saved.AlarmDate);
    if (day.isValid() && day < today)
        return Review::Missed;
    return advanceNoticeDue(saved, today) ? Review::Notice : Review::Nothing;
}

}  // namespace rules
