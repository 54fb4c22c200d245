#pragma once

#include <QDate>
#include <QString>

namespace kestrum {

// Dates are counted in days from 30 December 1899; the fraction is the time of
// day. Texts follow the language in use (settings/language.h): English by
// default, as the command line writes them.

// The date value of a calendar day, or -1 when the day does not exist.
double DateValueFromYmd(int year, int month, int day);
double DateValueOf(const QDate& date);
// The calendar day of a date value (its whole-day part); invalid when the
// value lies outside the calendar.
QDate CalendarDate(double value);
double TodayDateValue();

// "Fri, June 3, 2005"; in French "ven. 3 juin 2005".
QString ShortDateText(double value);
// "Friday, June 3, 2005"; in French "vendredi 3 juin 2005".
QString LongDateText(double value);
// "2005-06-03", as files and the command line write dates.
QString IsoDateText(double value);
// The same ten characters at `out`, returning 10; 0 (nothing written) where
// IsoDateText is empty.
int WriteIsoDate(double value, char* out);
// A heading or sentence's date: "NA" for -1, else the given date text.
QString DateTextOrNa(double value, QString (*text)(double));
// The data-date line: "None" for -1, else the long date text.
QString DataDateText(double value);

// "12:07 AM", "1:05 PM": a 12-hour clock without a leading zero; in French
// "13 h 05".
QString ClockText(int hour, int minute);
// Milliseconds until the next minute starts, given the current second.
int MillisecondsToNextMinute(int second);

} // namespace kestrum
