// Ending the program, the log-on entry, and choosing the alarm sound.
#include <QLineEdit>
#include <QPlainTextEdit>
#include "alarm/alarmtimer.h"
#include "editor/datepicker.h"
#include "tests/support/desk.h"

namespace {
const QDate kDay(2026, 12, 6);
const QString kEntry = QStringLiteral("Chimewright.EXE.desktop");
const QString kOther = QStringLiteral("Shortcut to Chimewright.EXE.desktop");
const QString kWarning = QStringLiteral(
    "An alarm has been set to ring within the next 24 hours.\r\nIf you close this program, the alarm may not run.");

bool closes(Desk& desk)
{
    QSignalSpy ended(desk.form.get(), &mainform::ended);
    desk.form->close();
    return ended.count() > 0;
}
}  // namespace

class ShutdownTest : public QObject {
    Q_OBJECT
private slots:
    void nothingArmedEndsAndRemovesOneEntry();
    void visibleWindowWithAnArmedReminderWithdraws();
    void withoutNotificationAreaTheExitWarns_data();
    void withoutNotificationAreaTheExitWarns();
    void nearAlarmWarnings();
    void hourBoundaries();
    void existingOtherEntryIsKept();
    void editsAtExit();
    void unwritableEditsAtExitAreReported();
    void endSessionAsksNothing();
    void sessionSaveRequestKeepsRunningAndRinging();
    void failingLogonEntryIsReportedOncePerChangeAndNeverBlocksTheExit();
    void setAudioFile();
};

void ShutdownTest::nothingArmedEndsAndRemovesOneEntry()
{
    Desk desk(kDay, QTime(10, 0));
    QVERIFY(desk.start());
    desk.logon.entries.insert(kEntry, "x");
    desk.logon.entries.insert(kOther, "y");
    QVERIFY(closes(desk));
    QCOMPARE(desk.logon.entries.keys(), QStringList{kOther});
    QCOMPARE(desk.tray.removes, 1);
    QVERIFY(desk.boxes.shown.isEmpty());
}

void ShutdownTest::visibleWindowWithAnArmedReminderWithdraws()
{
    Desk desk(kDay, QTime(10, 0));
    desk.put(2, armedRecord(kDay.addDays(1), "09:00 AM"));
    QVERIFY(desk.start());
    desk.form->mPopRestore_Click();
    QVERIFY(!closes(desk));
    QVERIFY(!desk.form->isVisible());
    QCOMPARE(desk.form->WindowState(), 1);
    QCOMPARE(desk.tray.removes, 0);
    QVERIFY(desk.boxes.shown.isEmpty());
}

// A window that can only be minimised, because there is no notification area or
// there was none when it withdrew, counts as withdrawn: the exit warns and ends.
void ShutdownTest::withoutNotificationAreaTheExitWarns_data()
{
    QTest::addColumn<bool>("trayLater");  // a notification area comes up before the exit
    QTest::addColumn<bool>("restored");   // the user brought the window up first
    QTest::addColumn<int>("answer");
    QTest::newRow("minimised, OK") << false << false << int(msgbox::kOk);
    QTest::newRow("minimised, Cancel") << false << false << int(msgbox::kCancel);
    QTest::newRow("restored from the task bar, OK") << false << true << int(msgbox::kOk);
    QTest::newRow("late tray, OK") << true << false << int(msgbox::kOk);
}

void ShutdownTest::withoutNotificationAreaTheExitWarns()
{
    QFETCH(bool, trayLater);
    QFETCH(bool, restored);
    QFETCH(int, answer);
    Desk desk(kDay, QTime(10, 0));
    desk.tray.available = false;
    desk.put(2, armedRecord(kDay, "11:00 AM"));
    QVERIFY(desk.start());
    QVERIFY(desk.form->isVisible() && desk.form->isMinimized());
    if (restored)
        desk.form->setWindowState(Qt::WindowNoState);  // as the window manager reports it
    desk.tray.available = trayLater;
    desk.boxes.expect(answer);
    QCOMPARE(closes(desk), answer == msgbox::kOk);
    QCOMPARE(desk.texts(), QStringList{kWarning});
    if (answer == msgbox::kOk) {
        QCOMPARE(desk.logon.entries.keys(), QStringList{kEntry});
        QCOMPARE(desk.tray.removes, 1);
    } else {
        QVERIFY(desk.form->isVisible() && desk.form->isMinimized());  // still reachable
        QCOMPARE(desk.form->WindowState(), 1);
        QCOMPARE(desk.tray.removes, 0);
    }
}

