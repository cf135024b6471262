// The current date and time. Code that stamps records with "now" (file headers, GPS
// records without a time of their own) asks a Clock, so that tests can fix the time.
#pragma once

#include <QDateTime>

namespace kel {

class Clock {
public:
    virtual ~Clock() = default;
    // The current local date and time.
    virtual QDateTime Now() const = 0;
    QDate Today() const { return Now().date(); }
};

class SystemClock : public Clock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still at a given time until it is set or advanced.
class FixedClock : public Clock {
public:
    FixedClock() : now_(QDate(2000, 1, 1), QTime(0, 0)) {}
    explicit FixedClock(const QDateTime& now) : now_(now) {}
    QDateTime Now() const override { return now_; }
    void Set(const QDateTime& now) { now_ = now; }
    void AdvanceSeconds(qint64 seconds) { now_ = now_.addSecs(seconds); }

private:
    QDateTime now_;
};

}  // namespace kel
