// Ticks that arrive while a box waits for its answer: every box the program shows
// while reminders are armed, ticks of the shown and of another armed reminder
// inside it, answered OK and Cancel.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include "alarm/alarmtimer.h"
#include "editor/datepicker.h"
#include "summary/viewsettings.h"
#include "tests/support/desk.h"

namespace {
const QDate kDay(2026, 12, 6);
const QTime kStart(8, 59, 50);
const QTime kDue(9, 0, 0);      // reminders 1 and 2 are saved for today at this minute
const QTime kSweep(23, 0, 0);   // afterwards every saved alarm of today is due
const QString kRingTitle = QStringLiteral("Chimewright Personal Alarm");
const QString kEntry = QStringLiteral("Chimewright.EXE.desktop");

enum Start { Hidden, Shown };
struct Row {
    const char* name;
    ReminderRecord first;                   // reminder 1, shown in the editor
    ReminderRecord third;                   // reminder 3
    Start window;
    std::function<void(Desk&)> edit;        // the user's editing before the command
    std::function<void(Desk&)> command;     // the handler that shows the box
    QString box;                            // the start of the box's text, or its title
    std::optional<ReminderRecord> confirmed;  // reminder 1 as saved by an answer of OK
};

ReminderRecord armed(int days, const char* time, const char* message, int option = 0)
{
    return armedRecord(kDay.addDays(days), time, option, message);
}

void type(Desk& d, const QString& time, int days, const QString& message = {})
{
    d.form->Text1->setText(time);
    d.form->DTPicker1->setValue(kDay.addDays(days));
    if (!message.isEmpty())
        d.form->SetText2Text(message);
}

void close(Desk& d) { d.form->close(); }

QList<Row> rows()
{
    const ReminderRecord kOne = armed(0, "09:00 AM", "one");
    const ReminderRecord kNone;
    auto run = [](void (mainform::*handler)()) {
        return [handler](Desk& d) { d.run([&] { (d.form.get()->*handler)(); }); };
    };
    auto nothing = [](Desk&) {};
    return {
        {"set alarm: confirmation, tomorrow", kOne, kNone, Shown, [](Desk& d) { type(d, "9am", 1, "moved"); },
         run(&mainform::Command1_Click), "Confirm Alarm Schedule", armed(1, "09:00 AM", "moved")},
        {"set alarm: confirmation, later today", kOne, kNone, Shown, [](Desk& d) { type(d, "10am", 0, "later"); },
         run(&mainform::Command1_Click), "Confirm Alarm Schedule", armed(0, "10:00 AM", "later")},
        {"set alarm: not a time", kOne, kNone, Shown, [](Desk& d) { type(d, "soon", 1); },
         run(&mainform::Command1_Click), "Invalid Time Format. Alarm not set.", std::nullopt},
        {"set alarm: passed", kOne, kNone, Shown, [](Desk& d) { type(d, "8am", 0); }, run(&mainform::Command1_Click),
         "Alarm Time should be greater than current time. Alarm not set.", std::nullopt},
        {"Q1: later today", kOne, kNone, Shown, [](Desk& d) { type(d, "10am", 0); }, run(&mainform::filemnurem3_Click),
         "Settings for Reminder#1 has changed", armed(0, "10:00 AM", "one")},
        {"Q1: tomorrow", kOne, kNone, Shown, [](Desk& d) { type(d, "7am", 1); }, run(&mainform::filemnurem2_Click),
         "Settings for Reminder#1 has changed", armed(1, "07:00 AM", "one")},
        {"Q1: passed, refused", kOne, kNone, Shown, [](Desk& d) { type(d, "8am", 0); },
         run(&mainform::filemnurem3_Click), "Alarm Time should be greater than current time. New settings not saved.",
         std::nullopt},
        {"Q1: not a time", kOne, kNone, Shown, [](Desk& d) { type(d, "soon", 0); }, run(&mainform::filemnurem3_Click),
         "Invalid Time Format. New settings not saved.", std::nullopt},
        {"Q2", kNone, kNone, Shown, [](Desk& d) { type(d, "10am", 0, "new"); }, run(&mainform::filemnurem3_Click),
         "Settings for Reminder# 1 has changed", armed(0, "10:00 AM", "new")},
        {"Q2 then the confirmation", kNone, kNone, Shown, [](Desk& d) { type(d, "10am", 1, "new"); },
         run(&mainform::filemnurem3_Click), "Confirm Alarm Schedule", armed(1, "10:00 AM", "new")},
        {"clear alarm", kOne, kNone, Shown, nothing, run(&mainform::Command2_Click), "Alarm for Reminder#1 will be reset",
         ReminderRecord{}},
        {"the error box of a failed write", kOne, kNone, Shown, nothing,
         [](Desk& d) {
             writefault::failNext(QStringLiteral("No space left on device"));
             d.run([&] { d.form->Command2_Click(); });
         },
         "Could not write reminders.dat", std::nullopt},
        {"minimise: Q1", kOne, kNone, Shown, [](Desk& d) { type(d, "10am", 0); },
         [](Desk& d) { d.run([&] { d.form->SetWindowState(1); }); }, "Settings for Reminder#1 has changed",
         armed(0, "10:00 AM", "one")},
        {"exit: Q1", kOne, kNone, Shown, [](Desk& d) { type(d, "10am", 1); }, close,
         "Settings for Reminder1 has changed", armed(1, "10:00 AM", "one")},
        {"exit: Q2", kNone, kNone, Shown, [](Desk& d) { type(d, "11am", 0, "new"); }, close,
         "Settings for Reminder 1 has changed", armed(0, "11:00 AM", "new")},
        {"exit: 24-hour warning", kOne, kNone, Hidden, nothing, close, "Exit Program?", std::nullopt},
        {"start-up: missed alarm", kOne, armed(0, "08:00 AM", "three"), Hidden, nothing, nothing, "You had an alarm",
         std::nullopt},
        {"start-up: advance notice", kOne, armed(1, "08:00 AM", "three", 1), Hidden, nothing, nothing,
         "You have scheduled an alarm", std::nullopt},
        {"ring", kOne, kNone, Hidden, nothing, nothing, kRingTitle, std::nullopt},
        {"summary window", kOne, kNone, Shown, nothing, run(&mainform::filemnuview_Click), "summary", std::nullopt},
        {"sound file dialog", kOne, kNone, Shown, nothing, run(&mainform::filemnuaudio_Click), "dialog", std::nullopt},
    };
}

using Moment = QPair<int, QPair<QString, double>>;
}  // namespace

