#pragma once
// The main window in a folder of its own, on the fakes of fakes.h, driven by a script of steps:
// "start; show; type 9am; day 1; set; ? timer1=no". Steps are separated by "; ", the verb first;
// a "\" keeps the next character as it is ("msg a\; b" types "a; b").
//   start                 the program starts (Form_Load); again: once more, the first ended
//   show, details         the tray menu's Restore, Details; view: File > View all Settings
//   icon, sni             a left click on the icon; a StatusNotifierItem host's Exit, then Details
//   type TEXT, msg TEXT   the alarm time, the message set as a whole
//   write TEXT, paste T   the message typed key by key, pasted; undo: Ctrl+Z in it
//   day N                 the date picked: N days after the first day
//   date KEYS             Tab into the date and type ("@": a click on the day, ">": Tab on)
//   option N, focus NAME  a click on option N; the keyboard to a control
//   set, clear            Set Alarm, Clear Alarm
//   rem N                 File > Reminder N
//   min, wmmin            the program's minimise; the window manager's minimise button
//   exit, help            the close box; Help
//   audio PATH            File > sound, PATH chosen in the file dialog
//   launch                the program started again
//   saverequest, endsession   the session's save request; its end
//   at H:MM[:SS] [+D]     the clock moved to that time of the first day, or D days later
//   tick N, daywatch      a tick of reminder N's timer (none after the end), of the day watch
//   answer ok|cancel      the next box (or the file dialog) is answered so; the rest get OK
//   inside TEXT => a, b   steps a and b run inside the next box whose "title|style|text" holds TEXT
//                         (or inside "the file dialog", "the sound's start", "the summary")
//   fail                  the system refuses to let a file grow, till the next failure box
//   folder                reminders.dat replaced by a folder, or put back
//   entries [NAME]        the log-on entries: none, or that one (made by someone else)
//   logonfail TEXT        every change of a log-on entry fails with TEXT
//   tray none|back        the notification area goes, comes back
//   busy                  another copy holds the program
//   ? PROBE=VALUE         the probe must read VALUE
// Probes; a digit at the end names the reminder, and a control's name reads its text:
//   timerN                its alarm timer runs: yes/no
//   setN                  the file's armed flag: -1/0
//   window                tray, iconic or up, then the state the handlers see (0, 1)
//   options               the options enabled, "/", the one selected ("01/0")
//   entries               the log-on entries' names
//   tray, summary         the icon is in the notification area; a summary window is open
//   focus                 the control with the keyboard
//   listingN              the summary's head line of reminder N
//   sound                 the player: play NAME ("play": the melody), pause
//   launched              what Help started, in which folder (DIR: the program's)
//   running, ended, file  Form_Load went on; the program ended; reminders.dat exists
//   msglen                the message's length, a line break counting two
//   datefits              the date's text has room beside the calendar button
// Every box shown is checked as it opens against the boxes wanted, in order; every tick against
// the file: a tick rings exactly when the saved record is due, with that record's message. A
// failure names the case, the step and what was wanted.
#include <csignal>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>
#include <sys/resource.h>
#include "alarm/alarmtexts.h"
#include "alarm/alarmtimer.h"
#include "app/app.h"
#include "editor/datepicker.h"
#include "editor/mainform.h"
#include "summary/viewsettings.h"
#include "tests/support/fakes.h"
#include "tests/support/records.h"

inline const QDate kDay(2026, 12, 6);
inline const QString kRingTitle = QStringLiteral("Chimewright Personal Alarm|");

// Splits at the separators not escaped by "\"; the escapes stay.
inline QStringList splitSteps(const QString& text, const QString& separator)
{
    const QRegularExpression at(R"((?<!\\))" + QRegularExpression::escape(separator));
    return text.split(at, Qt::SkipEmptyParts);
}
inline QString unescape(QString text)
{
    return text.replace(QRegularExpression(R"(\\(.))"), "\\1");
}

