#pragma once

// A clock stopped at one moment, for tests whose texts or file names carry the time.
#include "platform/clock.h"

namespace kvtest {

class FixedClock final : public kv::Clock {
public:
    // 5 March 2026, 09:07:45, a Thursday, unless told otherwise.
    explicit FixedClock(QDateTime at = QDateTime(QDate(2026, 3, 5), QTime(9, 7, 45)))
        : at_(std::move(at)) {}
    QDateTime now() const override { return at_; }

private:
    QDateTime at_;
};

} // namespace kvtest
