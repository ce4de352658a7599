// Every box of every handler and what it leaves in the file, ticks inside every box, what is read
// aloud.
#include <QAccessible>
#include <QPlainTextEdit>
#include <QPushButton>
#include "tests/support/desk.h"

namespace {
using Record = ReminderRecord;
const QString kRing = kRingTitle + "0|Message:\r\n";
const QString kPast = "Alarm Time should be greater than current time. %1\r\n\r\n"
                      "Please input a valid alarm time.";
const QString kBadTime = "Invalid Time Format. %1\r\n\r\nPlease input a valid time.";
const QString kFull = "Chimewright|0|Could not write reminders.dat: File too large";
const QString kWarn =
    "Exit Program?|257|An alarm has been set to ring within the next 24 hours.\r\n"
    "If you close this program, the alarm may not run.";
const QString kEntry = "Chimewright.EXE.desktop", kOther = "Shortcut to " + kEntry;
const QString kGone = "Chimewright|0|The sound file could not be played: /broken.wav";

QString error(const QString& text, const char* outcome)
{
    return "Chimewright|0|" + text.arg(outcome);
}
const QString kAsks = "Chimewright|1|Settings for %1 has changed. Save new settings?";
const QString kCleared = "Clear Alarm?|1|Alarm for Reminder#%1 will be reset. Are you sure?";

QString asks(const char* reminder) { return kAsks.arg(reminder); }
QString cleared(int n) { return kCleared.arg(n); }
QString confirm(int days, const char* time, const char* setting = "None.",
                const QString& notes = "None.")
{
    const QString day = kDay.addDays(days).toString("dddd, MMMM dd, yyyy");
    return QString("Confirm Alarm Schedule|1|Run alarm on %1 %2?\r\n\r\nAdditional Setting: %3\r\n"
                   "Message/Notes: %4")
        .arg(day, time, setting, notes);
}
QString missed(const char* time, const char* notes, const char* day = "12/6/2026")
{
    return QString("Chimewright|0|You had an alarm scheduled for: %3 Alarm Time: %1\r\nThe alarm "
                   "did not run because either:\r\nthe computer was turned off during the "
                   "designated alarm time,\r\nor the Chimewright program is not in your startup "
                   "folder.\r\n\r\nMessage/Notes: \r\n%2")
        .arg(time, notes, day);
}
Record armed(int days, const char* time, const char* message = "", int option = 0)
{
    return armedRecord(kDay.addDays(days), time, option, message);
}
Record rang(int days)  // a reminder of that day once it rang: only its date is kept
{
    Record r = armed(days, "");
    r.makeSpent();
    return r;
}

// A case: its name, the clock at the start, the records saved before it, the script (the steps
// of tests/support/desk.h), every box shown in order, and the records afterwards. A new case is
// a copy of a near one, changed.
struct Case {
    QString name;
    QTime now;
    QList<Record> records;  // reminders 1.. as saved before the start
    QString script;
    QStringList boxes;         // every box shown, in order
    QList<Record> after = {};  // reminders 1.. afterwards, and nothing more; empty: as before
    bool ringsAside = false;   // the rings are not among the boxes: each is its due record's
};
Case test(QString name, QTime now, QList<Record> records, QString script, QStringList boxes,
          QList<Record> after = {}, bool ringsAside = false)
{
    return {name, now, records, script, boxes, after, ringsAside};
}

// Every box the program shows while reminders 1 (shown) and 2 are armed for 09:00 AM, with ticks of
// both inside it, or midnight passing inside it with reminder 2 armed for the new day's first
// minute. Each row wants its boxes exactly, the rings aside: the desk checks every tick against
// the file, so only what is saved rings, in its minute, with its own message. What OK saved is in
// the file after the box, and at the end spent where it rang: no older event overwrites it.
QList<Case> withInterleavings(QList<Case> all)
{
    const Record one = armed(0, "09:00 AM", "one"), two = armed(0, "09:00 AM", "two"), none;
    const QString notice = "Chimewright|0|You have scheduled an alarm for: 12/7/2026\r\nAlarm "
                           "Time: 08:00 AM\r\n\r\nMessage/Notes: \r\nNone.",
                  refused = error(kPast, "New settings not saved.");
    // The ticks come inside the box holding `box`, the last step's, among the boxes wanted; ok:
    // reminder 1 as an answer of OK leaves it. Cancel shows the first `cancelled` boxes (all: -1);
    // `odd` gives the boxes of an answer and ticks that differ, with the reason; `ends` the answer
    // and ticks after which the exit ends the program with an alarm left armed for the next start.
    struct Row {
        const char *name, *script, *box;
        QStringList boxes;
        std::optional<Record> ok;
        Record first, third = {};
        int cancelled = -1;
        QMap<QString, QStringList> odd = {};
        QStringList ends = {};
    };
    const QStringList exitQ1{asks("Reminder1"), asks("Reminder#1")},
        exitQ2{asks("Reminder 1"), confirm(1, "11:00 AM", "None.", "new"), kWarn};
    const QList<Row> rows{
        Row("set alarm", "show; type 10am; msg new; set", "Confirm",
            {confirm(0, "10:00 AM", "None.", "new")}, armed(0, "10:00 AM", "new"), one),
        Row("set alarm, not a time", "show; type soon; set", "Invalid Time Format. Alarm",
            {error(kBadTime, "Alarm not set.")}, {}, one),
        Row("set alarm, passed", "show; type 8am; set", "time. Alarm not set.",
            {error(kPast, "Alarm not set.")}, {}, one),
        // Past midnight the typed 10 AM of a day gone by is refused.
        Row("Q1, later today", "show; type 10am; rem 3", "Reminder#1", {asks("Reminder#1")},
            armed(0, "10:00 AM", "one"), one, {}, -1,
            {{"ok midnight", {asks("Reminder#1"), refused}}}),
        Row("Q1, tomorrow", "show; type 7am; day 1; rem 2", "Reminder#1", {asks("Reminder#1")},
            armed(1, "07:00 AM", "one"), one),
        Row("Q1, passed", "show; type 8am; rem 3", "time. New settings not saved.",
            {asks("Reminder#1"), refused}, {}, one),
        Row("Q1, not a time", "show; type soon; rem 3", "Invalid Time Format. New",
            {asks("Reminder#1"), error(kBadTime, "New settings not saved.")}, {}, one),
        Row("Q2", "show; type 10am; day 1; msg new; rem 3", "Reminder# 1",
            {asks("Reminder# 1"), confirm(1, "10:00 AM", "None.", "new")},
            armed(1, "10:00 AM", "new"), none, {}, 1),
        Row("Q2, then Set Alarm", "show; type 9am; day 1; rem 3", "Confirm",
            {asks("Reminder# 1"), confirm(1, "09:00 AM")}, armed(1, "09:00 AM"), none),
        Row("clear alarm", "show; clear", "Clear Alarm?", {cleared(1)}, none, one),
        Row("a failed write", "show; fail; clear", "Could not write", {cleared(1), kFull}, {}, one),
        Row("minimise, Q1", "show; type 10am; min", "Reminder#1", {asks("Reminder#1")},
            armed(0, "10:00 AM", "one"), one, {}, -1,
            {{"ok midnight", {asks("Reminder#1"), refused}}}),
        // A ring brings the window up: while an alarm is left to ring, the exit stops and the
        // window goes back to the tray, asking again.
        Row("exit, Q1", "show; type 10am; day 1; exit", "Reminder1", {asks("Reminder1")},
            armed(1, "10:00 AM", "one"), one, {}, -1,
            {{"cancel 1", exitQ1}, {"cancel 2", exitQ1}, {"cancel midnight", exitQ1}}),
        // Reminder 2 left to ring is warned of (tick 1 finds reminder 1 unarmed); past midnight
        // the new 11 AM is within 24 hours. Cancelled, the shown window stops the exit.
        Row("exit, Q2", "show; type 11am; day 1; msg new; exit", "Reminder 1", exitQ2.mid(0, 2),
            armed(1, "11:00 AM", "new"), none, {}, 1,
            {{"ok 1", exitQ2},
             {"ok midnight", exitQ2},
             {"cancel 1", {exitQ2[0], asks("Reminder# 1")}}},
            {"ok 1", "ok midnight"}),
        // Answered OK, the exit ends but where a ring brought the window up while reminder 2 is
        // still to ring.
        Row("exit, the warning", "exit", "Exit Program?", {kWarn}, {}, one, {}, -1, {},
            {"ok 2", "ok midnight"}),
        Row("start-up, a missed alarm", "", "You had", {missed("08:00 AM", "None.")}, {}, one,
            armed(0, "08:00 AM")),
        Row("start-up, a day gone by", "", "12/5/2026", {missed("08:00 AM", "None.", "12/5/2026")},
            {}, one, armed(-1, "08:00 AM")),
        Row("start-up, a notice", "", "You have scheduled", {notice}, {}, one,
            armed(1, "08:00 AM", "", 1)),
        Row("the ring", "at 9:00; tick 1", "Personal", {}, {}, one),
        Row("the sound file dialog", "show; audio /bell.wav", "the file dialog", {}, {}, one)};
    for (const Row& r : rows)
        for (const QString answer : {"ok", "cancel"})
            for (const QString ticks : {"1", "2", "1, 2", "2, 1", "midnight"}) {
                const int midnight = ticks == "midnight";
                QString inside =
                    midnight ? "at 0:00:05 +1, daywatch, at 0:01 +1, tick 2, tick 2" : "at 9:00";
                for (const QString& n : midnight ? QStringList() : ticks.split(", "))
                    inside += ", tick " + n + ", tick " + n;  // the second tick never rings again
                QList<Record> after{answer == "ok" && r.ok ? *r.ok : r.first,
                                    midnight ? armed(1, "12:01 AM", "two") : two, r.third};
                const QList<Record> before{r.first, after[1], r.third};
                // By 23:00 every alarm of the day has rung, one of a day gone by missed; if the
                // program ended, only those that rang inside the box.
                const bool ends = r.ends.contains(answer + ' ' + ticks);
                for (int i = 0; i < 3; ++i)
                    if (after[i].isArmed() && after[i].AlarmDate <= one.AlarmDate + midnight &&
                        (!ends || (midnight ? i == 1 : ticks.contains(QString::number(i + 1)))))
                        after[i].makeSpent();
                const bool saved = answer == "ok" && !midnight && r.ok.value_or(none).isArmed();
                const QString script =
                    QString("inside %1 => %2, answer %3, answer %3; start; %4; at 9:00%5; tick 1; "
                            "tick 2; tick 3; %6at 23:00%5; tick 1; tick 2; tick 3; ? entries=")
                        .arg(r.box, inside, answer, r.script, midnight ? " +1" : "",
                             saved ? "? set1=-1; " : "");
                const bool anyArmed = std::ranges::any_of(after, &Record::isArmed);
                const QString entry = anyArmed ? kEntry : "";
                const QStringList boxes = r.odd.value(
                    answer + ' ' + ticks, answer == "ok" ? r.boxes : r.boxes.mid(0, r.cancelled));
                all << test(QString("%1, %2, ticks %3").arg(r.name, answer, ticks),
                            QTime(8, 59, 50), before, script + entry, boxes, after, true);
            }
    return all;
}

const QList<Case>& cases()  // built at the first use: the program's own constants are ready then
{
    const QTime ten(10, 0), late(23, 58);
    const Record far = armed(3, "02:25 PM", "old", 2), none,
                 damaged{.AlarmTime = fixedText("x", 8)};
    const QString refused = error(kPast, "New settings not saved."),
                  noEntry = "Chimewright|0|No entry",
                  unreadable =
                      error("Could not open reminders.dat: it is a folder, not a file%1", "");
    // What the message field keeps of a typed and a pasted text: the record's 2048 characters,
    // a line break as two, and a "?" for each character the file's code page lacks.
    const QString kept = "Caf\u00e9 ? \u00fcber ?\r\n?" + QString(2032, 'x');
    const QString paste = "paste \n\u2615" + QString(2070, 'x') + "END-MARK; ";
    static const QList<Case> all = withInterleavings({
        test("a minimise during a question waits for it, without a failure", ten, {far},
             "start; show; type 4pm; inside Settings => wmmin, ? window=iconic1; rem 2; "
             "? window=tray1",
             {asks("Reminder#1")}, {armed(3, "04:00 PM", "old", 2)}),
        test("set alarm: a later day stops the running timer", QTime(22, 0), {armed(0, "11:00 PM")},
             "start; ? timer1=yes; show; type 1am; day 1; msg Anna; option 1; set; ? timer1=no; "
             "? window=tray1",
             {confirm(1, "01:00 AM", "One day before scheduled date", "Anna")},
             {armed(1, "01:00 AM", "Anna", 1)}),
        test("set alarm: at second 30 the minute has passed; a failed write no success",
             QTime(14, 25, 30), {},
             "start; show; type 2:25 PM; set; type 3pm; fail; set; at 15:00; tick 1; ? timer1=no; "
             "? window=up0; ? Label8=Alarm not set.",
             {error(kPast, "Alarm not set."), confirm(0, "03:00 PM"), kFull}),
        test("set alarm: at second 0 the current minute is accepted and rings; no past day",
             QTime(14, 25), {},
             "start; show; type 2:25 PM; day -1; msg  x ; set; ? Label8=Alarm is set.; tick 1",
             {confirm(0, "02:25 PM", "None.", "x"), kRing + "x"}, {rang(0)}),
        test("set alarm: confirmed after midnight, rings; after two midnights too", late, {},
             "start; type 11:59 PM; msg x; inside Confirm => at 0:00:30 +1, daywatch; set; "
             "tick 1; type 9am; day 2; inside Confirm => at 10:00 +3, daywatch; set; tick 1",
             {confirm(0, "11:59 PM", "None.", "x"), kRing + "x", confirm(2, "09:00 AM"),
              kRingTitle + "0|Message: None."},
             {rang(2)}),
        test("set alarm: confirmed after midnight, rings behind a question; the day watch: no more",
             late, {},
             "start; show; type 12am; day 1; inside Confirm => at 0:00:30 +1; set; show; "
             "type 1am; inside Reminder#1 => tick 1, daywatch, tick 1; answer cancel; rem 2",
             {confirm(1, "12:00 AM"), asks("Reminder#1"), kRingTitle + "0|Message: None."},
             {rang(1)}),
        test("clear alarm: Cancel keeps, OK clears; the other log-on entry kept, then gone", ten,
             {armed(0, "01:00 PM"), far},
             "entries " + kOther +
                 "; start; rem 2; answer cancel; clear; ? Text1=02:25 PM; clear; ? Text1=; "
                 "? options=0/0; ? Label8=Alarm not set.; ? entries=" +
                 kOther + "; rem 1; clear; ? entries=",
             {cleared(2), cleared(2), cleared(1)}, {none, none}),
        test("the option rules", ten, {},
             "start; day 9; option 3; day 2; ? options=0123/3; day 1; ? options=01/0; day 9; "
             "option 2; day 1; ? options=01/0; option 1; day 5; ? options=0123/1; day 0; "
             "? options=0/0",
             {}),
        // Part by part from the keyboard (">": Tab to the next part; "@": a click on the day),
        // through days before the earliest day, which a finished entry never keeps.
        test("the date: typed part by part, kept from the earliest day, shown whole", ten, {},
             "start; show; ? datefits=yes; date >15; ? DTPicker1=12/15/2026; date >09; "
             "? DTPicker1=12/09/2026; date >8; ? DTPicker1=12/08/2026; date >>2027; "
             "? DTPicker1=12/08/2027; date 12/05/2026; ? DTPicker1=12/06/2026; date >>10; "
             "? DTPicker1=12/06/2026; date @20; ? DTPicker1=12/20/2026; date 1/5/2027; "
             "? options=0123/0; date 01/15/28; type 9am; set",  // a year as the heading's YY
             {confirm(405, "09:00 AM")}, {armed(405, "09:00 AM")}),
        test("the message: the confirmation shows what the file keeps; undo goes past a mend", ten,
             {},
             "start; show; write ab; write \u2615; undo; ? msglen=2; undo; ? msglen=0; "
             "write Caf\u00e9 \u2615 \u00fcber \U0001F600; " +
                 paste + "write yz; ? msglen=2048; undo; ? msglen=13; " + paste + "type 11am; set",
             {confirm(0, "11:00 AM", "None.", kept)}, {armedRecord(kDay, "11:00 AM", 0, kept)}),
        test("a damaged unarmed record shown is no edit", ten, {damaged}, "start; rem 2", {}),
        test("armed: a message alone is stored; Cancel stores it too", ten, {far, far},
             "start; msg new\\; now, here; rem 2; ? Label1=Reminder #2; type 1pm; msg two; "
             "answer cancel; rem 1",
             {asks("Reminder#2")},
             {armed(3, "02:25 PM", "new; now, here", 2), armed(3, "02:25 PM", "two", 2)}),
        test("armed: not a time keeps the settings; OK stores time, date, option", ten, {far},
             "start; type soon; rem 2; rem 1; type 4pm; day 5; option 3; rem 2",
             {asks("Reminder#1"), error(kBadTime, "New settings not saved."), asks("Reminder#1")},
             {armed(5, "04:00 PM", "old", 3)}),
        test("armed: a passed moment is refused, at midnight too; "
             "the day watch and a save request wait",
             QTime(14, 0), {armed(0, "05:00 PM")},
             "start; type 9am; rem 2; ? timer1=yes; at 23:58; rem 1; type 11:59 PM; "
             "inside Settings => at 0:00:30 +1, daywatch, saverequest; rem 2",
             {asks("Reminder#1"), refused, asks("Reminder#1"), refused}),
        test("unarmed: Set Alarm refuses", ten, {}, "start; type 4:10p.m; rem 3",
             {asks("Reminder# 1"), error(kBadTime, "Alarm not set.")}),
        test("ring: armed at second 0, once, heard while any ring box is open; a time edit kept",
             QTime(9, 0),
             {armed(2, "10:00 AM"), armed(0, "09:00 AM", "Cup"), armed(0, "09:00 AM", "Tea")},
             "start; ? timer3=yes; show; type 1pm; "
             "inside Tea => ? sound=play, tick 2, ? sound=play,play; at 8:59:59; tick 3; at 9:00; "
             "tick 3; at 9:00:05; tick 3; ? timer3=no; ? sound=play,play,pause; ? window=up0; "
             "? Label1=Reminder #1; ? Text1=1pm; rem 2",
             {kRing + "Tea", kRing + "Cup", asks("Reminder#1")},
             {armed(2, "01:00 PM"), rang(0), rang(0)}),
        test("ring: one that comes while another's sound starts, heard in both boxes", QTime(8, 59),
             {armed(0, "09:00 AM", "a"), armed(0, "09:00 AM", "b")},
             "start; inside sound's start => tick 2; inside Message:\r\na => ? sound=play,play; "
             "at 9:00; tick 1; ? sound=play,play,pause",
             {kRing + "b", kRing + "a"}, {rang(0), rang(0)}),
        test("ring: a message or an option edited on another reminder stays in the editor",
             QTime(8, 59),
             {armed(0, "09:00 AM", "a"), armed(2, "08:00 AM", "b", 1), armed(0, "09:01 AM")},
             "start; rem 2; msg b bring cake; at 9:00; tick 1; ? Label1=Reminder #2; msg b; "
             "option 3; at 9:01; tick 3; ? Label1=Reminder #2; msg b bring cake; rem 1",
             {kRing + "a", kRingTitle + "0|Message: None."},
             {rang(0), armed(2, "08:00 AM", "b bring cake", 1), rang(0)}),
        test(
            "ring: heard first when its record cannot be written; never again when the clock comes "
            "back to its day",
            QTime(8, 0), {armed(0, "09:00 AM", "P")},
            "start; inside Personal => ? window=up0, ? sound=play; fail; at 9:00; tick 1; "
            "at 9:00:05; tick 1; ? sound=play,pause; at 10:00 +1; daywatch; at 8:30; daywatch; "
            "? timer1=no",
            {kRing + "P", kFull}),
        test("a new saving of a moment that rang before the clock went back a day rings", ten,
             {armed(1, "09:00 AM", "a")},
             "at 8:59 +1; start; at 9:00 +1; tick 1; at 22:00; daywatch; type 9am; day 1; set; "
             "at 0:00:05 +1; daywatch; ? timer1=yes; at 9:00 +1; tick 1",
             {kRing + "a", confirm(1, "09:00 AM"), kRingTitle + "0|Message: None."}, {rang(1)}),
        test("the session ends in a ring over a question: the rung alarm is saved spent at once",
             QTime(8, 59), {armed(0, "09:00 AM", "a")},
             "start; show; type 4pm; answer cancel; inside Settings => at 9:00, tick 1; "
             "inside Personal => endsession, ? set1=0; rem 2; ? ended=yes",
             {asks("Reminder#1"), kRing + "a"}, {rang(0)}),
        test(
            "an open summary follows the file: a ring, Set Alarm, Clear Alarm; a ring in the modal",
            QTime(8, 59), {armed(0, "09:00 AM", "r"), armed(0, "11:00 AM", "m")},
            "start; details; ? listing1=Reminder# 1 is set.; at 9:00; tick 1; "
            "? listing1=Reminder# 1 is not set.; type 10am; set; ? listing1=Reminder# 1 is set.; "
            "clear; ? listing1=Reminder# 1 is not set.; icon; "
            "inside summary => at 11:00, tick 2, ? listing2=Reminder# 2 is not set.; view",
            {kRing + "r", confirm(0, "10:00 AM"), cleared(1), kRing + "m"}, {none, rang(0)}),
        test("new day: arms the saved time, not the typed, nor a later day; "
             "a day slept through rings late",
             QTime(22, 0), {armed(1, "09:00 AM", "kept"), none, armed(2, "01:00 AM", "late")},
             "start; show; type 7am; answer cancel; set; at 0:00:05 +1; daywatch; ? timer1=yes; "
             "? timer3=no; at 7:00 +1; tick 1; at 9:00 +1; tick 1; at 8:00 +3; daywatch; tick 3",
             {confirm(1, "07:00 AM", "None.", "kept"), kRing + "kept", kRing + "late"},
             {rang(1), none, rang(2)}),
        test("a day gone by while running is refused by Set Alarm and by the save question", late,
             {none, armed(1, "09:00 AM", "x")},
             "start; at 0:01 +1; show; type 9am; day 0; set; ? timer1=no; rem 2; type 10am; "
             "day 0; rem 1",
             {error(kPast, "Alarm not set."), asks("Reminder#2"), refused}),
        test("new day: the earliest and an unarmed day follow, no flag rises; Set Alarm takes 11am",
             QTime(23, 59), {armed(1, "09:00 AM")},
             "start; show; clear; at 10:00 +2; daywatch; ? DTPicker1=12/08/2026; rem 1; day 1; "
             "? DTPicker1=12/08/2026; type 11am; set",
             {cleared(1), confirm(2, "11:00 AM")}, {armed(2, "11:00 AM")}),
        test("new day in the save questions: a day chosen and a time typed stay, an armed day is "
             "kept",
             QTime(23, 58), {none, armed(2, "09:00 AM", "x"), armed(0, "11:59 PM", "y")},
             "start; rem 2; day 0; "
             "inside Reminder#2 => at 0:00:30 +1, daywatch, ? DTPicker1=12/06/2026; rem 1; "
             "type 9am; "
             "inside Reminder# 1 => at 0:01 +2, daywatch, ? DTPicker1=12/08/2026, ? Text1=9am; "
             "rem 3; ? DTPicker1=12/06/2026; at 0:02 +3; daywatch; ? DTPicker1=12/06/2026; rem 1",
             {asks("Reminder#2"), refused, asks("Reminder# 1"), confirm(2, "09:00 AM")},
             {armed(2, "09:00 AM"), armed(2, "09:00 AM", "x"), armed(0, "11:59 PM", "y")}),
        test("new day: an unreadable file reported once", QTime(23, 59),
             {none, armed(1, "01:00 AM")},
             "start; folder; at 0:00:05 +1; daywatch; at 0:00:10 +1; daywatch; ? timer2=no; "
             "folder; at 0:00:15 +1; daywatch; ? timer2=yes",
             {unreadable}),
        test("review: missed alarms reported before spent, of today and of a day gone by",
             QTime(14, 25, 30),
             {armed(0, "02:25 PM", "late"), armed(0, "09:00 AM", " "), armed(-3, "xx:yy", "gone")},
             "inside 02:25 PM => ? window=tray0, ? set1=-1; inside 09:00 AM => ? set2=-1; "
             "inside 12/3 => ? set3=-1; start; ? entries=",
             {missed("02:25 PM", "late"), missed("09:00 AM", "None."),
              missed("xx:yy   ", "gone", "12/3/2026")},
             {rang(0), rang(0), rang(-3)}),
        test("review: the session ends in the first box, that alarm spent; "
             "a failed write then holds no box",
             QTime(14, 0), {armed(0, "09:00 AM", "a"), armed(0, "10:00 AM", "b")},
             "inside You had => endsession; start; ? ended=yes; ? tray=no; "
             "inside You had => endsession, fail; start; ? ended=yes",
             {missed("09:00 AM", "a"), missed("10:00 AM", "b")},
             {rang(0), armed(0, "10:00 AM", "b")}),
        test("review: an alarm rings over an earlier box in its minute, on a filled window, not "
             "missed",
             QTime(8, 59, 45),
             {armed(0, "08:00 AM", "a"), armed(0, "09:00 AM", "b"), armed(2, "02:25 PM", "n", 2)},
             "inside You had => at 9:00, tick 2, ? window=up0, ? Label1=Reminder #2, ? "
             "Label8=Alarm not set., ? options=0/0; start; ? window=tray1",
             {missed("08:00 AM", "a"), kRing + "b",
              "Chimewright|0|You have scheduled an alarm for: 12/8/2026\r\nAlarm Time: 02:25 "
              "PM\r\n\r\nMessage/Notes: \r\nn"},
             {rang(0), rang(0), armed(2, "02:25 PM", "n", 2)}),
        test("review: no notice of an alarm that rang over an earlier box", QTime(23, 59, 50),
             {armed(0, "08:00 AM", "a"), armed(1, "12:00 AM", "b", 1)},
             "inside You had => at 0:00:05 +1, daywatch, tick 2; start",
             {missed("08:00 AM", "a"), kRing + "b"}, {rang(0), rang(1)}),
        test("review: told missed, never armed again when the clock goes back to its day", ten,
             {armed(0, "09:00 AM", "m")},
             "at 10:00 +1; inside You had => at 8:00, daywatch; start; ? timer1=no",
             {missed("09:00 AM", "m")}, {rang(0)}),
        test("review: an advance notice; a bad time reported and left", ten,
             {armed(2, "09:00 AM", "plan", 2), armed(0, "xx:yy ZZ")}, "start; ? tray=yes",
             {"Chimewright|0|You have scheduled an alarm for: 12/8/2026\r\nAlarm Time: 09:00 "
              "AM\r\n\r\nMessage/Notes: \r\nplan",
              "Chimewright|0|Reminder #2 is set, but its alarm time \"xx:yy ZZ\" is not a time. It "
              "was left as it is; set it again."}),
        test("start-up with an unreadable file tells it once; "
             "mended, the day watch arms what it finds",
             ten, {armed(0, "10:15 AM", "late"), armed(0, "11:00 AM", "b")},
             "folder; start; ? tray=yes; daywatch; at 10:30; daywatch; ? timer1=no; folder; "
             "daywatch; ? timer1=yes; tick 1; at 11:00; tick 2",
             {unreadable, kRing + "late", kRing + "b"}, {rang(0), rang(0)}),
        test("a second copy ends before touching anything", ten, {},
             "busy; start; ? running=no; ? file=no; ? tray=no", {}),
        test("a later start: a box first, then the window as the icon brings it", ten,
             {armed(0, "09:00 AM", "m"), far},
             "inside You had => launch, ? window=tray0; start; show; focus DTPicker1; min; "
             "launch; ? window=up0; ? focus=Text2; sni; ? summary=yes; launch; ? summary=no; "
             "? window=up0",
             {missed("09:00 AM", "m")}, {rang(0), far}),
        test("the sound chosen rings after a restart; "
             "one that cannot play is said, the melody heard",
             QTime(8, 0), {armed(0, "09:00 AM", "P"), armed(0, "09:01 AM", "Q")},
             "start; audio /broken.wav; answer ok; exit; start; at 9:00; tick 1; at 9:01; tick 2; "
             "? sound=play /broken.wav,play,pause,play /broken.wav,play,pause",
             {kWarn, kWarn, kGone, kRing + "P", kGone, kRing + "Q"}, {rang(0), rang(0)}),
        test("help starts the viewer, silent if it cannot", ten, {},
             "start; help; ? launched=xdg-open README.TXT in DIR", {}),
        test("exit: 23 hour boundaries warn, 24 do not", QTime(11, 0), {armed(1, "10:00 AM")},
             "start; entries; answer cancel; exit; ? ended=no; ? entries=; ? tray=yes; at 10:59; "
             "exit; ? ended=yes; ? tray=no; ? entries=" +
                 kEntry,
             {kWarn}),
        test("exit without notification area: shown, minimised; minimised, warns or ends; "
             "a ring brings it up",
             ten, {armed(0, "11:00 AM"), far},
             "tray none; start; show; exit; ? window=iconic1; answer cancel; exit; ? ended=no; "
             "? window=iconic1; at 11:00; tick 1; ? window=up0; exit; ? window=iconic1; exit; "
             "? ended=yes",
             {kWarn, kRingTitle + "0|Message: None."}, {rang(0), far}),
        test("the notification area goes and comes: withdrawn, shown, in a question, in a ring",
             QTime(8, 59), {none, armed(0, "09:00 AM", "r")},
             "start; tray none; ? window=iconic1; tray back; ? window=tray1; show; tray none; "
             "? window=up0; tray back; wmmin; tray none; ? window=iconic1; tray back; "
             "? window=tray1; show; type 3pm; "
             "inside Reminder# 1 => tray none, ? window=iconic1, tray back, ? window=tray1; "
             "answer cancel; min; ? window=tray1; inside Personal => tray none, ? window=up0; "
             "at 9:00; tick 2; tray back; ? window=up0",
             {asks("Reminder# 1"), kRing + "r"}, {none, rang(0)}),
        test("exit: an alarm that rang inside the first warning draws no second", QTime(9, 59, 50),
             {armed(0, "11:00 AM"), armed(0, "10:00 AM", "b")},
             "start; inside Exit => at 10:00, tick 2; exit; ? ended=yes; ? entries=" + kEntry,
             {kWarn, kRing + "b"}, {armed(0, "11:00 AM"), rang(0)}),
        test("exit with reminders.dat unreadable: told, today's alarm warned of, and it ends", ten,
             {armed(0, "11:00 AM")},
             "start; folder; answer ok; answer cancel; exit; ? ended=no; exit; ? ended=yes; folder",
             {unreadable, kWarn, unreadable, kWarn}),
        test("exit: an armed edit, then the minimise asks", ten, {far},
             "start; show; day 6; answer cancel; answer cancel; exit; ? ended=no; ? window=tray1",
             {asks("Reminder1"), asks("Reminder#1")}),
        test("exit: an unarmed edit runs Set Alarm", ten, {},
             "start; type 9pm; exit; ? ended=yes; ? entries=" + kEntry,
             {asks("Reminder 1"), confirm(0, "09:00 PM"), kWarn}, {armed(0, "09:00 PM")}),
        test("exit: an unwritable message does not block", ten, {far},
             "start; msg new; fail; exit; ? ended=yes; ? entries=" + kEntry, {kFull}),
        test("a session save request keeps running", ten, {armed(0, "11:00 AM", "here")},
             "start; entries; saverequest; ? entries=" + kEntry +
                 "; ? tray=yes; at 11:00; tick 1; ? ended=no",
             {kRing + "here"}, {rang(0)}),
        test("log-on entry failing: reported once", ten, {far},
             "logonfail No entry; start; type 11am; rem 2; min; exit; ? ended=yes",
             {noEntry, asks("Reminder#1")}, {armed(3, "11:00 AM", "old", 2)}),
        test("log-on entry failing: again at each change", ten, {},
             "entries " + kEntry +
                 "; logonfail No entry; start; show; type 11am; day 2; rem 2; rem 1; clear; exit",
             {noEntry, asks("Reminder# 1"), confirm(2, "11:00 AM"), cleared(1), noEntry}, {none}),
        test("a ring in the minimise's question, with its message edited", QTime(8, 59),
             {none, armed(0, "09:00 AM", "r")},
             "start; rem 2; msg rung; rem 1; show; type 3pm; "
             "inside Reminder# 1 => at 9:00, tick 2; answer cancel; min; ? window=up0; "
             "? Label1=Reminder #2; wmmin; ? window=tray1",
             {asks("Reminder# 1"), kRing + "rung"}, {none, rang(0)}),
        test("a StatusNotifierItem menu past a box; "
             "the icon closes the summary, the message focused",
             QTime(8, 59), {armed(0, "09:00 AM", "r"), far},
             "inside Personal => sni; inside Settings => sni; start; at 9:00; tick 1; rem 2; "
             "type 10am; rem 3; ? ended=no; ? summary=no; ? window=up0; focus DTPicker1; sni; "
             "? window=tray1; ? summary=yes; icon; ? summary=no; ? window=up0; ? focus=Text2",
             {kRing + "r", asks("Reminder#2")}, {rang(0), armed(3, "10:00 AM", "old", 2)}),
    });
    return all;
}
}  // namespace

