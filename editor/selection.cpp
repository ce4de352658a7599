// Choosing, showing and tracking edits of the reminder in the editor.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include "alarm/alarms.h"
#include "alarm/rules.h"
#include "editor/datepicker.h"
#include "editor/editorhost.h"
#include "editor/mainform.h"
#include "platform/clock.h"
#include "platform/datetime.h"
#include "platform/errors.h"
#include "platform/messageboxes.h"
#include "store/remindersfile.h"
#include "store/savedrecords.h"

void mainform::filemnurem1_Click() { SwitchTo(1); }
void mainform::filemnurem2_Click() { SwitchTo(2); }
void mainform::filemnurem3_Click() { SwitchTo(3); }

void mainform::SwitchTo(int n)
{
    SavePendingChanges();
    ShowNumber(n);
}

void mainform::ShowNumber(int n)
{
    Label1->setText(QStringLiteral("Reminder #%1").arg(n));
    CurrentReminder = n;
    ShowReminder();
}

// A rung reminder is shown spent, and an unsaved edit of another reminder stays: a ring never
// drops it. Its record steps have run, so no handler waits on the editor.
void mainform::ShowRungReminder(int n)
{
    if (CurrentReminder == n || !EditorHoldsEdit()) {
        ClearChangeFlags();
        ShowNumber(n);
    }
}

// A reminder rings while its record steps wait for a box: the handler waiting there may use the
// editor, so it stays as it is, unless start-up has not filled it yet.
void mainform::ShowRingWaiting(int n, const ReminderRecord& spent)
{
    if (CurrentReminder != 0)
        return;
    Reminders(n) = spent;
    ShowNumber(n);
}

void mainform::ShowReminder()
{
    // Filling the editor is not an edit: whatever a damaged record holds, the
    // change flags stay as they were.
    const int dateChanged = DateChanged;
    const int timeChanged = TimeChanged;
    const ReminderRecord& E = Reminders(CurrentReminder);
    const QDate today = m_services.clock->today();
    Text1->setText(shownText(E.AlarmTime));
    if (E.AlarmSet == -1) {
        // A day that cannot be shown shows today; the record is left alone.
        const QDate day = datetime::dayFromOle(E.AlarmDate);
        DTPicker1->setValue(day.isValid() ? day : today);
        Label8->setText(QStringLiteral("Alarm is set."));
    } else {
        DTPicker1->setValue(today);
        Label8->setText(QStringLiteral("Alarm not set."));
    }
    Label8->adjustSize();
    switch (E.AdvanceOption) {
    case 0:
        Option0->setChecked(true);
        break;
    case 1:
        Option1->setChecked(true);
        break;
    case 2:
        Option2->setChecked(true);
        break;
    case 3:
        Option3->setChecked(true);
        break;
    default:
        break;  // not an option: the selection stays
    }
    ApplyOptionRules();
    SetText2Text(shownText(E.Message));
    m_optionClicked = false;
    DateChanged = dateChanged;
    TimeChanged = timeChanged;
}

void mainform::ApplyOptionRules()
{
    const QDate D = DTPicker1->value();
    const QDate T = m_services.clock->today();
    if (D > T) {
        Option1->setEnabled(true);
    } else {
        Option1->setEnabled(false);
        Option0->setChecked(true);
    }
    if (D > T.addDays(1)) {
        Option2->setEnabled(true);
        Option3->setEnabled(true);
    } else {
        if (Option2->isChecked() || Option3->isChecked())
            Option0->setChecked(true);
        Option2->setEnabled(false);
        Option3->setEnabled(false);
    }
}

void mainform::DTPicker1_Change()
{
    // Start-up sets the picker before any reminder is shown: nothing to compare with.
    if (CurrentReminder < 1 || CurrentReminder > 3)
        return;
    const ReminderRecord& E = Reminders(CurrentReminder);
    const double D = datetime::toOle(DTPicker1->value());
    if (E.AlarmSet == -1) {
        if (D != E.AlarmDate)
            DateChanged = 1;
    } else {
        DateChanged = DTPicker1->value() != m_services.clock->today() ? 1 : 0;
    }
    ApplyOptionRules();
}

// A new day while the program runs: the picker offers no day before today, and the
// day shown for an unarmed reminder, which nobody chose, becomes today. A day the
// user chose or is typing stays, as does an armed reminder's saved day; no flag
// rises, so no question comes of it. Safe inside any box: it neither opens the
// file nor changes what a waiting handler has read.
void mainform::FollowToday()
{
    const QDate today = m_services.clock->today();
    if (DTPicker1->earliest() == today || CurrentReminder < 1 || CurrentReminder > 3)
        return;
    const int dateChanged = DateChanged;
    const int timeChanged = TimeChanged;
    const QDate shown = DTPicker1->value();
    const ReminderRecord& E = Reminders(CurrentReminder);
    const bool savedDay = E.AlarmSet == -1 && datetime::toOle(shown) == E.AlarmDate;
    const bool chosen = DateChanged == 1 || DTPicker1->isTyping();
    DTPicker1->setEarliest(today);
    if (shown < today && !savedDay && !chosen)
        DTPicker1->setValue(today);
    DateChanged = dateChanged;
    TimeChanged = timeChanged;
}