struct Desk {
    explicit Desk(const QTime& now = QTime(10, 0), const QString& name = {}) : name(name)
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        clock.set(kDay, now);
        boxes.answer = [this](const QString& box) { return openBox(box); };
        player.starting = [this] { opened(QStringLiteral("the sound's start")); };
        dialog.opening = [this] {
            opened(QStringLiteral("the file dialog"));
            if (!answers.isEmpty() && answers.takeFirst() == msgbox::kCancel)
                dialog.next.reset();
        };
        launcher.starts = false;  // no viewer here: Help must stay silent
        services = Services{&clock, &boxes,    &dialog,   &player,    &tray,
                            &logon, &launcher, &instance, dir.path(), dir.path() + "/cw"};
        QDir::setCurrent(dir.path());
    }
    ~Desk() { limitFileSize(RLIM_INFINITY); }

    // What went wrong, where: the case, then each step under way, outermost first.
    void fault(const QString& what)
    {
        faults << QString("case \"%1\", %2: %3")
                      .arg(name, where.isEmpty() ? "after the script" : where.join(", "), what);
    }
    static QString oneLine(QString box) { return box.replace("\r\n", "\\r\\n"); }

    // Checks every box, as "title|style|text", against the next box wanted (with
    // ringsAside, a ring only against the record its tick found due); a ring is answered OK, the
    // rest from the script, then OK.
    int openBox(const QString& box)
    {
        const bool ring = box.startsWith(kRingTitle);
        const qsizetype n = ring && ringsAside ? 0 : ++listed;
        if (n > wanted.size())
            fault(QString("unwanted box %1 \"%2\"").arg(n).arg(oneLine(box)));
        else if (n > 0 && wanted[n - 1] != box)
            fault(QString("box %1 wanted \"%2\", got \"%3\"")
                      .arg(QString::number(n), oneLine(wanted[n - 1]), oneLine(box)));
        if (box.section('|', 2).startsWith("Could not write"))
            limitFileSize(RLIM_INFINITY);
        if (ring && (delivering.isEmpty() || !form->isVisible() || form->isMinimized())) {
            fault("a ring without a tick, or over a hidden window");
        } else if (ring) {
            Delivery& tick = *delivering.last();
            ++tick.rang;
            if (box != tick.box)
                fault(QString("a ring \"%1\", wanted \"%2\"").arg(oneLine(box), oneLine(tick.box)));
        }
        opened(box);  // the box is open: a tick can arrive inside its modal wait
        return answers.isEmpty() || ring ? msgbox::kOk : answers.takeFirst();
    }
    void opened(const QString& box)
    {
        for (int i = 0; i < inside.size(); ++i) {
            if (!box.contains(inside[i].first))
                continue;
            const auto [text, todo] = inside.takeAt(i--);
            where << QString("inside \"%1\"").arg(text);
            run(todo);
            where.removeLast();
        }
    }
    // What the script left undone: boxes that never came, steps and answers not used.
    void finish(bool answersLeftMayStay = false)
    {
        if (listed < wanted.size())
            fault(QString("box %1 wanted \"%2\", none came")
                      .arg(QString::number(listed + 1), oneLine(wanted[listed])));
        for (const auto& [text, todo] : std::as_const(inside))
            fault(QString("no box held \"%1\" for its steps").arg(text));
        if (!answers.isEmpty() && !answersLeftMayStay)
            fault(QString("%1 scripted answers not used").arg(answers.size()));
    }

    // The system refuses to let a file grow past `bytes` (RLIM_INFINITY: no limit); the write fails
    // with its own words, and nothing is killed.
    static void limitFileSize(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    QString file() const { return dir.filePath(QStringLiteral("reminders.dat")); }
    void put(int n, const ReminderRecord& r) { putRecord(file(), n, r); }
    ReminderRecord saved(int n) const
    {
        return recordcodec::decode(fileBytes(file()).mid((n - 1) * 2068, 2068));
    }
    // A tick as the event loop delivers it rings exactly when the file holds an armed moment that
    // has come and not rung since the record was last written: only what is saved rings, and a
    // new saving of a moment that rang rings again. A due alarm whose timer stopped fails too.
    void tick(int n)
    {
        if (app->turns().hasEnded())
            return;  // the process is gone: nothing ticks
        const ReminderRecord s = saved(n);
        if (std::exchange(written[n], recordcodec::encode(s)) != written[n])
            rung.removeIf([n](const QString& k) { return k.startsWith(QString::number(n) + ' '); });
        const auto moment = datetime::alarmMoment(s.AlarmDate, s.AlarmTime);
        const QString key = QString("%1 %2 %3").arg(n).arg(s.AlarmDate).arg(s.AlarmTime);
        const bool due = s.isArmed() && moment && *moment <= clock.now() && !rung.contains(key);
        if (due)
            rung << key;
        Delivery delivery{0, kRingTitle + "0|" + alarmtexts::ringText(s.Message)};
        delivering << &delivery;
        AlarmTimer* timer = app->alarms().Timer1[n];
        if (timer->isEnabled())
            emit timer->tick();
        delivering.removeLast();
        if (delivery.rang != int(due))
            fault(QString("at %1 it rang %2 times, wanted %3")
                      .arg(clock.now().toString(), QString::number(delivery.rang),
                           QString::number(due)));
    }
    void run(const QString& script) { run(splitSteps(script, QStringLiteral("; "))); }
    void run(const QStringList& script)
    {
        for (int i = 0; i < script.size() && faults.isEmpty(); ++i) {
            const QString verb = script[i].section(' ', 0, 0), arg = script[i].section(' ', 1);
            where << QString("step %1 \"%2\"").arg(i + 1).arg(script[i]);
            if (verb == "?") {
                const QString key = unescape(arg).section('=', 0, 0);
                const QString want = unescape(arg).section('=', 1), got = probe(key);
                if (got != want)
                    fault(QString("probe %1 wanted \"%2\", got \"%3\"").arg(key, want, got));
            } else if (verb == "inside") {
                const QString text = unescape(arg.section(" => ", 0, 0));
                inside << qMakePair(text, splitSteps(arg.section(" => ", 1), ", "));
            } else if (steps().contains(verb)) {
                steps()[verb](*this, unescape(arg));
            } else {
                fault("no such step");
            }
            where.removeLast();
        }
    }
    QString probe(const QString& key)  // a control by name gives its text
    {
        mainform& f = *form;
        if (const QObject* control = f.findChild<QObject*>(key))
            return control->property("text").toString();
        const int n = key.right(1).toInt();
        auto yes = [](bool b) { return QString(b ? "yes" : "no"); };
        const QMap<QString, std::function<QString()>> probes{
            {"timer", [&] { return yes(app->alarms().Timer1[n]->isEnabled()); }},
            {"set", [&] { return QString::number(saved(n).AlarmSet); }},
            {"window",
             [&] {
                 const char* where = !f.isVisible() ? "tray" : f.isMinimized() ? "iconic" : "up";
                 return where + QString::number(app->window().WindowState());
             }},
            {"options",
             [&] {
                 QString enabled;
                 for (QRadioButton* o : {f.Option0, f.Option1, f.Option2, f.Option3})
                     enabled += o->isEnabled() ? o->objectName().right(1) : QString();
                 return enabled + '/' + QString::number(f.SelectedOption());
             }},
            {"entries", [&] { return QStringList(logon.entries.keys()).join(','); }},
            {"tray", [&] { return yes(tray.added); }},
            {"summary", [&] { return yes(viewsettings::loaded()); }},
            {"focus", [&] { return f.focusWidget() ? f.focusWidget()->objectName() : "none"; }},
            {"listing",
             [&] {
                 const viewsettings* summary = viewsettings::loaded();
                 const QStringList lines = summary ? summary->listing() : QStringList();
                 return lines.filter(QString("Reminder# %1 ").arg(n)).join('|');
             }},
            {"sound", [&] { return player.played.join(',').replace("play odetojoy.mid", "play"); }},
            {"launched",
             [&] {
                 const QString all = launcher.launched.join(',') + " in " + launcher.folder;
                 return QString(all).replace(dir.path(), "DIR");
             }},
            {"running", [&] { return yes(running); }},
            {"ended", [&] { return yes(app->turns().hasEnded()); }},
            {"file", [&] { return yes(QFile::exists(file())); }},
            {"msglen", [&] { return QString::number(f.Text2Text().size()); }},
            {"datefits",
             [&] {
                 const auto* e = f.DTPicker1->findChild<QLineEdit*>();
                 const int width = e->fontMetrics().horizontalAdvance(e->text());
                 const int room = e->contentsRect().width() - 4;  // the line edit's margins
                 return width < room ? "yes" : QString("%1 wide in %2").arg(width).arg(room);
             }},
        };
        return probes.value(key.chopped(key.back().isDigit() ? 1 : 0),
                            [&] { return "no probe " + key; })();
    }
    using Arg = const QString&;
    using Step = std::function<void(Desk&, Arg)>;
    static const QMap<QString, Step>& steps();

    QString name;             // the case
    QStringList wanted;       // every box, in order
    bool ringsAside = false;  // the rings are not in `wanted`: each is its due record's
    qsizetype listed = 0;     // the boxes checked against `wanted`
    QTemporaryDir dir;
    FakeClock clock;
    FakeBoxes boxes;
    FakeFileDialog dialog;
    FakePlayer player;
    FakeTray tray;
    FakeLogon logon;
    FakeLauncher launcher;
    FakeInstance instance;
    Services services;
    std::unique_ptr<App> app;
    mainform* form = nullptr;
    QStringList faults, where;  // where: the steps under way
    QList<int> answers;
    QList<QPair<QString, QStringList>> inside;  // steps waiting for a box
    QSet<QString> rung;                         // the moments that rang
    QMap<int, QByteArray> written;              // each record as the last tick found it
    struct Delivery {
        int rang;
        QString box;  // the ring its record must show
    };
    QList<Delivery*> delivering;  // the ticks being delivered, innermost last
    QByteArray stash;
    bool running = false;
};

