// Ringing and the start-up review.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include "alarm/alarmtimer.h"
#include "editor/datepicker.h"
#include "tests/support/desk.h"

namespace {
const QDate kDay(2026, 12, 6);
const QString kRingTitle = QStringLiteral("Chimewright Personal Alarm");
}

class AlarmTest : public QObject {
    Q_OBJECT
private slots:
    void ringsOnceInItsMinute();
    void ringSwitchesTheEditorAndDropsOtherEdits();
    void playFailureShowsTheDescriptionFirst();
    void newDayArmsItsReminders();
    void ringDuringConfirmationKeepsBothReminders();
    void ringWhileTheFileIsHeldWritesAfterwards();
    void ringComesFirstWhenTheRecordCannotBeWritten_data();
    void ringComesFirstWhenTheRecordCannotBeWritten();
    void newDayArmsTheSavedTimeNotTheTypedOne();
    void unreadableFileAtTheNewDayIsReportedOnce();
    void reviewTodayAheadAndTheEqualSecond();
    void reviewMissedAlarms();
    void reviewAdvanceNotices();
    void reviewBadTimeIsReportedAndSkipped();
    void endSignalDuringAReviewBox();
    void trayMenuWhileABoxWaits();
};

void AlarmTest::ringsOnceInItsMinute()
{
    Desk desk(kDay, QTime(14, 24, 0));
    desk.put(1, armedRecord(kDay, "02:25 PM", 1, "Tea"));
    QVERIFY(desk.start());
    mainform& f = *desk.form;
    QVERIFY(f.Timer1[1]->isEnabled());
    desk.clock.set(kDay, QTime(14, 24, 59));
    desk.run([&] { f.Timer1_Timer(1); });
    QVERIFY(desk.boxes.shown.isEmpty());
    desk.clock.set(kDay, QTime(14, 25, 0));
    desk.boxes.onShow = [&](const ShownBox&) { QVERIFY(desk.player.playing); };
    desk.boxes.expect(msgbox::kOk);
    desk.run([&] { f.Timer1_Timer(1); });
    QCOMPARE(desk.texts(), QStringList{"Message:\r\nTea"});
    QCOMPARE(desk.boxes.shown.first().title, kRingTitle);
    QCOMPARE(desk.player.log, (QStringList{"play", "pause"}));
    QVERIFY(!f.Timer1[1]->isEnabled());
    ReminderRecord spent = armedRecord(kDay, "02:25 PM", 1, "Tea");
    spent.makeSpent();
    QCOMPARE(desk.saved(1), spent);  // the spent image itself is the store's test
    QVERIFY(f.isVisible());
    QCOMPARE(f.WindowState(), 0);
    QCOMPARE(f.Label8->text(), QStringLiteral("Alarm not set."));
    desk.clock.set(kDay, QTime(14, 25, 5));
    desk.run([&] { f.Timer1_Timer(1); });
    QCOMPARE(desk.boxes.shown.size(), 1);
    QVERIFY(!desk.logon.entries.contains("Chimewright.EXE.desktop"));
}

void AlarmTest::ringSwitchesTheEditorAndDropsOtherEdits()
{
    Desk desk(kDay, QTime(8, 0));
    desk.put(3, armedRecord(kDay, "09:00 AM", 0, "Standup"));
    desk.put(1, armedRecord(kDay.addDays(2), "10:00 AM", 0, "one"));
    QVERIFY(desk.start());
    mainform& f = *desk.form;
    f.mPopRestore_Click();
    f.Text1->setText("11:00 AM");
    QCOMPARE(f.TimeChanged, 1);
    desk.clock.set(kDay, QTime(9, 0, 2));
    desk.boxes.expect(msgbox::kOk);
    desk.run([&] { f.Timer1_Timer(3); });
    QCOMPARE(f.CurrentReminder, 3);
    QCOMPARE(f.Label1->text(), QStringLiteral("Reminder #3"));
    QCOMPARE(f.TimeChanged + f.DateChanged, 0);
    QCOMPARE(desk.saved(1).AlarmTime, QStringLiteral("10:00 AM"));
    QCOMPARE(f.Text1->text(), QString());
}

