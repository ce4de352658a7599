// Ringing: a running timer's reminder rings once, in its minute or at the first
// tick after it.
#include <optional>
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
#include "store/savedrecords.h"
#include "store/soundsetting.h"

void mainform::Timer1_Timer(int Index)
{
    // Only the saved moment the timer was started with can ring, never an edit
    // that is still waiting for its confirmation.
    if (Index < 1 || Index > 3 || !Timer1[Index]->isEnabled())
        return;
    const ReminderRecord rung = Timer1[Index]->armed();
    if (!alarmtexts::isDue(rung, m_services.clock->now()))
        return;

    Timer1[Index]->stop();
    // Another handler waiting for an answer may hold the file or the editor: the
    // record steps run once it has finished, while the alarm is heard and shown at
    // once. Ringing comes first: a record that cannot be written is reported after
    // the ring's box.
    std::optional<QString> failure;
    if (m_depth > 1 || FileSlot::busy()) {
        m_deferred.append([this, Index, rung] { SpendRungReminder(Index, rung); });
        m_unspent.append({Index, rung});
        // A window that start-up has not filled yet comes up on the rung reminder.
        if (CurrentReminder == 0) {
            Reminders(Index) = rung;
            Reminders(Index).makeSpent();
            ShowRungReminder(Index);
        }
    } else {
        try {
            SpendRungReminder(Index, rung);
        } catch (const AppError& e) {
            failure = e.text();
        }
    }
    mPopRestore_Click();

    const QString text = alarmtexts::ringText(rung.Message);
    const QString title = QStringLiteral("Chimewright Personal Alarm");
    bool played = true;
    try {
        MediaPlayer1.play();
    } catch (const AppError& e) {
        MsgBox(e.text(), msgbox::kOkOnly, msgbox::kAppTitle);
        played = PlayMelody();
    }
    m_sounding = m_sounding || played;
    ++m_ringBoxes;
    MsgBox(text, msgbox::kOkOnly, title);
    // The sound goes on while any ring box is open.
    if (--m_ringBoxes == 0 && std::exchange(m_sounding, false))
        MediaPlayer1.pause();
    if (failure)
        ReportError(*failure);
}

// The alarm is heard although the chosen sound cannot be played: this ring falls back
// to the melody beside the program, and the chosen sound stays set for the next one.
bool mainform::PlayMelody()
{
    const QString chosen = MediaPlayer1.fileName();
    bool played = true;
    MediaPlayer1.setFileName(QString::fromLatin1(soundsetting::kDefaultSound));
    try {
        MediaPlayer1.play();
    } catch (const AppError&) {
        played = false;
    }
    MediaPlayer1.setFileName(chosen);
    return played;
}

// Steps 3 to 6 of a ring: the spent record in memory and in the file, the flags,
// and the editor on the rung reminder. They spend only the moment that rang: when
// the file meanwhile holds a newer saving (confirmed while the ring waited), that
// saving, its entry and its timer stay as they are. An unsaved edit of another
// reminder stays in the editor: a ring never drops it.
void mainform::SpendRungReminder(int Index, const ReminderRecord& rung)
{
    m_unspent.removeOne({Index, rung});
    std::optional<QString> failure;
    {
        RemindersFile file(RecordLength);
        ReminderRecord saved = file.read(Index);
        if (!saved.sameArmedMoment(rung))
            return;
        ReminderRecord spent = saved;
        spent.makeSpent();
        try {
            file.write(Index, spent);
            saved = spent;
        } catch (const AppError& e) {
            failure = e.text();  // the entry shows what the file still holds
        }
        Reminders(Index) = saved;
    }
    Timer1[Index]->stop();
    SavedRecordsChanged();
    if (CurrentReminder == Index || !EditorHoldsEdit())
        ShowRungReminder(Index);
    if (failure)
        throw AppError(*failure);
}

void mainform::ShowRungReminder(int Index)
{
    DateChanged = 0;
    TimeChanged = 0;
    Label1->setText(QStringLiteral("Reminder #%1").arg(Index));
    CurrentReminder = Index;
    ShowReminder();
}

// A moment that rang behind a box, its spend still waiting for that box.
bool mainform::RungUnspent(int n, const ReminderRecord& saved) const
{
    for (const auto& [index, rung] : m_unspent) {
        if (index == n && saved.sameArmedMoment(rung))
            return true;
    }
    return false;
}

// The program ends, whatever holds the file: a moment that rang behind a box is saved
// spent, or the next start would report it missed. Nothing is shown any more.
void mainform::WritePendingRecords()
{
    for (const auto& [n, rung] : std::as_const(m_unspent)) {
        try {
            ReminderRecord saved = savedrecords::read(RecordLength)(n);
            if (!saved.sameArmedMoment(rung))
                continue;
            saved.makeSpent();
            savedrecords::writeAtEnd(n, saved, RecordLength);
        } catch (const std::exception&) {
            // Still armed: the next start reports it missed.
        }
    }
}

// While the program runs across midnight, the new day's armed reminders start
// their timers from the saved records, read without waiting for a handler that
// holds the file behind a box. A day the watch never saw (the machine slept
// through it, or no review could read the file yet) rings late, as a running
// timer does, rather than never. A file that cannot be read is tried again at
// every tick, but reported once a day.
void mainform::DayWatch_Timer()
{
    FollowToday();  // the editor's earliest day, and the day it shows unchosen
    const QDate today = m_services.clock->today();
    if (today == m_watchedDay)
        return;
    ReminderTable saved;
    try {
        saved = savedrecords::read(RecordLength);
    } catch (const AppError&) {
        if (m_watchReportedDay == today)
            return;
        m_watchReportedDay = today;
        throw;
    }
    for (int n = 1; n <= 3; ++n) {
        const QDate day = datetime::dayFromOle(saved(n).AlarmDate);
        if (saved(n).isArmed() && (day == today || (day > m_watchedDay && day < today)) &&
            !RungUnspent(n, saved(n)))
            Timer1[n]->start(saved(n));
    }
    m_watchedDay = today;
}
