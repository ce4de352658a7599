#pragma once
#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;
class QSystemTrayIcon;

// The notification-area icon. Its mouse events come out as the codes the main
// window decodes: 514 left button released, 515 double-click, 517 right button.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    static constexpr int kLeftUp = 514;
    static constexpr int kDoubleClick = 515;
    static constexpr int kRightUp = 517;

    using QObject::QObject;
    // The menu goes to the notification area: exported to hosts that draw it
    // themselves, popped by Qt on a right click elsewhere.
    virtual void add(const QIcon& icon, const QString& tip, QMenu* menu) = 0;
    virtual void remove() = 0;
    // Whether the desktop shows a notification area now.
    virtual bool isAvailable() const = 0;
    // Whether the notification area shows the menu itself (the owner must not pop it again).
    virtual bool showsMenu() const = 0;

signals:
    void mouseEvent(int code);
    // The notification area came or went while the program runs (a panel restarted).
    void availabilityChanged();
};

class QtTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    explicit QtTrayIcon(QObject* parent = nullptr);
    ~QtTrayIcon() override;
    void add(const QIcon& icon, const QString& tip, QMenu* menu) override;
    void remove() override;
    bool isAvailable() const override;
    bool showsMenu() const override;

private slots:
    void follow();

private:
    QSystemTrayIcon* m_icon = nullptr;
    bool m_available = false;
};
