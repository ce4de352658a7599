// The main window's life: hiding on minimise, the notification-area icon and its menu.
#include "app/windowlife.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>
#include "alarm/turns.h"
#include "editor/mainform.h"
#include "platform/trayicon.h"
#include "platform/windowlist.h"
#include "summary/viewsettings.h"

WindowLife::WindowLife(const Services& services, Turns& turns, mainform& form)
    : m_services(services)
    , m_turns(turns)
    , m_form(form)
{
    form.installEventFilter(this);
    auto on = [this](QAction* action, void (WindowLife::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { m_turns.run([this, handler] { (this->*handler)(); }); });
    };
    on(form.mPopRestore, &WindowLife::mPopRestore_Click);
    on(form.mPopDetails, &WindowLife::mPopDetails_Click);
    on(form.mPopExit, &WindowLife::mPopExit_Click);
    if (TrayIcon* tray = m_services.tray) {
        connect(tray, &TrayIcon::mouseEvent, this,
                [this](int code) { m_turns.run([this, code] { Form_MouseMove(code); }); });
        connect(tray, &TrayIcon::availabilityChanged, this,
                [this] { m_turns.run([this] { TrayArea_Change(); }); });
    }
}

bool WindowLife::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_form)
        return false;
    if (event->type() == QEvent::WindowActivate)
        m_turns.run([this] { Form_Activate(); });
    // The user minimises or restores the shown window through the window manager. A hidden
    // window was withdrawn by the program: late answers about it change nothing.
    if (event->type() != QEvent::WindowStateChange || m_settingState || !m_form.isVisible())
        return false;
    const int state = m_form.isMinimized() ? 1 : 0;
    if (state == m_windowState)
        return false;
    m_windowState = state;
    if (state == 1) {
        // A handler waiting in a box may hold the file: the minimise waits for its turn.
        QTimer::singleShot(0, this, [this] {
            m_turns.run([this] {
                if (m_turns.mayTouchFileNow())
                    Form_Resize();
                else
                    m_turns.defer([this] { Form_Resize(); });
            });
        });
    }
    return false;
}

void WindowLife::Form_Activate() { QDir::setCurrent(m_services.programDir); }

void WindowLife::SetWindowState(int state)
{
    m_windowState = state;
    // Minimising is not asked of the window manager here: it answers later, and its answer would
    // meet a window the minimise handling has hidden already, leaving it iconic for the next
    // restore. Form_Resize hides the window, or minimises it itself without a notification area.
    if (state == 0 && m_form.isMinimized()) {
        m_settingState = true;
        m_form.setWindowState(m_form.windowState() & ~Qt::WindowMinimized);
        m_settingState = false;
    }
    Form_Resize();
}

void WindowLife::Form_MouseMove(int code)
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
        m_form.activateWindow();
        m_form.mPopupSys->popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void WindowLife::RestoreFromIcon()
{
    windowlist::closeFirstTagged(QStringLiteral("chimeview"));
    mPopRestore_Click();
}

void WindowLife::Form_Resize()
{
    if (m_turns.hasEnded() || WindowState() != 1)
        return;
    m_form.SavePendingChanges();
    // An alarm that rang while the save question was open has restored the window.
    if (WindowState() != 1)
        return;
    Withdraw();
}

void WindowLife::Withdraw()
{
    if (hasNotificationArea()) {
        m_form.hide();
    } else if (!m_form.isVisible() || !m_form.isMinimized()) {
        m_settingState = true;
        m_form.showMinimized();
        m_settingState = false;
    }
}

// The notification area went away or came back while the program runs (a panel restarted): a
// withdrawn window waits in the task bar meanwhile and goes back to the icon with the area. A
// shown window, and any box, stay as they are.
void WindowLife::TrayArea_Change()
{
    if (!m_turns.hasEnded() && WindowState() == 1)
        Withdraw();
}

void WindowLife::mPopRestore_Click()
{
    // A window coming back has the keyboard where its first show put it, in the message: an
    // activation the window manager sent while it was hidden may have moved the focus.
    const bool returning = !m_form.isVisible() || m_form.isMinimized();
    SetWindowState(0);
    m_form.show();
    m_form.raise();
    m_form.activateWindow();
    if (returning)
        m_form.Text2->setFocus();
}

// A StatusNotifierItem host sends its menu clicks over D-Bus, past the modality of a box
// waiting for its answer: Details and Exit then would open the file the waiting handler holds,
// or withdraw the window under a ringing box. They bring the box forward instead.
void WindowLife::mPopDetails_Click()
{
    if (!m_turns.mayTouchFileNow())
        return BringBoxForward();
    viewsettings* window = viewsettings::loaded();
    if (!window)
        window = new viewsettings();
    window->show();
    window->raise();
    window->activateWindow();
}

void WindowLife::mPopExit_Click()
{
    if (!m_turns.mayTouchFileNow())
        return BringBoxForward();
    m_form.close();
}

// The program was started again: the window comes forward as a click on the icon brings it,
// the keyboard user's way back where the notification area takes no keyboard focus. A box
// waiting for its answer comes forward first.
void WindowLife::Launch_Request()
{
    m_turns.run([this] {
        if (m_turns.hasEnded())
            return;
        if (!m_turns.mayTouchFileNow())
            return BringBoxForward();
        RestoreFromIcon();
    });
}

void WindowLife::BringBoxForward()
{
    if (QWidget* box = QApplication::activeModalWidget()) {
        box->raise();
        box->activateWindow();
    }
}

void WindowLife::AddIcon()
{
    if (m_services.tray)
        m_services.tray->add(m_form.windowIcon(), QStringLiteral("Chimewright"), m_form.mPopupSys);
}

void WindowLife::RemoveIcon()
{
    if (m_services.tray)
        m_services.tray->remove();
}

bool WindowLife::hasNotificationArea() const
{
    return m_services.tray && m_services.tray->isAvailable();
}

bool WindowLife::isShownInFront() const
{
    return m_form.isVisible() && !m_form.isMinimized() && m_windowState != 1;
}
