#pragma once
// The main window on doubles of the platform, in a folder of its own, with a clock that stands
// still, driven by scripts of steps such as "start; show; type 9am; day 1; set; ? timer1=off".
#include <functional>
#include <memory>
#include <optional>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include "alarm/alarmtimer.h"
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
#include "store/writefault.h"
#include "tests/support/records.h"

inline const QDate kDay(2026, 12, 6);

// Records every box as "title|style|text"; answers from the script, then OK.
struct FakeBoxes : MessageBoxes {
    int MsgBox(const QString& text, int style, const QString& title = {}) override
    {
        shown << (title.isEmpty() ? msgbox::kAppTitle : title) + '|' + QString::number(style) + '|' + text;
        const QString box = shown.last();
        if (onShow)
            onShow(box);  // the box is open: a tick can arrive inside its modal wait
        return answerer ? answerer(box) : answers.isEmpty() ? msgbox::kOk : answers.takeFirst();
    }
    QStringList shown;
    QList<int> answers;
    std::function<void(const QString&)> onShow;
    std::function<int(const QString&)> answerer;
};

struct FakePlayer : MediaPlayer {
    void setFileName(const QString& n) override { name = n; }
    QString fileName() const override { return name; }
    void play() override
    {
        log << QStringLiteral("play");
        if (!failure.isEmpty())
            throw AppError(failure);
    }
    void pause() override { log << QStringLiteral("pause"); }
    QString name, failure;
    QStringList log;
};

struct FakeDialog : FileDialog {
    std::optional<QString> openExisting(const QString& f) override
    {
        filter = f;
        if (onOpen)
            onOpen();  // the dialog is open
        return next;
    }
    std::optional<QString> next;
    QString filter;
    std::function<void()> onOpen;
};

struct FakeTray : TrayIcon {
    void add(const QIcon&, const QString&, QMenu* m) override { menu = m, shown = true; }
    void remove() override { shown = false; }
    bool isAvailable() const override { return available; }
    bool showsMenu() const override { return menu && areaShowsMenu; }
    bool available = true, areaShowsMenu = true, shown = false;
    QMenu* menu = nullptr;
};

struct FakeLogon : LogonEntries {
    bool exists(const QString& n) const override { return entries.contains(n); }
    void create(const QString& n, const QString& exe) override
    {
        if (!failure.isEmpty() || entries.contains(n))  // never overwrites
            throw AppError(failure);
        entries.insert(n, exe);
    }
    void remove(const QString& n) override
    {
        if (!failure.isEmpty())
            throw AppError(failure);
        entries.remove(n);
    }
    QMap<QString, QString> entries;
    QString failure;
};

struct FakeLauncher : Launcher {
    bool startDetached(const QString& program, const QStringList& args, const QString& dir) override
    {
        started << program + ' ' + args.join(' ') + " in " + dir;
        return false;
    }
    QStringList started;
};

struct FakeInstance : SingleInstance {
    bool acquire() override { return free; }
    bool free = true;
};