void AlarmTest::playFailureShowsTheDescriptionFirst()
{
    Desk desk(kDay, QTime(8, 0));
    desk.put(1, armedRecord(kDay, "09:00 AM", 0, "Pills"));
    QVERIFY(desk.start());
    desk.player.failure = QStringLiteral("The sound file could not be found: /x/odetojoy.mid");
    desk.clock.set(kDay, QTime(9, 0, 1));
    desk.boxes.expect(msgbox::kOk);
    desk.boxes.expect(msgbox::kOk);
    desk.run([&] { desk.form->Timer1_Timer(1); });
    QCOMPARE(desk.texts(), (QStringList{desk.player.failure, "Message:\r\nPills"}));
    QCOMPARE(desk.boxes.shown[0].title, QStringLiteral("Chimewright"));
    QCOMPARE(desk.boxes.shown[1].title, kRingTitle);
    QCOMPARE(desk.player.log, QStringList{"play"});  // no pause
    QCOMPARE(desk.saved(1).AlarmSet, 0);
}

void AlarmTest::newDayArmsItsReminders()
{
    Desk desk(kDay, QTime(23, 59, 0));
    desk.put(2, armedRecord(kDay.addDays(1), "12:01 AM", 0, "midnight"));
    desk.put(3, armedRecord(kDay.addDays(2), "12:01 AM"));
    QVERIFY(desk.start());
    QVERIFY(!desk.form->Timer1[2]->isEnabled());
    desk.run([&] { desk.form->DayWatch_Timer(); });
    QVERIFY(!desk.form->Timer1[2]->isEnabled());
    desk.clock.set(kDay.addDays(1), QTime(0, 0, 3));
    desk.run([&] { desk.form->DayWatch_Timer(); });
    QVERIFY(desk.form->Timer1[2]->isEnabled());
    QVERIFY(!desk.form->Timer1[3]->isEnabled());
    desk.clock.set(kDay.addDays(1), QTime(0, 1, 0));
    desk.boxes.expect(msgbox::kOk);
    desk.run([&] { desk.form->Timer1_Timer(2); });
    QCOMPARE(desk.texts(), QStringList{"Message:\r\nmidnight"});
}

void AlarmTest::ringDuringConfirmationKeepsBothReminders()
{
    Desk desk(kDay, QTime(8, 59, 0));
    desk.put(1, armedRecord(kDay, "09:00 AM", 0, "rings"));
    QVERIFY(desk.start());
    mainform& f = *desk.form;
    desk.run([&] { f.filemnurem2_Click(); });
    f.mPopRestore_Click();
    f.Text1->setText("6pm");
    f.SetText2Text("confirmed");
    QStringList order;
    desk.boxes.onShow = [&](const ShownBox& box) {
        order << box.title;
        if (box.title == QLatin1String("Confirm Alarm Schedule")) {
            desk.clock.set(kDay, QTime(9, 0, 0));
            f.guarded([&] { f.Timer1_Timer(1); });  // the tick arrives inside the modal wait
            // Heard and shown at once, but nothing stored yet and the editor untouched.
            QCOMPARE(desk.player.log.first(), QStringLiteral("play"));
            QCOMPARE(desk.saved(1).AlarmSet, -1);
            QCOMPARE(f.CurrentReminder, 2);
        }
    };
    desk.boxes.expect(msgbox::kOk);  // the ring's box, answered first
    desk.boxes.answers.prepend(msgbox::kOk);  // the confirmation
    desk.run([&] { f.Command1_Click(); });
    QCOMPARE(order, (QStringList{"Confirm Alarm Schedule", "Chimewright Personal Alarm"}));
    QCOMPARE(desk.saved(2), armedRecord(kDay, "06:00 PM", 0, "confirmed"));
    QCOMPARE(desk.saved(1).AlarmSet, 0);
    QCOMPARE(desk.saved(1).AlarmTime, QString(8, QLatin1Char(' ')));
    QCOMPARE(f.CurrentReminder, 1);  // the rung reminder is shown afterwards
}

void AlarmTest::ringWhileTheFileIsHeldWritesAfterwards()
{
    Desk desk(kDay, QTime(8, 59, 0));
    desk.put(1, armedRecord(kDay.addDays(3), "02:25 PM", 0, "edited"));
    desk.put(2, armedRecord(kDay, "09:00 AM", 0, "rings"));
    QVERIFY(desk.start());
    mainform& f = *desk.form;
    f.mPopRestore_Click();
    f.Text1->setText("3pm");
    bool writtenDuringQ1 = true;
    desk.boxes.onShow = [&](const ShownBox& box) {
        if (box.text.startsWith(QLatin1String("Settings for Reminder#1"))) {
            desk.clock.set(kDay, QTime(9, 0, 0));
            f.guarded([&] { f.Timer1_Timer(2); });
            writtenDuringQ1 = desk.saved(2).AlarmSet == 0;
        }
    };
    desk.boxes.expect(msgbox::kOk);  // Q1
    desk.boxes.expect(msgbox::kOk);  // the ring
    desk.run([&] { f.filemnurem3_Click(); });
    QVERIFY(!writtenDuringQ1);
    QCOMPARE(desk.saved(2).AlarmSet, 0);
    QCOMPARE(desk.saved(1).AlarmTime, QStringLiteral("03:00 PM"));
}

