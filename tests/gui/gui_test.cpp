// The windows on the desk: every box of every handler and what it leaves in the file, ticks
// inside every box, and what a screen reader is told.
#include <QAccessible>
#include <QPlainTextEdit>
#include <QPushButton>
#include "tests/support/desk.h"

namespace {
const QString kRing = kRingTitle + "0|Message:\r\n";
const QString kPast = "Alarm Time should be greater than current time. %1\r\n\r\nPlease input a valid alarm time.";
const QString kBadTime = "Invalid Time Format. %1\r\n\r\nPlease input a valid time.";
const QString kFull = "Chimewright|0|Could not write reminders.dat: No space left on device";
const QString kFolder = "Chimewright|0|Could not open reminders.dat: it is a folder, not a file";
const QString kWarn = "Exit Program?|257|An alarm has been set to ring within the next 24 hours.\r\n"
                      "If you close this program, the alarm may not run.";
const QString kDelete = "Chimewright|0|Could not delete the log-on start entry: Read-only file system";

QString error(const QString& text, const char* outcome) { return "Chimewright|0|" + text.arg(outcome); }
QString asks(const char* reminder) { return QString("Chimewright|1|Settings for %1 has changed. Save new settings?").arg(reminder); }
QString cleared(int n) { return QString("Clear Alarm?|1|Alarm for Reminder#%1 will be reset. Are you sure?").arg(n); }
QString confirm(const char* when, const char* setting = "None.", const char* notes = "None.")
{
    return QString("Confirm Alarm Schedule|1|Run alarm on %1?\r\n\r\nAdditional Setting: %2\r\nMessage/Notes: %3")
        .arg(when, setting, notes);
}
QString missed(const char* time, const char* notes)
{
    return QString("Chimewright|0|You had an alarm scheduled for: 12/6/2026 Alarm Time: %1\r\nThe alarm did not run "
                   "because either:\r\nthe computer was turned off during the designated alarm time,\r\nor the "
                   "Chimewright program is not in your startup folder.\r\n\r\nMessage/Notes: \r\n%2").arg(time, notes);
}
ReminderRecord armed(int days, const char* time, const char* message = "", int option = 0)
{
    return armedRecord(kDay.addDays(days), time, option, message);
}
ReminderRecord spent(ReminderRecord r)
{
    r.makeSpent();
    return r;
}

struct Case {
    QString name;
    QTime now;
    QList<ReminderRecord> records;  // reminders 1.. as saved before the start
    QString script;
    QStringList boxes;                 // every box shown, in order
    QList<ReminderRecord> after = {};  // reminders 1.. afterwards, nothing more in the file; empty: as before
    bool exactBoxes = true;
};

// Every box the program shows while reminders 1 (shown) and 2 are armed for 09:00 AM, with a tick of each
// inside it: only what is saved rings (the desk checks every tick against the file), and the file ends
// holding what was confirmed, spent where it rang: nothing confirmed is overwritten by an older event.
QList<Case> withInterleavings(QList<Case> all)
{
    const ReminderRecord one = armed(0, "09:00 AM", "one"), two = armed(0, "09:00 AM", "two"), none;
    struct Row { const char* name; bool armed; ReminderRecord third; const char* script, *box; std::optional<ReminderRecord> ok; };
    for (const Row& r : {Row{"set alarm", true, none, "show; type 10am; msg new; set", "Confirm", armed(0, "10:00 AM", "new")},
             Row{"set alarm, not a time", true, none, "show; type soon; set", "Invalid Time Format. Alarm", {}},
             Row{"set alarm, passed", true, none, "show; type 8am; set", "time. Alarm not set.", {}},
             Row{"Q1, later today", true, none, "show; type 10am; rem 3", "Reminder#1", armed(0, "10:00 AM", "one")},
             Row{"Q1, tomorrow", true, none, "show; type 7am; day 1; rem 2", "Reminder#1", armed(1, "07:00 AM", "one")},
             Row{"Q1, passed", true, none, "show; type 8am; rem 3", "time. New settings not saved.", {}},
             Row{"Q1, not a time", true, none, "show; type soon; rem 3", "Invalid Time Format. New", {}},
             Row{"Q2", false, none, "show; type 10am; msg new; rem 3", "Reminder# 1", armed(0, "10:00 AM", "new")},
             Row{"Q2, then Set Alarm", false, none, "show; type 9am; day 1; rem 3", "Confirm", armed(1, "09:00 AM")},
             Row{"clear alarm", true, none, "show; clear", "Clear Alarm?", none},
             Row{"a failed write", true, none, "show; fail; clear", "Could not write", {}},
             Row{"minimise, Q1", true, none, "show; type 10am; min", "Reminder#1", armed(0, "10:00 AM", "one")},
             Row{"exit, Q1", true, none, "show; type 10am; day 1; exit", "Reminder1", armed(1, "10:00 AM", "one")},
             Row{"exit, Q2", false, none, "show; type 11am; msg new; exit", "Reminder 1", armed(0, "11:00 AM", "new")},
             Row{"exit, the warning", true, none, "exit", "Exit Program?", {}},
             Row{"start-up, a missed alarm", true, armed(0, "08:00 AM"), "", "You had", {}},
             Row{"start-up, a notice", true, armed(1, "08:00 AM", "", 1), "", "You have scheduled", {}},
             Row{"the ring", true, none, "at 9:00; tick 1", "Personal", {}},
             Row{"the summary window", true, none, "show; view", "the summary window", {}},
             Row{"the sound file dialog", true, none, "show; audio /bell.wav", "the file dialog", {}}})
        for (const char* answer : {"ok", "cancel"})
            for (const QString& ticks : {"1", "2", "1, 2", "2, 1"}) {
                QString inside = "at 9:00";
                for (const QString& n : ticks.split(", "))
                    inside += ", tick " + n + ", tick " + n;  // the second tick of a timer never rings again
                const ReminderRecord first = r.armed ? one : none;
                QList<ReminderRecord> after{QString(answer) == "ok" && r.ok ? *r.ok : first, two, r.third};
                for (ReminderRecord& a : after)  // by 23:00 every alarm of today has rung
                    a = a.isArmed() && a.AlarmDate == one.AlarmDate ? spent(a) : a;
                const bool anyArmed = after[0].isArmed() || after[2].isArmed();
                all << Case{QString("%1, %2, ticks %3").arg(r.name, answer, ticks), QTime(8, 59, 50), {first, two, r.third},
                            QString("inside %1 => %2, answer %3, answer %3; start; %4; ").arg(r.box, inside, answer, r.script)
                                + "at 9:00; tick 1; tick 2; tick 3; at 23:00; tick 1; tick 2; tick 3; ? entries="
                                + (anyArmed ? "Chimewright.EXE.desktop" : ""), {}, after, false};
            }
    return all;
}

const QList<Case>& cases()
{
    const QTime ten(10, 0);
    const ReminderRecord far = armed(3, "02:25 PM", "old", 2), none;
    ReminderRecord damaged;  // not armed, with a time that is neither a time nor blank
    damaged.AlarmTime = fixedText("x", ReminderRecord::kTimeWidth);
    static const QList<Case> all = withInterleavings({
        {"set alarm: a later day, option and message; the running timer stops", QTime(22, 0), {armed(0, "11:00 PM")},
         "start; ? timer1=yes; show; type 1am; day 1; msg Call Anna; option 1; set; ? timer1=no; ? window=tray",
         {confirm("Monday, December 07, 2026 01:00 AM", "One day before scheduled date", "Call Anna")},
         {armed(1, "01:00 AM", "Call Anna", 1)}},
        {"set alarm: the current minute has passed at its second 30", QTime(14, 25, 30), {},
         "start; show; type 2:25 PM; set", {error(kPast, "Alarm not set.")}},
        {"set alarm: a write failure is reported, not success, and does not ring", ten, {},
         "start; show; type 3pm; fail; set; at 15:00; tick 1; ? timer1=no; ? window=up; ? label=Alarm not set.",
         {confirm("Sunday, December 06, 2026 03:00 PM"), kFull}},
        {"set alarm: confirmed after midnight for late yesterday rings at once", QTime(23, 58), {},
         "start; show; type 11:59 PM; msg call; inside Confirm => at 0:00:30 +1; set; tick 1",
         {confirm("Sunday, December 06, 2026 11:59 PM", "None.", "call"), kRing + "call"},
         {spent(armed(0, "11:59 PM", "call"))}},
        {"clear alarm: Cancel keeps all, OK clears the record and the editor", ten, {armed(0, "01:00 PM"), far},
         "start; rem 2; answer cancel; clear; ? time=02:25 PM; clear; ? time=; ? options=0/0; ? label=Alarm not set.; "
         "? entries=Chimewright.EXE.desktop", {cleared(2), cleared(2)}, {armed(0, "01:00 PM"), none}},
        {"the option rules", ten, {}, "start; day 9; option 3; day 2; ? options=0123/3; day 1; ? options=01/0; "
         "day 9; option 2; day 1; ? options=01/0; option 1; day 5; ? options=0123/1; day 0; ? options=0/0", {}},
        {"a damaged unarmed record shown is no edit", ten, {damaged}, "start; rem 2", {}},
        {"armed: a message alone is stored without a question; Cancel stores it too", ten, {far, far},
         "start; msg new; rem 2; type 1pm; msg two; answer cancel; rem 1", {asks("Reminder#2")},
         {armed(3, "02:25 PM", "new", 2), armed(3, "02:25 PM", "two", 2)}},
        {"armed: OK stores the time, date and option", ten, {far}, "start; type 4pm; day 5; option 3; rem 2",
         {asks("Reminder#1")}, {armed(5, "04:00 PM", "old", 3)}},
        {"armed: not a time keeps the saved settings", ten, {far}, "start; type soon; rem 2",
         {asks("Reminder#1"), error(kBadTime, "New settings not saved.")}},
        {"armed for later today: a passed moment is refused, the alarm keeps its time", QTime(14, 0),
         {armed(0, "05:00 PM")}, "start; type 9am; rem 2; ? timer1=yes", {asks("Reminder#1"), error(kPast, "New settings not saved.")}},
        {"armed: answered after midnight, yesterday's moment is refused", QTime(23, 58), {armed(2, "09:00 AM")},
         "start; type 11:59 PM; day 0; inside Settings => at 0:00:30 +1; rem 2",
         {asks("Reminder#1"), error(kPast, "New settings not saved.")}},
        {"unarmed: the question runs Set Alarm", ten, {}, "start; type 7:30 am; day 1; rem 3; ? reminder=Reminder #3",
         {asks("Reminder# 1"), confirm("Monday, December 07, 2026 07:30 AM")}, {armed(1, "07:30 AM")}},
        {"unarmed: the question runs Set Alarm, which refuses", ten, {}, "start; type 4:10p.m; rem 3",
         {asks("Reminder# 1"), error(kBadTime, "Alarm not set.")}},
        {"ring: once in its minute, sounding in its box, the window up on it, edits dropped", QTime(8, 0),
         {armed(2, "10:00 AM"), none, armed(0, "09:00 AM", "Tea", 1)}, "start; show; type 11am; inside Personal => "
         "? sound=play; at 8:59:59; tick 3; at 9:00; tick 3; at 9:00:05; tick 3; ? sound=play,pause; ? timer3=no; "
         "? window=up; ? state=0; ? reminder=Reminder #3; ? time=", {kRing + "Tea"},
         {armed(2, "10:00 AM"), none, spent(armed(0, "09:00 AM", "Tea", 1))}},
        {"ring: a sound that cannot play is described first", QTime(8, 0), {armed(0, "09:00 AM", "Pills")},
         "playfail The sound file could not be found: /a.mid; start; at 9:00; tick 1; ? sound=play",
         {"Chimewright|0|The sound file could not be found: /a.mid", kRing + "Pills"}, {spent(armed(0, "09:00 AM", "Pills"))}},
        {"ring: heard first when its record cannot be written, and once", QTime(8, 0), {armed(0, "09:00 AM", "Pills")},
         "start; inside Personal => ? window=up, ? sound=play; fail; at 9:00; tick 1; at 9:00:05; tick 1; "
         "? sound=play,pause", {kRing + "Pills", kFull}},
        {"new day: arms the saved time, not the one typed", QTime(22, 0), {armed(1, "09:00 AM", "kept"), none, armed(2, "01:00 AM")},
         "start; show; type 7am; answer cancel; set; at 0:00:05 +1; daywatch; ? timer1=yes; ? timer3=no; at 7:00 +1; "
         "tick 1; at 9:00 +1; tick 1", {confirm("Monday, December 07, 2026 07:00 AM", "None.", "kept"), kRing + "kept"},
         {spent(armed(1, "09:00 AM", "kept")), none, armed(2, "01:00 AM")}},
        {"new day: an unreadable file is reported once, the alarm armed once it reads again", QTime(23, 59),
         {none, armed(1, "01:00 AM")}, "start; folder; at 0:00:05 +1; daywatch; at 0:00:10 +1; daywatch; ? timer2=no; "
         "unfolder; at 0:00:15 +1; daywatch; ? timer2=yes", {kFolder}},
        {"review: this minute's alarm at its second 0 waits for its tick", QTime(14, 25), {armed(0, "02:25 PM")},
         "start; ? timer1=yes", {}},
        {"review: missed alarms reported before they are spent, the window hidden; a past day kept",
         QTime(14, 25, 30), {armed(0, "02:25 PM", "late"), armed(0, "09:00 AM", "   "), armed(-3, "01:00 AM", "x", 3)},
         "inside 02:25 PM => ? window=tray, ? set1=-1; inside 09:00 AM => ? set2=-1; start; ? timer3=no",
         {missed("02:25 PM", "late"), missed("09:00 AM", "None.")},
         {spent(armed(0, "02:25 PM")), spent(armed(0, "09:00 AM")), armed(-3, "01:00 AM", "x", 3)}},
        {"review: an advance notice", ten, {armed(2, "09:00 AM", "plan", 2)}, "start",
         {"Chimewright|0|You have scheduled an alarm for: 12/8/2026\r\nAlarm Time: 09:00 AM\r\n\r\nMessage/Notes: \r\nplan"}},
        {"review: a bad time is reported and left as it is", ten, {armed(0, "xx:yy ZZ")}, "start; ? tray=yes",
         {"Chimewright|0|Reminder #1 is set, but its alarm time \"xx:yy ZZ\" is not a time. It was left as it is; "
          "set it again."}},
        {"review: an end signal in a box asks no more, never reaching the tray", QTime(14, 0),
         {armed(0, "09:00 AM", "a"), armed(0, "01:00 PM")}, "inside You had => endsession; start; ? ended=yes; ? tray=no",
         {missed("09:00 AM", "a")}, {spent(armed(0, "09:00 AM")), armed(0, "01:00 PM")}},
        {"start-up: a second copy ends before touching anything", ten, {}, "busy; start; ? running=no; ? file=no; "
         "? tray=no", {}},
        {"help starts the viewer, silent when it cannot", ten, {}, "start; help; ? launched=xdg-open README.TXT in DIR", {}},
        {"set audio file: Cancel keeps, a choice is used, a failed write reported", ten, {},
         "start; answer cancel; audio /a.mp3; fail disk full; audio /b.au",
         {"Chimewright|0|Could not write audioalarm.dat: disk full"}},
        {"exit: nothing armed ends, removing only its own entry", ten, {}, "start; entries Chimewright.EXE.desktop,"
         "Shortcut to Chimewright.EXE.desktop; exit; ? ended=yes; ? entries=Shortcut to Chimewright.EXE.desktop", {}},
        {"exit: a shown window with an alarm armed withdraws", ten, {armed(1, "09:00 AM")},
         "start; show; exit; ? ended=no; ? window=tray; ? state=1; ? tray=yes", {}},
        {"exit: 23 hour boundaries warn; Cancel keeps running, OK ends with the entry", ten, {armed(1, "09:59 AM")},
         "start; entries; answer cancel; exit; ? ended=no; ? entries=; ? tray=yes; exit; ? ended=yes; ? tray=no; "
         "? entries=Chimewright.EXE.desktop", {kWarn, kWarn}},
        {"exit: 24 hour boundaries do not warn", QTime(10, 59), {armed(1, "10:00 AM")}, "start; exit; ? ended=yes", {}},
        {"exit: a past alarm warns too; Cancel on the first asks no more", ten, {armed(-2, "09:00 AM"), none, armed(0, "09:00 PM")},
         "start; answer cancel; exit; ? ended=no; exit; ? ended=yes", {kWarn, kWarn, kWarn}},
        {"exit without notification area warns; Cancel keeps the window reachable", ten, {armed(0, "11:00 AM")},
         "tray none; start; answer cancel; exit; ? ended=no; ? window=iconic; ? state=1", {kWarn}},
        {"exit without notification area, the window restored from the task bar, warns", ten, {armed(0, "11:00 AM")},
         "tray none; start; taskbar; exit; ? ended=yes", {kWarn}},
        {"exit: an armed edit, Cancel, then the minimise asks as well", ten, {far},
         "start; show; day 6; answer cancel; answer cancel; exit; ? ended=no; ? window=tray",
         {asks("Reminder1"), asks("Reminder#1")}},
        {"exit: an unarmed edit runs Set Alarm, then warns", ten, {}, "start; type 9pm; exit; ? ended=yes; "
         "? entries=Chimewright.EXE.desktop", {asks("Reminder 1"), confirm("Sunday, December 06, 2026 09:00 PM"), kWarn},
         {armed(0, "09:00 PM")}},
        {"exit: a message that cannot be written is reported, the exit goes on", ten, {far},
         "start; msg new; fail; exit; ? ended=yes; ? entries=Chimewright.EXE.desktop", {kFull}},
        {"the end of the session asks nothing", ten, {armed(0, "11:00 AM")},
         "start; entries; show; type 1pm; endsession; ? ended=yes; ? entries=Chimewright.EXE.desktop; ? tray=no", {}},
        {"a session save request keeps running and ringing", ten, {armed(0, "11:00 AM", "here")},
         "start; entries; saverequest; ? entries=Chimewright.EXE.desktop; ? tray=yes; at 11:00; tick 1; ? ended=no",
         {kRing + "here"}, {spent(armed(0, "11:00 AM", "here"))}},
        {"log-on entry failing: reported once while wanted, never blocking the exit", ten, {far},
         "logonfail Could not create the log-on start entry: Permission denied; start; type 11am; rem 2; min; exit; "
         "? ended=yes", {"Chimewright|0|Could not create the log-on start entry: Permission denied", asks("Reminder#1")},
         {armed(3, "11:00 AM", "old", 2)}},
        {"log-on entry failing: each change of the wanted state reported again", ten, {},
         "entries Chimewright.EXE.desktop; logonfail Could not delete the log-on start entry: Read-only file system; "
         "start; show; type 11am; day 2; rem 2; rem 1; clear; exit; ? ended=yes",
         {kDelete, asks("Reminder# 1"), confirm("Tuesday, December 08, 2026 11:00 AM"), cleared(1), kDelete}, {none}},
        {"the ring during the minimise's question keeps the window", QTime(8, 59), {none, armed(0, "09:00 AM", "rings")},
         "start; show; type 3pm; inside Reminder# 1 => at 9:00, tick 2; answer cancel; min; ? window=up; "
         "? state=0; ? reminder=Reminder #2", {asks("Reminder# 1"), kRing + "rings"}, {none, spent(armed(0, "09:00 AM"))}},
        {"a StatusNotifierItem menu past a waiting box neither hides nor ends", QTime(8, 59),
         {armed(0, "09:00 AM", "rings"), armed(3, "09:00 AM")}, "inside Personal => sni; inside Settings => sni; start; at 9:00; "
         "tick 1; rem 2; type 10am; rem 3; ? ended=no; ? summary=no; ? window=up; sni; ? window=tray",
         {kRing + "rings", asks("Reminder#2")}, {spent(armed(0, "09:00 AM")), armed(3, "10:00 AM")}},
    });
    return all;
}
}  // namespace

