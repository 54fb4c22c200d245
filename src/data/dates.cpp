#include "dates.h"

#include "rate_store.h"

#include <cmath>

namespace kestrum {

namespace {

const QDate kEpoch(1899, 12, 30);
// Far beyond any real date; keeps corrupt file contents away from the calendar.
constexpr double kLargestDayCount = 3.0e6;

constexpr const char* kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kLongDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
constexpr const char* kShortMonths[] = {"Jan",  "Feb", "Mar",  "Apr", "May", "June",
                                        "July", "Aug", "Sept", "Oct", "Nov", "Dec"};
constexpr const char* kLongMonths[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};

QString DateText(double value, const char* const* days, const char* const* months) {
    const QDate date = CalendarDate(value);
    if (!date.isValid())
        return QString();
    // QDate counts Monday = 1 .. Sunday = 7; the tables start on Sunday.
    const int weekday = date.dayOfWeek() % 7;
    return QStringLiteral("%1, %2 %3, %4")
        .arg(QLatin1String(days[weekday]), QLatin1String(months[date.month() - 1]))
        .arg(date.day())
        .arg(date.year());
}

} // namespace

double DateValueFromYmd(int year, int month, int day) {
    const QDate date(year, month, day);
    return date.isValid() ? DateValueOf(date) : kNotAvailable;
}

double DateValueOf(const QDate& date) {
    return static_cast<double>(kEpoch.daysTo(date));
}

QDate CalendarDate(double value) {
    if (!std::isfinite(value) || std::fabs(value) > kLargestDayCount)
        return QDate();
    return kEpoch.addDays(static_cast<qint64>(std::trunc(value)));
}

double TodayDateValue() {
    return DateValueOf(QDate::currentDate());
}

QString ShortDateText(double value) {
    return DateText(value, kShortDays, kShortMonths);
}

QString LongDateText(double value) {
    return DateText(value, kLongDays, kLongMonths);
}

QString IsoDateText(double value) {
    return CalendarDate(value).toString(Qt::ISODate);
}

QString DateTextOrNa(double value, QString (*text)(double)) {
    return value == kNotAvailable ? QStringLiteral("NA") : text(value);
}

QString DataDateText(double value) {
    return value == kNotAvailable ? QStringLiteral("None") : LongDateText(value);
}

QString ClockText(int hour, int minute) {
    const int shown = hour % 12 == 0 ? 12 : hour % 12;
    return QStringLiteral("%1:%2 %3")
        .arg(shown)
        .arg(minute, 2, 10, QLatin1Char('0'))
        .arg(hour < 12 ? QLatin1String("AM") : QLatin1String("PM"));
}

int MillisecondsToNextMinute(int second) {
    return (60 - second) * 1000;
}

} // namespace kestrum
