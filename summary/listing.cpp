#include "summary/listing.h"

#include "platform/datetime.h"

namespace listing {

QStringList lines(const std::array<ReminderRecord, 3>& records)
{
    QStringList out;
    for (int i = 1; i <= 3; ++i) {
        const ReminderRecord& r = records[i - 1];
        // The number is printed with the place of a sign before it and a blank after.
        const QString head = QStringLiteral("Reminder# %1 ").arg(i);
        if (r.AlarmSet != 0) {
            out << head + QStringLiteral("is set.");
            out << QStringLiteral("Alarm Date: ") +
                       datetime::shortDate(datetime::dayFromOle(r.AlarmDate)).trimmed();
            out << QStringLiteral("Alarm Time: ") + shownText(r.AlarmTime);
            if (r.AdvanceOption >= 1 && r.AdvanceOption <= 3)
                out << QStringLiteral("Also ring alarm: ") + advanceOptionText(r.AdvanceOption) +
                           '.';
            if (shownText(r.Message).isEmpty())
                out << QStringLiteral("Message: None.");
            else
                out << QStringLiteral("Message(first few words): ") + shownText(r.Message.left(25));
        } else {
            out << head + QStringLiteral("is not set.");
        }
        // A line holding CR LF, then its own line end: two empty lines.
        out << QString() << QString();
    }
    return out;
}

}  // namespace listing
