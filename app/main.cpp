// Chimewright: reminders and alarms in the notification area.
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

int main(int argc, char* argv[])
{
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
    QObject::connect(&form, &mainform::ended, &app, &QCoreApplication::quit);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&form](QSessionManager&) { form.EndSession(); });
    endsignals::install([&form] { form.EndSession(); });

    bool running = false;
    form.guarded([&] { running = form.Form_Load(); });
    // A signal that arrives while start-up waits in a box ends the program there.
    if (!running || form.hasEnded())
        return 0;
    return app.exec();
}
