#pragma once
#include <QObject>
#include "platform/services.h"

class Alarms;
class LogonRule;
class Turns;
class WindowLife;
class mainform;

// The end of the program. Every way of closing the main window (the close box, File > Exit, the
// tray menu's Exit) ends in Form_Unload, which may refuse; the desktop session's end and the
// signals that ask the program to end ask nothing.
class Shutdown : public QObject {
    Q_OBJECT
public:
    Shutdown(const Services& services, Turns& turns, mainform& form, Alarms& alarms,
             WindowLife& window, LogonRule& logon);

    void Form_Unload(int& Cancel);
    // A save request of the session manager: a checkpoint, or a log-out that may yet be cancelled.
    void SessionSaveRequest();
    // The desktop session ends, or a signal asks the program to end.
    void EndSession();

signals:
    void ended();  // the main window has closed for good: the program ends

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;  // the window's close

private:
    // reminders.dat cannot be read at the exit: the program can still be ended.
    void EndUnread(int& Cancel, const QString& failure);
    bool NearAlarmWarning();  // "Exit Program?": true for OK

    Services m_services;
    Turns& m_turns;
    mainform& m_form;
    Alarms& m_alarms;
    WindowLife& m_window;
    LogonRule& m_logon;
};