class GuiTest : public QObject {
    Q_OBJECT
private slots:
    void handlers_data();
    void handlers();
    void accessibility();
};

void GuiTest::handlers_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < cases().size(); ++i)
        QTest::newRow(qPrintable(cases()[i].name)) << i;
}

void GuiTest::handlers()
{
    QFETCH(int, row);
    const Case& c = cases()[row];
    Desk desk(c.now);
    for (int n = 0; n < c.records.size(); ++n)
        desk.put(n + 1, c.records[n]);
    desk.run(c.script);
    if (c.exactBoxes)
        QCOMPARE(desk.shown, c.boxes);
    QVERIFY2(desk.faults.isEmpty(), qPrintable(desk.faults.join(" | ")));
    QVERIFY2(desk.inside.isEmpty() && !writefault::take(), "a box waited for did not come, or a write did not");
    QVERIFY2(desk.answers.isEmpty() || !c.exactBoxes, "a scripted answer was not used");
    const QList<ReminderRecord>& after = c.after.isEmpty() ? c.records : c.after;
    QCOMPARE(fileBytes(desk.file()).size(), after.size() * recordcodec::kRecordLength);
    for (int n = 0; n < after.size(); ++n)
        QCOMPARE(desk.saved(n + 1), after[n]);
}

// What a screen reader is told of every control, of the status as it changes, and of the summary listing.
void GuiTest::accessibility()
{
    Desk desk;
    desk.put(1, armedRecord(QDate(2026, 12, 9), "02:25 PM", 1, "   Buy milk"));
    desk.run("start");
    mainform& f = *desk.form;
    viewsettings view(desk.services);
    struct Row { QObject* control; QAccessible::Role role; const char* name; QString description; };
    for (const Row& r : {Row{&f, QAccessible::Window, "Chimewright", ""},
             Row{f.Text1, QAccessible::EditableText, "Alarm time", f.Text1->toolTip()},
             Row{f.Command1, QAccessible::Button, "Set Alarm", ""},
             Row{f.Command2, QAccessible::Button, "Clear Alarm", ""},
             Row{f.Text3, QAccessible::EditableText, "Valid time examples", ""},
             Row{f.Option0, QAccessible::RadioButton, "None", ""},
             Row{f.Option1, QAccessible::RadioButton, "One day before scheduled date", ""},
             Row{f.Option2, QAccessible::RadioButton, "Two days before scheduled date", ""},
             Row{f.Option3, QAccessible::RadioButton, "Everyday until the scheduled date", ""},
             Row{f.DTPicker1, QAccessible::SpinBox, "MM/DD/YY", f.DTPicker1->toolTip()},
             Row{f.Text2, QAccessible::EditableText, "Message that will appear when alarm runs:", ""},
             Row{f.Label8, QAccessible::StaticText, "Alarm is set.", "Status"},
             Row{view.OKButton, QAccessible::Button, "Ok", ""}}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(r.control);
        QCOMPARE(a->role(), r.role);
        QCOMPARE(a->text(QAccessible::Name), QString(r.name));
        QCOMPARE(a->text(QAccessible::Description), r.description);
    }
    f.Label8->setText("Alarm not set.");  // the caption is the name: each change is heard, and not clipped away
    QCOMPARE(QAccessible::queryAccessibleInterface(f.Label8)->text(QAccessible::Name), f.Label8->text());
    f.Label8->adjustSize();
    QVERIFY(f.Label8->width() > 7);

    view.Form_Activate();
    QCOMPARE(view.listing().size(), 13);
    QCOMPARE(view.listing().mid(0, 2), (QStringList{"Reminder# 1 is set.", "Alarm Date: 12/9/2026"}));
    desk.run("msg changed");  // not saved: not listed; a second listing is drawn afresh, not below
    desk.put(2, armedRecord(QDate(2026, 12, 9), "09:00 AM"));
    view.Form_Activate();
    QCOMPARE(view.listing().size(), 16);
    QCOMPARE(view.listing()[4], QStringLiteral("Message(first few words): Buy milk"));
    QCOMPARE(view.listing()[7], QStringLiteral("Reminder# 2 is set."));
    QCOMPARE(QAccessible::queryAccessibleInterface(&view)->text(QAccessible::Description), view.listing().join('\n'));
}

QTEST_MAIN(GuiTest)
#include "gui_test.moc"
