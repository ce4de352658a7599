#pragma once
#include <QObject>
#include <QTimer>
#include "store/reminderrecord.h"

// One member of the timer array: ticks every 5 seconds while enabled. The ticks
// fall on wall-clock multiples of 5 seconds, so the first tick of an alarm minute
// comes at its start rather than up to 5 seconds into it.
//
// A running timer carries the armed record as it was saved when the timer was
// started: only that saved moment can ring, never an edit still in the editor.
class AlarmTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 5000;

    explicit AlarmTimer(QObject* parent = nullptr);
    // Starts, or goes on running with a newer saved record.
    void start(const ReminderRecord& saved);
    void stop();
    bool isEnabled() const { return m_enabled; }
    const ReminderRecord& armed() const { return m_armed; }

signals:
    void tick();

private:
    bool m_enabled = false;
    ReminderRecord m_armed;
    QTimer m_align;
    QTimer m_timer;
};
