// The windows on test doubles: every box of every handler with what it leaves in the file,
// ticks inside each box, and what a screen reader is told.
#include <QAccessible>
#include <QPlainTextEdit>
#include <QPushButton>
#include "summary/viewsettings.h"
#include "tests/support/desk.h"

namespace {
const QString kRing = QStringLiteral("Chimewright Personal Alarm|0|Message:\r\n");
const QString kInvalid = QStringLiteral("Chimewright|0|Invalid Time Format. Alarm not set.\r\n\r\nPlease input a valid time.");
const QString kPast = QStringLiteral("Chimewright|0|Alarm Time should be greater than current time. Alarm not set.\r\n\r\n"
                                     "Please input a valid alarm time.");
const QString kInvalidEdit = QStringLiteral("Chimewright|0|Invalid Time Format. New settings not saved.\r\n\r\n"
                                            "Please input a valid time.");
const QString kPastEdit = QStringLiteral("Chimewright|0|Alarm Time should be greater than current time. New settings not "
                                         "saved.\r\n\r\nPlease input a valid alarm time.");
const QString kFull = QStringLiteral("Chimewright|0|Could not write reminders.dat: No space left on device");
const QString kFolder = QStringLiteral("Chimewright|0|Could not open reminders.dat: it is a folder, not a file");
const QString kWarn = QStringLiteral("Exit Program?|257|An alarm has been set to ring within the next 24 hours.\r\n"
                                     "If you close this program, the alarm may not run.");
const QString kCreate = QStringLiteral("Chimewright|0|Could not create the log-on start entry: Permission denied");
const QString kDelete = QStringLiteral("Chimewright|0|Could not delete the log-on start entry: Read-only file system");

QString asks(const char* reminder)
{
    return QStringLiteral("Chimewright|1|Settings for %1 has changed. Save new settings?").arg(reminder);
}
QString confirm(const char* when, const char* setting = "None.", const char* notes = "None.")
{
    return QStringLiteral("Confirm Alarm Schedule|1|Run alarm on %1?\r\n\r\nAdditional Setting: %2\r\nMessage/Notes: %3")
        .arg(when, setting, notes);
}
QString missed(const char* time, const char* notes)
{
    return QStringLiteral("Chimewright|0|You had an alarm scheduled for: 12/6/2026 Alarm Time: %1\r\nThe alarm did not "
                          "run because either:\r\nthe computer was turned off during the designated alarm time,\r\nor "
                          "the Chimewright program is not in your startup folder.\r\n\r\nMessage/Notes: \r\n%2")
        .arg(time, notes);
}
QString cleared(int n) { return QStringLiteral("Clear Alarm?|1|Alarm for Reminder#%1 will be reset. Are you sure?").arg(n); }

ReminderRecord armed(int days, const char* time, const char* message = "", int option = 0)
{
    return armedRecord(kDay.addDays(days), time, option, message);
}
ReminderRecord spent(ReminderRecord r)
{
    r.makeSpent();
    return r;
}
ReminderRecord damaged()  // not armed, with a time field that is neither a time nor blank
{
    ReminderRecord r;
    r.AlarmTime = fixedText(QStringLiteral("x"), ReminderRecord::kTimeWidth);
    return r;
}

struct Case {
    const char* name;
    QTime now;
    QList<ReminderRecord> records;  // reminders 1.. as saved before the start
    const char* script;
    QStringList boxes;            // every box shown, in order
    QList<ReminderRecord> after = {};  // reminders 1.. afterwards, and nothing more in the file; empty: as before
};

const QList<Case>& cases()
{
    const QTime ten(10, 0);
    const ReminderRecord far = armed(3, "02:25 PM", "old", 2);
    const ReminderRecord none;
    static const QList<Case> all{
        {"set alarm: a later day's alarm with option and message stops the running timer", QTime(22, 0),
         {armed(0, "11:00 PM")}, "start; ? timer1=on; show; type 1am; day 1; msg Call Anna; option 1; set; ? timer1=off; "
         "? window=hidden; ? label=Alarm is set.",
         {confirm("Monday, December 07, 2026 01:00 AM", "One day before scheduled date", "Call Anna")},
         {armed(1, "01:00 AM", "Call Anna", 1)}},
        {"set alarm: today's alarm on reminder 2 runs its timer, the log-on entry at once", ten, {},
         "start; show; rem 2; type 23:10; set; ? timer2=on; ? entries=Chimewright.EXE.desktop",
         {confirm("Sunday, December 06, 2026 11:10 PM")}, {none, armed(0, "11:10 PM")}},
        {"set alarm: not a time, the text selected", ten, {}, "start; show; type 1:35 A.M.; day 1; set; "
         "? selected=1:35 A.M.", {kInvalid}},
        {"set alarm: the current minute has passed at its second 30", QTime(14, 25, 30), {},
         "start; show; type 2:25 PM; set", {kPast}},
        {"set alarm: not at its second 0; Cancel writes nothing", QTime(14, 25), {},
         "start; show; type 2:25 PM; answer cancel; set; ? timer1=off; ? window=shown",
         {confirm("Sunday, December 06, 2026 02:25 PM")}},
        {"set alarm: a refused edit leaves the running alarm at its saved time", QTime(12, 0), {armed(0, "05:00 PM", "m")},
         "start; show; type 11am; set; tick 1; at 17:00:01; tick 1", {kPast, kRing + "m"}, {spent(armed(0, "05:00 PM", "m"))}},
        {"set alarm: a failed write is reported, not success, and does not ring", ten, {},
         "start; show; type 3pm; day 0; fail; set; at 15:00; tick 1; ? timer1=off; ? window=shown; ? label=Alarm not set.",
         {confirm("Sunday, December 06, 2026 03:00 PM"), kFull}},
        {"set alarm: confirmed after midnight for late yesterday rings at once", QTime(23, 58), {},
         "start; show; type 11:59 PM; msg call; inside Confirm => at 0:00:30 +1; set; tick 1",
         {confirm("Sunday, December 06, 2026 11:59 PM", "None.", "call"), kRing + "call"},
         {spent(armed(0, "11:59 PM", "call"))}},
        {"clear alarm: Cancel keeps all, OK clears the record and the editor", ten,
         {armed(0, "02:25 PM", "keep"), armed(3, "09:00 AM", "two", 2)},
         "start; rem 2; type 10:00 AM; answer cancel; clear; ? time=10:00 AM; clear; ? time=; ? message=; ? options=0/0; "
         "? label=Alarm not set.; ? entries=Chimewright.EXE.desktop", {cleared(2), cleared(2)},
         {armed(0, "02:25 PM", "keep"), none}},
        {"the option rules", ten, {}, "start; day 9; option 3; day 2; ? options=0123/3; day 1; ? options=01/0; option 2; "
         "day 9; day 1; ? options=01/0; option 1; day 5; ? options=0123/1; day 0; ? options=0/0", {}},
        {"unarmed: message, option and a date moved back are dropped without a question", ten, {},
         "start; show; day 1; msg lost; option 1; day 0; type   ; rem 2", {}},
        {"unarmed: a damaged record shown is no edit", ten, {damaged()}, "start; rem 2", {}},
        {"armed: a new message alone is stored without a question", ten, {far}, "start; msg new; rem 2", {},
         {armed(3, "02:25 PM", "new", 2)}},
        {"armed: an emptied message keeps the saved one", ten, {far}, "start; msg; rem 2", {}},
        {"armed: a time typed back still asks; Cancel stores only the message", ten, {far},
         "start; show; type 02:25 pm; msg third; type 02:25 PM; answer cancel; rem 2", {asks("Reminder#1")},
         {armed(3, "02:25 PM", "third", 2)}},
        {"armed: OK stores the time, date and option", ten, {far}, "start; show; type 4pm; day 5; option 3; rem 2",
         {asks("Reminder#1")}, {armed(5, "04:00 PM", "old", 3)}},
        {"armed: not a time keeps the saved settings", ten, {far}, "start; show; type soon; day 4; msg kept; rem 2",
         {asks("Reminder#1"), kInvalidEdit}, {armed(3, "02:25 PM", "kept", 2)}},
        {"armed for tomorrow: a passed moment is refused", QTime(14, 0), {armed(1, "09:00 AM")},
         "start; show; type 9am; day 0; rem 2; tick 1; ? timer1=off", {asks("Reminder#1"), kPastEdit}},
        {"armed for later today: a passed moment is refused, the alarm keeps its time", QTime(14, 0),
         {armed(0, "05:00 PM")}, "start; show; type 9am; rem 2; tick 1; ? timer1=on", {asks("Reminder#1"), kPastEdit}},
        {"armed: answered after midnight, yesterday's moment is refused", QTime(23, 58), {armed(2, "09:00 AM")},
         "start; show; type 11:59 PM; day 0; inside Settings => at 0:00:30 +1; rem 2", {asks("Reminder#1"), kPastEdit}},
        {"armed: the minimise saves a move to today and runs its timer", QTime(9, 0), {armed(1, "02:25 PM")},
         "start; show; day 0; min; ? timer1=on", {asks("Reminder#1")}, {armed(0, "02:25 PM")}},
        {"unarmed: the question runs Set Alarm", ten, {}, "start; show; type 7:30 am; day 1; rem 3; ? reminder=Reminder #3",
         {asks("Reminder# 1"), confirm("Monday, December 07, 2026 07:30 AM")}, {armed(1, "07:30 AM")}},
        {"unarmed: the question runs Set Alarm, which refuses", ten, {}, "start; show; type 4:10p.m; day 1; rem 3",
         {asks("Reminder# 1"), kInvalid}},
        {"ring: once in its minute, sounding in its box, the window up on the rung reminder, edits dropped",
         QTime(8, 0), {armed(2, "10:00 AM", "one"), none, armed(0, "09:00 AM", "Standup", 1)},
         "start; show; type 11:00 AM; inside Personal => ? sound=play; at 8:59:59; tick 3; at 9:00; tick 3; "
         "at 9:00:05; tick 3; ? sound=play,pause; ? timer3=off; ? window=shown; ? state=0; ? reminder=Reminder #3; ? time=",
         {kRing + "Standup"}, {armed(2, "10:00 AM", "one"), none, spent(armed(0, "09:00 AM", "Standup", 1))}},
        {"ring: a sound that cannot play is described first", QTime(8, 0), {armed(0, "09:00 AM", "Pills")},
         "playfail The sound file could not be found: /x/odetojoy.mid; start; at 9:00:01; tick 1; ? sound=play",
         {"Chimewright|0|The sound file could not be found: /x/odetojoy.mid", kRing + "Pills"},
         {spent(armed(0, "09:00 AM", "Pills"))}},
        {"ring: heard first when its record cannot be written, and once", QTime(8, 0), {armed(0, "09:00 AM", "Pills")},
         "start; inside Personal => ? window=shown, ? sound=play; fail; at 9:00:01; tick 1; fail; at 9:00:06; tick 1; "
         "? sound=play,pause", {kRing + "Pills", kFull}},
        {"ring: heard first when its record cannot be written, inside Clear Alarm's question", QTime(8, 0),
         {armed(0, "09:00 AM", "Pills"), armed(3, "09:00 AM")}, "start; rem 2; at 9:00:01; inside Clear => fail, tick 1; "
         "answer cancel; answer cancel; answer cancel; clear; at 9:00:06; tick 1; ? sound=play,pause",
         {cleared(2), kRing + "Pills", kFull}},
        {"new day: arms the saved time, not the one typed", QTime(22, 0),
         {armed(1, "09:00 AM", "saved"), none, armed(2, "12:01 AM")},
         "start; show; type 7am; answer cancel; set; at 0:00:03 +1; daywatch; ? timer1=on; ? timer3=off; at 7:00 +1; "
         "tick 1; at 9:00 +1; tick 1", {confirm("Monday, December 07, 2026 07:00 AM", "None.", "saved"), kRing + "saved"},
         {spent(armed(1, "09:00 AM", "saved")), none, armed(2, "12:01 AM")}},
        {"new day: an unreadable file is reported once, the alarm armed once it reads again", QTime(23, 59),
         {none, armed(1, "12:01 AM")}, "start; folder; at 0:00:03 +1; daywatch; at 0:00:08 +1; daywatch; "
         "? timer2=off; unfolder; at 0:00:13 +1; daywatch; ? timer2=on", {kFolder}},
        {"review: this minute's alarm at its second 0 waits for its tick", QTime(14, 25), {armed(0, "02:25 PM")},
         "start; ? timer1=on", {}},
        {"review: missed alarms reported before they are spent, the window hidden; a past day kept",
         QTime(14, 25, 30), {armed(0, "02:25 PM", "late"), armed(0, "09:00 AM", "   "), armed(-3, "10:00 AM", "x", 3)},
         "inside You had => ? window=hidden; inside 02:25 PM => ? set1=-1; inside 09:00 AM => ? set2=-1; start; "
         "? timer1=off; ? timer3=off", {missed("02:25 PM", "late"), missed("09:00 AM", "None.")},
         {spent(armed(0, "02:25 PM", "late")), spent(armed(0, "09:00 AM")), armed(-3, "10:00 AM", "x", 3)}},
        {"review: an advance notice", QTime(12, 0), {armed(2, "09:00 AM", "plan", 2)}, "start",
         {"Chimewright|0|You have scheduled an alarm for: 12/8/2026\r\nAlarm Time: 09:00 AM\r\n\r\nMessage/Notes: \r\nplan"}},
        {"review: no notice a day ahead for two days before", QTime(12, 0), {armed(1, "09:00 AM", "plan", 2)}, "start", {}},
        {"review: a bad time is reported and left as it is", ten, {armed(0, "xx:yy ZZ")}, "start; ? tray=shown",
         {"Chimewright|0|Reminder #1 is set, but its alarm time \"xx:yy ZZ\" is not a time. It was left as it is; "
          "set it again."}},
        {"review: an end signal in a box asks no more and never reaches the tray", QTime(14, 0),
         {armed(0, "09:00 AM", "first"), armed(0, "10:00 AM")},
         "inside You had => endsession; start; ? ended=yes; ? tray=none; ? window=hidden", {missed("09:00 AM", "first")},
         {spent(armed(0, "09:00 AM", "first")), armed(0, "10:00 AM")}},
        {"start-up: a second copy ends before touching anything", ten, {}, "busy; start; ? running=no; ? file=no; ? tray=none",
         {}},
        {"start-up: a folder for the file is reported and the tray still reached", ten, {},
         "folder; start; ? running=yes; ? tray=shown", {kFolder, kFolder, kFolder}},
        {"help starts the viewer and fails silently", ten, {}, "start; help; ? launched=xdg-open README.TXT in DIR", {}},
        {"set audio file: Cancel keeps, a choice is used, a failed write is reported", ten, {},
         "start; audio; ? soundfile=odetojoy.mid; audio /bells, loud.mp3; ? soundfile=/bells, loud.mp3; fail disk full; "
         "audio /third.au; ? filter=Audio Files (*.mp3 *.mid *.midi *.rmi *.wav *.au *.wma *.aif *.snd "
         "*.aifc *.aiff)", {"Chimewright|0|Could not write audioalarm.dat: disk full"}},
        {"tray: clicks, the menu popped once, the program's and the window manager's minimise", ten, {},
         "start; click 512; ? window=hidden; areamenu yes; click 517; ? popup=none; areamenu no; click 517; ? popup=shown; "
         "click 514; ? window=shown; min; ? window=hidden; click 515; ? window=shown; wm min; ? window=hidden; ? state=1; "
         "wm normal; wm min; click 514; wait; ? window=shown; ? state=0; details; show; ? summary=open; click 514; "
         "? summary=none", {}},
        {"tray: without a notification area the window stays in the task bar until one comes", ten, {},
         "tray none; start; ? window=minimised; wm normal; ? state=0; wm min; wait; ? window=minimised; ? state=1; "
         "tray yes; click 514; ? window=shown; ? state=0", {}},
        {"exit: nothing armed ends and removes only its own entry", ten, {}, "start; entries Chimewright.EXE.desktop,"
         "Shortcut to Chimewright.EXE.desktop; exit; ? ended=yes; ? entries=Shortcut to Chimewright.EXE.desktop", {}},
        {"exit: a shown window with an alarm armed withdraws", ten, {armed(1, "09:00 AM")},
         "start; show; exit; ? ended=no; ? window=hidden; ? state=1; ? tray=shown", {}},
        {"exit: 23 hour boundaries warn; Cancel keeps running, OK ends with the entry", ten, {armed(1, "09:59 AM")},
         "start; entries; answer cancel; exit; ? ended=no; ? entries=; ? tray=shown; exit; ? ended=yes; ? tray=none; "
         "? entry=DIR/chimewright", {kWarn, kWarn}},
        {"exit: 24 hour boundaries do not warn", QTime(10, 59), {armed(1, "10:00 AM")}, "start; exit; ? ended=yes", {}},
        {"exit: a past alarm warns too; Cancel on the first asks no more", ten,
         {armed(-2, "09:00 AM"), none, armed(0, "11:00 PM")}, "start; answer cancel; exit; ? ended=no; exit; ? ended=yes",
         {kWarn, kWarn, kWarn}},
        {"exit: another program's entry is kept and none created", ten, {armed(5, "10:00 AM")},
         "entries Shortcut to Chimewright.EXE.desktop; start; exit; ? entries=Shortcut to Chimewright.EXE.desktop", {}},
        {"exit without notification area warns; OK ends", ten, {none, armed(0, "11:00 AM")},
         "tray none; start; ? window=minimised; exit; ? ended=yes; ? entries=Chimewright.EXE.desktop", {kWarn}},
        {"exit without notification area warns; Cancel keeps the window reachable", ten, {none, armed(0, "11:00 AM")},
         "tray none; start; answer cancel; exit; ? ended=no; ? window=minimised; ? state=1; ? tray=shown", {kWarn}},
        {"exit without notification area, restored from the task bar, warns", ten, {none, armed(0, "11:00 AM")},
         "tray none; start; wm normal; exit; ? ended=yes", {kWarn}},
        {"exit with a notification area come after the window withdrew warns", ten, {none, armed(0, "11:00 AM")},
         "tray none; start; tray yes; exit; ? ended=yes", {kWarn}},
        {"exit: an armed edit, Cancel, then the minimise asks as well", ten, {far},
         "start; show; day 6; answer cancel; answer cancel; exit; ? ended=no; ? window=hidden",
         {asks("Reminder1"), asks("Reminder#1")}},
        {"exit: an armed edit that is not a time", ten, {far}, "start; type soon; exit; ? ended=yes",
         {asks("Reminder1"), kInvalidEdit}},
        {"exit: an unarmed edit runs Set Alarm, then warns", ten, {},
         "start; type 9pm; exit; ? ended=yes; ? entries=Chimewright.EXE.desktop",
         {asks("Reminder 1"), confirm("Sunday, December 06, 2026 09:00 PM"), kWarn}, {armed(0, "09:00 PM")}},
        {"exit: a message that cannot be written is reported and the exit goes on", ten, {far},
         "start; msg new; fail; exit; ? ended=yes; ? entries=Chimewright.EXE.desktop", {kFull}},
        {"the end of the session asks nothing", ten, {armed(0, "11:00 AM")},
         "start; entries; show; type 1pm; endsession; ? ended=yes; ? entries=Chimewright.EXE.desktop; ? tray=none", {}},
        {"a session save request keeps running and ringing", ten, {armed(0, "11:00 AM", "here")},
         "start; entries; saverequest; ? entries=Chimewright.EXE.desktop; ? tray=shown; at 11:00:02; tick 1; ? ended=no",
         {kRing + "here"}, {spent(armed(0, "11:00 AM", "here"))}},
        {"log-on entry failing: reported once while wanted, never blocks the exit", ten, {far},
         "logonfail Could not create the log-on start entry: Permission denied; start; show; type 11am; rem 2; min; "
         "exit; ? ended=yes", {kCreate, asks("Reminder#1")}, {armed(3, "11:00 AM", "old", 2)}},
        {"log-on entry failing: each change of the wanted state reported again", ten, {},
         "entries Chimewright.EXE.desktop; logonfail Could not delete the log-on start entry: Read-only file system; "
         "start; show; type 11am; day 2; rem 2; rem 1; clear; exit; ? ended=yes",
         {kDelete, asks("Reminder# 1"), confirm("Tuesday, December 08, 2026 11:00 AM"), cleared(1), kDelete}, {none}},
        {"the ring during the minimise's question keeps the window", QTime(8, 59), {none, armed(0, "09:00 AM", "rings")},
         "start; click 514; type 3pm; inside Reminder# 1 => at 9:00, tick 2; inside Personal => ? window=shown; "
         "answer ok; answer cancel; min; ? window=shown; ? state=0; ? reminder=Reminder #2",
         {asks("Reminder# 1"), kRing + "rings"}, {none, spent(armed(0, "09:00 AM", "rings"))}},
        {"a StatusNotifierItem menu past a waiting box neither hides nor ends", QTime(8, 59),
         {armed(0, "09:00 AM", "rings"), armed(3, "09:00 AM", "later")}, "inside | => sni; inside Personal => ? window=shown; "
         "start; at 9:00; tick 1; rem 2; type 10am; rem 3; ? ended=no; ? summary=none; ? window=shown; sni; "
         "? window=hidden", {kRing + "rings", asks("Reminder#2")},
         {spent(armed(0, "09:00 AM", "rings")), armed(3, "10:00 AM", "later")}},
    };
    return all;
}

// Every box the program shows while reminders 1 and 2 are armed for kDue; a tick of the
// shown reminder (1) and of the other (2) arrives inside it.
const QTime kDue(9, 0);
struct Interleaving {
    const char* name;
    ReminderRecord first, third;          // reminders 1 (shown) and 3; 2 is armed for kDue
    const char* script;                   // the box comes up in its last step
    const char* box;                      // what the box holds
    std::optional<ReminderRecord> saved;  // reminder 1 as saved by an answer of OK
};
const QList<Interleaving>& interleavings()
{
    const ReminderRecord one = armed(0, "09:00 AM", "one"), none;
    static const QList<Interleaving> all{
        {"set alarm, tomorrow", one, none, "show; type 9am; day 1; msg moved; set", "Confirm", armed(1, "09:00 AM", "moved")},
        {"set alarm, later today", one, none, "show; type 10am; msg later; set", "Confirm", armed(0, "10:00 AM", "later")},
        {"set alarm, not a time", one, none, "show; type soon; day 1; set", "Invalid Time Format. Alarm", {}},
        {"set alarm, passed", one, none, "show; type 8am; set", "Alarm not set.\r\n\r\nPlease input a valid alarm", {}},
        {"Q1, later today", one, none, "show; type 10am; rem 3", "Reminder#1", armed(0, "10:00 AM", "one")},
        {"Q1, tomorrow", one, none, "show; type 7am; day 1; rem 2", "Reminder#1", armed(1, "07:00 AM", "one")},
        {"Q1, passed", one, none, "show; type 8am; rem 3", "New settings not saved.\r\n\r\nPlease input a valid alarm", {}},
        {"Q1, not a time", one, none, "show; type soon; rem 3", "Invalid Time Format. New", {}},
        {"Q2", none, none, "show; type 10am; msg new; rem 3", "Reminder# 1", armed(0, "10:00 AM", "new")},
        {"Q2, then the confirmation", none, none, "show; type 10am; day 1; msg new; rem 3", "Confirm",
         armed(1, "10:00 AM", "new")},
        {"clear alarm", one, none, "show; clear", "Clear Alarm?", none},
        {"a failed write's error", one, none, "show; fail; clear", "Could not write", {}},
        {"minimise, Q1", one, none, "show; type 10am; min", "Reminder#1", armed(0, "10:00 AM", "one")},
        {"exit, Q1", one, none, "show; type 10am; day 1; exit", "Reminder1", armed(1, "10:00 AM", "one")},
        {"exit, Q2", none, none, "show; type 11am; msg new; exit", "Reminder 1", armed(0, "11:00 AM", "new")},
        {"exit, the warning", one, none, "exit", "Exit Program?", {}},
        {"start-up, a missed alarm", one, armed(0, "08:00 AM", "three"), "", "You had", {}},
        {"start-up, an advance notice", one, armed(1, "08:00 AM", "three", 1), "", "You have scheduled", {}},
        {"the ring", one, none, "", "Personal", {}},
        {"the summary window", one, none, "show; view", "summary", {}},
        {"the sound file dialog", one, none, "show; audio /bell.wav", "dialog", {}},
    };
    return all;
}
}  // namespace

