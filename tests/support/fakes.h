#pragma once
// One double for each platform service, for tests that drive the real windows. Each keeps what
// was asked of it and answers through a hook the test sets; none of them runs an event loop.
#include <functional>
#include <optional>
#include <QMap>
#include <QStringList>
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/filedialog.h"
#include "platform/launcher.h"
#include "platform/logonentry.h"
#include "platform/mediaplayer.h"
#include "platform/messageboxes.h"
#include "platform/singleinstance.h"
#include "platform/trayicon.h"

// Time stands still until a test moves it.
class FakeClock : public Clock {
public:
    explicit FakeClock(QDateTime start = {}) : m_now(start) {}
    QDateTime now() const override { return m_now; }
    void set(const QDate& d, const QTime& t) { m_now = QDateTime(d, t, Qt::UTC); }
    void advance(int seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};

// A box as "title|style|text", answered by the hook (OK when there is none).
struct FakeBoxes : MessageBoxes {
    std::function<int(const QString& box)> answer;
    int MsgBox(const QString& text, int style, const QString& title = {}) override
    {
        const QString box = (title.isEmpty() ? msgbox::kAppTitle : title) + '|' +
                            QString::number(style) + '|' + text;
        return answer ? answer(box) : msgbox::kOk;
    }
};

// Plays whatever it holds, except a name with "broken" in it; "playing" says whether it is heard,
// "played" what was asked, in order: "play NAME", "pause".
struct FakePlayer : MediaPlayer {
    QString name;
    bool playing = false;
    QStringList played;
    std::function<void()> starting;  // the real player waits in a loop of its own meanwhile
    void setFileName(const QString& n) override { name = n; }
    QString fileName() const override { return name; }
    void play() override
    {
        played << QStringLiteral("play ") + name;
        if (starting)
            starting();
        playing = !name.contains(QLatin1String("broken"));
        if (!playing)
            throw AppError(QStringLiteral("The sound file could not be played: ") + name);
    }
    void pause() override
    {
        played << QStringLiteral("pause");
        playing = false;
    }
};

struct FakeFileDialog : FileDialog {
    std::optional<QString> next;    // the file the user picks, or Cancel
    std::function<void()> opening;  // the dialog waits for the user: a test may act meanwhile
    std::optional<QString> openExisting(const QString&) override
    {
        if (opening)
            opening();
        return next;
    }
};

// The notification area: there or not, and the clicks on the icon.
struct FakeTray : TrayIcon {
    bool area = true, added = false;
    void add(const QIcon&, const QString&, QMenu*) override { added = true; }
    void remove() override { added = false; }
    bool isAvailable() const override { return area; }
    bool showsMenu() const override { return true; }
    void setArea(bool there)
    {
        area = there;
        emit availabilityChanged();
    }
    void click(int code) { emit mouseEvent(code); }
};

// An existing entry is never overwritten: creating it again fails, as a failure set does.
struct FakeLogon : LogonEntries {
    QMap<QString, QString> entries;  // name: the executable it starts
    QString failure;                 // when set, every change fails with these words
    bool exists(const QString& name) const override { return entries.contains(name); }
    void create(const QString& name, const QString& exe) override
    {
        if (!failure.isEmpty() || entries.contains(name))
            throw AppError(failure.isEmpty() ? QStringLiteral("overwrote ") + name : failure);
        entries.insert(name, exe);
    }
    void remove(const QString& name) override
    {
        if (!failure.isEmpty())
            throw AppError(failure);
        entries.remove(name);
    }
};

struct FakeLauncher : Launcher {
    QStringList launched;
    QString folder;      // where the last one was started
    bool starts = true;  // false: nothing could be started
    bool startDetached(const QString& program, const QStringList& args, const QString& in) override
    {
        launched << program + ' ' + args.join(' ');
        folder = in;
        return starts;
    }
};

// The first copy holds the program; "startAgain" is a later start asking it for its window.
struct FakeInstance : SingleInstance {
    bool held = false;
    std::function<void()> asked;
    bool acquire(std::function<void()> a) override
    {
        if (held)
            return false;
        held = true;
        asked = std::move(a);
        return true;
    }
    void release() { held = false, asked = nullptr; }
    void startAgain()
    {
        if (asked)
            asked();
    }
};
