#include "history_keeping.h"

#include "data/catalogue.h"
#include "data/dates.h"
#include "history/history_query.h"
#include "platform.h"
#include "rate_page_parser.h"
#include "rate_sources.h"
#include "settings/message_table.h"
#include "settings/preferences.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>

namespace kestrum {

namespace {

// "boc <address>": the configured address last answered in that layout.
constexpr const char* kConfiguredLayout = "source/layout";

// The last day of the stored stretch of `source` that starts within the
// look-back window of `fromDay` and has no hole longer than `gap` (weekends,
// holidays and the weeks between two tables B are shorter); fromDay - 1 when
// nothing is stored near its start.
int StoredThrough(const history::Store& store, const QString& source, int fromDay, int toDay,
                  int gap) {
    int through = fromDay - 1;
    for (const int day : history::StoredDays(store, source, fromDay, toDay)) {
        if (day - std::max(through, fromDay) > gap)
            break;
        through = day;
    }
    return through;
}

// Whether `source` may have published a day after `after` up to `to`: a
// weekday, or for the NBP's table B a Wednesday.
bool MayHavePublished(const QString& source, int after, int to) {
    for (int day = after + 1; day <= to; ++day) {
        const int weekday = CalendarDate(day).dayOfWeek();
        if (source == QLatin1String("nbp-b") ? weekday == 3 : weekday <= 5)
            return true;
    }
    return false;
}

const sources::RateSource* Row(const QString& source) {
    const sources::RateSource* row = sources::SourceNamed(source);
    return row && row->history != sources::HistoryShape::None ? row : nullptr;
}

QString LayoutOfAddress(const QString& address) {
    const QString layout = ReadPreference(QLatin1String(kConfiguredLayout));
    if (layout.section(QLatin1Char(' '), 1) == address)
        return layout.section(QLatin1Char(' '), 0, 0);
    // Before any answer: the service's own path on another host.
    const QString path = QUrl(address).path();
    if (path.contains(QLatin1String("/valet/observations/")))
        return QString::fromLatin1(history::kBoc);
    if (path.contains(QLatin1String("/eurofxref")))
        return QString::fromLatin1(history::kEcb);
    return {};
}

} // namespace

HistoryAnswer ReadHistoryAnswer(QByteArrayView body) {
    HistoryAnswer read;
    read.source = sources::ReadAnswer(body, read.answer, CurrentPlatform().Now(), read.read);
    return read;
}

history::ImportResult KeepAnswer(history::Store& store, const sources::Answer& answer,
                                 const QString& origin) {
    history::ImportResult total;
    total.ok = true;
    for (const auto& [source, published] : answer.published) {
        if (published.days.empty())
            continue;
        const history::ImportResult imported =
            store.Import(source, published.days, origin, published.quotes);
        if (!imported)
            return imported;
        total.days += imported.days;
    }
    return total;
}

QString KeepPageInHistory(BodyDays& body, const RateStore& parsed, const ConfigRecord& config,
                          const QString& path, bool& kept) {
    kept = false;
    if (!body.source) {
        // A page of the old layout while a service is configured can only
        // be the retired page.
        const QString address = RatePageUrl(config);
        const bool service = address == QLatin1String(Message(msg::RatePageAddress)) ||
                             address == QLatin1String(kEcbRatesAddress);
        const QString source =
            history::PageSource(service ? QString::fromLatin1(kRetiredRatePageAddress) : address);
        body.answer = {};
        sources::Published& page = body.answer.published[source];
        for (const DayRecord& day : parsed.RateTable)
            if (day.Values[0] != kNotAvailable)
                page.days[day.Values[0]] = day;
    }
    if (!body.answer.HasDays())
        return {};
    history::Store store;
    const history::OpenResult open = store.Open();
    if (!open.usable() || open.status == history::OpenStatus::ReadOnly)
        return open.message;
    // Damage anywhere in the store is found here rather than by a later read.
    history::ImportResult imported;
    imported.damaged = !store.QuickCheck();
    if (!imported.damaged)
        imported = KeepAnswer(store, body.answer, path);
    if (imported.damaged) {
        // Damage that only showed in the writing: set it aside as at opening.
        const history::OpenResult fresh = store.StartAfresh();
        if (!fresh.usable())
            return fresh.message;
        imported = KeepAnswer(store, body.answer, path);
        kept = imported.ok;
        return imported ? fresh.message : imported.error;
    }
    kept = imported.ok;
    return imported ? open.message : imported.error;
}

QString ConfiguredHistorySource(const ConfigRecord& config) {
    const QString address = RatePageUrl(config);
    if (address == QLatin1String(Message(msg::RatePageAddress)))
        return QString::fromLatin1(history::kBoc);
    if (address == QLatin1String(kEcbRatesAddress))
        return QString::fromLatin1(history::kEcb);
    if (const QString layout = LayoutOfAddress(address); !layout.isEmpty())
        return layout;
    return history::PageSource(address);
}

void NoteConfiguredAnswer(const ConfigRecord& config, const QString& address,
                          const sources::RateSource* source) {
    // Only the configured address's own layout matters, and only a source it
    // can be (the NBP only fills).
    if (!source || source->fillsOnly || address != RatePageUrl(config) ||
        LayoutOfAddress(address) == QLatin1String(source->key))
        return;
    WritePreference(QLatin1String(kConfiguredLayout),
                    QLatin1String(source->key) + QLatin1Char(' ') + address);
}

int FirstHistoryDay(const QString& source) {
    const sources::RateSource* row = Row(source);
    return row ? row->FirstDay() : -1;
}

bool HistoryMayHold(const QString& source, int k, int day) {
    // The catalogue's codes in the Valet's daily series (since 2017) and in
    // the ECB's reference rates; the NBP's tables A and B name nearly every
    // currency.
    static const QByteArray kValet = "AUD BRL CNY EUR HKD INR IDR JPY MYR MXN NZD NOK PEN RUB SGD "
                                     "ZAR KRW SEK CHF TWD THB TRY GBP USD";
    static const QByteArray kEcb =
        "USD JPY CZK DKK GBP HUF PLN SEK CHF ISK NOK TRY AUD BRL CNY HKD "
        "IDR ILS INR KRW MXN MYR NZD PHP SGD THB ZAR EUR SIT SKK RUB HRK";
    // The ECB's last day of those it stopped: the euro's arrival, the
    // suspension of the rouble.
    struct Stopped {
        const char* code;
        int year, month, day;
    };
    static const Stopped kEcbStopped[] = {
        {"SIT", 2006, 12, 29}, {"SKK", 2008, 12, 31}, {"RUB", 2022, 3, 1}, {"HRK", 2022, 12, 30}};
    const QByteArray code(CurrencyCode(k));
    if (source == QLatin1String(history::kBoc))
        return kValet.contains(code);
    if (source != QLatin1String(history::kEcb))
        return k != 0;
    for (const Stopped& stopped : kEcbStopped)
        if (code == stopped.code)
            return day <= DateValueOf(QDate(stopped.year, stopped.month, stopped.day));
    return kEcb.contains(code);
}

QString SeriesStartSentence(const QString& source) {
    const sources::RateSource* row = Row(source);
    if (!row)
        return {};
    return QCoreApplication::translate("HistoryKeeping", "%1's daily series starts %2")
        .arg(sources::SourceWithArticle(source), IsoDateText(row->FirstDay()));
}

QString HistoryAddress(const QString& source, const ConfigRecord& config, const QString& base) {
    if (!base.isEmpty())
        return base;
    const sources::RateSource* row = Row(source);
    if (!row)
        return {};
    const QString configured = RatePageUrl(config);
    const bool official = configured == QLatin1String(Message(msg::RatePageAddress)) ||
                          configured == QLatin1String(kEcbRatesAddress);
    if (!official && LayoutOfAddress(configured) == QLatin1String(row->key)) {
        // A mirror of the ECB keeps the whole history beside the 90 days.
        QString mirror = configured;
        if (source == QLatin1String(history::kEcb))
            mirror.replace(QLatin1String("eurofxref-hist-90d.xml"),
                           QLatin1String("eurofxref-hist.xml"));
        return mirror;
    }
    return QString::fromLatin1(row->historyAddress);
}

std::vector<HistoryRequest> PlanHistoryFetch(const history::Store& store, const QString& source,
                                             int fromDay, int toDay, int today,
                                             const QString& base) {
    std::vector<HistoryRequest> plan;
    const sources::RateSource* row = Row(source);
    if (!row || base.isEmpty())
        return plan;
    fromDay = std::max(fromDay, row->FirstDay());
    toDay = std::min(toDay, today);
    // The first day of [from, to] not yet stored: after the stretch stored
    // from `from`, unless nothing can have been published after it.
    const auto missingFrom = [&](const QString& kept, int from, int to) {
        const int gap =
            kept == QLatin1String("nbp-b") ? 2 * history::kLookBackDays : history::kLookBackDays;
        const int through = StoredThrough(store, kept, from, to, gap);
        if (through >= from && !MayHavePublished(kept, through, to))
            return to + 1;
        return std::max(from, through + 1);
    };
    const QString main = QLatin1String(row->historySources.front());
    switch (row->history) {
    case sources::HistoryShape::None:
        break;
    case sources::HistoryShape::WholeFile:
        // The whole-history file is all or nothing.
        if (fromDay <= toDay && missingFrom(main, fromDay, toDay) <= toDay)
            plan.push_back({base, fromDay, toDay});
        break;
    case sources::HistoryShape::CalendarYears:
        // Valet answers a bounded range; a year keeps each answer a few
        // hundred kilobytes and gives the bar a step per year.
        for (int year = CalendarDate(fromDay).year(); year <= CalendarDate(toDay).year(); ++year) {
            const int to = std::min(toDay, int(DateValueFromYmd(year, 12, 31)));
            const int from =
                missingFrom(main, std::max(fromDay, int(DateValueFromYmd(year, 1, 1))), to);
            if (from > to)
                continue;
            // The service refuses `recent` beside dates, so an address taken
            // from a configured one loses it.
            QUrl url(base);
            QUrlQuery query(url);
            for (const auto& item : query.queryItems())
                if (item.first.startsWith(QLatin1String("recent")))
                    query.removeAllQueryItems(item.first);
            query.addQueryItem(QStringLiteral("start_date"), IsoDateText(from));
            query.addQueryItem(QStringLiteral("end_date"), IsoDateText(to));
            url.setQuery(query);
            plan.push_back({url.toString(), from, to});
        }
        break;
    case sources::HistoryShape::Windows: {
        // One request per table and stretch; the service refuses longer ones.
        QString prefix = base.section(QLatin1Char('?'), 0, 0);
        if (!prefix.endsWith(QLatin1Char('/')))
            prefix += QLatin1Char('/');
        for (const char* kept : row->historySources) {
            const QString table = QString::fromLatin1(kept).section(QLatin1Char('-'), 1).toUpper();
            for (int from = missingFrom(QLatin1String(kept), fromDay, toDay); from <= toDay;
                 from = missingFrom(QLatin1String(kept), from, toDay)) {
                const int to = std::min(toDay, from + row->windowDays - 1);
                plan.push_back({QStringLiteral("%1tables/%2/%3/%4/?format=json")
                                    .arg(prefix, table, IsoDateText(from), IsoDateText(to)),
                                from, to});
                from = to + 1;
            }
        }
        break;
    }
    }
    return plan;
}

FetchedAnswer StoreHistoryAnswer(history::Store& store, const QString& source,
                                 const HistoryRequest& request, QByteArrayView body) {
    FetchedAnswer fetched;
    HistoryAnswer answer = ReadHistoryAnswer(body);
    const sources::RateSource* row = Row(source);
    if (!answer.source || answer.source != row) {
        fetched.stored.error =
            QCoreApplication::translate("HistoryKeeping", "The answer of %1 is not %2's history.")
                .arg(request.url, sources::SourceWithArticle(source));
        fetched.foreign = true;
        return fetched;
    }
    for (auto& [kept, published] : answer.answer.published) {
        std::erase_if(published.days, [&](const auto& day) {
            return day.first < request.fromDay || day.first >= request.toDay + 1;
        });
        std::erase_if(published.quotes, [&](const auto& day) {
            return day.first < request.fromDay || day.first >= request.toDay + 1;
        });
    }
    if (!answer.answer.HasDays()) {
        fetched.stored.ok = true;
        fetched.empty = !answer.answer.noTable;
        return fetched;
    }
    fetched.stored = KeepAnswer(store, answer.answer, request.url);
    return fetched;
}

bool IsEmptyStretchError(const QString& source, const QString& transferError) {
    const sources::RateSource* row = Row(source);
    return row && row->history == sources::HistoryShape::Windows &&
           transferError.startsWith(QLatin1String("HTTP 404"));
}

QString FetchSummary(const QString& source, int days, int emptyAnswers, int requests, int fromDay,
                     int toDay, bool& failed) {
    failed = days == 0 && emptyAnswers > 0;
    if (failed)
        return QCoreApplication::translate(
                   "HistoryKeeping", "The answers of %1 held no rates Kestrum reads between %2 and "
                                     "%3; nothing was stored.")
            .arg(sources::SourceWithArticle(source), IsoDateText(fromDay), IsoDateText(toDay));
    if (days == 0 && requests > 0)
        return QCoreApplication::translate("HistoryKeeping",
                                           "%1 published no rates between %2 and %3.")
            .arg(sources::SourceWithArticle(source, true), IsoDateText(fromDay),
                 IsoDateText(toDay));
    if (days == 1)
        return QCoreApplication::translate("HistoryKeeping",
                                           "Stored 1 day of %1 history between %2 and %3.")
            .arg(source, IsoDateText(fromDay), IsoDateText(toDay));
    return QCoreApplication::translate("HistoryKeeping",
                                       "Stored %1 days of %2 history between %3 and %4.")
        .arg(days)
        .arg(source, IsoDateText(fromDay), IsoDateText(toDay));
}

} // namespace kestrum