void ShutdownTest::nearAlarmWarnings()
{
    {
        Desk desk(kDay, QTime(10, 0));
        desk.put(2, armedRecord(kDay.addDays(1), "09:00 AM"));  // 23 hour boundaries ahead
        QVERIFY(desk.start());
        desk.logon.entries.clear();
        desk.boxes.expect(msgbox::kCancel);
        QVERIFY(!closes(desk));
        QCOMPARE(desk.boxes.shown.first().text, kWarning);
        QCOMPARE(desk.boxes.shown.first().style, 257);
        QCOMPARE(desk.boxes.shown.first().title, QStringLiteral("Exit Program?"));
        QVERIFY(desk.logon.entries.isEmpty());  // untouched on Cancel
        QCOMPARE(desk.tray.removes, 0);
        desk.boxes.expect(msgbox::kOk);
        QVERIFY(closes(desk));
        QCOMPARE(desk.logon.entries.keys(), QStringList{kEntry});
        QCOMPARE(desk.logon.entries.value(kEntry), desk.dir.path() + "/chimewright");
    }
    Desk desk(kDay, QTime(10, 0));
    desk.put(1, armedRecord(kDay.addDays(-2), "09:00 AM"));  // past: a negative difference warns too
    desk.put(3, armedRecord(kDay, "11:00 PM"));
    QVERIFY(desk.start());
    desk.boxes.expect(msgbox::kCancel);
    QVERIFY(!closes(desk));
    QCOMPARE(desk.boxes.shown.size(), 1);  // Cancel on the first ends before the second
    desk.boxes.expect(msgbox::kOk);
    desk.boxes.expect(msgbox::kOk);
    QVERIFY(closes(desk));
    QCOMPARE(desk.boxes.shown.size(), 3);
}

// Fewer than 24 whole hour boundaries to the alarm warn: 23 do, 24 do not.
void ShutdownTest::hourBoundaries()
{
    struct Row { QTime now; const char* alarm; bool warns; };
    for (const Row r : {Row{QTime(10, 0), "09:59 AM", true}, Row{QTime(10, 59), "10:00 AM", false}}) {
        Desk desk(kDay, r.now);
        desk.put(1, armedRecord(kDay.addDays(1), r.alarm));
        QVERIFY(desk.start());
        if (r.warns)
            desk.boxes.expect(msgbox::kOk);
        QVERIFY(closes(desk));
        QCOMPARE(desk.boxes.shown.size(), r.warns ? 1 : 0);
    }
}

void ShutdownTest::existingOtherEntryIsKept()
{
    Desk desk(kDay, QTime(10, 0));
    desk.put(1, armedRecord(kDay.addDays(5), "10:00 AM"));
    desk.logon.entries.insert(kOther, "theirs");
    QVERIFY(desk.start());
    QVERIFY(closes(desk));
    QCOMPARE(desk.logon.entries.keys(), QStringList{kOther});
    QVERIFY(!desk.logon.log.contains("create " + kEntry));
}