template <typename Part> Desk::Step handler(Part& (App::*part)(), void (Part::*h)())
{
    return [part, h](Desk& d, Desk::Arg) { d.app->turns().run([&] { ((*d.app.*part)().*h)(); }); };
}
inline Desk::Step handler(void (mainform::*h)()) { return handler(&App::form, h); }

inline const QMap<QString, Desk::Step>& Desk::steps()
{
    static const QMap<QString, Step> all{
        {"start",
         [](Desk& d, Arg) {
             if (d.app)
                 d.instance.release();
             d.app = std::make_unique<App>(d.services);
             d.form = &d.app->form();
             d.app->turns().run([&] { d.running = d.app->Form_Load(); });
         }},
        {"show", handler(&App::window, &WindowLife::mPopRestore_Click)},
        {"type", [](Desk& d, Arg a) { d.form->Text1->setText(a); }},
        {"day", [](Desk& d, Arg a) { d.form->DTPicker1->setDate(kDay.addDays(a.toInt())); }},
        {"msg", [](Desk& d, Arg a) { d.form->SetText2Text(a); }},
        {"write",
         [](Desk& d, Arg a) {
             for (const char32_t c : a.toUcs4()) {
                 QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&c, 1));
                 QApplication::sendEvent(d.form->Text2, &key);
             }
         }},
        {"paste", [](Desk& d, Arg a) { d.form->Text2->insertPlainText(a); }},
        {"undo",
         [](Desk& d, Arg) { QTest::keyClick(d.form->Text2, Qt::Key_Z, Qt::ControlModifier); }},
        {"date",
         [](Desk& d, Arg a) {
             QWidget* date = d.form->DTPicker1;
             d.form->activateWindow();
             if (!QTest::qWaitForWindowActive(d.form))
                 return d.fault("the window did not become active");
             d.form->Text2->setFocus();
             auto* text = date->findChild<QLineEdit*>();
             const bool click = a.startsWith('@');
             const QPoint day(text->fontMetrics().horizontalAdvance("12/0"), text->height() / 2);
             if (click)
                 QTest::mouseClick(text, Qt::LeftButton, {}, day);
             else
                 QTest::keyClick(d.form->Text2, Qt::Key_Tab);
             for (const QChar c : a.mid(click))  // ">": Tab to the next part
                 c == '>' ? QTest::keyClick(date, Qt::Key_Tab) : QTest::keyClicks(date, c);
             QTest::keyClick(date, Qt::Key_Return);  // the entry is finished
         }},
        {"focus", [](Desk& d, Arg a) { d.form->findChild<QWidget*>(a)->setFocus(); }},
        {"option", [](Desk& d, Arg a) { d.form->findChild<QRadioButton*>("Option" + a)->click(); }},
        {"set", handler(&mainform::Command1_Click)},
        {"clear", handler(&mainform::Command2_Click)},
        {"rem",
         [](Desk& d, Arg a) {
             handler(QList{&mainform::filemnurem1_Click, &mainform::filemnurem2_Click,
                           &mainform::filemnurem3_Click}[a.toInt() - 1])(d, a);
         }},
        {"min",
         [](Desk& d, Arg) { d.app->turns().run([&] { d.app->window().SetWindowState(1); }); }},
        {"wmmin",
         [](Desk& d, Arg) {
             d.form->setWindowState(d.form->windowState() | Qt::WindowMinimized);
             QCoreApplication::processEvents();
         }},
        {"icon",
         [](Desk& d, Arg) {
             d.tray.click(TrayIcon::kLeftUp);
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         }},
        {"sni",
         [](Desk& d, Arg) {
             d.form->mPopExit->trigger();
             d.form->mPopDetails->trigger();
         }},
        {"daywatch",
         [](Desk& d, Arg a) {
             for (QTimer* t : d.app->alarms().findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
                 if (t->isActive() && t->interval() == AlarmTimer::kIntervalMs)
                     return handler(&App::alarms, &Alarms::DayWatch_Timer)(d, a);
             d.fault("the day watch does not run");
         }},
        {"help", handler(&mainform::helpmnu_Click)},
        {"launch",
         [](Desk& d, Arg) {
             d.instance.startAgain();
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         }},
        {"details", handler(&App::window, &WindowLife::mPopDetails_Click)},
        {"view",
         [](Desk& d, Arg) {  // modal until closed: the test acts inside it, then closes it
             QTimer::singleShot(0, [&d] {
                 d.opened(QStringLiteral("the summary"));
                 viewsettings::loaded()->close();
             });
             d.form->filemnuview->trigger();
         }},
        {"audio",
         [](Desk& d, Arg a) {
             d.dialog.next = a;
             handler (&mainform::filemnuaudio_Click)(d, a);
         }},
        {"exit", [](Desk& d, Arg) { d.form->close(); }},
        {"saverequest", [](Desk& d, Arg) { d.app->shutdown().SessionSaveRequest(); }},
        {"endsession", [](Desk& d, Arg) { d.app->shutdown().EndSession(); }},
        {"at",
         [](Desk& d, Arg a) {
             const QString time = a.section(' ', 0, 0),
                           format = time.size() > 5 ? "h:mm:ss" : "h:mm";
             d.clock.set(kDay.addDays(a.section(' ', 1).toInt()), QTime::fromString(time, format));
         }},
        {"tick", [](Desk& d, Arg a) { d.tick(a.toInt()); }},
        {"fail", [](Desk& d, Arg) { d.limitFileSize(100); }},
        {"answer",
         [](Desk& d, Arg a) { d.answers << (a == "ok" ? msgbox::kOk : msgbox::kCancel); }},
        {"entries",
         [](Desk& d, Arg a) {
             d.logon.entries.clear();
             if (!a.isEmpty())
                 d.logon.entries.insert(a, "theirs");
         }},
        {"logonfail", [](Desk& d, Arg a) { d.logon.failure = a; }},
        {"tray", [](Desk& d, Arg a) { d.tray.setArea(a != "none"); }},
        {"busy", [](Desk& d, Arg) { d.instance.held = true; }},
        {"folder",
         [](Desk& d, Arg) {
             if (QDir().rmdir(d.file()))
                 return putFile(d.file(), d.stash);
             d.stash = fileBytes(d.file());
             QFile::remove(d.file());
             if (!QDir().mkdir(d.file()))
                 d.fault("no folder made");
         }},
    };
    return all;
}
