#include "publication_rule.h"

#include "data/dates.h"
#include "settings/message_table.h"

#include <cmath>

namespace kestrum {

LocalMoment MomentOf(const QDateTime& local) {
    const QDate date = local.date();
    const QTime time = local.time();
    return {DateValueOf(date), time.hour(), time.minute(), date.dayOfWeek() % 7 + 1};
}

int WeekdayOf(double dateValue) {
    const long long day = static_cast<long long>(std::floor(dateValue));
    return static_cast<int>(((day - 1) % 7 + 7) % 7) + 1;
}

PublicationCheck CheckPublication(const LocalMoment& now, int bias, double dataDate) {
    constexpr int kSaturday = 7;
    constexpr int kSunday = 1;
    constexpr int kFriday = 6;
    constexpr int kPublicationHour = 18;
    if ((now.weekday == kSaturday || now.weekday == kSunday) && WeekdayOf(dataDate) == kFriday &&
        !(now.today - 2 > dataDate))
        return {Publication::WeekendWait, 0};
    if (now.today - 1 > dataDate)
        return {};
    // Integer division truncates toward zero, as the rule intends: -30 / 60 is 0.
    const int h = (now.hour * 60 + now.minute + bias) / 60;
    if (h >= kPublicationHour)
        return {};
    return {Publication::NotYet, kPublicationHour - h};
}

QString HoursMessage(int hoursRemaining) {
    return QString::fromLatin1(Message(msg::HoursRule)) + QLatin1Char('\n') +
           QString::fromLatin1(Message(msg::Approximately)) + QString::number(hoursRemaining) +
           QString::fromLatin1(Message(msg::HoursRemaining));
}

} // namespace kestrum
