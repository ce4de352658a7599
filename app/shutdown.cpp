// Shutdown: the save questions, the refused close, the near-alarm warnings, the log-on entry.
#include "app/shutdown.h"

#include <QApplication>
#include <QCloseEvent>
#include "alarm/alarms.h"
#include "alarm/alarmtimer.h"
#include "alarm/turns.h"
#include "app/logonrule.h"
#include "app/windowlife.h"
#include "editor/mainform.h"
#include "platform/clock.h"
#include "platform/datetime.h"
#include "platform/errors.h"
#include "platform/messageboxes.h"
#include "platform/windowlist.h"
#include "store/remindersfile.h"

Shutdown::Shutdown(const Services& services, Turns& turns, mainform& form, Alarms& alarms,
                   WindowLife& window, LogonRule& logon)
    : m_services(services)
    , m_turns(turns)
    , m_form(form)
    , m_alarms(alarms)
    , m_window(window)
    , m_logon(logon)
{
    form.installEventFilter(this);
}

bool Shutdown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_form || event->type() != QEvent::Close || m_turns.hasEnded())
        return false;
    // A failure inside the unload handler keeps the program running.
    int Cancel = 0;
    bool finished = false;
    m_turns.run([this, &Cancel, &finished] {
        Form_Unload(Cancel);
        finished = true;
    });
    if (!finished || Cancel != 0) {
        event->ignore();
        return true;
    }
    m_turns.end();
    emit ended();
    return false;
}

void Shutdown::Form_Unload(int& Cancel)
{
    std::optional<RemindersFile> opened;
    try {
        opened.emplace(m_form.RecordLength);
    } catch (const AppError& e) {
        return EndUnread(Cancel, e.text());
    }
    RemindersFile& file = *opened;
    const int N = m_form.CurrentReminder;
    if (N >= 1 && N <= 3) {
        m_form.Reminders(N) = file.read(N);
        if (m_form.Reminders(N).AlarmSet == -1) {
            // Edits that cannot be stored are reported and the exit goes on: the saved reminder
            // stands, and an unwritable edit must not keep the program open.
            try {
                m_form.SaveArmedEdits(
                    file, N,
                    QStringLiteral("Settings for Reminder%1 has changed. Save new settings?")
                        .arg(N));
            } catch (const AppError& e) {
                m_turns.ReportError(e.text());
            }
        } else if ((m_form.DateChanged == 1 || m_form.TimeChanged == 1) &&
                   m_form.SaveUnarmedEdits(file, QStringLiteral("Settings for Reminder %1 has "
                                                                "changed. Save new settings?")
                                                     .arg(N))) {
            file.open();
        }
    }

    auto refuse = [this, &Cancel, &file] {
        Cancel = 1;
        file.close();
        m_window.SetWindowState(1);
    };
    bool anyArmed = false;
    for (int I = 1; I <= 3; ++I) {
        ReminderRecord& E = m_form.Reminders(I);
        E = file.read(I);
        // An alarm that rang while an earlier box was open is spent once this exit ends: it
        // draws no warning as if still to ring.
        const bool rung = m_alarms.RungUnspent(I, E);
        anyArmed = anyArmed || (E.AlarmSet != 0 && !rung);
        if (E.AlarmSet != -1 || rung)
            continue;
        for (QWidget* w : windowlist::all()) {
            if (windowlist::tagOf(w) == QLatin1String("mainform") && m_window.isShownInFront()) {
                refuse();
                return;
            }
        }
        // An alarm whose moment cannot be read may be near as well: warn.
        const auto M = datetime::alarmMoment(E.AlarmDate, E.AlarmTime);
        const qint64 H = M ? datetime::hourBoundaries(m_services.clock->now(), *M) : 0;
        if (H < 24 && !NearAlarmWarning()) {
            refuse();
            return;
        }
    }
    file.close();
    m_logon.ApplyLogonRule(anyArmed, true);
    m_window.RemoveIcon();
}

bool Shutdown::NearAlarmWarning()
{
    return m_services.boxes->MsgBox(
               QStringLiteral("An alarm has been set to ring within the next 24 hours.\r\n"
                              "If you close this program, the alarm may not run."),
               msgbox::kOkCancelDefaultCancel, QStringLiteral("Exit Program?")) == msgbox::kOk;
}

// Nothing can be saved or warned of from the file, and a failure that kept the program running
// would keep it running for good. The failure is told; an alarm of today whose timer runs is
// warned of as a near one; the log-on entry stays as it is.
void Shutdown::EndUnread(int& Cancel, const QString& failure)
{
    m_turns.ReportError(failure);
    bool running = false;
    for (int n = 1; n <= 3; ++n)
        running = running || m_alarms.Timer1[n]->isEnabled();
    if (running && !NearAlarmWarning()) {
        Cancel = 1;
        return;
    }
    m_window.RemoveIcon();
}

// The program goes on running and ringing; only the entry is brought in step, without a box.
void Shutdown::SessionSaveRequest()
{
    if (!m_turns.hasEnded())
        m_logon.SyncLogonEntry(false);
}

// No questions. The session may not give the program the time to get back to a box's handler:
// a ring's record steps still waiting are written first.
void Shutdown::EndSession()
{
    if (m_turns.hasEnded())
        return;
    m_alarms.WritePendingRecords();
    try {
        m_logon.SyncLogonEntry(false);
    } catch (const std::exception&) {
        // The entry was kept in step with every change already.
    }
    m_window.RemoveIcon();
    m_turns.end();
    // A box still waiting for its answer is closed: before the event loop runs (a box of the
    // start-up review), quitting alone would leave it open and the program running.
    QApplication::closeAllWindows();
    emit ended();
}
