// Set Alarm, Clear Alarm, change tracking and saving pending edits.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include "alarm/alarmtimer.h"
#include "editor/datepicker.h"
#include "tests/support/desk.h"

namespace {
const QString kInvalid = QStringLiteral("Invalid Time Format. Alarm not set.\r\n\r\nPlease input a valid time.");
const QString kPast = QStringLiteral(
    "Alarm Time should be greater than current time. Alarm not set.\r\n\r\nPlease input a valid alarm time.");

// A started program with its window open on reminder n.
struct Editing : Desk {
    explicit Editing(const QTime& now = QTime(10, 0)) : Desk(QDate(2026, 12, 6), now)
    {
        start();
        form->mPopRestore_Click();
    }
    void type(const QString& time, const QDate& day, const QString& message = {})
    {
        form->Text1->setText(time);
        form->DTPicker1->setValue(day);
        form->SetText2Text(message);
    }
    void setAlarm() { run([this] { form->Command1_Click(); }); }
};
}  // namespace

class EditorTest : public QObject {
    Q_OBJECT
private slots:
    void setAlarmStoresTheNormalisedTime_data();
    void setAlarmStoresTheNormalisedTime();
    void rejectedTimesSelectTheText_data();
    void rejectedTimesSelectTheText();
    void pastTimeAroundTheCurrentMinute();
    void confirmedAlarmForTodayArmsAndWithdraws();
    void cancelKeepsFileButNotTheInMemoryTime();
    void messagesInTheSummaryAndTheRecord();
    void laterDayStopsARunningTimer();
    void rejectedEditKeepsARunningAlarmAtItsTime();
    void clearAlarm();
    void changeTracking();
    void switchingWithoutEdits();
    void armedEditsAndTheQuestion();
    void armedEditWithAnInvalidTime();
    void armedEditFollowsTheSavedDay();
    void unarmedEditRunsSetAlarm();
    void writeFailureIsReportedNotSuccess();
    void savedEditsRefuseAPassedMoment();
    void midnightDuringTheQuestion();
};

void EditorTest::setAlarmStoresTheNormalisedTime_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    // Every form is the parse table's; here the twelve-hour ends of the day.
    QTest::newRow("23:10") << "23:10" << "11:10 PM";
    QTest::newRow("0:05") << "0:05" << "12:05 AM";
}

void EditorTest::setAlarmStoresTheNormalisedTime()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Editing desk;
    desk.type(typed, desk.today().addDays(1));
    desk.boxes.expect(msgbox::kOk);
    desk.setAlarm();
    QCOMPARE(desk.saved(1).AlarmTime, stored);
    QCOMPARE(desk.boxes.shown.first().text,
             QStringLiteral("Run alarm on Monday, December 07, 2026 %1?\r\n\r\nAdditional Setting: None.\r\nMessage/Notes: None.")
                 .arg(stored));
    QCOMPARE(desk.boxes.shown.first().style, 1);
    QCOMPARE(desk.boxes.shown.first().title, QStringLiteral("Confirm Alarm Schedule"));
}

void EditorTest::rejectedTimesSelectTheText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("periods") << "1:35 A.M.";
    QTest::newRow("p.m") << "4:10p.m";
    QTest::newRow("empty") << "";
}

void EditorTest::rejectedTimesSelectTheText()
{
    QFETCH(QString, typed);
    Editing desk;
    desk.type(typed, desk.today().addDays(1));
    desk.form->TimeChanged = 1;
    desk.boxes.expect(msgbox::kOk);
    desk.setAlarm();
    QCOMPARE(desk.texts(), QStringList{kInvalid});
    QCOMPARE(desk.boxes.shown.first().style, 0);
    QCOMPARE(desk.boxes.shown.first().title, QStringLiteral("Chimewright"));
    QCOMPARE(desk.form->Text1->selectedText(), typed);
    QCOMPARE(desk.form->Text1->selectionStart(), typed.isEmpty() ? -1 : 0);
    QCOMPARE(desk.form->TimeChanged, 0);
    QCOMPARE(QFile(desk.file()).size(), 0);
    QCOMPARE(desk.form->Reminders(1).AlarmTime, QString(8, QChar(0)));
}

