#include "platform/trayicon.h"

#include <QMenu>
#include <QSystemTrayIcon>

QtTrayIcon::QtTrayIcon(QObject* parent) : TrayIcon(parent) {}

QtTrayIcon::~QtTrayIcon()
{
    remove();
}

void QtTrayIcon::add(const QIcon& icon, const QString& tip, QMenu* menu)
{
    if (m_icon)
        return;
    m_icon = new QSystemTrayIcon(icon, this);
    m_icon->setToolTip(tip);
    m_icon->setContextMenu(menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger: emit mouseEvent(kLeftUp); break;
        case QSystemTrayIcon::DoubleClick: emit mouseEvent(kDoubleClick); break;
        case QSystemTrayIcon::Context: emit mouseEvent(kRightUp); break;
        default: break;
        }
    });
    // A notification area that comes up later (autostart races the panel) or is
    // restarted gets the icon from Qt itself: it follows the tray selection owner
    // and the StatusNotifierWatcher's name, so nothing here needs to poll.
    m_icon->show();
}

void QtTrayIcon::remove()
{
    if (m_icon) {
        m_icon->hide();
        delete m_icon;
        m_icon = nullptr;
    }
}

bool QtTrayIcon::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtTrayIcon::showsMenu() const
{
    return m_icon && m_icon->contextMenu();
}
