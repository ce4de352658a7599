#include "platform/trayicon.h"

#include <QSystemTrayIcon>
#include <QTimer>

namespace {
constexpr int kWatchIntervalMs = 1000;
}

QtTrayIcon::QtTrayIcon(QObject* parent) : TrayIcon(parent) {}

QtTrayIcon::~QtTrayIcon()
{
    remove();
}

void QtTrayIcon::add(const QIcon& icon, const QString& tip)
{
    if (m_icon)
        return;
    m_icon = new QSystemTrayIcon(icon, this);
    m_icon->setToolTip(tip);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger: emit mouseEvent(kLeftUp); break;
        case QSystemTrayIcon::DoubleClick: emit mouseEvent(kDoubleClick); break;
        case QSystemTrayIcon::Context: emit mouseEvent(kRightUp); break;
        default: break;
        }
    });
    m_icon->show();
    // A notification area may come up after the program (autostart races the
    // panel) or be restarted: show the icon again whenever one appears.
    m_wasAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    m_watch = new QTimer(this);
    connect(m_watch, &QTimer::timeout, this, &QtTrayIcon::watchForArea);
    m_watch->start(kWatchIntervalMs);
}

void QtTrayIcon::watchForArea()
{
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    if (available && !m_wasAvailable && m_icon) {
        m_icon->hide();
        m_icon->show();
    }
    m_wasAvailable = available;
}

void QtTrayIcon::remove()
{
    if (m_watch) {
        m_watch->stop();
        delete m_watch;
        m_watch = nullptr;
    }
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
