#pragma once
#include <QObject>
#include "platform/services.h"

class Turns;
class mainform;

// The main window's life: shown, minimised, or withdrawn to the notification area; the tray
// icon's clicks and its menu; a later start asking for the window; the notification area coming
// and going. Without a notification area the window waits minimised in the task bar instead, or
// the program could never be reached again.
class WindowLife : public QObject {
    Q_OBJECT
public:
    WindowLife(const Services& services, Turns& turns, mainform& form);

    // Window state as the handlers see it: 0 normal, 1 minimised.
    int WindowState() const { return m_windowState; }
    void SetWindowState(int state);

    void Form_Activate();
    void Form_MouseMove(int code);
    void Form_Resize();
    void TrayArea_Change();  // the notification area came or went
    void mPopRestore_Click();
    void mPopDetails_Click();
    void mPopExit_Click();
    void Launch_Request();  // a later start of the program asks for the window
    void AddIcon();
    void RemoveIcon();

    // A shown main window is minimised instead of closed; a minimised one can go no further, so
    // it counts as withdrawn.
    bool isShownInFront() const;

protected:
    // The window manager's minimise, and the window's activation.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RestoreFromIcon();
    void BringBoxForward();
    void Withdraw();
    bool hasNotificationArea() const;

    Services m_services;
    Turns& m_turns;
    mainform& m_form;
    int m_windowState = 0;
    bool m_settingState = false;  // the program itself changes the window's state
};
