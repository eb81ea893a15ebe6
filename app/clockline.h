#pragma once

#include <QDateTime>
#include <QString>

namespace kv {

// Chinese weekday name; Qt numbers Monday 1 to Sunday 7.
QString ChineseWeekday(int qtDayOfWeek);

// "2026年03月05日  星期四  09:07:45"; weekdayOut receives the weekday name.
QString FormatClockLine(const QDateTime& now, QString* weekdayOut = nullptr);

} // namespace kv
