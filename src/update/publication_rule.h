#pragma once

#include <QDateTime>
#include <QString>

namespace kestrum {

// The local clock as the publication rule reads it.
struct LocalMoment {
    double today = 0; // date value, whole days
    int hour = 0;
    int minute = 0;
    int weekday = 1; // Sunday = 1 .. Saturday = 7
};

LocalMoment MomentOf(const QDateTime& local);
// Sunday = 1 .. Saturday = 7 for a date value (30 December 1899 was a Saturday).
int WeekdayOf(double dateValue);

enum class Publication {
    Available,
    WeekendWait, // weekend with Friday's data: nothing new until Monday, said silently
    NotYet,      // yesterday's data and before the hour: the hours message applies
};

struct PublicationCheck {
    Publication result = Publication::Available;
    int hoursRemaining = 0; // for NotYet
};

// Whether a newer rate page can be expected. `bias` is the zone's base offset
// in minutes west of UTC, without any daylight correction: new rates appear
// on weekdays from 18:00 by local time plus bias.
PublicationCheck CheckPublication(const LocalMoment& now, int bias, double dataDate);

// The hours message, its two lines separated by a line break.
QString HoursMessage(int hoursRemaining);

} // namespace kestrum
