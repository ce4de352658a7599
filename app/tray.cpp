// The notification-area icon, hiding on minimise, and the tray menu.
#include <QCursor>
#include <QMenu>
#include <QPlainTextEdit>
#include "editor/mainform.h"
#include "platform/trayicon.h"
#include "platform/windowlist.h"
#include "summary/viewsettings.h"

void mainform::Form_MouseMove(int code)
{
    switch (code) {
    case TrayIcon::kLeftUp:
    case TrayIcon::kDoubleClick:
        RestoreFromIcon();
        break;
    case TrayIcon::kRightUp:
        // The notification area shows the menu it was given; pop it here only where it does not.
        if (m_services.tray && m_services.tray->showsMenu())
            break;
        activateWindow();
        mPopupSys->popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void mainform::RestoreFromIcon()
{
    windowlist::closeFirstTagged(QStringLiteral("chimeview"));
    mPopRestore_Click();
}

void mainform::Form_Resize()
{
    if (WindowState() != 1)
        return;
    SavePendingChanges();
    // An alarm that rang while the save question was open has restored the window.
    if (WindowState() != 1)
        return;
    Withdraw();
}

// Without a notification area the window stays minimised in the task bar, or the
// program could never be reached again.
void mainform::Withdraw()
{
    if (hasNotificationArea()) {
        hide();
    } else if (!isVisible() || !isMinimized()) {
        m_settingState = true;
        showMinimized();
        m_settingState = false;
    }
}

// The notification area went away or came back while the program runs (a panel
// restarted): a withdrawn window waits in the task bar meanwhile and goes back to
// the icon with the area. A shown window, and any box, stay as they are.
void mainform::TrayArea_Change()
{
    if (!m_ended && WindowState() == 1)
        Withdraw();
}

void mainform::mPopRestore_Click()
{
    // A window coming back has the keyboard where its first show put it, in the
    // message: an activation the window manager sent while it was hidden may have
    // moved the focus to the first control.
    const bool returning = !isVisible() || isMinimized();
    SetWindowState(0);
    show();
    raise();
    activateWindow();
    if (returning)
        Text2->setFocus();
}

bool mainform::hasNotificationArea() const
{
    return m_services.tray && m_services.tray->isAvailable();
}

void mainform::mPopDetails_Click()
{
    viewsettings* window = summaryWindow();
    if (!window)
        window = new viewsettings(m_services);
    window->show();
    window->raise();
    window->activateWindow();
}

void mainform::mPopExit_Click()
{
    close();
}

viewsettings* mainform::summaryWindow() const
{
    return qobject_cast<viewsettings*>(windowlist::firstTagged(QStringLiteral("chimeview")));
}
