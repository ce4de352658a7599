// The start-up review of the saved reminders: what must ring starts before any box shows.
#include "alarm/alarmhost.h"
#include "alarm/alarms.h"
#include "alarm/alarmtexts.h"
#include "alarm/alarmtimer.h"
#include "alarm/turns.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/messageboxes.h"
#include "store/remindersfile.h"

void Alarms::Review(int recordLength)
{
    m_recordLength = recordLength;
    const QDateTime now = m_services.clock->now();
    // The day watch runs from here on; if the file cannot be read now, it goes on trying and
    // arms what it finds once it can. Start-up tells today's failure.
    m_watchReportedDay = now.date();
    m_dayWatch->start();
    RemindersFile file(recordLength);
    ReminderTable saved;
    std::array<rules::Review, 4> plans{};
    for (int n = 1; n <= 3; ++n) {
        saved(n) = file.read(n);
        m_host.SetEntry(n, saved(n));
        plans[n] = rules::reviewOf(saved(n), now);
        // Told missed: the day watch never arms it, whatever day the clock goes back to.
        if (plans[n] == rules::Review::Missed)
            m_rang.append({n, saved(n)});
        if (plans[n] == rules::Review::Timer)
            Timer1[n]->start(saved(n));
    }
    m_watchedDay = now.date();
    // A signal to end the program may come while a box of the review waits.
    for (int n = 1; n <= 3 && !m_turns.hasEnded(); ++n)
        m_turns.run([&, n] { ReviewReminder(n, file, saved(n), plans[n]); });
}

// The review of one saved reminder, in its turn among the review's boxes: start-up has read the
// record and decided what to do with it at that moment.
void Alarms::ReviewReminder(int N, RemindersFile& file, ReminderRecord E, rules::Review plan)
{
    switch (plan) {
    case rules::Review::Nothing:
    case rules::Review::Timer:
        return;
    case rules::Review::BadTime:
        throw AppError(QStringLiteral("Reminder #%1 is set, but its alarm time \"%2\" is not a "
                                      "time. It was left as it is; set it again.")
                           .arg(N)
                           .arg(E.AlarmTime));
    case rules::Review::Notice:
        // An alarm that rang over an earlier box of the review is no longer ahead.
        if (!RungUnspent(N, E))
            MsgBox(alarmtexts::advanceNotice(E), msgbox::kOkOnly);
        return;
    case rules::Review::Missed:
        break;
    }
    const QString text = alarmtexts::missedText(E);
    E.makeSpent();
    m_host.SetEntry(N, E);
    MsgBox(text, msgbox::kOkOnly);
    file.write(N, E);
    m_host.SavedRecordsChanged();
}
