// Shutdown and the log-on start entry.
#include <QApplication>
#include <QLineEdit>
#include "editor/mainform.h"
#include "platform/clock.h"
#include "platform/datetime.h"
#include "platform/errors.h"
#include "platform/logonentry.h"
#include "platform/messageboxes.h"
#include "platform/trayicon.h"
#include "platform/windowlist.h"
#include "store/fileslot.h"
#include "store/remindersfile.h"

namespace {
const QString kEntryName = QStringLiteral("Chimewright.EXE.desktop");
const QString kOtherEntryName = QStringLiteral("Shortcut to Chimewright.EXE.desktop");
}  // namespace

void mainform::filemnuexit_Click()
{
    close();
}

void mainform::Form_Unload(int& Cancel)
{
    if (m_sessionEnding) {
        EndSession();
        return;
    }
    RemindersFile file(RecordLength);
    const int N = CurrentReminder;
    if (N >= 1 && N <= 3) {
        Reminders(N) = file.read(N);
        if (Reminders(N).AlarmSet == -1) {
            // Edits that cannot be stored are reported and the exit goes on: the saved
            // reminder stands, and an unwritable edit must not keep the program open.
            try {
                SaveArmedEdits(file, N, QStringLiteral("Settings for Reminder%1 has changed. Save new settings?").arg(N));
            } catch (const AppError& e) {
                ReportError(e.text());
            }
        } else if (DateChanged == 1 || TimeChanged == 1) {
            if (MsgBox(QStringLiteral("Settings for Reminder %1 has changed. Save new settings?").arg(N),
                       msgbox::kOkCancel, msgbox::kAppTitle) == msgbox::kOk) {
                DateChanged = 0;
                TimeChanged = 0;
                file.close();
                Command1_Click();
                file.open();
            }
        }
    }

    auto refuse = [this, &Cancel, &file] {
        Cancel = 1;
        file.close();
        SetWindowState(1);
    };
    bool anyArmed = false;
    for (int I = 1; I <= 3; ++I) {
        Reminders(I) = file.read(I);
        // An alarm that rang while an earlier box was open is spent once this exit ends:
        // it draws no warning as if still to ring.
        const bool rung = RungUnspent(I, Reminders(I));
        anyArmed = anyArmed || (Reminders(I).AlarmSet != 0 && !rung);
        if (Reminders(I).AlarmSet != -1 || rung)
            continue;
        for (QWidget* w : windowlist::all()) {
            if (windowlist::tagOf(w) == QLatin1String("mainform") && isShownInFront(w)) {
                refuse();
                return;
            }
        }
        // An alarm whose moment cannot be read may be near as well: warn.
        const auto M = datetime::alarmMoment(Reminders(I).AlarmDate, Reminders(I).AlarmTime);
        const qint64 H = M ? datetime::hourBoundaries(m_services.clock->now(), *M) : 0;
        if (H < 24 &&
            MsgBox(QStringLiteral("An alarm has been set to ring within the next 24 hours.\r\n"
                                  "If you close this program, the alarm may not run."),
                   msgbox::kOkCancelDefaultCancel, QStringLiteral("Exit Program?")) != msgbox::kOk) {
            refuse();
            return;
        }
    }
    file.close();
    ApplyLogonRule(anyArmed, true);
    if (m_services.tray)
        m_services.tray->remove();
}

// A shown main window is minimised instead of closed, into the task bar when there
// is no notification area. A minimised one can go no further, so it counts as
// withdrawn: closing it (the task bar's Close) goes on to the warnings and can end
// the program.
bool mainform::isShownInFront(const QWidget* w) const
{
    if (!w->isVisible())
        return false;
    const auto* form = qobject_cast<const mainform*>(w);
    const bool minimised = w->isMinimized() || (form && form->WindowState() == 1);
    return !minimised;
}

// Started at log-on exactly while a reminder is armed: one entry, never two, and
// an existing one is never overwritten. An entry that cannot be written or
// removed is reported once for each wanted state, and never keeps the program
// from ending.
void mainform::ApplyLogonRule(bool anyArmed, bool report)
{
    LogonEntries* logon = m_services.logon;
    if (!logon)
        return;
    try {
        if (anyArmed) {
            if (!logon->exists(kEntryName) && !logon->exists(kOtherEntryName))
                logon->create(kEntryName, m_services.executablePath);
        } else if (logon->exists(kEntryName)) {
            logon->remove(kEntryName);
        } else if (logon->exists(kOtherEntryName)) {
            logon->remove(kOtherEntryName);
        }
    } catch (const AppError& e) {
        if (report && m_logonReported != anyArmed) {
            m_logonReported = anyArmed;
            ReportError(e.text());
        }
        return;
    }
    m_logonReported.reset();
}

// The log-on entry follows the saved reminders whenever they change, so that a
// log-out, a crash or a power cut never leaves armed alarms without it.
void mainform::SyncLogonEntry(bool report)
{
    bool anyArmed = false;
    try {
        RemindersFile file(RecordLength > 0 ? RecordLength : 2068);
        for (int n = 1; n <= 3; ++n)
            anyArmed = anyArmed || file.read(n).AlarmSet != 0;
    } catch (const AppError&) {
        return;  // the handler that met the unreadable file has reported it; the entry stays
    }
    ApplyLogonRule(anyArmed, report);
}

// The session asks to save: a checkpoint, or a log-out that may yet be
// cancelled. The program goes on running and ringing; only the entry is brought
// in step, without a box.
void mainform::SessionSaveRequest()
{
    if (m_ended || FileSlot::busy())
        return;
    SyncLogonEntry(false);
}

// The desktop session ends, or a signal asks the program to end: no questions.
void mainform::EndSession()
{
    if (m_ended)
        return;
    m_sessionEnding = true;
    // The session may not give the program the time to get back to a box's handler.
    WritePendingRecords();
    if (!FileSlot::busy()) {
        try {
            SyncLogonEntry(false);
        } catch (const std::exception&) {
            // The entry was kept in step with every change already.
        }
    }
    if (m_services.tray)
        m_services.tray->remove();
    m_ended = true;
    // A box still waiting for its answer is closed: before the event loop runs (a
    // box of the start-up review), quitting alone would leave it open and the
    // program running.
    QApplication::closeAllWindows();
    emit ended();
}