struct Desk {
    explicit Desk(const QTime& now = QTime(10, 0))
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        clock.set(kDay, now);
        services = Services{&clock, &boxes, &dialog, &player, &tray, &logon, &launcher, &instance,
                            dir.path(), dir.path() + QStringLiteral("/chimewright")};
        QDir::setCurrent(dir.path());
    }
    ~Desk()
    {
        form.reset();
        QDir::setCurrent(QDir::tempPath());
    }
    QString file() const { return dir.filePath(QStringLiteral("reminders.dat")); }
    void put(int n, const ReminderRecord& r) { putRecord(file(), n, r); }
    ReminderRecord saved(int n) const
    {
        return recordcodec::decode(fileBytes(file()).mid((n - 1) * recordcodec::kRecordLength, recordcodec::kRecordLength));
    }
    void call(void (mainform::*handler)()) { form->guarded([&] { (form.get()->*handler)(); }); }
    void tick(int n) { emit form->Timer1[n]->tick(); }
    bool ticking(int n) const { return form->Timer1[n]->isEnabled(); }

    // Runs the steps, separated by "; ". "inside TEXT => a, b" runs steps a and b inside every
    // later box whose "title|style|text" holds TEXT; "? key=value" checks what probe(key) says.
    void run(const QString& script)
    {
        for (const QString& step : script.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
            const QString verb = step.section(' ', 0, 0), arg = step.section(' ', 1);
            if (verb == "?")
                QTRY_COMPARE(probe(arg.section('=', 0, 0)), arg.section('=', 1));  // the window manager answers late
            else if (verb == "inside")
                inside << qMakePair(arg.section(" => ", 0, 0), arg.section(" => ", 1).replace(", ", "; "));
            else if (!steps().contains(verb))
                QFAIL(qPrintable("no such step: " + step));
            else
                steps()[verb](*this, arg);
        }
    }
    QString probe(const QString& key)
    {
        mainform& f = *form;
        const int n = key.right(1).toInt();
        const QMap<QString, std::function<QString()>> probes{
            {"timer", [&] { return QString(ticking(n) ? "on" : "off"); }},
            {"set", [&] { return QString::number(saved(n).AlarmSet); }},
            {"window", [&] { return QString(!f.isVisible() ? "hidden" : f.isMinimized() ? "minimised" : "shown"); }},
            {"state", [&] { return QString::number(f.WindowState()); }},
            {"reminder", [&] { return f.Label1->text(); }},
            {"label", [&] { return f.Label8->text(); }},
            {"time", [&] { return f.Text1->text(); }},
            {"selected", [&] { return f.Text1->selectedText(); }},
            {"message", [&] { return f.Text2Text(); }},
            {"options", [&] {
                 QString enabled;
                 for (QRadioButton* o : {f.Option0, f.Option1, f.Option2, f.Option3})
                     enabled += o->isEnabled() ? o->objectName().right(1) : QString();
                 return enabled + '/' + QString::number(f.SelectedOption());
             }},
            {"entries", [&] { return QStringList(logon.entries.keys()).join(',').replace(dir.path(), "DIR"); }},
            {"entry", [&] { return logon.entries.value(QStringLiteral("Chimewright.EXE.desktop")).replace(dir.path(), "DIR"); }},
            {"tray", [&] { return QString(tray.shown ? "shown" : "none"); }},
            {"popup", [&] { return QString(f.mPopupSys->isVisible() ? "shown" : "none"); }},
            {"summary", [&] { return QString(f.summaryWindow() ? "open" : "none"); }},
            {"sound", [&] { return player.log.join(','); }},
            {"soundfile", [&] { return player.fileName(); }},
            {"filter", [&] { return dialog.filter; }},
            {"launched", [&] { return launcher.started.join(',').replace(dir.path(), "DIR"); }},
            {"running", [&] { return QString(running ? "yes" : "no"); }},
            {"ended", [&] { return QString(f.hasEnded() ? "yes" : "no"); }},
            {"file", [&] { return QString(QFile::exists(file()) ? "yes" : "no"); }},
        };
        return probes.value(key.chopped(key.back().isDigit() ? 1 : 0), [&] { return "no probe " + key; })();
    }

    using Step = std::function<void(Desk&, const QString&)>;
    static const QMap<QString, Step>& steps();

    QTemporaryDir dir;
    FakeClock clock;
    FakeBoxes boxes;
    FakePlayer player;
    FakeDialog dialog;
    FakeTray tray;
    FakeLogon logon;
    FakeLauncher launcher;
    FakeInstance instance;
    Services services;
    std::unique_ptr<mainform> form;
    bool running = false;
    QByteArray stash;
    QList<QPair<QString, QString>> inside;
};

inline Desk::Step handler(void (mainform::*h)())
{
    return [h](Desk& d, const QString&) { d.call(h); };
}