class GuiTest : public QObject {
    Q_OBJECT
private slots:
    void handlers_data();
    void handlers();
    void accessibility();
    void ticksInsideEveryBox_data();
    void ticksInsideEveryBox();
};

void GuiTest::handlers_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < cases().size(); ++i)
        QTest::newRow(cases()[i].name) << i;
}

void GuiTest::handlers()
{
    QFETCH(int, row);
    const Case& c = cases()[row];
    Desk desk(c.now);
    for (int n = 0; n < c.records.size(); ++n)
        desk.put(n + 1, c.records[n]);
    desk.run(c.script);
    QCOMPARE(desk.boxes.shown, c.boxes);
    QVERIFY2(desk.boxes.answers.isEmpty(), "a scripted answer was not used");
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
    struct Row { QObject* control; QAccessible::Role role; const char* name; const char* description; };
    for (const Row& r : {Row{&f, QAccessible::Window, "Chimewright", ""},
                         Row{f.Text1, QAccessible::EditableText, "Alarm time", "Input a valid time. e.g. 1am, 2:25 PM, 10:59, 23:10 "},
                         Row{f.Command1, QAccessible::Button, "Set Alarm", ""},
                         Row{f.Command2, QAccessible::Button, "Clear Alarm", ""},
                         Row{f.Text3, QAccessible::EditableText, "Valid time examples", ""},
                         Row{f.Option0, QAccessible::RadioButton, "None", ""},
                         Row{f.Option1, QAccessible::RadioButton, "One day before scheduled date", ""},
                         Row{f.Option2, QAccessible::RadioButton, "Two days before scheduled date", ""},
                         Row{f.Option3, QAccessible::RadioButton, "Everyday until the scheduled date", ""},
                         Row{f.DTPicker1, QAccessible::SpinBox, "MM/DD/YY", "You can change this date by editing it directly, or by "
                             "clicking on the down arrow to display the calendar and then selecting a date"},
                         Row{f.Text2, QAccessible::EditableText, "Message that will appear when alarm runs:", ""},
                         Row{f.Label8, QAccessible::StaticText, "Alarm is set.", "Status"}}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(r.control);
        QCOMPARE(a->role(), r.role);
        QCOMPARE(a->text(QAccessible::Name), QString(r.name));
        QCOMPARE(a->text(QAccessible::Description), QString(r.description));
    }
    f.Label8->setText("Alarm not set.");  // the caption is the name: each change is heard, and not clipped away
    QCOMPARE(QAccessible::queryAccessibleInterface(f.Label8)->text(QAccessible::Name), f.Label8->text());
    f.Label8->adjustSize();
    QVERIFY(f.Label8->width() > 7);

    viewsettings view(desk.services);
    view.Form_Activate();
    const QStringList first = view.listing();
    QCOMPARE(first.mid(0, 5), (QStringList{"Reminder# 1 is set.", "Alarm Date: 12/9/2026", "Alarm Time: 02:25 PM",
                                           "Also ring alarm: One day before scheduled date.",
                                           "Message(first few words): Buy milk"}));
    QCOMPARE(first.size(), 13);
    desk.run("msg changed");  // not saved: not listed; a second listing is drawn afresh, not below
    desk.put(2, armedRecord(QDate(2026, 12, 9), "09:00 AM"));
    view.Form_Activate();
    QCOMPARE(view.listing().mid(0, 5), first.mid(0, 5));
    QCOMPARE(view.listing()[7], QStringLiteral("Reminder# 2 is set."));
    QCOMPARE(QAccessible::queryAccessibleInterface(&view)->text(QAccessible::Description), view.listing().join('\n'));
    QAccessibleInterface* ok = QAccessible::queryAccessibleInterface(view.OKButton);
    QCOMPARE(ok->role(), QAccessible::Button);
    QCOMPARE(ok->text(QAccessible::Name), QStringLiteral("Ok"));
}

