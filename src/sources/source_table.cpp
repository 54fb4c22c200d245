#include "source_table.h"

#include "data/dates.h"
#include "settings/message_table.h"

#include <QCoreApplication>
#include <QTimeZone>
#include <algorithm>
#include <array>

namespace kestrum::sources {

namespace {

constexpr const char* kBocSources[] = {"boc"};
constexpr const char* kEcbSources[] = {"ecb"};
constexpr const char* kNbpSources[] = {"nbp-a", "nbp-b"};

QStringList BocLatest() {
    return {QString::fromLatin1(Message(msg::RatePageAddress))};
}
QStringList EcbLatest() {
    return {QStringLiteral("https://www.ecb.europa.eu/stats/eurofxref/eurofxref-hist-90d.xml")};
}
QStringList NbpLatest() {
    return NbpLatestUnder(QStringLiteral("https://api.nbp.pl/api/exchangerates/"));
}
QStringList NoAddress() {
    return {};
}

const RateSource kSources[] = {
    {"boc",
     "Bank of Canada",
     "Bank of Canada",
     kBocSources,
     ReadValetAnswer,
     BocLatest,
     "https://www.bankofcanada.ca/valet/observations/group/FX_RATES_DAILY/json",
     HistoryShape::CalendarYears,
     0,
     2017,
     1,
     3,
     false,
     {"America/Toronto", -5 * 3600, 16, 30,
      QT_TRANSLATE_NOOP("Publication", "The Bank of Canada publishes new rates from Monday to "
                                       "Friday by 4:30 PM Eastern Time.")},
     false},
    {"ecb",
     "European Central Bank",
     "ECB",
     kEcbSources,
     ReadEcbAnswer,
     EcbLatest,
     "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-hist.xml",
     HistoryShape::WholeFile,
     0,
     1999,
     1,
     4,
     true,
     {"Europe/Berlin", 3600, 16, 0,
      QT_TRANSLATE_NOOP("Publication", "The European Central Bank publishes new rates from Monday "
                                       "to Friday around 4:00 PM Central European Time.")},
     false},
    // Table A appears on business days around 12:15 Warsaw time, table B on
    // Wednesdays; the API's tables start on 2 January 2002.
    {"nbp",
     "National Bank of Poland",
     "NBP",
     kNbpSources,
     ReadNbpAnswer,
     NbpLatest,
     "https://api.nbp.pl/api/exchangerates/",
     HistoryShape::Windows,
     93,
     2002,
     1,
     2,
     true,
     {"Europe/Warsaw", 3600, 12, 15,
      "The National Bank of Poland publishes table A from Monday to Friday around 12:15 PM "
      "Central European Time, table B on Wednesdays."},
     true},
    {"page",
     "rate page",
     "rate page",
     {},
     nullptr,
     NoAddress,
     nullptr,
     HistoryShape::None,
     0,
     0,
     0,
     0,
     false,
     {nullptr, 0, 18, 0, nullptr},
     false},
};

} // namespace

QStringList NbpLatestUnder(const QString& base) {
    QString prefix = base.section(QLatin1Char('?'), 0, 0);
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    // Table A of the last two weeks, not of the last day alone: the latest
    // table B (a Wednesday's) crosses through its own day's table A.
    return {prefix + QStringLiteral("tables/A/last/10/?format=json"),
            prefix + QStringLiteral("tables/B/?format=json")};
}

int RateSource::FirstDay() const {
    return firstYear == 0 ? -1 : int(DateValueFromYmd(firstYear, firstMonth, firstDay));
}

DayBounds RateSource::BoundsAt(const QDateTime& now) const {
    DayBounds bounds;
    if (nothingBeforeFirstDay)
        bounds.first = std::max(bounds.first, double(FirstDay()));
    QDateTime there = now;
    if (publication.zone) {
        QTimeZone zone(publication.zone);
        there = now.toTimeZone(zone.isValid() ? zone : QTimeZone(publication.standardOffset));
    }
    bounds.last = DateValueOf(there.date()) + 1;
    return bounds;
}

std::span<const RateSource> RateSources() {
    return kSources;
}

QString SourceWithArticle(QStringView name, bool startsSentence) {
    // French needs the article agreed with the name.
    static constexpr std::array<std::array<const char*, 2>, 4> kNames = {{
        {"boc", QT_TRANSLATE_NOOP("Sources", "the Bank of Canada")},
        {"ecb", QT_TRANSLATE_NOOP("Sources", "the European Central Bank")},
        {"nbp", QT_TRANSLATE_NOOP("Sources", "the National Bank of Poland")},
        {"page", QT_TRANSLATE_NOOP("Sources", "the rate page")},
    }};
    const RateSource* source = SourceNamed(name);
    QString named = name.toString();
    for (const auto& [key, text] : kNames)
        if (source && QLatin1String(source->key) == QLatin1String(key))
            named = QCoreApplication::translate("Sources", text);
    if (startsSentence && !named.isEmpty())
        named[0] = named[0].toUpper();
    return named;
}

const RateSource* SourceNamed(QStringView name) {
    if (name.startsWith(u"page:"))
        return &kSources[std::size(kSources) - 1];
    for (const RateSource& source : kSources) {
        if (name.compare(QLatin1String(source.key), Qt::CaseInsensitive) == 0)
            return &source;
        for (const char* history : source.historySources)
            if (name == QLatin1String(history))
                return &source;
    }
    return nullptr;
}

const RateSource* ReadAnswer(QByteArrayView body, Answer& answer, const QDateTime& now,
                             SourceRead& read) {
    for (const RateSource& source : kSources) {
        if (!source.read)
            continue;
        read = source.read(body, answer, source.BoundsAt(now));
        if (read != SourceRead::NotRecognised)
            return &source;
    }
    read = SourceRead::NotRecognised;
    return nullptr;
}

} // namespace kestrum::sources