void EditorTest::pastTimeAroundTheCurrentMinute()
{
    {
        Editing desk(QTime(14, 25, 30));
        desk.type("2:24 PM", desk.today());
        desk.boxes.expect(msgbox::kOk);
        desk.setAlarm();
        QCOMPARE(desk.texts(), QStringList{kPast});
        QCOMPARE(desk.form->Reminders(1).AlarmTime, QStringLiteral("02:24 PM"));  // kept in memory
        desk.boxes.reset();
        desk.type("2:25 PM", desk.today());
        desk.boxes.expect(msgbox::kOk);
        desk.setAlarm();
        QCOMPARE(desk.texts(), QStringList{kPast});  // the current minute at second 30
    }
    Editing desk(QTime(14, 25, 0));
    desk.type("2:25 PM", desk.today());
    desk.boxes.expect(msgbox::kCancel);
    desk.setAlarm();
    QCOMPARE(desk.boxes.shown.first().title, QStringLiteral("Confirm Alarm Schedule"));
}

void EditorTest::confirmedAlarmForTodayArmsAndWithdraws()
{
    Editing desk;
    desk.form->filemnurem2_Click();
    desk.type("2:25 PM", desk.today(), "  Call Anna  ");
    desk.form->Option0->setChecked(true);
    desk.boxes.expect(msgbox::kOk);
    desk.setAlarm();
    const ReminderRecord r = desk.saved(2);
    QCOMPARE(r, armedRecord(desk.today(), "02:25 PM", 0, "Call Anna"));
    QCOMPARE(fileBytes(desk.file()).size(), 2 * 2068);
    QCOMPARE(fileBytes(desk.file()).right(2), QByteArray("\xFF\xFF", 2));
    QVERIFY(desk.form->Timer1[2]->isEnabled());
    QCOMPARE(desk.form->Label8->text(), QStringLiteral("Alarm is set."));
    QVERIFY(!desk.form->isVisible());
    QCOMPARE(desk.logon.entries.keys(), QStringList{"Chimewright.EXE.desktop"});  // in step at once
}

void EditorTest::cancelKeepsFileButNotTheInMemoryTime()
{
    Editing desk;
    desk.type("3pm", desk.today());
    desk.form->TimeChanged = 1;
    desk.form->DateChanged = 1;
    desk.boxes.expect(msgbox::kCancel);
    desk.setAlarm();
    QCOMPARE(QFile(desk.file()).size(), 0);
    QVERIFY(!desk.form->Timer1[1]->isEnabled());
    QCOMPARE(desk.form->Reminders(1).AlarmTime, QStringLiteral("03:00 PM"));
    QCOMPARE(desk.form->TimeChanged + desk.form->DateChanged, 0);
    QVERIFY(desk.form->isVisible());
}

void EditorTest::messagesInTheSummaryAndTheRecord()
{
    Editing desk;
    desk.type("3pm", desk.today(), "     ");
    desk.boxes.expect(msgbox::kOk);
    desk.setAlarm();
    QVERIFY(desk.boxes.shown.first().text.endsWith(QLatin1String("Message/Notes: None.")));
    QCOMPARE(desk.saved(1).Message, QString(2048, QLatin1Char(' ')));

    desk.form->mPopRestore_Click();
    const QString longText = QString(2000, QLatin1Char('a')) + QStringLiteral("\r\n") + QString(1000, QLatin1Char('b'));
    desk.type("4pm", desk.today(), longText);
    desk.boxes.expect(msgbox::kOk);
    desk.setAlarm();
    QVERIFY(desk.boxes.shown.last().text.endsWith(QStringLiteral("Message/Notes: ") + longText));
    QCOMPARE(desk.saved(1).Message, longText.left(2048));
}

