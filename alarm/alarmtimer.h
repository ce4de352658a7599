#pragma once
#include <QObject>
#include <QTimer>

// One member of the timer array: ticks every 5 seconds while enabled. The ticks
// fall on wall-clock multiples of 5 seconds, so the first tick of an alarm minute
// comes at its start rather than up to 5 seconds into it.
class AlarmTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 5000;

    explicit AlarmTimer(QObject* parent = nullptr);
    void start();
    void stop();
    bool isEnabled() const { return m_enabled; }
    int interval() const { return kIntervalMs; }

signals:
    void tick();

private:
    bool m_enabled = false;
    QTimer m_align;
    QTimer m_timer;
};
