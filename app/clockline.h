#pragma once

// The clock line's text under the main window's status bar, as plain functions.
#include <QDateTime>
#include <QString>

namespace kv {

// Chinese weekday name; Qt numbers Monday 1 to Sunday 7.
QString ChineseWeekday(int qtDayOfWeek);

// "2026年03月05日  星期四  09:07:45"; weekdayOut receives the weekday name.
QString FormatClockLine(const QDateTime& now, QString* weekdayOut = nullptr);

} // namespace kv