// Only an alarm for today runs a timer, however near a later day's alarm is.
void EditorTest::laterDayStopsARunningTimer()
{
    Editing desk(QTime(22, 0));
    desk.type("11pm", desk.today());
    desk.boxes.expect(msgbox::kOk);
    desk.setAlarm();
    QVERIFY(desk.form->Timer1[1]->isEnabled());
    desk.form->mPopRestore_Click();
    desk.type("1am", desk.today().addDays(1));
    desk.form->Option1->setChecked(true);
    desk.boxes.expect(msgbox::kOk);
    desk.setAlarm();
    QVERIFY(desk.boxes.shown.last().text.contains(QLatin1String("Additional Setting: One day before scheduled date\r\n")));
    QCOMPARE(desk.saved(1).AdvanceOption, 1);
    QVERIFY(!desk.form->Timer1[1]->isEnabled());
}
void EditorTest::rejectedEditKeepsARunningAlarmAtItsTime()
{
    Editing desk(QTime(12, 0));
    desk.type("5pm", desk.today());
    desk.boxes.expect(msgbox::kOk);
    desk.setAlarm();
    desk.form->mPopRestore_Click();
    desk.type("11am", desk.today());
    desk.boxes.expect(msgbox::kOk);
    desk.setAlarm();  // refused: the time has passed
    QCOMPARE(desk.form->Reminders(1).AlarmTime, QStringLiteral("11:00 AM"));  // the editor's entry holds the typing
    desk.run([&] { desk.form->Timer1_Timer(1); });
    QCOMPARE(desk.boxes.shown.size(), 2);  // no ring: the timer carries the saved 05:00 PM
    QCOMPARE(desk.saved(1).AlarmSet, -1);
    desk.clock.set(desk.today(), QTime(17, 0, 1));
    desk.boxes.expect(msgbox::kOk);
    desk.run([&] { desk.form->Timer1_Timer(1); });
    QCOMPARE(desk.boxes.shown.last().title, QStringLiteral("Chimewright Personal Alarm"));
    QCOMPARE(desk.saved(1).AlarmSet, 0);
}

void EditorTest::clearAlarm()
{
    Editing desk;
    desk.put(1, armedRecord(desk.today(), "02:25 PM", 0, "keep"));
    desk.put(2, armedRecord(desk.today().addDays(3), "09:00 AM", 2, "two"));
    desk.form.reset();  // start again with these records
    desk.start();
    desk.form->Timer1[2]->start(desk.saved(2));
    desk.run([&] { desk.form->filemnurem2_Click(); });
    desk.form->Text1->setText("10:00 AM");
    desk.boxes.expect(msgbox::kCancel);
    desk.run([&] { desk.form->Command2_Click(); });
    QCOMPARE(desk.boxes.shown.last().text, QStringLiteral("Alarm for Reminder#2 will be reset. Are you sure?"));
    QCOMPARE(desk.boxes.shown.last().title, QStringLiteral("Clear Alarm?"));
    QCOMPARE(desk.boxes.shown.last().style, 1);
    QCOMPARE(desk.form->TimeChanged, 0);
    QCOMPARE(desk.form->Text1->text(), QStringLiteral("10:00 AM"));
    QCOMPARE(desk.saved(2).AlarmSet, -1);

    desk.boxes.expect(msgbox::kOk);
    desk.run([&] { desk.form->Command2_Click(); });
    QCOMPARE(fileBytes(desk.file()).mid(2068, 2068), QByteArray(2068, '\0'));
    QCOMPARE(desk.form->Text1->text(), QString());
    QCOMPARE(desk.form->Text2Text(), QString());
    QCOMPARE(desk.form->DTPicker1->value(), desk.today());
    QVERIFY(desk.form->Option0->isChecked());  // the rules moved it for today's date
    QVERIFY(!desk.form->Timer1[2]->isEnabled());
    QCOMPARE(desk.form->Label8->text(), QStringLiteral("Alarm not set."));
    QCOMPARE(desk.form->DateChanged + desk.form->TimeChanged, 0);
    QCOMPARE(desk.form->Reminders(2).AlarmSet, -1);  // memory refreshes at the next save
    QVERIFY(desk.logon.entries.contains("Chimewright.EXE.desktop"));  // reminder 1 still armed
}

