#include "dates.h"

#include "rate_store.h"
#include "settings/language.h"

#include <QCoreApplication>

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

// French writes the day before the month and no commas, in lower case:
// "mardi 13 novembre 2007", "mar. 13 nov. 2007", "lundi 1er août 2005".
QString FrenchDateText(double value, bool longForm) {
    const QDate date = CalendarDate(value);
    if (!date.isValid())
        return QString();
    // The first of a month is "1er".
    const QString day = date.day() == 1 ? QStringLiteral("d'er'") : QStringLiteral("d");
    return LocaleOfLanguage(kLanguageFrench)
        .toString(date, longForm ? QStringLiteral("dddd %1 MMMM yyyy").arg(day)
                                 : QStringLiteral("ddd %1 MMM yyyy").arg(day));
}

QString DateText(double value, const char* const* days, const char* const* months) {
    if (ShownLanguage() == kLanguageFrench)
        return FrenchDateText(value, days == kLongDays);
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

int WriteIsoDate(double value, char* out) {
    // Series print thousands of these: the civil date is computed directly
    // (the days-to-civil algorithm of the proleptic Gregorian calendar)
    // rather than through QDate's text formatting.
    if (!std::isfinite(value) || std::fabs(value) > kLargestDayCount)
        return 0;
    const long long z = static_cast<long long>(std::trunc(value)) - 25569 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long dayOfEra = z - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shifted = (5 * dayOfYear + 2) / 153;
    const int day = int(dayOfYear - (153 * shifted + 2) / 5 + 1);
    const int month = int(shifted < 10 ? shifted + 3 : shifted - 9);
    const long long year = yearOfEra + era * 400 + (month <= 2);
    // As Qt's ISO text: years 1 to 9999 only.
    if (year < 1 || year > 9999)
        return 0;
    const auto digits = [&out](int number, int count) {
        for (int i = count - 1; i >= 0; --i, number /= 10)
            out[i] = char('0' + number % 10);
        out += count;
    };
    digits(int(year), 4);
    *out++ = '-';
    digits(month, 2);
    *out++ = '-';
    digits(day, 2);
    return 10;
}

QString IsoDateText(double value) {
    char text[10];
    return QString::fromLatin1(text, WriteIsoDate(value, text));
}

QString DateTextOrNa(double value, QString (*text)(double)) {
    return value == kNotAvailable ? QStringLiteral("NA") : text(value);
}

QString DataDateText(double value) {
    return value == kNotAvailable ? QCoreApplication::translate("Dates", "None")
                                  : LongDateText(value);
}

QString ClockText(int hour, int minute) {
    // Canadian French reads the 24-hour clock: "13 h 05".
    if (ShownLanguage() == kLanguageFrench)
        return QStringLiteral("%1 h %2").arg(hour).arg(minute, 2, 10, QLatin1Char('0'));
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
