// Chimewright: reminders and alarms in the notification area.
#include <csignal>
#include <QApplication>
#include <QSessionManager>
#include "app/app.h"
#include "app/endsignals.h"
#include "platform/clock.h"
#include "platform/filedialog.h"
#include "platform/launcher.h"
#include "platform/logonentry.h"
#include "platform/mediaplayer.h"
#include "platform/messageboxes.h"
#include "platform/singleinstance.h"
#include "platform/trayicon.h"

namespace {
// The session manager ends the application by a quit event, which would first close the window
// through its unload questions: the session's end asks nothing.
class SessionQuitFilter : public QObject {
public:
    explicit SessionQuitFilter(App& app) : m_app(app) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit)
            m_app.shutdown().EndSession();
        return false;
    }

private:
    App& m_app;
};

// Qt ends the program at once, without returning, when the display connection breaks, as at the
// end of a session: a ring's record steps still waiting for a box are written then.
App* g_app = nullptr;
void writePendingAtExit()
{
    if (g_app)
        g_app->alarms().WritePendingRecords();
}
}  // namespace

int main(int argc, char* argv[])
{
    // A file-size limit then fails the write, which is reported, instead of killing the program
    // in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Chimewright"));
    // The program lives on in the notification area with no window open.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString programDir = QCoreApplication::applicationDirPath();
    const QString executable = QCoreApplication::applicationFilePath();
    SystemClock clock;
    QtMessageBoxes boxes;
    QtFileDialog fileDialog;
    QtMediaPlayer player(programDir);
    QtTrayIcon tray;
    XdgAutostart logon;
    QtLauncher launcher;
    LockFileInstance instance(executable);
    const Services services{&clock, &boxes,    &fileDialog, &player,    &tray,
                            &logon, &launcher, &instance,   programDir, executable};

    App app(services);
    g_app = &app;
    std::atexit(writePendingAtExit);
    struct Forget {
        ~Forget() { g_app = nullptr; }  // a normal end has run every step already
    } forget;
    QObject::connect(&app.shutdown(), &Shutdown::ended, &qapp, &QCoreApplication::quit);
    // A save request of the session may be a checkpoint or a log-out that is then cancelled: it
    // only brings the log-on entry in step. The session's real end quits the application, which
    // ends the program without questions.
    QObject::connect(&qapp, &QGuiApplication::commitDataRequest, &app,
                     [&app](QSessionManager&) { app.shutdown().SessionSaveRequest(); });
    QObject::connect(&qapp, &QCoreApplication::aboutToQuit, &app,
                     [&app] { app.shutdown().EndSession(); });
    SessionQuitFilter quitFilter(app);
    qapp.installEventFilter(&quitFilter);
    endsignals::install([&app] { app.shutdown().EndSession(); });

    bool running = false;
    app.turns().run([&] { running = app.Form_Load(); });
    // A signal that arrives while start-up waits in a box ends the program there.
    if (!running || app.turns().hasEnded())
        return 0;
    return qapp.exec();
}