void EditorTest::changeTracking()
{
    Editing desk;
    desk.put(1, armedRecord(desk.today().addDays(1), "02:25 PM"));
    desk.run([&] { desk.form->filemnurem1_Click(); });
    mainform& f = *desk.form;
    QCOMPARE(f.TimeChanged + f.DateChanged, 0);
    f.Text1->setText("02:25 pm");
    QCOMPARE(f.TimeChanged, 1);
    f.Text1->setText("02:25 PM");
    QCOMPARE(f.TimeChanged, 1);  // never taken back
    f.DTPicker1->setValue(desk.today().addDays(2));
    QCOMPARE(f.DateChanged, 1);
    f.DTPicker1->setValue(desk.today().addDays(1));
    QCOMPARE(f.DateChanged, 1);

    desk.boxes.expect(msgbox::kCancel);
    desk.run([&] { f.filemnurem2_Click(); });
    QCOMPARE(f.TimeChanged + f.DateChanged, 0);
    QCOMPARE(desk.saved(1).AlarmTime, QStringLiteral("02:25 PM"));

    // Unarmed: the date counts against today, the time when it is not blank.
    f.DTPicker1->setValue(desk.today().addDays(1));
    QCOMPARE(f.DateChanged, 1);
    f.DTPicker1->setValue(desk.today());
    QCOMPARE(f.DateChanged, 0);
    f.Text1->setText("   ");
    QCOMPARE(f.TimeChanged, 0);
    f.Text1->setText(" 9 ");
    QCOMPARE(f.TimeChanged, 1);
}

void EditorTest::switchingWithoutEdits()
{
    Editing desk;
    desk.put(1, armedRecord(desk.today().addDays(1), "02:25 PM", 1, "note"));
    desk.run([&] { desk.form->filemnurem1_Click(); });
    desk.run([&] { desk.form->filemnurem2_Click(); });
    desk.run([&] { desk.form->filemnurem3_Click(); });
    QCOMPARE(fileBytes(desk.file()).size(), 2068);  // nothing else written
    QCOMPARE(desk.saved(1), armedRecord(desk.today().addDays(1), "02:25 PM", 1, "note"));
    // An unarmed reminder's message or option alone is dropped without a question.
    desk.form->SetText2Text("lost");
    desk.form->DTPicker1->setValue(desk.today());
    desk.run([&] { desk.form->filemnurem1_Click(); });
    QCOMPARE(fileBytes(desk.file()).size(), 2068);
}

void EditorTest::armedEditsAndTheQuestion()
{
    Editing desk;
    desk.put(2, armedRecord(desk.today().addDays(3), "02:25 PM", 2, "old"));
    desk.run([&] { desk.form->filemnurem2_Click(); });
    mainform& f = *desk.form;
    // Message only: stored without a question.
    f.SetText2Text("new message");
    desk.run([&] { f.filemnurem2_Click(); });
    QCOMPARE(shownText(desk.saved(2).Message), QStringLiteral("new message"));
    // Emptying the box keeps the saved message.
    f.SetText2Text("");
    desk.run([&] { f.filemnurem2_Click(); });
    QCOMPARE(shownText(desk.saved(2).Message), QStringLiteral("new message"));
    // A time edit with Cancel: the changed message is stored anyway, the rest kept.
    f.Text1->setText("4pm");
    f.SetText2Text("third");
    desk.boxes.expect(msgbox::kCancel);
    desk.run([&] { f.filemnurem1_Click(); });
    QCOMPARE(desk.boxes.shown.last().text, QStringLiteral("Settings for Reminder#2 has changed. Save new settings?"));
    QCOMPARE(desk.boxes.shown.last().style, 1);
    QCOMPARE(desk.saved(2), armedRecord(desk.today().addDays(3), "02:25 PM", 2, "third"));
    QCOMPARE(f.TimeChanged, 0);
    // OK stores the new time, date and option; still armed.
    desk.run([&] { f.filemnurem2_Click(); });
    f.Text1->setText("4pm");
    f.DTPicker1->setValue(desk.today().addDays(5));
    f.Option3->setChecked(true);
    desk.boxes.expect(msgbox::kOk);
    desk.run([&] { f.filemnurem1_Click(); });
    QCOMPARE(desk.saved(2), armedRecord(desk.today().addDays(5), "04:00 PM", 3, "third"));
}

