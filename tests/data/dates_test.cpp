#include "data/dates.h"
#include "data/shortest_number.h"
#include "settings/language.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

namespace kestrum {
namespace {

TEST(Dates, DateValues) {
    // 2005-01-01 is 38353 (36526 for 2000-01-01 plus 1827 days); add
    // January to May (151 days) and 2.
    EXPECT_EQ(DateValueFromYmd(2005, 6, 3), 38506.0);
    EXPECT_EQ(DateValueFromYmd(1899, 12, 30), 0.0);
    EXPECT_EQ(DateValueFromYmd(1899, 12, 31), 1.0);
    EXPECT_EQ(DateValueFromYmd(2000, 2, 29), 36526.0 + 31 + 28);
    EXPECT_EQ(DateValueOf(QDate(2005, 6, 3)), 38506.0);

    EXPECT_EQ(DateValueFromYmd(2005, 2, 29), -1.0);
    EXPECT_EQ(DateValueFromYmd(1900, 2, 29), -1.0);
    EXPECT_EQ(DateValueFromYmd(2005, 4, 31), -1.0);
    EXPECT_EQ(DateValueFromYmd(2005, 13, 1), -1.0);
    EXPECT_EQ(DateValueFromYmd(2005, 0, 1), -1.0);
    EXPECT_EQ(DateValueFromYmd(2005, 6, 0), -1.0);

    EXPECT_EQ(CalendarDate(38506.0), QDate(2005, 6, 3));
    EXPECT_EQ(CalendarDate(38506.99), QDate(2005, 6, 3));
    EXPECT_EQ(CalendarDate(-1.0), QDate(1899, 12, 29));
}

TEST(Dates, ShortAndLongTexts) {
    const double june3 = DateValueFromYmd(2005, 6, 3);
    EXPECT_EQ(ShortDateText(june3), QStringLiteral("Fri, June 3, 2005"));
    EXPECT_EQ(LongDateText(june3), QStringLiteral("Friday, June 3, 2005"));
    EXPECT_EQ(ShortDateText(june3 + 0.75), QStringLiteral("Fri, June 3, 2005"));
    EXPECT_EQ(ShortDateText(june3 + 1), QStringLiteral("Sat, June 4, 2005"));
    EXPECT_EQ(LongDateText(june3 + 2), QStringLiteral("Sunday, June 5, 2005"));
    EXPECT_EQ(ShortDateText(june3 + 3), QStringLiteral("Mon, June 6, 2005"));

    EXPECT_EQ(ShortDateText(DateValueFromYmd(2005, 9, 1)), QStringLiteral("Thu, Sept 1, 2005"));
    EXPECT_EQ(LongDateText(DateValueFromYmd(2005, 9, 1)),
              QStringLiteral("Thursday, September 1, 2005"));
    EXPECT_EQ(ShortDateText(DateValueFromYmd(2005, 7, 4)), QStringLiteral("Mon, July 4, 2005"));
    EXPECT_EQ(ShortDateText(DateValueFromYmd(2005, 1, 12)), QStringLiteral("Wed, Jan 12, 2005"));
    EXPECT_EQ(LongDateText(DateValueFromYmd(2005, 12, 31)),
              QStringLiteral("Saturday, December 31, 2005"));

    EXPECT_EQ(ShortDateText(-1.0), QStringLiteral("Fri, Dec 29, 1899"));
    EXPECT_EQ(LongDateText(-1.0), QStringLiteral("Friday, December 29, 1899"));
}

// French writes Canada's forms: day before month, lower case, no commas,
// and a 24-hour clock.
TEST(Dates, FrenchForms) {
    UseLanguage(kLanguageFrench);
    const struct {
        QString text;
        const char* expected;
    } cases[] = {
        {LongDateText(DateValueFromYmd(2007, 11, 13)), "mardi 13 novembre 2007"},
        {ShortDateText(DateValueFromYmd(2007, 11, 13)), "mar. 13 nov. 2007"},
        {LongDateText(DateValueFromYmd(2005, 8, 1)), "lundi 1er ao\u00fbt 2005"},
        {ClockText(13, 5), "13 h 05"},
        {ClockText(0, 7), "0 h 07"},
    };
    UseLanguage(kLanguageEnglish);
    for (const auto& c : cases)
        EXPECT_EQ(c.text, QString::fromUtf8(c.expected));
    EXPECT_EQ(LongDateText(DateValueFromYmd(2007, 11, 13)),
              QStringLiteral("Tuesday, November 13, 2007"));
}

TEST(Dates, DataDateLine) {
    EXPECT_EQ(DataDateText(-1.0), QStringLiteral("None"));
    EXPECT_EQ(DataDateText(0.0), QStringLiteral("Saturday, December 30, 1899"));
    EXPECT_EQ(DataDateText(38506.0), QStringLiteral("Friday, June 3, 2005"));
    EXPECT_EQ(DataDateText(-1.0000001), QStringLiteral("Friday, December 29, 1899"));
}

TEST(Dates, ValuesOutsideTheCalendarGiveNoText) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {nan, inf, -inf, 1e300, -1e300, 1e18}) {
        EXPECT_FALSE(CalendarDate(v).isValid()) << v;
        EXPECT_EQ(ShortDateText(v), QString()) << v;
        EXPECT_EQ(LongDateText(v), QString()) << v;
        EXPECT_EQ(DataDateText(v), QString()) << v;
    }
}

