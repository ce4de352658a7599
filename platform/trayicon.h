#pragma once
#include <QIcon>
#include <QObject>
#include <QString>

class QSystemTrayIcon;
class QTimer;

// The notification-area icon. Its mouse events come out as the codes the main
// window decodes: 514 left button released, 515 double-click, 517 right button.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    static constexpr int kLeftUp = 514;
    static constexpr int kDoubleClick = 515;
    static constexpr int kRightUp = 517;

    using QObject::QObject;
    virtual void add(const QIcon& icon, const QString& tip) = 0;
    virtual void remove() = 0;
    // Whether the desktop shows a notification area now.
    virtual bool isAvailable() const = 0;

signals:
    void mouseEvent(int code);
};

class QtTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    explicit QtTrayIcon(QObject* parent = nullptr);
    ~QtTrayIcon() override;
    void add(const QIcon& icon, const QString& tip) override;
    void remove() override;
    bool isAvailable() const override;

private:
    void watchForArea();

    QSystemTrayIcon* m_icon = nullptr;
    QTimer* m_watch = nullptr;
    bool m_wasAvailable = false;
};
