// The floor for any Qt 6 tray program: a hidden window, a tray icon, a media player
// object and one 5-second timer. Chimewright is measured against it.
#include <QApplication>
#include <QAudioOutput>
#include <QMediaPlayer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::darkYellow);
    QSystemTrayIcon tray{QIcon(pixmap)};
    tray.setToolTip(QStringLiteral("Floor"));
    tray.show();
    QMediaPlayer player;
    QTimer timer;
    timer.start(5000);
    return app.exec();
}