void AlarmTest::ringComesFirstWhenTheRecordCannotBeWritten_data()
{
    QTest::addColumn<bool>("insideABox");
    QTest::newRow("tick alone") << false;
    QTest::newRow("tick inside Clear Alarm's question") << true;
}

void AlarmTest::ringComesFirstWhenTheRecordCannotBeWritten()
{
    QFETCH(bool, insideABox);
    Desk desk(kDay, QTime(8, 0));
    desk.put(1, armedRecord(kDay, "09:00 AM", 0, "Pills"));
    desk.put(2, armedRecord(kDay.addDays(3), "09:00 AM"));
    QVERIFY(desk.start());
    mainform& f = *desk.form;
    const QByteArray before = fileBytes(desk.file());
    desk.clock.set(kDay, QTime(9, 0, 1));
    QStringList seen;
    auto tick = [&] {
        writefault::failNext(QStringLiteral("No space left on device"));
        emit f.Timer1[1]->tick();
    };
    desk.boxes.onShow = [&](const ShownBox& box) {
        seen << box.title;
        if (box.title == kRingTitle) {
            QVERIFY(f.isVisible());
            QVERIFY(desk.player.playing);
        }
        if (box.title == QLatin1String("Clear Alarm?"))
            tick();
    };
    desk.boxes.answerer = [](const ShownBox&) { return int(msgbox::kCancel); };
    if (insideABox) {
        desk.run([&] { f.filemnurem2_Click(); });
        desk.run([&] { f.Command2_Click(); });
    } else {
        tick();
    }
    const QString error = QStringLiteral("Could not write reminders.dat: No space left on device");
    QCOMPARE(desk.texts().mid(insideABox ? 1 : 0), (QStringList{"Message:\r\nPills", error}));
    QCOMPARE(desk.boxes.shown.last().style, 0);
    QCOMPARE(desk.boxes.shown.last().title, QStringLiteral("Chimewright"));
    QCOMPARE(desk.player.log, (QStringList{"play", "pause"}));
    QCOMPARE(fileBytes(desk.file()), before);
    // Not a second time in this run.
    desk.clock.set(kDay, QTime(9, 0, 6));
    emit f.Timer1[1]->tick();
    QVERIFY(!f.Timer1[1]->isEnabled());
    QCOMPARE(desk.player.log.size(), 2);
}

void AlarmTest::newDayArmsTheSavedTimeNotTheTypedOne()
{
    Desk desk(kDay, QTime(22, 0));
    desk.put(1, armedRecord(kDay.addDays(1), "09:00 AM", 0, "saved"));
    QVERIFY(desk.start());
    mainform& f = *desk.form;
    f.mPopRestore_Click();
    f.Text1->setText("7am");
    desk.boxes.expect(msgbox::kCancel);  // Set Alarm's confirmation
    desk.run([&] { f.Command1_Click(); });
    QCOMPARE(f.Reminders(1).AlarmTime, QStringLiteral("07:00 AM"));  // only in the editor's entry
    desk.clock.set(kDay.addDays(1), QTime(0, 0, 3));
    desk.run([&] { f.DayWatch_Timer(); });
    QVERIFY(f.Timer1[1]->isEnabled());
    desk.clock.set(kDay.addDays(1), QTime(7, 0, 0));
    emit f.Timer1[1]->tick();
    QCOMPARE(desk.boxes.shown.size(), 1);
    QCOMPARE(desk.saved(1).AlarmSet, -1);
    desk.clock.set(kDay.addDays(1), QTime(9, 0, 0));
    desk.boxes.expect(msgbox::kOk);
    emit f.Timer1[1]->tick();
    QCOMPARE(desk.texts().last(), QStringLiteral("Message:\r\nsaved"));
    QCOMPARE(desk.saved(1).AlarmSet, 0);
}