// An edit not saved meets the exit's own question, then the minimise's when the exit only withdraws.
void ShutdownTest::editsAtExit()
{
    const QString q1 = QStringLiteral("Settings for Reminder1 has changed. Save new settings?");
    struct Row {
        const char* name;
        std::optional<ReminderRecord> record;
        const char* typed;  // nullptr: the date is moved a day on instead
        QList<int> answers;
        QStringList texts;  // every box, in order ("" where only the title is checked)
        ReminderRecord saved;
        bool ends;  // else it was shown, and withdraws
    };
    const ReminderRecord far = armedRecord(kDay.addDays(5), "10:00 AM", 0, "msg");
    const QList<Row> rows{
        {"armed, Cancel", far, nullptr, {msgbox::kCancel, msgbox::kCancel},
         {q1, "Settings for Reminder#1 has changed. Save new settings?"}, far, false},
        {"armed, not a time", far, "soon", {msgbox::kOk, msgbox::kOk},
         {q1, "Invalid Time Format. New settings not saved.\r\n\r\nPlease input a valid time."}, far, true},
        {"unarmed: Set Alarm", std::nullopt, "9pm", {msgbox::kOk, msgbox::kOk, msgbox::kOk},
         {"Settings for Reminder 1 has changed. Save new settings?", "", kWarning}, armedRecord(kDay, "09:00 PM"), true}};
    for (const Row& row : rows) {
        Desk desk(kDay, QTime(10, 0));
        if (row.record)
            desk.put(1, *row.record);
        QVERIFY(desk.start());
        if (!row.ends)
            desk.form->mPopRestore_Click();  // a shown window only withdraws
        if (row.typed)
            desk.form->Text1->setText(row.typed);
        else
            desk.form->DTPicker1->setValue(kDay.addDays(6));
        for (int answer : row.answers)
            desk.boxes.expect(answer);
        QCOMPARE(closes(desk), row.ends);
        QCOMPARE(desk.texts().size(), row.texts.size());
        for (int i = 0; i < row.texts.size(); ++i)
            QCOMPARE(row.texts[i].isEmpty() ? desk.boxes.shown[i].title : desk.texts()[i],
                     row.texts[i].isEmpty() ? QStringLiteral("Confirm Alarm Schedule") : row.texts[i]);
        QCOMPARE(desk.saved(1), row.saved);
        QCOMPARE(desk.logon.entries.contains(kEntry), row.saved.isArmed());
        QVERIFY(!desk.form->isVisible());
    }
}
// A message that can never be written must not keep the program from ending.
void ShutdownTest::unwritableEditsAtExitAreReported()
{
    Desk desk(kDay, QTime(10, 0));
    const ReminderRecord far = armedRecord(kDay.addDays(5), "10:00 AM", 0, "msg");
    desk.put(1, far);
    QVERIFY(desk.start());
    desk.form->SetText2Text(QStringLiteral("a new message"));
    writefault::failNext(QStringLiteral("File too large"));
    desk.boxes.expect(msgbox::kOk);
    QVERIFY(closes(desk));
    QCOMPARE(desk.texts(), QStringList{QStringLiteral("Could not write reminders.dat: File too large")});
    QCOMPARE(desk.saved(1), far);
    QVERIFY(desk.logon.entries.contains(kEntry));
}

void ShutdownTest::endSessionAsksNothing()
{
    Desk desk(kDay, QTime(10, 0));
    desk.put(1, armedRecord(kDay, "11:00 AM"));
    QVERIFY(desk.start());
    desk.logon.entries.clear();
    desk.form->mPopRestore_Click();
    desk.form->Text1->setText("edited");
    QSignalSpy ended(desk.form.get(), &mainform::ended);
    desk.form->EndSession();
    QCOMPARE(ended.count(), 1);
    QVERIFY(desk.boxes.shown.isEmpty());
    QCOMPARE(desk.logon.entries.keys(), QStringList{kEntry});
    QCOMPARE(desk.tray.removes, 1);
    QCOMPARE(desk.saved(1), armedRecord(kDay, "11:00 AM"));
}

void ShutdownTest::sessionSaveRequestKeepsRunningAndRinging()
{
    Desk desk(kDay, QTime(10, 0));
    desk.put(1, armedRecord(kDay, "11:00 AM", 0, "still here"));
    QVERIFY(desk.start());
    desk.logon.entries.clear();
    QSignalSpy ended(desk.form.get(), &mainform::ended);
    desk.form->SessionSaveRequest();  // a checkpoint, or a log-out that is then cancelled
    QCOMPARE(ended.count(), 0);
    QVERIFY(!desk.form->hasEnded());
    QCOMPARE(desk.logon.entries.keys(), QStringList{kEntry});
    QCOMPARE(desk.tray.removes, 0);
    QVERIFY(desk.boxes.shown.isEmpty());
    desk.clock.set(kDay, QTime(11, 0, 2));
    desk.boxes.expect(msgbox::kOk);
    emit desk.form->Timer1[1]->tick();
    QCOMPARE(desk.texts(), QStringList{"Message:\r\nstill here"});
    QCOMPARE(ended.count(), 0);
}