class GuiTest : public QObject {
    Q_OBJECT
private slots:
    void handlers_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < cases().size(); ++i)
            QTest::newRow(qPrintable(cases()[i].name)) << i;
    }

    void handlers()
    {
        QFETCH(int, row);
        const Case& c = cases()[row];
        Desk desk(c.now, c.name);
        desk.wanted = c.boxes;
        desk.ringsAside = c.ringsAside;
        for (int n = 0; n < c.records.size(); ++n)
            desk.put(n + 1, c.records[n]);
        desk.run(c.script);
        desk.app.reset();  // the program ends before the checks: a box it shows then is counted
        desk.finish(c.ringsAside);  // those cases script an answer for a second box
        const QList<Record>& after = c.after.isEmpty() ? c.records : c.after;
        if (const qint64 size = fileBytes(desk.file()).size(); size != after.size() * 2068)
            desk.fault(
                QString("reminders.dat: %1 bytes, not %2").arg(size).arg(after.size() * 2068));
        for (int n = 1; n <= after.size(); ++n)
            if (const Record got = desk.saved(n); got != after[n - 1])
                desk.fault(QString("record %1 wanted %2, got %3")
                               .arg(QString::number(n), describe(after[n - 1]), describe(got)));
        QVERIFY2(desk.faults.isEmpty(), qPrintable(desk.faults.join('\n')));
    }

    // What a screen reader is told of every control, of the status, and of the summary listing.
    void accessibility()
    {
        Desk desk(QTime(10, 0), "accessibility");
        desk.put(1, armedRecord(QDate(2026, 12, 9), "02:25 PM", 1, "   Buy milk"));
        desk.run("start");
        QVERIFY2(desk.faults.isEmpty(), qPrintable(desk.faults.join('\n')));
        mainform& f = *desk.form;
        viewsettings view;
        view.Form_Activate();
        desk.put(2, armedRecord(QDate(2026, 12, 9), "09:00 AM", 3));
        view.Form_Activate();  // drawn afresh, not below the first listing
        QCOMPARE(view.listing().join('|'),
                 "Reminder# 1 is set.|Alarm Date: 12/9/2026|Alarm Time: 02:25 PM|Also ring alarm: "
                 "One day before scheduled date.|Message(first few words): Buy milk|||Reminder# 2 "
                 "is set.|Alarm Date: 12/9/2026|Alarm Time: 09:00 AM|Also ring alarm: Everyday "
                 "until the scheduled date.|Message: None.|||Reminder# 3 is not set.||");
        using A = QAccessible;
        struct Row {
            QObject* control;
            A::Role role;
            QString name, description = {};
        };
        for (const Row& r :
             {Row{&f, A::Window, "Chimewright"}, Row{f.Command1, A::Button, "Set Alarm"},
              Row{f.Command2, A::Button, "Clear Alarm"}, Row{f.Option0, A::RadioButton, "None"},
              Row{f.Text1, A::EditableText, "Alarm time", f.Text1->toolTip()},
              Row{f.Text3, A::EditableText, "Valid time examples"},
              Row{f.Option1, A::RadioButton, "One day before scheduled date"},
              Row{f.Option2, A::RadioButton, "Two days before scheduled date"},
              Row{f.Option3, A::RadioButton, "Everyday until the scheduled date"},
              Row{f.DTPicker1, A::SpinBox, "MM/DD/YY", f.DTPicker1->toolTip()},
              Row{f.Text2, A::EditableText, "Message that will appear when alarm runs:"},
              Row{f.Label8, A::StaticText, "Alarm is set.", "Status"},
              Row{view.OKButton, A::Button, "Ok"},
              Row{&view, A::Dialog, "Chimewright Alarm Settings", view.listing().join('\n')}}) {
            QAccessibleInterface* a = A::queryAccessibleInterface(r.control);
            QCOMPARE(QStringList(
                         {QString::number(a->role()), a->text(A::Name), a->text(A::Description)}),
                     QStringList({QString::number(r.role), r.name, r.description}));
        }
        f.Label8->setText("Alarm not set.");  // the status caption is not clipped away
        f.Label8->adjustSize();
        QVERIFY(f.Label8->width() > 7);
    }
};

QTEST_MAIN(GuiTest)
#include "gui_test.moc"
