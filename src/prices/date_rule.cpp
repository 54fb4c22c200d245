#include "date_rule.h"

#include "data/dates.h"
#include "graphs/rate_series.h"
#include "sources/source_table.h"

#include <limits>

#include <QCoreApplication>

namespace kestrum::prices {

namespace {

// The publication day of `source` nearest to `day` on one side, 0 for none.
int NearestDay(const history::Store& store, const QString& source, int day, bool before) {
    constexpr int kFar = std::numeric_limits<int>::max() / 2;
    const std::vector<int> days = before ? history::StoredDays(store, source, -kFar, day - 1)
                                         : history::StoredDays(store, source, day + 1, kFar);
    return days.empty() ? 0 : before ? days.back() : days.front();
}

bool Published(const history::Store& store, const QString& source, int day) {
    return !history::StoredDays(store, source, day, day).empty();
}

QString ExactRefusal(const history::Store& store, const QString& source, int day) {
    QStringList nearest;
    for (const bool before : {true, false})
        if (const int found = NearestDay(store, source, day, before); found != 0)
            nearest << IsoDateText(found);
    const QString stored =
        nearest.isEmpty()
            ? QCoreApplication::translate("DateRule", "no publication day of it is stored")
        : nearest.size() == 1
            ? QCoreApplication::translate("DateRule", "the nearest publication day is %1")
                  .arg(nearest[0])
            : QCoreApplication::translate("DateRule", "the nearest publication days are %1 and %2")
                  .arg(nearest[0], nearest[1]);
    return QCoreApplication::translate("DateRule", "%1 published no rates on %2; %3.")
        .arg(sources::SourceWithArticle(source, true), LongDateText(day), stored);
}

} // namespace

std::optional<DateRule> ParseDateRule(QStringView text) {
    for (const DateRule rule : {DateRule::Previous, DateRule::Next, DateRule::Exact})
        if (text.compare(DateRuleName(rule), Qt::CaseInsensitive) == 0)
            return rule;
    return std::nullopt;
}

QString DateRuleName(DateRule rule) {
    switch (rule) {
    case DateRule::Previous:
        return QStringLiteral("previous");
    case DateRule::Next:
        return QStringLiteral("next");
    case DateRule::Exact:
        return QStringLiteral("exact");
    }
    return {};
}

RuledRates RatesByRule(const history::Store& store, int day, const QString& primary,
                       history::FillPolicy policy, DateRule rule) {
    RuledRates ruled;
    ruled.day = day;
    if (rule == DateRule::Exact && !Published(store, primary, day)) {
        ruled.refusal = ExactRefusal(store, primary, day);
        return ruled;
    }
    if (rule == DateRule::Next && !Published(store, primary, day)) {
        const int next = NearestDay(store, primary, day, false);
        if (next == 0 || next - day > history::kLookBackDays) {
            ruled.refusal = QCoreApplication::translate(
                                "DateRule", "No rates of %1 are stored for %2 or the %3 days "
                                            "after it.")
                                .arg(sources::SourceWithArticle(primary), LongDateText(day))
                                .arg(history::kLookBackDays);
            return ruled;
        }
        ruled.day = next;
    }
    ruled.rates = history::RatesFor(store, ruled.day, primary, policy);
    // A figure older than the date answers "previous" only; the Canadian
    // dollar, the unit, has no day of its own.
    for (int k = 1; k < kCurrencyCount; ++k) {
        history::OriginatedRate& rate = ruled.rates[std::size_t(k)];
        const bool fits = rule == DateRule::Previous ||
                          (rule == DateRule::Next ? rate.day >= day : rate.day == day);
        if (!fits)
            rate = {};
    }
    return ruled;
}

} // namespace kestrum::prices
