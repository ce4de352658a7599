#include "platform/trayicon.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

// The area is followed by events, never by a poll: the owner of the X11 tray
// selection, as Qt's platform reports it, and the StatusNotifierWatcher's name on
// the session bus.
QtTrayIcon::QtTrayIcon(QObject* parent) : TrayIcon(parent), m_available(isAvailable())
{
    // Qt's platform object is a QObject; its tray-window signal exists only on X11.
    auto* native = reinterpret_cast<QObject*>(QGuiApplication::platformNativeInterface());
    if (native && native->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") >= 0)
        connect(native, SIGNAL(systemTrayWindowChanged(QScreen*)), this, SLOT(follow()));
    auto* watcher = new QDBusServiceWatcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
                                            QDBusConnection::sessionBus(),
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &QtTrayIcon::follow);
}

QtTrayIcon::~QtTrayIcon() { remove(); }

void QtTrayIcon::add(const QIcon& icon, const QString& tip, QMenu* menu)
{
    if (m_icon)
        return;
    m_icon = new QSystemTrayIcon(icon, this);
    m_icon->setToolTip(tip);
    m_icon->setContextMenu(menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                switch (reason) {
                case QSystemTrayIcon::Trigger:
                    emit mouseEvent(kLeftUp);
                    break;
                case QSystemTrayIcon::DoubleClick:
                    emit mouseEvent(kDoubleClick);
                    break;
                case QSystemTrayIcon::Context:
                    emit mouseEvent(kRightUp);
                    break;
                default:
                    break;
                }
            });
    // An area that comes up later or comes back (autostart races the panel, a panel
    // restarts) gets the icon from Qt itself: it docks it in the new tray or
    // registers it with the new watcher.
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

void QtTrayIcon::follow()
{
    const bool available = isAvailable();
    if (available == m_available)
        return;
    m_available = available;
    emit availabilityChanged();
}
bool QtTrayIcon::isAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

bool QtTrayIcon::showsMenu() const { return m_icon && m_icon->contextMenu(); }
