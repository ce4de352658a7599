#pragma once
// One program folder with the main window on test doubles and a clock that stands still.
#include <memory>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include "editor/mainform.h"
#include "platform/clock.h"
#include "tests/support/doubles.h"
#include "tests/support/records.h"
#include "store/writefault.h"

class Desk {
public:
    explicit Desk(const QDate& day = QDate(2026, 12, 6), const QTime& time = QTime(10, 0))
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        clock.set(day, time);
        services = Services{&clock, &boxes, &dialog, &player, &tray, &logon, &launcher, &instance,
                            dir.path(), dir.path() + QStringLiteral("/chimewright")};
        QDir::setCurrent(dir.path());
    }
    // Every box a test meets is scripted, and every scripted answer is used.
    ~Desk()
    {
        QTest::qVerify(boxes.unexpected.isEmpty(), "boxes.unexpected.isEmpty()",
                       qPrintable(QStringLiteral("unexpected box: ") + boxes.unexpected.join(QLatin1String(" | "))),
                       __FILE__, __LINE__);
        QTest::qVerify(boxes.answers.isEmpty(), "boxes.answers.isEmpty()", "a scripted answer was not used", __FILE__,
                       __LINE__);
        form.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString file() const { return path(QStringLiteral("reminders.dat")); }
    void put(int n, const ReminderRecord& r) { putRecord(file(), n, r); }
    ReminderRecord saved(int n) const { return getRecord(file(), n); }
    QDate today() const { return clock.today(); }

    // Creates the window and runs its start-up.
    bool start()
    {
        form = std::make_unique<mainform>(services);
        bool running = false;
        form->guarded([&] { running = form->Form_Load(); });
        return running;
    }
    // Runs a handler as the event loop would, under the general error handling.
    template <typename F>
    void run(F&& handler)
    {
        form->guarded(std::forward<F>(handler));
    }
    QStringList texts() const
    {
        QStringList out;
        for (const ShownBox& b : boxes.shown)
            out << b.text;
        return out;
    }

    QTemporaryDir dir;
    FakeClock clock;
    ScriptedMessageBoxes boxes;
    FakeMediaPlayer player;
    FakeFileDialog dialog;
    FakeTray tray;
    FakeLogon logon;
    FakeLauncher launcher;
    FakeInstance instance;
    Services services;
    std::unique_ptr<mainform> form;
};

// The same check in the middle of a test.
#define VERIFY_BOXES(desk)                                                                            \
    do {                                                                                              \
        QVERIFY2((desk).boxes.unexpected.isEmpty(), qPrintable((desk).boxes.unexpected.join(" | "))); \
        QVERIFY2((desk).boxes.answers.isEmpty(), "a scripted answer was not used");                   \
    } while (0)
