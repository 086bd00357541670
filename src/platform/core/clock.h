#pragma once

#include <QDateTime>

namespace ravlin {

// Date and time for file headers and reports.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace ravlin
