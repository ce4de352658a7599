#pragma once
// The main window in a folder of its own, on a desk that plays the rest of the platform and a clock
// that stands still, driven by scripts such as "start; show; type 9am; day 1; set; ? timer1=no".
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include "alarm/alarmtimer.h"
#include "app/app.h"
#include "editor/datepicker.h"
#include "editor/mainform.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/filedialog.h"
#include "platform/launcher.h"
#include "platform/logonentry.h"
#include "platform/mediaplayer.h"
#include "platform/messageboxes.h"
#include "platform/singleinstance.h"
#include "platform/trayicon.h"
#include "summary/viewsettings.h"
#include "tests/support/records.h"

inline const QDate kDay(2026, 12, 6);

// Time stands still until a test moves it.
class FakeClock : public Clock {
public:
    QDateTime now() const override { return m_now; }
    void set(const QDate& d, const QTime& t) { m_now = QDateTime(d, t, Qt::UTC); }

private:
    QDateTime m_now;
};
inline const QString kRingTitle = QStringLiteral("Chimewright Personal Alarm|");

struct Desk : TrayIcon, MessageBoxes, MediaPlayer, FileDialog, LogonEntries, Launcher, SingleInstance {
    explicit Desk(const QTime& now = QTime(10, 0))
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        clock.set(kDay, now);
        services = Services{&clock, this, this, this, this, this, this, this, dir.path(), dir.path() + "/cw"};
        QDir::setCurrent(dir.path());
    }
    ~Desk() { limitFileSize(RLIM_INFINITY); }
    // Keeps every box as "title|style|text"; a ring is answered OK, the rest from the script, then OK.
    int MsgBox(const QString& text, int style, const QString& title = {}) override
    {
        shown << (title.isEmpty() ? msgbox::kAppTitle : title) + '|' + QString::number(style) + '|' + text;
        if (text.startsWith("Could not write"))
            limitFileSize(RLIM_INFINITY);
        const bool ring = shown.last().startsWith(kRingTitle);
        if (ring && (delivering.isEmpty() || !form->isVisible() || form->isMinimized()))
            faults << "a ring without a tick, or over a hidden window";
        else if (ring)
            ++*delivering.last();
        opened(shown.last());  // the box is open: a tick can arrive inside its modal wait
        return answers.isEmpty() || ring ? msgbox::kOk : answers.takeFirst();
    }
    void opened(const QString& box)
    {
        for (int i = 0; i < inside.size(); ++i)
            if (box.contains(inside[i].first))
                run(inside.takeAt(i--).second);
    }
    std::optional<QString> openExisting(const QString&) override
    {
        opened(QStringLiteral("the file dialog"));
        return !answers.isEmpty() && answers.takeFirst() == msgbox::kCancel ? std::nullopt : chosen;
    }
    void setFileName(const QString& name) override { sound = name; }
    QString fileName() const override { return sound; }
    void play() override  // the bundled melody plays as "play"
    {
        played << (sound == "odetojoy.mid" ? QStringLiteral("play") : "play " + sound);
        opened(QStringLiteral("the sound's start"));  // the player waits in a loop of its own
        if (sound.startsWith("/gone"))
            throw AppError("Cannot play " + sound);
    }
    void pause() override { played << QStringLiteral("pause"); }
    bool exists(const QString& name) const override { return entries.contains(name); }
    void create(const QString& name, const QString& exe) override
    {
        if (!logonFailure.isEmpty() || entries.contains(name))  // never overwrites
            throw AppError(logonFailure);
        entries.insert(name, exe);
    }
    void remove(const QString& name) override
    {
        if (!logonFailure.isEmpty())
            throw AppError(logonFailure);
        entries.remove(name);
    }
    bool startDetached(const QString& program, const QStringList& args, const QString& folder) override
    {
        launched << program + ' ' + args.join(' ') + " in " + folder;
        return false;
    }
    bool acquire(std::function<void()> asked) override
    {
        launch = asked;
        return !busy;
    }
    void add(const QIcon&, const QString&, QMenu*) override { inTray = true; }
    void remove() override { inTray = false; }
    bool isAvailable() const override { return area; }
    bool showsMenu() const override { return true; }

    // The system refuses to let a file grow past `bytes` (RLIM_INFINITY: no limit); the write fails
    // with its own words, and nothing is killed.
    static void limitFileSize(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, RLIM_INFINITY};
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
    }
    QString file() const { return dir.filePath(QStringLiteral("reminders.dat")); }
    void put(int n, const ReminderRecord& r) { putRecord(file(), n, r); }
    ReminderRecord saved(int n) const
    {
        return recordcodec::decode(fileBytes(file()).mid((n - 1) * 2068, 2068));
    }
    // A tick as the event loop delivers it rings exactly when the file holds an armed moment that has
    // come and not rung yet: only what is saved rings. A due alarm whose timer stopped fails too.
    void tick(int n)
    {
        const ReminderRecord s = saved(n);
        const auto moment = datetime::alarmMoment(s.AlarmDate, s.AlarmTime);
        const QString key = QString("%1 %2 %3").arg(n).arg(s.AlarmDate).arg(s.AlarmTime);
        const bool due = s.isArmed() && moment && *moment <= clock.now() && !rung.contains(key);
        if (due)
            rung << key;
        int rang = 0;
        delivering << &rang;
        AlarmTimer* timer = app->alarms().Timer1[n];
        if (timer->isEnabled())
            emit timer->tick();
        delivering.removeLast();
        if (rang != int(due))
            faults << QString("tick %1 at %2: %3 rings").arg(n).arg(clock.now().toString()).arg(rang);
    }
    // Runs the steps, separated by "; ". "inside TEXT => a, b" runs the steps a and b inside the next
    // box whose "title|style|text" holds TEXT; "? key=value" checks what probe(key) says.
    void run(const QString& script)
    {
        for (const QString& step : script.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
            const QString verb = step.section(' ', 0, 0), arg = step.section(' ', 1);
            if (verb == "?")
                QCOMPARE(probe(arg.section('=', 0, 0)), arg.section('=', 1));
            else if (verb == "inside")
                inside << qMakePair(arg.section(" => ", 0, 0), arg.section(" => ", 1).replace(", ", "; "));
            else if (steps().contains(verb))
                steps()[verb](*this, arg);
            else
                QFAIL(qPrintable("no such step: " + step));
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
            {"window", [&] {  // where it is, and the state the handlers see
                 const char* where = !f.isVisible() ? "tray" : f.isMinimized() ? "iconic" : "up";
                 return where + QString::number(app->window().WindowState());
             }},
            {"options", [&] {  // the options enabled, and the one selected
                 QString enabled;
                 for (QRadioButton* o : {f.Option0, f.Option1, f.Option2, f.Option3})
                     enabled += o->isEnabled() ? o->objectName().right(1) : QString();
                 return enabled + '/' + QString::number(f.SelectedOption());
             }},
            {"entries", [&] { return QStringList(entries.keys()).join(','); }},
            {"tray", [&] { return yes(inTray); }},
            {"summary", [&] { return yes(viewsettings::loaded()); }},
            {"focus", [&] { return f.focusWidget() ? f.focusWidget()->objectName() : "none"; }},
            {"listing", [&] {  // the summary's head line of reminder n
                 const viewsettings* summary = viewsettings::loaded();
                 const QStringList lines = summary ? summary->listing() : QStringList();
                 return lines.filter(QString("Reminder# %1 ").arg(n)).join('|');
             }},
            {"sound", [&] { return played.join(','); }},
            {"launched", [&] { return launched.join(',').replace(dir.path(), "DIR"); }},
            {"running", [&] { return yes(running); }},
            {"ended", [&] { return yes(app->turns().hasEnded()); }},
            {"file", [&] { return yes(QFile::exists(file())); }},
            {"msglen", [&] { return QString::number(f.Text2Text().size()); }},  // breaks as CR LF
            {"datefits", [&] {  // the date's text has room beside the calendar button
                 const auto* e = f.DTPicker1->findChild<QLineEdit*>();
                 const int width = e->fontMetrics().horizontalAdvance(e->text());
                 const int room = e->contentsRect().width() - 4;  // the line edit's margins
                 return width < room ? "yes" : QString("%1 wide in %2").arg(width).arg(room);
             }},
        };
        return probes.value(key.chopped(key.back().isDigit() ? 1 : 0), [&] { return "no probe " + key; })();
    }
    using Arg = const QString&;
    using Step = std::function<void(Desk&, Arg)>;
    static const QMap<QString, Step>& steps();

    QTemporaryDir dir;
    FakeClock clock;
    Services services;
    std::unique_ptr<App> app;
    mainform* form = nullptr;
    QStringList shown, played, launched, faults;
    QList<int> answers;
    QList<QPair<QString, QString>> inside;  // steps waiting for a box
    QSet<QString> rung;                     // the moments that rang
    QList<int*> delivering;                 // the rings of the ticks being delivered, innermost last
    QString sound, logonFailure;
    std::optional<QString> chosen;
    std::function<void()> launch;  // a later start of the program asking this copy
    using Entries = QMap<QString, QString>;
    Entries entries;
    QByteArray stash;
    bool running = false, busy = false, area = true, inTray = false;
};