inline const QMap<QString, Desk::Step>& Desk::steps()
{
    static const QMap<QString, Step> all{
        {"start", [](Desk& d, const QString&) {
             d.boxes.onShow = [&d](const QString& box) {
                 for (const auto& [text, script] : d.inside)
                     if (box.contains(text))
                         d.run(script);
             };
             d.form = std::make_unique<mainform>(d.services);
             d.form->guarded([&] { d.running = d.form->Form_Load(); });
         }},
        {"show", handler(&mainform::mPopRestore_Click)},
        {"type", [](Desk& d, const QString& a) { d.form->Text1->setText(a); }},
        {"day", [](Desk& d, const QString& a) { d.form->DTPicker1->setValue(kDay.addDays(a.toInt())); }},
        {"msg", [](Desk& d, const QString& a) { d.form->SetText2Text(a); }},
        {"option", [](Desk& d, const QString& a) { d.form->findChild<QRadioButton*>("Option" + a)->setChecked(true); }},
        {"set", handler(&mainform::Command1_Click)},
        {"clear", handler(&mainform::Command2_Click)},
        {"rem", [](Desk& d, const QString& a) { d.call(QList{&mainform::filemnurem1_Click, &mainform::filemnurem2_Click,
                                                             &mainform::filemnurem3_Click}[a.toInt() - 1]); }},
        {"min", [](Desk& d, const QString&) { d.form->guarded([&] { d.form->SetWindowState(1); }); }},
        {"wm", [](Desk& d, const QString& a) { d.form->setWindowState(a == "min" ? Qt::WindowMinimized : Qt::WindowNoState); }},
        {"click", [](Desk& d, const QString& a) { emit d.tray.mouseEvent(a.toInt()); }},
        {"details", handler(&mainform::mPopDetails_Click)},
        {"view", handler(&mainform::filemnuview_Click)},
        {"sni", [](Desk& d, const QString&) {  // a StatusNotifierItem host's menu clicks
             d.form->mPopExit->trigger();
             d.form->mPopDetails->trigger();
         }},
        {"daywatch", handler(&mainform::DayWatch_Timer)},
        {"help", handler(&mainform::helpmnu_Click)},
        {"audio", [](Desk& d, const QString& a) {
             d.dialog.next = a.isEmpty() ? std::nullopt : std::optional(a);
             d.call(&mainform::filemnuaudio_Click);
         }},
        {"exit", [](Desk& d, const QString&) { d.form->close(); }},
        {"endsession", [](Desk& d, const QString&) { d.form->EndSession(); }},
        {"saverequest", [](Desk& d, const QString&) { d.form->SessionSaveRequest(); }},
        {"at", [](Desk& d, const QString& a) {  // "at 9:00:05" today, "at 0:00 +1" a day later
             const QString time = a.section(' ', 0, 0);
             d.clock.set(kDay.addDays(a.section(' ', 1).toInt()), QTime::fromString(time, time.size() > 5 ? "h:mm:ss" : "h:mm"));
         }},
        {"tick", [](Desk& d, const QString& a) { d.tick(a.toInt()); }},
        {"wait", [](Desk&, const QString&) { QTest::qWait(20); }},
        {"fail", [](Desk&, const QString& a) { writefault::failNext(a.isEmpty() ? "No space left on device" : a); }},
        {"answer", [](Desk& d, const QString& a) { d.boxes.answers << (a == "ok" ? msgbox::kOk : msgbox::kCancel); }},
        {"entries", [](Desk& d, const QString& a) {
             d.logon.entries.clear();
             for (const QString& name : a.split(',', Qt::SkipEmptyParts))
                 d.logon.entries.insert(name, "theirs");
         }},
        {"logonfail", [](Desk& d, const QString& a) { d.logon.failure = a; }},
        {"playfail", [](Desk& d, const QString& a) { d.player.failure = a; }},
        {"tray", [](Desk& d, const QString& a) { d.tray.available = a != "none"; }},
        {"areamenu", [](Desk& d, const QString& a) { d.tray.areaShowsMenu = a == "yes"; }},
        {"busy", [](Desk& d, const QString&) { d.instance.free = false; }},
        {"folder", [](Desk& d, const QString&) {  // the data file replaced by a folder
             d.stash = fileBytes(d.file());
             QFile::remove(d.file());
             QDir().mkdir(d.file());
         }},
        {"unfolder", [](Desk& d, const QString&) {
             QDir().rmdir(d.file());
             QFile f(d.file());
             QVERIFY(f.open(QIODevice::WriteOnly) && f.write(d.stash) == d.stash.size());
         }},
    };
    return all;
}
