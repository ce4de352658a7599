// Chimewright: reminders and alarms in the notification area.
#include <csignal>
#include <cstdlib>
#include <QApplication>
#include <QSessionManager>
#include "app/endsignals.h"
#include "editor/mainform.h"
#include "platform/clock.h"
#include "platform/filedialog.h"
#include "platform/launcher.h"
#include "platform/logonentry.h"
#include "platform/mediaplayer.h"
#include "platform/messageboxes.h"
#include "platform/singleinstance.h"
#include "platform/trayicon.h"

namespace {
// The session manager ends the application by a quit event, which would first
// close the window through its unload questions: the session's end asks nothing.
class SessionQuitFilter : public QObject {
public:
    explicit SessionQuitFilter(mainform& form) : m_form(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit && !m_form.hasEnded())
            m_form.EndSession();
        return false;
    }

private:
    mainform& m_form;
};

// Qt ends the program at once, without returning, when the display connection breaks, as
// at the end of a session: a ring's record steps still waiting for a box are written then.
mainform* g_form = nullptr;
void writePendingAtExit()
{
    if (g_form)
        g_form->WritePendingRecords();
}
}  // namespace

int main(int argc, char* argv[])
{
    // A file-size limit then fails the write, which is reported, instead of
    // killing the program in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Chimewright"));
    // The program lives on in the notification area with no window open.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString programDir = QCoreApplication::applicationDirPath();
    SystemClock clock;
    QtMessageBoxes boxes;
    QtFileDialog fileDialog;
    QtMediaPlayer player(programDir);
    QtTrayIcon tray;
    XdgAutostart logon;
    QtLauncher launcher;
    LockFileInstance instance(QCoreApplication::applicationFilePath());
    Services services{&clock, &boxes, &fileDialog, &player, &tray, &logon, &launcher, &instance,
                      programDir, QCoreApplication::applicationFilePath()};

    mainform form(services);
    g_form = &form;
    std::atexit(writePendingAtExit);
    struct Forget {
        ~Forget() { g_form = nullptr; }  // a normal end has run every step already
    } forget;
    QObject::connect(&form, &mainform::ended, &app, &QCoreApplication::quit);
    // A save request of the session may be a checkpoint or a log-out that is then
    // cancelled: it only brings the log-on entry in step. The session's real end
    // quits the application, which ends the program without questions.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&form](QSessionManager&) { form.SessionSaveRequest(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &form, [&form] { form.EndSession(); });
    SessionQuitFilter quitFilter(form);
    app.installEventFilter(&quitFilter);
    endsignals::install([&form] { form.EndSession(); });

    bool running = false;
    form.guarded([&] { running = form.Form_Load(); });
    // A signal that arrives while start-up waits in a box ends the program there.
    if (!running || form.hasEnded())
        return 0;
    return app.exec();
}
