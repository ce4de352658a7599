// The notification-area icon, hiding on minimise, and the tray menu.
#include <QCursor>
#include <QMenu>
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
    // Without a notification area the window stays minimised in the task bar, or
    // the program could never be reached again.
    if (hasNotificationArea()) {
        hide();
    } else if (!isMinimized()) {
        m_settingState = true;
        showMinimized();
        m_settingState = false;
    }
}

void mainform::mPopRestore_Click()
{
    SetWindowState(0);
    show();
    raise();
    activateWindow();
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