void GuiTest::ticksInsideEveryBox_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QList<int>>("ticks");
    for (int i = 0; i < interleavings().size(); ++i)
        for (int answer : {msgbox::kOk, msgbox::kCancel})
            for (const QList<int>& ticks : {QList<int>{1}, QList<int>{2}, QList<int>{1, 2}, QList<int>{2, 1}})
                QTest::addRow("%s, %s, ticks %d%d", interleavings()[i].name, answer == msgbox::kOk ? "OK" : "Cancel",
                              ticks[0], ticks.value(1)) << i << answer << ticks;
}

// A tick rings exactly when the file holds an armed moment that has come and has not rung
// (only what is saved rings); the file ends holding what the user confirmed, spent where it
// rang (nothing confirmed is overwritten by an older event).
void GuiTest::ticksInsideEveryBox()
{
    QFETCH(int, row);
    QFETCH(int, answer);
    QFETCH(QList<int>, ticks);
    const Interleaving& r = interleavings()[row];
    const QString box = QString::fromUtf8(r.box);
    const ReminderRecord second = armed(0, "09:00 AM", "two");
    Desk desk(QTime(8, 59, 50));
    desk.put(1, r.first);
    desk.put(2, second);
    desk.put(3, r.third);

    QSet<QString> rung;  // the moments that rang, as "reminder day time"
    auto key = [](int n, const ReminderRecord& s) { return QStringLiteral("%1 %2 %3").arg(n).arg(s.AlarmDate).arg(s.AlarmTime); };
    QStringList faults;
    QList<int*> delivering;  // the rings of the ticks being delivered, innermost last
    int rings = 0, dues = 0;
    bool inside = false;
    auto tick = [&](int n) {
        const ReminderRecord saved = desk.saved(n);
        const auto moment = datetime::alarmMoment(saved.AlarmDate, saved.AlarmTime);
        const bool due = saved.isArmed() && moment && *moment <= desk.clock.now() && !rung.contains(key(n, saved));
        if (due)
            rung.insert(key(n, saved)), ++dues;
        int rang = 0;
        delivering << &rang;
        if (desk.ticking(n))  // a stopped timer does not tick
            desk.tick(n);
        delivering.removeLast();
        if (rang != int(due))
            faults << QStringLiteral("tick %1 at %2: %3 rings, %4 due").arg(n).arg(desk.clock.now().toString()).arg(rang).arg(due);
    };
    auto insideTheBox = [&] {
        inside = true;
        desk.clock.set(kDay, kDue);
        for (int n : ticks) {
            tick(n);
            tick(n);  // a second tick of the same timer never rings again
        }
    };
    desk.boxes.answerer = [&](const QString& shown) {
        if (shown.startsWith(kRing)) {
            ++rings;
            if (delivering.isEmpty() || !desk.form->isVisible())
                faults << "a ring without a tick, or over a hidden window";
            else
                ++*delivering.last();
        } else if ((shown.contains("|Could not") && !shown.contains(box)) || shown.contains("|Unexpected")) {
            faults << shown;
        }
        if (!inside && shown.contains(box))
            insideTheBox();
        return inside && !shown.startsWith(kRing) ? answer : int(msgbox::kOk);
    };
    desk.dialog.onOpen = [&] {
        if (box == "dialog") {
            insideTheBox();
            if (answer != msgbox::kOk)
                desk.dialog.next.reset();
        }
    };
    if (box == "summary")
        QTimer::singleShot(0, [&] {
            insideTheBox();
            if (viewsettings* v = desk.form->summaryWindow())
                answer == msgbox::kOk ? v->OKButton_Click() : v->reject();
        });
    desk.run(QStringLiteral("start; ") + r.script);
    if (box == "Personal") {
        desk.clock.set(kDay, kDue);
        tick(1);
    }
    QVERIFY2(inside, "the box was not shown");

    const bool missedAtStart = r.third.isArmed() && *datetime::alarmMoment(r.third.AlarmDate, r.third.AlarmTime) < QDateTime(kDay, kDue, Qt::UTC);
    const QList<ReminderRecord> confirmed{answer == msgbox::kOk && r.saved ? *r.saved : r.first, second,
                                          missedAtStart ? spent(r.third) : r.third};
    for (const QTime& time : {kDue, QTime(23, 0)}) {  // then every alarm of today is due
        desk.clock.set(kDay, time);
        for (int n : {1, 2, 3}) {
            tick(n);
            tick(n);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1String(" | "))));
        for (int n : {1, 2, 3})
            QCOMPARE(desk.saved(n), rung.contains(key(n, confirmed[n - 1])) ? spent(confirmed[n - 1]) : confirmed[n - 1]);
    }
    QCOMPARE(rings, dues);
    QCOMPARE(desk.saved(2).AlarmSet, 0);  // the other reminder rang, in the box or afterwards
    const bool anyArmed = desk.saved(1).AlarmSet || desk.saved(2).AlarmSet || desk.saved(3).AlarmSet;
    QCOMPARE(desk.logon.entries.contains("Chimewright.EXE.desktop"), anyArmed);  // follows the saved armed set
}

QTEST_MAIN(GuiTest)
#include "gui_test.moc"