void EditorTest::armedEditWithAnInvalidTime()
{
    Editing desk;
    desk.put(1, armedRecord(desk.today().addDays(3), "02:25 PM", 2, "old"));
    desk.run([&] { desk.form->filemnurem1_Click(); });
    desk.form->Text1->setText("half past two");
    desk.form->DTPicker1->setValue(desk.today().addDays(4));
    desk.form->SetText2Text("kept message");
    desk.boxes.expect(msgbox::kOk);
    desk.boxes.expect(msgbox::kOk);
    desk.run([&] { desk.form->filemnurem2_Click(); });
    QCOMPARE(desk.boxes.shown.last().text,
             QStringLiteral("Invalid Time Format. New settings not saved.\r\n\r\nPlease input a valid time."));
    QCOMPARE(desk.boxes.shown.last().style, 0);
    QCOMPARE(desk.saved(1), armedRecord(desk.today().addDays(3), "02:25 PM", 2, "kept message"));
    QCOMPARE(desk.form->DateChanged + desk.form->TimeChanged, 0);
}

void EditorTest::armedEditFollowsTheSavedDay()
{
    Editing desk(QTime(9, 0));
    desk.put(1, armedRecord(desk.today().addDays(1), "02:25 PM"));
    desk.run([&] { desk.form->filemnurem1_Click(); });
    desk.form->DTPicker1->setValue(desk.today());
    desk.boxes.expect(msgbox::kOk);
    desk.run([&] { desk.form->SetWindowState(1); });  // minimising saves
    QVERIFY(desk.form->Timer1[1]->isEnabled());
    desk.form->mPopRestore_Click();
    desk.form->DTPicker1->setValue(desk.today().addDays(2));
    desk.boxes.expect(msgbox::kOk);
    desk.run([&] { desk.form->filemnurem1_Click(); });
    QVERIFY(!desk.form->Timer1[1]->isEnabled());
}

void EditorTest::unarmedEditRunsSetAlarm()
{
    Editing desk;
    desk.form->DTPicker1->setValue(desk.today().addDays(1));
    QCOMPARE(desk.form->DateChanged, 1);
    desk.form->Text1->setText("7:30 am");
    desk.boxes.expect(msgbox::kOk);  // Q2
    desk.boxes.expect(msgbox::kOk);  // confirmation
    desk.run([&] { desk.form->filemnurem3_Click(); });
    QCOMPARE(desk.boxes.shown[0].text, QStringLiteral("Settings for Reminder# 1 has changed. Save new settings?"));
    QCOMPARE(desk.boxes.shown[1].title, QStringLiteral("Confirm Alarm Schedule"));
    QCOMPARE(desk.saved(1), armedRecord(desk.today().addDays(1), "07:30 AM"));
    QCOMPARE(desk.form->CurrentReminder, 3);

    // Set Alarm's refusal leaves it unarmed and shows its message.
    desk.form->mPopRestore_Click();
    desk.form->Text1->setText("4:10p.m");
    desk.boxes.expect(msgbox::kOk);
    desk.boxes.expect(msgbox::kOk);
    desk.run([&] { desk.form->filemnurem1_Click(); });
    QCOMPARE(desk.boxes.shown.last().text, kInvalid);
    QCOMPARE(desk.saved(3).AlarmSet, 0);
}

