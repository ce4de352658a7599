// Ringing: a running timer's reminder rings once, in its minute or at the first tick after it;
// the day watch arms each new day's alarms.
#include "alarm/alarms.h"

#include <algorithm>
#include <optional>
#include "alarm/alarmhost.h"
#include "alarm/alarmtexts.h"
#include "alarm/alarmtimer.h"
#include "alarm/turns.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/mediaplayer.h"
#include "platform/messageboxes.h"
#include "store/remindersfile.h"
#include "store/savedrecords.h"
#include "store/soundsetting.h"

Alarms::Alarms(const Services& services, Turns& turns, AlarmHost& host)
    : m_services(services)
    , m_turns(turns)
    , m_host(host)
{
    for (int i : {3, 2, 1}) {
        Timer1[i] = new AlarmTimer(this);
        connect(Timer1[i], &AlarmTimer::tick, this,
                [this, i] { m_turns.run([this, i] { Timer1_Timer(i); }); });
    }
    m_dayWatch->setInterval(AlarmTimer::kIntervalMs);
    connect(m_dayWatch, &QTimer::timeout, this,
            [this] { m_turns.run([this] { DayWatch_Timer(); }); });
}

int Alarms::MsgBox(const QString& text, int style, const QString& title)
{
    return m_services.boxes->MsgBox(text, style, title);
}

void Alarms::Timer1_Timer(int Index)
{
    // Only the saved moment the timer was started with can ring, never an edit that is still
    // waiting for its confirmation.
    if (Index < 1 || Index > 3 || !Timer1[Index]->isEnabled())
        return;
    const ReminderRecord rung = Timer1[Index]->armed();
    if (!rules::isDue(rung, m_services.clock->now()))
        return;

    Timer1[Index]->stop();
    m_rang.append({Index, rung});
    // Another handler waiting for an answer may hold the file or the editor: the record steps
    // run once it has ended, while the alarm is heard and shown at once. Ringing comes first: a
    // record that cannot be written is reported after the ring's box.
    std::optional<QString> failure;
    if (!m_turns.mayTouchFileNow()) {
        m_turns.defer([this, Index, rung] { SpendRungReminder(Index, rung); });
        m_unspent.append({Index, rung});
        ReminderRecord spent = rung;
        spent.makeSpent();
        m_host.RingWaiting(Index, spent);
    } else {
        try {
            SpendRungReminder(Index, rung);
        } catch (const AppError& e) {
            failure = e.text();
        }
    }
    m_host.mPopRestore_Click();

    MediaPlayer& player = *m_services.player;
    // Counted from the sound's start: the player waits for it in a loop of its own, where
    // another alarm of the same minute may ring, and closing that one's box must not pause this.
    ++m_ringBoxes;
    bool played = true;
    try {
        player.play();
    } catch (const AppError& e) {
        MsgBox(e.text(), msgbox::kOkOnly, msgbox::kAppTitle);
        played = PlayMelody();
    }
    m_sounding = m_sounding || played;
    MsgBox(alarmtexts::ringText(rung.Message), msgbox::kOkOnly,
           QStringLiteral("Chimewright Personal Alarm"));
    // The sound goes on while any ring box is open.
    if (--m_ringBoxes == 0 && std::exchange(m_sounding, false))
        player.pause();
    if (failure)
        m_turns.ReportError(*failure);
}

// The alarm is heard although the chosen sound cannot be played: this ring falls back to the
// melody beside the program, and the chosen sound stays set for the next one.
bool Alarms::PlayMelody()
{
    MediaPlayer& player = *m_services.player;
    const QString chosen = player.fileName();
    bool played = true;
    player.setFileName(QString::fromLatin1(soundsetting::kDefaultSound));
    try {
        player.play();
    } catch (const AppError&) {
        played = false;
    }
    player.setFileName(chosen);
    return played;
}

// The record steps of a ring: the spent record in the file and in the editor's entry, the
// timer, and the editor on the rung reminder. They spend only the moment that rang: when the
// file meanwhile holds a newer saving (confirmed while the ring waited), that saving, its entry
// and its timer stay as they are.
void Alarms::SpendRungReminder(int Index, const ReminderRecord& rung)
{
    m_unspent.removeOne({Index, rung});
    std::optional<QString> failure;
    {
        RemindersFile file(m_recordLength);
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
        m_host.SetEntry(Index, saved);
    }
    Timer1[Index]->stop();
    m_host.SavedRecordsChanged();
    m_host.RungSpent(Index);
    if (failure)
        throw AppError(*failure);
}

namespace {
bool holds(const QList<QPair<int, ReminderRecord>>& moments, int n, const ReminderRecord& saved)
{
    return std::any_of(moments.begin(), moments.end(), [&](const auto& m) {
        return m.first == n && saved.sameArmedMoment(m.second);
    });
}
}  // namespace

bool Alarms::RungUnspent(int n, const ReminderRecord& saved) const
{
    return holds(m_unspent, n, saved);
}

// A moment that rang in this run, also one whose spend could not be written, or that the
// start-up review told missed: it never rings again, whatever day the clock comes back to.
bool Alarms::Rang(int n, const ReminderRecord& saved) const { return holds(m_rang, n, saved); }

// The program ends, whatever holds the file: a moment that rang behind a box is saved spent, or
// the next start would report it missed. Nothing is shown any more.
void Alarms::WritePendingRecords()
{
    for (const auto& [n, rung] : std::as_const(m_unspent)) {
        try {
            ReminderRecord saved = savedrecords::read()(n);
            if (!saved.sameArmedMoment(rung))
                continue;
            saved.makeSpent();
            savedrecords::writeAtEnd(n, saved);
        } catch (const std::exception&) {
            // Still armed: the next start reports it missed.
        }
    }
}

// While the program runs across midnight, the new day's armed reminders start their timers
// from the saved records, read without waiting for a handler that holds the file behind a box.
// A day the watch never saw (the machine slept through it, or no review could read the file
// yet) rings late, as a running timer does, rather than never. A file that cannot be read is
// tried again at every tick, but told once a day.
void Alarms::DayWatch_Timer()
{
    m_host.FollowToday();
    const QDate today = m_services.clock->today();
    if (today == m_watchedDay)
        return;
    ReminderTable saved;
    try {
        saved = savedrecords::read();
    } catch (const AppError&) {
        if (std::exchange(m_watchReportedDay, today) == today)
            return;
        throw;
    }
    const QDate since = m_watchedDay.isValid() ? m_watchedDay.addDays(1) : QDate();
    for (int n = 1; n <= 3; ++n) {
        if (rules::runsToday(saved(n), today, since) && !Rang(n, saved(n)))
            Timer1[n]->start(saved(n));
    }
    m_watchedDay = today;
}

// A reminder's timer runs exactly while its saved record is armed for today, and carries that
// record. An alarm whose day went by while its confirmation was open rings at once, as one whose
// minute went by does, rather than never.
void Alarms::FollowSavedDay(int n, const ReminderRecord& saved, const QDate& askedOn)
{
    // A new saving rings at its moment, also one like a moment that rang before the clock was
    // set back.
    m_rang.removeIf([n](const QPair<int, ReminderRecord>& r) { return r.first == n; });
    if (rules::runsToday(saved, m_services.clock->today(), askedOn))
        Timer1[n]->start(saved);
    else
        Timer1[n]->stop();
}

void Alarms::FollowSavedMessage(int n, const ReminderRecord& saved)
{
    if (Timer1[n]->isEnabled())
        Timer1[n]->start(saved);
}

void Alarms::Stop(int n) { Timer1[n]->stop(); }
