#include "publication_rule.h"

#include "data/dates.h"
#include "settings/message_table.h"
#include "sources/source_table.h"

#include <QCoreApplication>

#include <QTimeZone>
#include <QUrl>
#include <algorithm>
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
    return MessageText(msg::HoursRule) + QLatin1Char('\n') + MessageText(msg::Approximately) +
           QString::number(hoursRemaining) + MessageText(msg::HoursRemaining);
}

namespace {

// The publisher's time from the table of sources.
const sources::PublicationTime& TimeOf(RatePublisher publisher) {
    return sources::SourceNamed(publisher == RatePublisher::Ecb ? u"ecb" : u"boc")->publication;
}

bool IsWeekday(const QDate& date) {
    return date.dayOfWeek() <= 5;
}

} // namespace

RatePublisher PublisherOf(const QString& address) {
    const QUrl url(address);
    const QString host = url.host().toLower();
    const auto at = [&host](QLatin1String domain) {
        return host == domain || host.endsWith(QLatin1Char('.') + domain);
    };
    if (at(QLatin1String("bankofcanada.ca")) && url.path().startsWith(QLatin1String("/valet/")))
        return RatePublisher::BankOfCanada;
    if (at(QLatin1String("ecb.europa.eu")))
        return RatePublisher::Ecb;
    return RatePublisher::OldPage;
}

PublicationCheck CheckPublication(RatePublisher publisher, const QDateTime& now, int bias,
                                  double dataDate) {
    if (publisher == RatePublisher::OldPage)
        return CheckPublication(MomentOf(now), bias, dataDate);
    const sources::PublicationTime& rule = TimeOf(publisher);
    const QTime time(rule.hour, rule.minute);
    QTimeZone zone(rule.zone);
    if (!zone.isValid())
        zone = QTimeZone(rule.standardOffset);
    const QDateTime there = now.toTimeZone(zone);

    // The newest day whose rates are out by now, and the next publication.
    QDate published = there.date();
    if (there.time() < time)
        published = published.addDays(-1);
    while (!IsWeekday(published))
        published = published.addDays(-1);
    if (dataDate < DateValueOf(published))
        return {};
    if (!IsWeekday(there.date()))
        return {Publication::WeekendWait, 0};
    QDate next = published.addDays(1);
    while (!IsWeekday(next))
        next = next.addDays(1);
    const qint64 seconds = there.secsTo(QDateTime(next, time, zone));
    return {Publication::NotYet, static_cast<int>(std::max<qint64>(1, (seconds + 3599) / 3600))};
}

QString HoursMessage(RatePublisher publisher, int hoursRemaining) {
    if (publisher == RatePublisher::OldPage)
        return HoursMessage(hoursRemaining);
    return QCoreApplication::translate("Publication", TimeOf(publisher).sentence) +
           QLatin1Char('\n') + MessageText(msg::Approximately) + QString::number(hoursRemaining) +
           (hoursRemaining == 1 ? QCoreApplication::translate("Publication", " hour remaining.")
                                : MessageText(msg::HoursRemaining));
}

} // namespace kestrum
