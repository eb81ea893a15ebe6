#pragma once

#include <QDateTime>

namespace kv {

// Where "now" comes from; tests pass a clock of their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace kv
