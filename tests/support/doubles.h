#pragma once
// Test doubles for the platform services.
#include <functional>
#include <optional>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include "platform/errors.h"
#include "platform/filedialog.h"
#include "platform/launcher.h"
#include "platform/logonentry.h"
#include "platform/mediaplayer.h"
#include "platform/messageboxes.h"
#include "platform/singleinstance.h"
#include "platform/trayicon.h"

class QMenu;

struct ShownBox {
    QString text;
    int style;
    QString title;
};

// Answers boxes from a script and records every box shown. A box the script did
// not expect is recorded as unexpected and answered Cancel.
class ScriptedMessageBoxes : public MessageBoxes {
public:
    int MsgBox(const QString& text, int style, const QString& title = {}) override
    {
        shown.append({text, style, title.isEmpty() ? msgbox::kAppTitle : title});
        const ShownBox box = shown.last();
        if (onShow)
            onShow(box);
        if (answerer)
            return answerer(box);
        if (answers.isEmpty()) {
            unexpected.append(text);
            return msgbox::kCancel;
        }
        return answers.takeFirst();
    }
    void expect(int answer) { answers.append(answer); }
    void reset()
    {
        shown.clear();
        answers.clear();
        unexpected.clear();
        onShow = nullptr;
        answerer = nullptr;
    }

    QList<ShownBox> shown;
    QList<int> answers;
    QStringList unexpected;
    // Runs while a box is "open": lets a test deliver a timer tick inside the modal wait.
    std::function<void(const ShownBox&)> onShow;
    // When set, answers every box instead of the script.
    std::function<int(const ShownBox&)> answerer;
};

class FakeMediaPlayer : public MediaPlayer {
public:
    void setFileName(const QString& name) override { name_ = name; }
    QString fileName() const override { return name_; }
    void play() override
    {
        log.append(QStringLiteral("play"));
        if (!failure.isEmpty())
            throw AppError(failure);
        playing = true;
    }
    void pause() override
    {
        log.append(QStringLiteral("pause"));
        playing = false;
    }

    QString name_;
    QString failure;
    bool playing = false;
    QStringList log;
};

class FakeFileDialog : public FileDialog {
public:
    std::optional<QString> openExisting(const QString& filter) override
    {
        lastFilter = filter;
        if (onOpen)
            onOpen();
        return next;
    }
    std::optional<QString> next;
    std::function<void()> onOpen;  // runs while the dialog is "open"
    QString lastFilter;
};

class FakeTray : public TrayIcon {
public:
    void add(const QIcon&, const QString& tip, QMenu* menu) override
    {
        ++adds;
        this->tip = tip;
        this->menu = menu;
        shown = true;
    }
    void remove() override
    {
        ++removes;
        shown = false;
    }
    bool isAvailable() const override { return available; }
    bool showsMenu() const override { return menu && areaShowsMenu; }
    void click(int code) { emit mouseEvent(code); }

    bool available = true;
    bool areaShowsMenu = true;
    bool shown = false;
    QMenu* menu = nullptr;
    int adds = 0;
    int removes = 0;
    QString tip;
};

class FakeLogon : public LogonEntries {
public:
    bool exists(const QString& name) const override { return entries.contains(name); }
    void create(const QString& name, const QString& exe) override
    {
        if (!failure.isEmpty())
            throw AppError(failure);
        if (entries.contains(name))
            throw AppError(QStringLiteral("exists"));
        entries.insert(name, exe);
        log.append(QStringLiteral("create ") + name);
    }
    void remove(const QString& name) override
    {
        if (!failure.isEmpty())
            throw AppError(failure);
        entries.remove(name);
        log.append(QStringLiteral("remove ") + name);
    }
    QMap<QString, QString> entries;
    QStringList log;
    QString failure;  // when set, every change fails with this text
};

class FakeLauncher : public Launcher {
public:
    bool startDetached(const QString& program, const QStringList& args, const QString& workDir) override
    {
        started.append(program + QLatin1Char(' ') + args.join(QLatin1Char(' ')) + QStringLiteral(" in ") + workDir);
        return succeed;
    }
    QStringList started;
    bool succeed = true;
};

class FakeInstance : public SingleInstance {
public:
    bool acquire() override { return free; }
    bool free = true;
};
