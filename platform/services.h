#pragma once
#include <QString>

class Clock;
class MessageBoxes;
class FileDialog;
class MediaPlayer;
class TrayIcon;
class LogonEntries;
class Launcher;
class SingleInstance;

// The platform services the windows use; the real ones in the program, doubles in tests.
struct Services {
    Clock* clock = nullptr;
    MessageBoxes* boxes = nullptr;
    FileDialog* fileDialog = nullptr;
    MediaPlayer* player = nullptr;
    TrayIcon* tray = nullptr;
    LogonEntries* logon = nullptr;
    Launcher* launcher = nullptr;
    SingleInstance* instance = nullptr;
    QString programDir;      // the folder of the executable
    QString executablePath;  // absolute path of the running executable
};
