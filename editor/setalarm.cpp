// Set Alarm: validate the typed time, confirm, store the armed reminder.
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
#include "platform/messageboxes.h"
#include "store/remindersfile.h"

void mainform::Command1_Click()
{
    ClearChangeFlags();
    const int N = CurrentReminder;
    auto reject = [this](const QString& text) {
        MsgBox(text, msgbox::kOkOnly, msgbox::kAppTitle);
        Text1->setSelection(0, static_cast<int>(Text1->text().size()));
        Text1->setFocus();
    };

    const auto typed = datetime::parseTimeText(Text1->text());
    if (!typed) {
        reject(QStringLiteral(
            "Invalid Time Format. Alarm not set.\r\n\r\nPlease input a valid time."));
        return;
    }
    // The typed time stays in the editor's entry, as before a confirmation; the
    // running timer rings only from the saved record it carries.
    Reminders(N).AlarmTime = datetime::hhmmAmPm(*typed);

    const QDateTime now = m_services.clock->now();
    const QDate day = DTPicker1->value();
    if (rules::passed(*typed, day, now)) {
        reject(
            QStringLiteral("Alarm Time should be greater than current time. Alarm not set.\r\n\r\n"
                           "Please input a valid alarm time."));
        return;
    }

    const QString message = trimBlanks(Text2Text());
    const QString summary =
        QStringLiteral("Run alarm on ") + datetime::longDate(day) + QLatin1Char(' ') +
        datetime::hhmmAmPm(*typed) + QStringLiteral("?\r\n\r\nAdditional Setting: ") +
        (SelectedOption() ? advanceOptionText(SelectedOption()) : QStringLiteral("None.")) +
        QStringLiteral("\r\nMessage/Notes: ") +
        (message.isEmpty() ? QStringLiteral("None.") : message);
    if (MsgBox(summary, msgbox::kOkCancel, QStringLiteral("Confirm Alarm Schedule")) != msgbox::kOk)
        return;

    // Nothing counts as set before the record is safely in the file: a failed
    // write leaves the entry, the timer and the window as they were.
    ReminderRecord E = Reminders(N);
    E.AlarmTime = datetime::hhmmAmPm(*typed);
    E.AlarmDate = datetime::toOle(day);
    E.AdvanceOption = static_cast<qint16>(SelectedOption());
    E.Message = fixedText(message, ReminderRecord::kMessageWidth);
    E.AlarmSet = -1;
    {
        RemindersFile file(RecordLength);
        file.write(N, E);
    }
    Reminders(N) = E;
    m_host.SavedRecordsChanged();
    // Only an alarm of today runs its timer; one moved to another day must not ring today.
    m_alarms.FollowSavedDay(N, E, now.date());
    Label8->setText(QStringLiteral("Alarm is set."));
    Label8->adjustSize();
    m_host.SetWindowState(1);
}
