#include "alarm/alarmtimer.h"

#include <QDateTime>

AlarmTimer::AlarmTimer(QObject* parent) : QObject(parent)
{
    m_align.setSingleShot(true);
    m_align.setTimerType(Qt::PreciseTimer);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kIntervalMs);
    connect(&m_align, &QTimer::timeout, this, [this] {
        m_timer.start();
        emit tick();
    });
    connect(&m_timer, &QTimer::timeout, this, &AlarmTimer::tick);
}

void AlarmTimer::start(const ReminderRecord& saved)
{
    m_armed = saved;
    if (m_enabled)
        return;
    m_enabled = true;
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    m_align.start(static_cast<int>(kIntervalMs - ms % kIntervalMs));
}

void AlarmTimer::stop()
{
    m_enabled = false;
    m_armed = ReminderRecord{};
    m_align.stop();
    m_timer.stop();
}