void EditorTest::writeFailureIsReportedNotSuccess()
{
    Editing desk;
    desk.put(1, armedRecord(desk.today().addDays(1), "02:25 PM"));
    const QByteArray before = fileBytes(desk.file());
    desk.type("3pm", desk.today());
    desk.boxes.expect(msgbox::kOk);
    desk.boxes.expect(msgbox::kOk);
    writefault::failNext(QStringLiteral("No space left on device"));
    desk.setAlarm();
    QCOMPARE(desk.boxes.shown.last().text, QStringLiteral("Could not write reminders.dat: No space left on device"));
    QCOMPARE(desk.form->Label8->text(), QStringLiteral("Alarm not set."));
    QCOMPARE(fileBytes(desk.file()), before);
    QVERIFY(desk.form->isVisible());
    QVERIFY(!desk.form->Timer1[1]->isEnabled());  // what failed to be stored does not ring
    desk.clock.set(desk.today(), QTime(15, 0));
    emit desk.form->Timer1[1]->tick();
    QCOMPARE(desk.boxes.shown.size(), 2);
}

void EditorTest::savedEditsRefuseAPassedMoment()
{
    const QString refusal = QStringLiteral("Alarm Time should be greater than current time. New settings not saved.\r\n\r\n"
                                           "Please input a valid alarm time.");
    for (int days : {1, 0}) {  // armed for tomorrow, and for later today with its timer running
        Editing desk(QTime(14, 0));
        const ReminderRecord saved = armedRecord(desk.today().addDays(days), days ? "09:00 AM" : "05:00 PM", 0, "m");
        desk.put(1, saved);
        desk.form.reset();  // start again with this record
        desk.start();
        desk.form->mPopRestore_Click();
        desk.form->Text1->setText("9am");
        desk.form->DTPicker1->setValue(desk.today());
        desk.boxes.expect(msgbox::kOk);
        desk.boxes.expect(msgbox::kOk);
        desk.run([&] { desk.form->filemnurem2_Click(); });
        QCOMPARE(desk.boxes.shown.last().text, refusal);
        QCOMPARE(desk.boxes.shown.last().style, 0);
        QCOMPARE(desk.boxes.shown.last().title, QStringLiteral("Chimewright"));
        QCOMPARE(desk.saved(1), saved);
        QCOMPARE(desk.form->Timer1[1]->isEnabled(), days == 0);
        emit desk.form->Timer1[1]->tick();  // 14:00: nothing rings
        QCOMPARE(desk.boxes.shown.size(), 2);
    }
}

// Answered after midnight for late yesterday: Set Alarm, whose moment was still to
// come when it asked, rings at once rather than never (stored set for a day gone
// by, it would neither ring nor be reported as missed); the save question, which
// tests the moment once answered, refuses it as passed.
void EditorTest::midnightDuringTheQuestion()
{
    for (bool q1 : {false, true}) {
        Editing desk(QTime(23, 58));
        const QDate day = desk.today();
        const ReminderRecord before = armedRecord(day.addDays(2), "09:00 AM", 0, "call");
        if (q1) {
            desk.put(1, before);
            desk.form.reset();
            desk.start();
            desk.form->mPopRestore_Click();
        }
        desk.type("11:59 PM", day, "call");
        desk.boxes.onShow = [&](const ShownBox&) { desk.clock.set(day.addDays(1), QTime(0, 0, 30)); };
        desk.boxes.expect(msgbox::kOk);
        desk.boxes.expect(msgbox::kOk);
        if (q1)
            desk.run([&] { desk.form->filemnurem2_Click(); });
        else
            desk.setAlarm();
        if (q1) {
            QVERIFY(desk.texts().last().startsWith(QLatin1String("Alarm Time should be greater than current time. New")));
            QCOMPARE(desk.saved(1), before);
        } else {
            QCOMPARE(desk.saved(1), armedRecord(day, "11:59 PM", 0, "call"));
            emit desk.form->Timer1[1]->tick();
            QCOMPARE(desk.texts().last(), QStringLiteral("Message:\r\ncall"));
            QCOMPARE(desk.saved(1).AlarmSet, 0);
        }
        VERIFY_BOXES(desk);
    }
}

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
