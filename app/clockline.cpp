// The clock line's text: date, Chinese weekday and time.
#include "app/clockline.h"

namespace kv {

QString ChineseWeekday(int qtDayOfWeek) {
    static const char* const names[] = {"星期一", "星期二", "星期三", "星期四",
                                        "星期五", "星期六", "星期日"};
    if (qtDayOfWeek < 1 || qtDayOfWeek > 7) return QString();
    return QString::fromUtf8(names[qtDayOfWeek - 1]);
}

QString FormatClockLine(const QDateTime& now, QString* weekdayOut) {
    const QDate d = now.date();
    const QTime t = now.time();
    const QString weekday = ChineseWeekday(d.dayOfWeek());
    if (weekdayOut) *weekdayOut = weekday;
    const QString date = QStringLiteral("%1年%2月%3日")
                             .arg(d.year(), 4, 10, QLatin1Char('0'))
                             .arg(d.month(), 2, 10, QLatin1Char('0'))
                             .arg(d.day(), 2, 10, QLatin1Char('0'));
    const QString time = QStringLiteral("%1:%2:%3")
                             .arg(t.hour(), 2, 10, QLatin1Char('0'))
                             .arg(t.minute(), 2, 10, QLatin1Char('0'))
                             .arg(t.second(), 2, 10, QLatin1Char('0'));
    return date + QStringLiteral("  ") + weekday + QStringLiteral("  ") + time;
}

} // namespace kv