void AlarmTest::unreadableFileAtTheNewDayIsReportedOnce()
{
    Desk desk(kDay, QTime(23, 59, 0));
    desk.put(2, armedRecord(kDay.addDays(1), "12:01 AM"));
    QVERIFY(desk.start());
    const QByteArray saved = fileBytes(desk.file());
    QVERIFY(QFile::remove(desk.file()));
    QVERIFY(QDir(desk.dir.path()).mkdir("reminders.dat"));
    desk.boxes.expect(msgbox::kOk);
    for (int s : {3, 8, 13}) {
        desk.clock.set(kDay.addDays(1), QTime(0, 0, s));
        desk.run([&] { desk.form->DayWatch_Timer(); });
    }
    QCOMPARE(desk.texts(), QStringList{"Could not open reminders.dat: it is a folder, not a file"});
    QVERIFY(!desk.form->Timer1[2]->isEnabled());
    // Readable again: armed silently at the next tick.
    QVERIFY(QDir(desk.dir.path()).rmdir("reminders.dat"));
    QFile back(desk.file());
    QVERIFY(back.open(QIODevice::WriteOnly));
    back.write(saved);
    back.close();
    desk.clock.set(kDay.addDays(1), QTime(0, 0, 18));
    desk.run([&] { desk.form->DayWatch_Timer(); });
    QVERIFY(desk.form->Timer1[2]->isEnabled());
    QCOMPARE(desk.boxes.shown.size(), 1);
}

void AlarmTest::reviewTodayAheadAndTheEqualSecond()
{
    {
        Desk desk(kDay, QTime(14, 25, 0));
        desk.put(1, armedRecord(kDay, "02:25 PM"));
        QVERIFY(desk.start());
        QVERIFY(desk.form->Timer1[1]->isEnabled());
        QVERIFY(desk.boxes.shown.isEmpty());
        QCOMPARE(desk.saved(1).AlarmSet, -1);
    }
    Desk desk(kDay, QTime(14, 25, 30));
    desk.put(1, armedRecord(kDay, "02:25 PM", 0, "late"));
    desk.boxes.onShow = [&](const ShownBox&) { QCOMPARE(desk.saved(1).AlarmSet, -1); };
    desk.boxes.expect(msgbox::kOk);
    QVERIFY(desk.start());
    QVERIFY(!desk.form->Timer1[1]->isEnabled());
    QCOMPARE(desk.boxes.shown.first().title, QStringLiteral("Chimewright"));
    QCOMPARE(desk.boxes.shown.first().style, 0);
    QVERIFY(desk.boxes.shown.first().text.startsWith(
        QLatin1String("You had an alarm scheduled for: 12/6/2026 Alarm Time: 02:25 PM\r\n")));
    QVERIFY(desk.boxes.shown.first().text.endsWith(QLatin1String("Message/Notes: \r\nlate")));
    QCOMPARE(desk.saved(1).AlarmTime, QString(8, QLatin1Char(' ')));
    QCOMPARE(desk.saved(1).AlarmSet, 0);
}

void AlarmTest::reviewMissedAlarms()
{
    Desk desk(kDay, QTime(18, 0));
    desk.put(1, armedRecord(kDay, "09:00 AM", 0, "first"));
    desk.put(2, armedRecord(kDay, "10:00 AM", 0, "   "));
    desk.put(3, armedRecord(kDay.addDays(-3), "10:00 AM", 3, "past day"));
    desk.boxes.expect(msgbox::kOk);
    desk.boxes.expect(msgbox::kOk);
    desk.boxes.onShow = [&](const ShownBox&) { QVERIFY(!desk.form->isVisible()); };
    QVERIFY(desk.start());
    QCOMPARE(desk.boxes.shown.size(), 2);
    QVERIFY(desk.boxes.shown[0].text.endsWith(QLatin1String("\r\nfirst")));
    QVERIFY(desk.boxes.shown[1].text.endsWith(QLatin1String("Message/Notes: \r\nNone.")));
    QCOMPARE(desk.saved(3).AlarmSet, -1);  // a past day stays armed, silently
    QVERIFY(!desk.form->Timer1[3]->isEnabled());
}