class InterleaveTest : public QObject {
    Q_OBJECT
private slots:
    void ticksInsideEveryBox_data();
    void ticksInsideEveryBox();
    void cleanupTestCase();

private:
    int m_checked = 0;
};

void InterleaveTest::ticksInsideEveryBox_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QList<int>>("ticks");
    const QList<Row> all = rows();
    for (int i = 0; i < all.size(); ++i)
        for (int answer : {msgbox::kOk, msgbox::kCancel})
            for (const QList<int>& ticks : {QList<int>{1}, QList<int>{2}, QList<int>{1, 2}, QList<int>{2, 1}})
                QTest::addRow("%s, %s, ticks %d%d", all[i].name, answer == msgbox::kOk ? "OK" : "Cancel", ticks[0],
                              ticks.value(1)) << i << answer << ticks;
}

void InterleaveTest::ticksInsideEveryBox()
{
    QFETCH(int, row);
    QFETCH(int, answer);
    QFETCH(QList<int>, ticks);
    const Row r = rows().at(row);
    const ReminderRecord second = armed(0, "09:00 AM", "two");

    Desk desk(kDay, kStart);
    desk.put(1, r.first);
    desk.put(2, second);
    desk.put(3, r.third);

    QSet<Moment> rung;
    QStringList faults;
    int ringBoxes = 0;
    int expectedRings = 0;
    QList<int*> delivering;  // the ticks being delivered, innermost last
    bool targetSeen = false;

    // A tick as the event loop delivers it, and what it must do: ring exactly when
    // the file holds an armed moment that has come and has not rung yet. A saved
    // alarm whose timer is not running fails here too.
    auto tick = [&](int n) {
        const ReminderRecord saved = desk.saved(n);
        const auto moment = datetime::alarmMoment(saved.AlarmDate, saved.AlarmTime);
        const Moment key{n, {saved.AlarmTime, saved.AlarmDate}};
        const bool due = saved.isArmed() && moment && *moment <= desk.clock.now() && !rung.contains(key);
        if (due)
            rung.insert(key), ++expectedRings;
        int rings = 0;
        delivering.append(&rings);
        if (desk.form->Timer1[n]->isEnabled())  // a stopped timer does not tick
            emit desk.form->Timer1[n]->tick();
        delivering.removeLast();
        if (rings != (due ? 1 : 0))
            faults << QStringLiteral("tick %1 at %2: %3 rings, %4 due")
                          .arg(n)
                          .arg(desk.clock.now().toString())
                          .arg(rings)
                          .arg(due);
    };
    auto insideTheBox = [&] {
        targetSeen = true;
        desk.clock.set(kDay, kDue);
        for (int n : ticks) {
            tick(n);
            tick(n);  // a second tick of the same timer never rings again
        }
    };
    desk.boxes.answerer = [&](const ShownBox& box) {
        if (box.title == kRingTitle) {
            ++ringBoxes;
            if (!delivering.isEmpty())
                ++*delivering.last();
            if (!desk.form->isVisible())
                faults << QStringLiteral("ring box over a hidden window");
            return int(msgbox::kOk);
        }
        if ((box.text.startsWith(QLatin1String("Could not")) && !box.text.startsWith(r.box)) ||
            box.text.startsWith(QLatin1String("Unexpected")))
            faults << box.text;
        return targetSeen ? answer : int(msgbox::kOk);
    };
    desk.boxes.onShow = [&](const ShownBox& box) {
        if (!targetSeen && (box.text.startsWith(r.box) || box.title == r.box))
            insideTheBox();
    };
    desk.dialog.next = QStringLiteral("/sounds/bell.wav");
    desk.dialog.onOpen = [&] {
        if (r.box == QLatin1String("dialog")) {
            insideTheBox();
            if (answer != msgbox::kOk)
                desk.dialog.next.reset();
        }
    };

    if (r.box == QLatin1String("summary")) {
        QTimer::singleShot(0, [&] {
            insideTheBox();
            if (viewsettings* v = desk.form->summaryWindow())
                answer == msgbox::kOk ? v->OKButton_Click() : v->reject();
        });
    }
    QVERIFY(desk.start());
    if (r.window == Shown)
        desk.form->mPopRestore_Click();
    r.edit(desk);
    r.command(desk);
    if (r.box == kRingTitle) {
        desk.clock.set(kDay, kDue);
        tick(1);
    }
    QVERIFY2(targetSeen, "the box was not shown");

    // The file holds what the user confirmed, or the spent record of a saved
    // alarm that rang: checked before and after every alarm of the day has come.
    const bool missedAtStart = r.third.isArmed() && *datetime::alarmMoment(r.third.AlarmDate, r.third.AlarmTime) <
                                                        QDateTime(kDay, kStart, Qt::UTC);
    ReminderRecord spentThird = r.third;
    spentThird.makeSpent();
    const QList<ReminderRecord> confirmed{answer == msgbox::kOk && r.confirmed ? *r.confirmed : r.first, second,
                                          missedAtStart ? spentThird : r.third};
    auto settled = [&](int n) {
        ReminderRecord s = confirmed[n - 1];
        if (rung.contains(Moment{n, {s.AlarmTime, s.AlarmDate}}))
            s.makeSpent();
        return s;
    };
    for (const QTime& time : {kDue, kSweep}) {
        desk.clock.set(kDay, time);
        for (int n : {1, 2, 3}) {
            tick(n);
            tick(n);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1String(" | "))));
        for (int n : {1, 2, 3})
            QCOMPARE(desk.saved(n), settled(n));
    }
    QCOMPARE(ringBoxes, expectedRings);
    QCOMPARE(desk.saved(2).AlarmSet, 0);  // the other reminder rang, in the box or afterwards
    // The log-on entry follows the saved armed set.
    const bool anyArmed = desk.saved(1).AlarmSet != 0 || desk.saved(2).AlarmSet != 0 || desk.saved(3).AlarmSet != 0;
    QCOMPARE(desk.logon.entries.contains(kEntry), anyArmed);
    ++m_checked;
}

void InterleaveTest::cleanupTestCase()
{
    qInfo("interleavings checked: %d", m_checked);
}

QTEST_MAIN(InterleaveTest)
#include "interleave_test.moc"
