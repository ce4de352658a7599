#pragma once
#include <QDateTime>

// Local wall-clock time. Moments are handed out as QDateTime values marked as UTC that
// carry the local date and time fields unchanged ("naive" wall-clock values), so comparing
// two of them never goes through a time-zone conversion and a daylight-saving jump
// neither skips nor doubles an alarm.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;  // to the second
    QDate today() const { return now().date(); }
};

class SystemClock : public Clock {
public:
    QDateTime now() const override;
};