void AlarmTest::reviewAdvanceNotices()
{
    struct Case { int days; int option; bool notice; };
    // The option rules are the unit table's; here one notice and one silence at start-up.
    for (const Case c : {Case{2, 2, true}, Case{1, 2, false}}) {
        Desk desk(kDay, QTime(12, 0));
        desk.put(1, armedRecord(kDay.addDays(c.days), "09:00 AM", c.option, "plan"));
        if (c.notice)
            desk.boxes.expect(msgbox::kOk);
        QVERIFY(desk.start());
        QCOMPARE(desk.boxes.shown.size(), c.notice ? 1 : 0);
        if (c.notice)
            QCOMPARE(desk.boxes.shown.first().text,
                     QStringLiteral("You have scheduled an alarm for: %1\r\nAlarm Time: 09:00 AM\r\n\r\nMessage/Notes: \r\nplan")
                         .arg(QLocale().toString(kDay.addDays(c.days), QStringLiteral("M/d/yyyy"))));
        QCOMPARE(desk.saved(1), armedRecord(kDay.addDays(c.days), "09:00 AM", c.option, "plan"));
        QVERIFY(!desk.form->Timer1[1]->isEnabled());
    }
}

void AlarmTest::reviewBadTimeIsReportedAndSkipped()
{
    Desk desk(kDay, QTime(12, 0));
    ReminderRecord bad = armedRecord(kDay, "xx:yy ZZ");
    desk.put(1, bad);
    desk.put(2, armedRecord(kDay, "09:00 AM", 0, "missed"));
    desk.boxes.expect(msgbox::kOk);
    desk.boxes.expect(msgbox::kOk);
    QVERIFY(desk.start());
    QCOMPARE(desk.boxes.shown[0].text, QStringLiteral("Reminder #1 is set, but its alarm time \"xx:yy ZZ\" is not a time. "
                                                      "It was left as it is; set it again."));
    QVERIFY(desk.boxes.shown[1].text.startsWith(QLatin1String("You had an alarm")));
    QCOMPARE(desk.saved(1), bad);
    QCOMPARE(desk.tray.adds, 1);
}

// A signal to end the program while a box of the start-up review waits: the box
// closes, nothing more is asked, and the program does not go on to the tray.
void AlarmTest::endSignalDuringAReviewBox()
{
    Desk desk(kDay, QTime(14, 0));
    desk.put(1, armedRecord(kDay, "09:00 AM", 0, "first"));
    desk.put(2, armedRecord(kDay, "10:00 AM", 0, "second"));
    desk.boxes.answerer = [&](const ShownBox&) {
        desk.form->EndSession();
        return int(msgbox::kOk);
    };
    QVERIFY(desk.start());
    QVERIFY(desk.form->hasEnded());
    QCOMPARE(desk.boxes.shown.size(), 1);
    QVERIFY(!desk.tray.shown);
    QVERIFY(!desk.form->isVisible());
    QCOMPARE(desk.saved(1).AlarmSet, 0);  // the reported alarm is spent
}

// A StatusNotifierItem host's menu clicks come past a waiting box: Exit and Details
// neither withdraw the window under a ringing box nor reach for the file a question
// holds; once the box is answered they work as always.
void AlarmTest::trayMenuWhileABoxWaits()
{
    Desk desk(kDay, QTime(8, 59, 0));
    desk.put(1, armedRecord(kDay, "09:00 AM", 0, "rings"));
    desk.put(2, armedRecord(kDay.addDays(3), "09:00 AM", 0, "later"));
    QVERIFY(desk.start());
    mainform& f = *desk.form;
    bool shownUnderTheRing = false;
    desk.boxes.answerer = [&](const ShownBox& box) {
        f.mPopExit->trigger();
        f.mPopDetails->trigger();
        if (box.title == kRingTitle)
            shownUnderTheRing = f.isVisible();
        return int(msgbox::kOk);
    };
    desk.clock.set(kDay, QTime(9, 0, 0));
    emit f.Timer1[1]->tick();  // the ring, with the window in the tray
    desk.run([&] { f.filemnurem2_Click(); });
    f.Text1->setText("10am");
    desk.run([&] { f.filemnurem3_Click(); });  // Q1 holds the file
    QVERIFY(shownUnderTheRing);
    QCOMPARE(desk.texts(), (QStringList{"Message:\r\nrings", "Settings for Reminder#2 has changed. Save new settings?"}));
    QCOMPARE(desk.saved(2).AlarmTime, QStringLiteral("10:00 AM"));
    QVERIFY(!f.hasEnded());
    QVERIFY(!f.summaryWindow());
    QVERIFY(f.isVisible());
    f.mPopExit->trigger();  // no box waits: the shown window withdraws
    QVERIFY(!f.isVisible());
}

QTEST_MAIN(AlarmTest)
#include "alarm_test.moc"
