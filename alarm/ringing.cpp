// Ringing: a running timer's reminder rings once, in its minute or at the first
// tick after it.
#include <QLabel>
#include "alarm/alarmtexts.h"
#include "alarm/alarmtimer.h"
#include "editor/mainform.h"
#include "platform/clock.h"
#include "platform/datetime.h"
#include "platform/errors.h"
#include "platform/mediaplayer.h"
#include "platform/messageboxes.h"
#include "store/fileslot.h"
#include "store/remindersfile.h"

void mainform::Timer1_Timer(int Index)
{
    if (Index < 1 || Index > 3 || !alarmtexts::isDue(Reminders(Index), m_services.clock->now()))
        return;

    const QString kept = Reminders(Index).Message;
    Timer1[Index]->stop();
    // Another handler waiting for an answer may hold the file or the editor: the
    // record, the file and the editor change once it has finished, while the
    // alarm is heard and shown at once.
    if (m_depth > 1)
        m_deferred.append([this, Index] { SpendRungReminder(Index); });
    else
        SpendRungReminder(Index);
    mPopRestore_Click();

    const QString text = alarmtexts::ringText(kept);
    const QString title = QStringLiteral("Chimewright Personal Alarm");
    try {
        MediaPlayer1.play();
    } catch (const AppError& e) {
        MsgBox(e.text(), msgbox::kOkOnly, msgbox::kAppTitle);
        MsgBox(text, msgbox::kOkOnly, title);
        return;
    }
    MsgBox(text, msgbox::kOkOnly, title);
    MediaPlayer1.pause();
}

// Steps 3 to 6 of a ring: the spent record in memory and in the file, the flags,
// and the editor on the rung reminder.
void mainform::SpendRungReminder(int Index)
{
    Reminders(Index).makeSpent();
    {
        RemindersFile file(RecordLength);
        file.write(Index, Reminders(Index));
    }
    m_logonDirty = true;
    DateChanged = 0;
    TimeChanged = 0;
    Label1->setText(QStringLiteral("Reminder #%1").arg(Index));
    CurrentReminder = Index;
    ShowReminder();
}

// While the program runs across midnight, the new day's armed reminders start their timers.
void mainform::DayWatch_Timer()
{
    const QDate today = m_services.clock->today();
    if (today == m_watchedDay || FileSlot::busy())
        return;
    RemindersFile file(RecordLength);
    for (int n = 1; n <= 3; ++n) {
        const ReminderRecord saved = file.read(n);
        if (saved.AlarmSet == -1 && Reminders(n).AlarmSet == -1 &&
            datetime::dayFromOle(saved.AlarmDate) == today)
            Timer1[n]->start();
    }
    file.close();
    m_watchedDay = today;
}
