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

// Who publishes what an address gives; anything but the two services counts
// as a page of the old layout and keeps the rule above.
enum class RatePublisher { BankOfCanada, Ecb, OldPage };
RatePublisher PublisherOf(const QString& address);

// The publisher's rule: the Bank of Canada publishes on weekdays by 16:30
// Toronto time, the ECB around 16:00 Frankfurt time, daylight saving
// included. Before the next publication NotYet gives the hours left, on a
// weekend in the publisher's zone WeekendWait. `bias` serves the old page.
PublicationCheck CheckPublication(RatePublisher publisher, const QDateTime& now, int bias,
                                  double dataDate);
QString HoursMessage(RatePublisher publisher, int hoursRemaining);

} // namespace kestrum