void mainform::Text1_Change()
{
    if (CurrentReminder < 1 || CurrentReminder > 3)
        return;
    const ReminderRecord& E = Reminders(CurrentReminder);
    if (E.AlarmSet == -1) {
        if (Text1->text() != E.AlarmTime)
            TimeChanged = 1;
    } else if (!trimBlanks(Text1->text()).isEmpty()) {
        TimeChanged = 1;
    }
}

// Whether the editor holds an unsaved edit of the shown reminder: a change flag at 1,
// or a message or a chosen option other than the saved ones.
bool mainform::EditorHoldsEdit() const
{
    const int N = CurrentReminder;
    if (N < 1 || N > 3)
        return false;
    if (DateChanged == 1 || TimeChanged == 1)
        return true;
    ReminderRecord saved;
    try {
        saved = savedrecords::read()(N);
    } catch (const AppError&) {
        return true;  // nothing to compare with: the edit stays
    }
    return trimBlanks(Text2Text()) != shownText(saved.Message) ||
           (m_optionClicked && SelectedOption() != saved.AdvanceOption);
}

void mainform::SavePendingChanges()
{
    const int N = CurrentReminder;
    RemindersFile file(RecordLength);
    Reminders(N) = file.read(N);
    if (Reminders(N).AlarmSet == -1)
        SaveArmedEdits(
            file, N,
            QStringLiteral("Settings for Reminder#%1 has changed. Save new settings?").arg(N));
    else if (DateChanged == 1 || TimeChanged == 1)
        SaveUnarmedEdits(
            file,
            QStringLiteral("Settings for Reminder# %1 has changed. Save new settings?").arg(N));
    ClearChangeFlags();
}

// The save question of a reminder that is not set. OK hands the edits to Set Alarm, which opens
// the file itself; Cancel saves nothing.
bool mainform::SaveUnarmedEdits(RemindersFile& file, const QString& question)
{
    if (MsgBox(question, msgbox::kOkCancel, msgbox::kAppTitle) != msgbox::kOk)
        return false;
    ClearChangeFlags();
    file.close();
    Command1_Click();
    return true;
}

// The edits of an armed reminder: a changed, non-empty message is written at
// once, then changed time, date or option after the question. A time that does
// not convert, or a moment of today that has passed, keeps the saved settings.
void mainform::SaveArmedEdits(RemindersFile& file, int n, const QString& question)
{
    ReminderRecord& E = Reminders(n);
    const QString message = trimBlanks(Text2Text());
    // The unchanged message is not written back: a write that changes nothing
    // could only fail.
    if (!message.isEmpty() && fixedText(message, ReminderRecord::kMessageWidth) != E.Message) {
        ReminderRecord saved = E;
        saved.Message = fixedText(message, ReminderRecord::kMessageWidth);
        file.write(n, saved);
        E = saved;
        m_host.SavedRecordsChanged();
        m_alarms.FollowSavedMessage(n, E);
    }
    if (DateChanged != 1 && TimeChanged != 1)
        return;
    if (MsgBox(question, msgbox::kOkCancel, msgbox::kAppTitle) != msgbox::kOk)
        return;
    const auto time = datetime::parseTimeText(Text1->text());
    if (!time) {
        ClearChangeFlags();
        MsgBox(
            QStringLiteral(
                "Invalid Time Format. New settings not saved.\r\n\r\nPlease input a valid time."),
            msgbox::kOkOnly, msgbox::kAppTitle);
        return;
    }
    const QDate day = DTPicker1->value();
    const QDateTime now = m_services.clock->now();
    // A day gone by has passed as well, also one that went by while the question was open.
    if (rules::passed(*time, day, now)) {
        ClearChangeFlags();
        MsgBox(QStringLiteral(
                   "Alarm Time should be greater than current time. New settings not saved.\r\n\r\n"
                   "Please input a valid alarm time."),
               msgbox::kOkOnly, msgbox::kAppTitle);
        return;
    }
    ReminderRecord saved = E;
    saved.AlarmTime = datetime::hhmmAmPm(*time);
    saved.AlarmDate = datetime::toOle(day);
    saved.AdvanceOption = static_cast<qint16>(SelectedOption());
    file.write(n, saved);
    E = saved;
    m_host.SavedRecordsChanged();
    ClearChangeFlags();
    m_alarms.FollowSavedDay(n, E, now.date());
}
