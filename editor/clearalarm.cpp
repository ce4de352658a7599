// Clear Alarm: store an empty record and empty the editor.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include "alarm/alarms.h"
#include "editor/datepicker.h"
#include "editor/editorhost.h"
#include "editor/mainform.h"
#include "platform/clock.h"
#include "platform/messageboxes.h"
#include "store/remindersfile.h"

void mainform::Command2_Click()
{
    const int N = CurrentReminder;
    const int answer =
        MsgBox(QStringLiteral("Alarm for Reminder#%1 will be reset. Are you sure?").arg(N),
               msgbox::kOkCancel, QStringLiteral("Clear Alarm?"));
    if (answer == msgbox::kOk) {
        {
            RemindersFile file(RecordLength);
            file.write(N, ReminderRecord{});
        }
        m_host.SavedRecordsChanged();
        Text1->setText(QString());
        DTPicker1->setValue(m_services.clock->today());
        Text2->setPlainText(QString());
        m_alarms.Stop(N);
        Label8->setText(QStringLiteral("Alarm not set."));
        Label8->adjustSize();
    }
    ClearChangeFlags();
}
