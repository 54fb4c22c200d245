// The sentences that say why a dated rate is missing and what would bring it.
#include "commands.h"
#include "history/coverage.h"
#include "history/history_query.h"
#include "history_commands.h"
#include "sources/source_table.h"
#include "update/history_keeping.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

namespace kestrum::cli {

QString FetchHint(int day, int k) {
    const QString configured = ConfiguredHistorySource(Configuration());
    QStringList sources{configured};
    if (history::ConfiguredFillPolicy().fromOtherSource) {
        if (!history::OtherSource(configured).isEmpty())
            sources << history::OtherSource(configured);
        sources << QStringLiteral("nbp"); // fills last
    }
    const QString fetch =
        QCoreApplication::translate("History", "\"kestrum history fetch%1\" brings them.");
    try {
        // Opened once per command: a batch may ask for thousands of rows.
        static history::Store store;
        static const bool open =
            QFileInfo::exists(history::HistoryFilePath()) && store.OpenForReading().usable();
        // A fetch helps where a source's history reaches the day, it publishes
        // the currency then, and the store holds none of its days then: days
        // stored without the currency mean it did not publish it.
        for (const QString& source : sources) {
            const int first = FirstHistoryDay(source);
            if (first < 0 || day < first || !HistoryMayHold(source, k, day))
                continue;
            const sources::RateSource* row = sources::SourceNamed(source);
            const bool stored =
                open &&
                std::any_of(row->historySources.begin(), row->historySources.end(),
                            [&](const char* kept) {
                                return !history::StoredDays(store, QLatin1String(kept),
                                                            day - history::kLookBackDays, day)
                                            .empty();
                            });
            if (!stored)
                return fetch.arg(source == configured ? QString() : QLatin1Char(' ') + source);
        }
    } catch (const history::StoreError&) {
        return fetch.arg(QString());
    }
    QStringList names;
    for (const QString& source : sources)
        names << sources::SourceWithArticle(source);
    if (names.size() == 3)
        return QCoreApplication::translate("History", "none of %1, %2 and %3 published it then.")
            .arg(names[0], names[1], names[2]);
    if (names.size() == 2)
        return QCoreApplication::translate("History", "neither %1 nor %2 published it then.")
            .arg(names[0], names[1]);
    if (history::OtherSource(configured).isEmpty())
        return QCoreApplication::translate("History", "%1 did not publish it then.").arg(names[0]);
    return QCoreApplication::translate("History", "%1 did not publish it then (filling from the "
                                                  "other source is off).")
        .arg(names[0]);
}

QString NoRateSentence(const QString& date, int day, int k, prices::DateRule rule) {
    switch (rule) {
    case prices::DateRule::Exact:
        return QCoreApplication::translate("History", "No rate of %1 was published on %2.")
            .arg(CurrencyDescription(k), date);
    case prices::DateRule::Next:
        return QCoreApplication::translate(
                   "History", "No rate of %1 is stored for %2 or the %3 days after it; %4")
            .arg(CurrencyDescription(k), date)
            .arg(history::kLookBackDays)
            .arg(FetchHint(day + history::kLookBackDays, k));
    case prices::DateRule::Previous:
        break;
    }
    return QCoreApplication::translate("History",
                                       "No rate of %1 is stored for %2 or the %3 days before; %4")
        .arg(CurrencyDescription(k), date)
        .arg(history::kLookBackDays)
        .arg(FetchHint(day, k));
}

} // namespace kestrum::cli
