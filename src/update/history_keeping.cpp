#include "history_keeping.h"

#include "data/dates.h"
#include "history/history_query.h"
#include "rate_page_parser.h"
#include "rate_sources.h"
#include "settings/message_table.h"

#include <QFile>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>

namespace kestrum {

namespace {

constexpr const char* kValetHistoryAddress =
    "https://www.bankofcanada.ca/valet/observations/group/FX_RATES_DAILY/json";
constexpr const char* kEcbHistoryAddress =
    "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-hist.xml";

// The last day of the stored stretch of `source` that starts within the
// look-back window of `fromDay` and has no hole longer than it (weekends and
// holidays are shorter); fromDay - 1 when nothing is stored near its start.
int StoredThrough(const history::Store& store, const QString& source, int fromDay, int toDay) {
    int through = fromDay - 1;
    for (const int day : history::StoredDays(store, source, fromDay, toDay)) {
        if (day - std::max(through, fromDay) > history::kLookBackDays)
            break;
        through = day;
    }
    return through;
}

} // namespace

HistoryAnswer ReadHistoryAnswer(QByteArrayView body) {
    HistoryAnswer answer;
    if (ReadValetDays(body, answer.days) != SourceRead::NotRecognised) {
        answer.source = QString::fromLatin1(history::kBoc);
    } else {
        answer.days.clear();
        if (ReadEcbDays(body, answer.days) != SourceRead::NotRecognised)
            answer.source = QString::fromLatin1(history::kEcb);
    }
    if (answer.source.isEmpty())
        answer.days.clear();
    return answer;
}

QString KeepPageInHistory(BodyDays& answer, const RateStore& parsed, const ConfigRecord& config,
                          const QString& path) {
    QString source;
    if (answer.kind == BodyKind::Valet) {
        source = QString::fromLatin1(history::kBoc);
    } else if (answer.kind == BodyKind::Ecb) {
        source = QString::fromLatin1(history::kEcb);
    } else {
        // A page of the old layout while a service is configured can only
        // be the retired page.
        const QString address = RatePageUrl(config);
        const bool service = address == QLatin1String(Message(msg::RatePageAddress)) ||
                             address == QLatin1String(kEcbRatesAddress);
        source =
            history::PageSource(service ? QString::fromLatin1(kRetiredRatePageAddress) : address);
        answer.days.clear();
        for (const DayRecord& day : parsed.RateTable)
            if (day.Values[0] != kNotAvailable)
                answer.days[day.Values[0]] = day;
    }
    if (answer.days.empty())
        return {};
    history::Store store;
    const history::OpenResult open = store.Open();
    if (!open.usable() || open.status == history::OpenStatus::ReadOnly)
        return open.message;
    // Damage anywhere in the store is found here rather than by a later read.
    history::ImportResult imported;
    imported.damaged = !store.QuickCheck();
    if (!imported.damaged)
        imported = store.Import(source, answer.days, path);
    if (imported.damaged) {
        // Damage that only showed in the writing: set it aside as at opening.
        const history::OpenResult fresh = store.StartAfresh();
        if (!fresh.usable())
            return fresh.message;
        imported = store.Import(source, answer.days, path);
        return imported ? fresh.message : imported.error;
    }
    return imported ? open.message : imported.error;
}

QString ConfiguredHistorySource(const ConfigRecord& config) {
    const QString address = RatePageUrl(config);
    if (address == QLatin1String(Message(msg::RatePageAddress)))
        return QString::fromLatin1(history::kBoc);
    if (address == QLatin1String(kEcbRatesAddress))
        return QString::fromLatin1(history::kEcb);
    return history::PageSource(address);
}

int FirstHistoryDay(const QString& source) {
    if (source == QLatin1String(history::kBoc))
        return int(DateValueFromYmd(2017, 1, 3));
    if (source == QLatin1String(history::kEcb))
        return int(DateValueFromYmd(1999, 1, 4));
    return -1;
}

QString HistoryAddress(const QString& source, const QString& base) {
    if (!base.isEmpty())
        return base;
    return QString::fromLatin1(source == QLatin1String(history::kEcb) ? kEcbHistoryAddress
                                                                      : kValetHistoryAddress);
}

std::vector<HistoryRequest> PlanHistoryFetch(const history::Store& store, const QString& source,
                                             int fromDay, int toDay, int today,
                                             const QString& base) {
    std::vector<HistoryRequest> plan;
    const int first = FirstHistoryDay(source);
    if (first < 0)
        return plan;
    fromDay = std::max(fromDay, first);
    toDay = std::min(toDay, today);
    // A stretch stored whole up to within a week of its end is not asked
    // again, unless it reaches today; one stored in part is asked from its
    // first missing day.
    const auto missingFrom = [&](int from, int to) {
        const int through = StoredThrough(store, source, from, to);
        const bool whole = through >= from && to - through <= history::kLookBackDays;
        return whole && to < today ? to + 1 : std::max(from, through + 1);
    };
    const QString address = HistoryAddress(source, base);
    if (source == QLatin1String(history::kEcb)) {
        // The whole-history file is all or nothing.
        if (fromDay <= toDay && missingFrom(fromDay, toDay) <= toDay)
            plan.push_back({address, fromDay, toDay});
        return plan;
    }
    // Valet answers a bounded range; a year keeps each answer a few hundred
    // kilobytes and gives the bar a step per year.
    for (int year = CalendarDate(fromDay).year(); year <= CalendarDate(toDay).year(); ++year) {
        const int to = std::min(toDay, int(DateValueFromYmd(year, 12, 31)));
        const int from = missingFrom(std::max(fromDay, int(DateValueFromYmd(year, 1, 1))), to);
        if (from > to)
            continue;
        // The service refuses `recent` beside dates, so an address taken from
        // a configured one loses it.
        QUrl url(address);
        QUrlQuery query(url);
        for (const auto& item : query.queryItems())
            if (item.first.startsWith(QLatin1String("recent")))
                query.removeAllQueryItems(item.first);
        query.addQueryItem(QStringLiteral("start_date"), IsoDateText(from));
        query.addQueryItem(QStringLiteral("end_date"), IsoDateText(to));
        url.setQuery(query);
        plan.push_back({url.toString(), from, to});
    }
    return plan;
}

history::ImportResult StoreHistoryAnswer(history::Store& store, const QString& source,
                                         const HistoryRequest& request, QByteArrayView body) {
    HistoryAnswer answer = ReadHistoryAnswer(body);
    if (answer.source != source) {
        history::ImportResult failed;
        failed.error = QStringLiteral("The answer of %1 is not %2 history.")
                           .arg(request.url, source == QLatin1String(history::kEcb)
                                                 ? QStringLiteral("the ECB's")
                                                 : QStringLiteral("the Bank of Canada's"));
        return failed;
    }
    std::erase_if(answer.days, [&](const auto& day) {
        return day.first < request.fromDay || day.first >= request.toDay + 1;
    });
    if (answer.days.empty()) {
        history::ImportResult nothing;
        nothing.ok = true;
        return nothing;
    }
    return store.Import(source, answer.days, request.url);
}

} // namespace kestrum