void ShutdownTest::failingLogonEntryIsReportedOncePerChangeAndNeverBlocksTheExit()
{
    const QString denied = QStringLiteral("Could not create the log-on start entry: Permission denied");
    Desk desk(kDay, QTime(10, 0));
    desk.put(1, armedRecord(kDay.addDays(3), "10:00 AM"));
    desk.logon.failure = denied;
    desk.boxes.expect(msgbox::kOk);
    QVERIFY(desk.start());  // start-up wants the entry: reported
    QCOMPARE(desk.texts(), QStringList{denied});
    desk.form->mPopRestore_Click();
    desk.form->Text1->setText("11am");
    desk.boxes.expect(msgbox::kOk);  // Q1
    desk.run([&] { desk.form->filemnurem2_Click(); });  // saved, the entry is still wanted: no second report
    QCOMPARE(desk.saved(1).AlarmTime, QStringLiteral("11:00 AM"));
    QCOMPARE(desk.boxes.shown.size(), 2);
    desk.run([&] { desk.form->SetWindowState(1); });
    QVERIFY(closes(desk));  // the exit ends although the entry cannot be written
    QCOMPARE(desk.boxes.shown.size(), 2);

    // A change of the wanted state is reported again.
    Desk other(kDay, QTime(10, 0));
    other.logon.entries.insert(kEntry, "old");
    other.logon.failure = QStringLiteral("Could not delete the log-on start entry: Read-only file system");
    other.boxes.expect(msgbox::kOk);
    QVERIFY(other.start());
    other.form->mPopRestore_Click();
    other.form->Text1->setText("11am");
    other.form->DTPicker1->setValue(kDay.addDays(2));
    other.boxes.expect(msgbox::kOk);  // Q2
    other.boxes.expect(msgbox::kOk);  // the confirmation
    other.run([&] { other.form->filemnurem2_Click(); });
    other.boxes.expect(msgbox::kOk);  // Clear Alarm's question
    other.boxes.expect(msgbox::kOk);  // unarmed again: removing fails, reported once more
    other.run([&] { other.form->filemnurem1_Click(); });
    other.run([&] { other.form->Command2_Click(); });
    QCOMPARE(other.texts().count(other.logon.failure), 2);
    QVERIFY(closes(other));
    QCOMPARE(other.texts().count(other.logon.failure), 2);
}

void ShutdownTest::setAudioFile()
{
    Desk desk(kDay, QTime(10, 0));
    QVERIFY(desk.start());
    desk.run([&] { desk.form->filemnuaudio_Click(); });  // Cancel
    QCOMPARE(desk.dialog.lastFilter,
             QStringLiteral("Audio Files (*.mp3 *.mid *.midi *.rmi *.wav *.au *.wma *.aif *.snd *.aifc *.aiff)"));
    QVERIFY(!QFile::exists(desk.path("audioalarm.dat")));
    QCOMPARE(desk.player.fileName(), QStringLiteral("odetojoy.mid"));

    desk.dialog.next = QStringLiteral("/sounds/first.wav");
    desk.run([&] { desk.form->filemnuaudio_Click(); });
    desk.dialog.next = QStringLiteral("/sounds/bells, loud.mp3");
    desk.run([&] { desk.form->filemnuaudio_Click(); });
    QCOMPARE(fileBytes(desk.path("audioalarm.dat")), QByteArray("/sounds/bells, loud.mp3\r\n"));
    QCOMPARE(desk.player.fileName(), QStringLiteral("/sounds/bells, loud.mp3"));

    // A setting that cannot be stored is reported, and the earlier setting file stays whole.
    desk.dialog.next = QStringLiteral("/sounds/third.au");
    writefault::failNext(QStringLiteral("disk full"));
    desk.boxes.expect(msgbox::kOk);
    desk.run([&] { desk.form->filemnuaudio_Click(); });
    QCOMPARE(desk.texts(), QStringList{"Could not write audioalarm.dat: disk full"});
    QCOMPARE(fileBytes(desk.path("audioalarm.dat")), QByteArray("/sounds/bells, loud.mp3\r\n"));

    // The next start reads the comma path back whole.
    QVERIFY(closes(desk));
    desk.form.reset();
    desk.player.name_.clear();
    QVERIFY(desk.start());
    QCOMPARE(desk.player.fileName(), QStringLiteral("/sounds/bells, loud.mp3"));
}

QTEST_MAIN(ShutdownTest)
#include "shutdown_test.moc"