// The ISO text is written without QDate: it must say what QDate says for
// every day, leap years and centuries included, and nothing outside years
// 0 to 9999.
TEST(Dates, IsoTextAgreesWithTheCalendar) {
    for (double value = -800000; value <= 3000000; value += value > 0 && value < 110000 ? 1 : 97) {
        const QString expected = CalendarDate(value).toString(Qt::ISODate);
        ASSERT_EQ(IsoDateText(value), expected) << value;
        ASSERT_EQ(IsoDateText(value >= 0 ? value + 0.75 : value - 0.75), expected) << value;
    }
}

// Rates print as Qt prints them, without a QString each.
TEST(ShortestNumber, WritesWhatQtWrites) {
    for (int exponent = -320; exponent <= 308; ++exponent)
        for (const double mantissa : {1.0, 1.5, 9.99, 1.2345678901234567, 7.25}) {
            const double value = mantissa * std::pow(10.0, exponent);
            for (const double v : {value, std::nextafter(value, 0.0), std::round(value)}) {
                QByteArray text = "x";
                AppendShortestNumber(text, v);
                ASSERT_EQ(text,
                          "x" + QString::number(v, 'g', QLocale::FloatingPointShortest).toLatin1());
            }
        }
}

TEST(Clock, TwelveHourTexts) {
    EXPECT_EQ(ClockText(0, 7), QStringLiteral("12:07 AM"));
    EXPECT_EQ(ClockText(0, 0), QStringLiteral("12:00 AM"));
    EXPECT_EQ(ClockText(9, 5), QStringLiteral("9:05 AM"));
    EXPECT_EQ(ClockText(11, 59), QStringLiteral("11:59 AM"));
    EXPECT_EQ(ClockText(12, 0), QStringLiteral("12:00 PM"));
    EXPECT_EQ(ClockText(12, 30), QStringLiteral("12:30 PM"));
    EXPECT_EQ(ClockText(13, 5), QStringLiteral("1:05 PM"));
    EXPECT_EQ(ClockText(23, 0), QStringLiteral("11:00 PM"));

    EXPECT_EQ(MillisecondsToNextMinute(0), 60000);
    EXPECT_EQ(MillisecondsToNextMinute(1), 59000);
    EXPECT_EQ(MillisecondsToNextMinute(30), 30000);
    EXPECT_EQ(MillisecondsToNextMinute(59), 1000);
}

} // namespace
} // namespace kestrum