template <typename Part>
Desk::Step handler(Part& (App::*part)(), void (Part::*h)())
{
    return [part, h](Desk& d, Desk::Arg) { d.app->turns().run([&] { ((*d.app.*part)().*h)(); }); };
}
inline Desk::Step handler(void (mainform::*h)()) { return handler(&App::form, h); }

inline const QMap<QString, Desk::Step>& Desk::steps()
{
    static const QMap<QString, Step> all{
        {"start", [](Desk& d, Arg) {
             d.app = std::make_unique<App>(d.services);
             d.form = &d.app->form();
             d.app->turns().run([&] { d.running = d.app->Form_Load(); });
         }},
        {"show", handler(&App::window, &WindowLife::mPopRestore_Click)},
        {"type", [](Desk& d, Arg a) { d.form->Text1->setText(a); }},
        {"day", [](Desk& d, Arg a) { d.form->DTPicker1->setDate(kDay.addDays(a.toInt())); }},  // as picked
        {"msg", [](Desk& d, Arg a) { d.form->SetText2Text(a); }},
        {"write", [](Desk& d, Arg a) {  // typed into the message, a key for each character
             for (const char32_t c : a.toUcs4()) {
                 QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&c, 1));
                 QApplication::sendEvent(d.form->Text2, &key);
             }
         }},
        {"paste", [](Desk& d, Arg a) { d.form->Text2->insertPlainText(a); }},
        {"undo", [](Desk& d, Arg) {  // Ctrl+Z in the message
             QTest::keyClick(d.form->Text2, Qt::Key_Z, Qt::ControlModifier);
         }},
        {"date", [](Desk& d, Arg a) {  // Tab from the message to the date ("@": a click on its day)
             QWidget* date = d.form->DTPicker1;
             d.form->activateWindow();
             QVERIFY(QTest::qWaitForWindowActive(d.form));
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
        {"rem", [](Desk& d, Arg a) {
             handler(QList{&mainform::filemnurem1_Click, &mainform::filemnurem2_Click,
                           &mainform::filemnurem3_Click}[a.toInt() - 1])(d, a);
         }},
        {"min", [](Desk& d, Arg) { d.app->turns().run([&] { d.app->window().SetWindowState(1); }); }},
        {"wmmin", [](Desk& d, Arg) {  // the window manager's minimise button
             d.form->setWindowState(d.form->windowState() | Qt::WindowMinimized);
             QCoreApplication::processEvents();
         }},
        {"icon", [](Desk& d, Arg) {  // a left click on the icon
             emit d.mouseEvent(TrayIcon::kLeftUp);
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         }},
        {"sni", [](Desk& d, Arg) {  // a StatusNotifierItem host's menu clicks
             d.form->mPopExit->trigger();
             d.form->mPopDetails->trigger();
         }},
        {"daywatch", [](Desk& d, Arg a) {  // its timer's tick, if it runs
             for (QTimer* t : d.app->alarms().findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
                 if (t->isActive() && t->interval() == AlarmTimer::kIntervalMs)
                     return handler(&App::alarms, &Alarms::DayWatch_Timer)(d, a);
             d.faults << "the day watch does not run";
         }},
        {"help", handler(&mainform::helpmnu_Click)},
        {"launch", [](Desk& d, Arg) {  // the program started again
             d.launch();
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         }},
        {"details", handler(&App::window, &WindowLife::mPopDetails_Click)},
        {"view", [](Desk& d, Arg) {  // View all Settings: the summary, modal until it is closed
             QTimer::singleShot(0, [&d] {
                 d.opened(QStringLiteral("the summary"));
                 viewsettings::loaded()->close();
             });
             d.form->filemnuview->trigger();
         }},
        {"audio", [](Desk& d, Arg a) {
             d.chosen = a;
             handler(&mainform::filemnuaudio_Click)(d, a);
         }},
        {"exit", [](Desk& d, Arg) { d.form->close(); }},
        {"saverequest", [](Desk& d, Arg) { d.app->shutdown().SessionSaveRequest(); }},
        {"endsession", [](Desk& d, Arg) { d.app->shutdown().EndSession(); }},
        {"at", [](Desk& d, Arg a) {  // "at 9:00:05" today, "at 0:00 +1" a day later
             const QString time = a.section(' ', 0, 0), format = time.size() > 5 ? "h:mm:ss" : "h:mm";
             d.clock.set(kDay.addDays(a.section(' ', 1).toInt()), QTime::fromString(time, format));
         }},
        {"tick", [](Desk& d, Arg a) { d.tick(a.toInt()); }},
        {"fail", [](Desk& d, Arg) { d.limitFileSize(100); }},  // till a write fails: "File too large"
        {"answer", [](Desk& d, Arg a) { d.answers << (a == "ok" ? msgbox::kOk : msgbox::kCancel); }},
        {"entries", [](Desk& d, Arg a) { d.entries = a.isEmpty() ? Entries() : Entries{{a, "theirs"}}; }},
        {"logonfail", [](Desk& d, Arg a) { d.logonFailure = a; }},
        {"tray", [](Desk& d, Arg a) {  // "tray none" before the start or while running, "tray back"
             d.area = a != "none";
             if (d.app)
                 emit d.availabilityChanged();
         }},
        {"busy", [](Desk& d, Arg) { d.busy = true; }},
        {"folder", [](Desk& d, Arg) {  // the data file replaced by a folder, or put back
             if (QDir().rmdir(d.file()))
                 return putFile(d.file(), d.stash);
             d.stash = fileBytes(d.file());
             QFile::remove(d.file());
             QVERIFY(QDir().mkdir(d.file()));
         }},
    };
    return all;
}
