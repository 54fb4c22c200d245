#pragma once

#include "history/history_query.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace kestrum::prices {

// Which publication day a dated conversion takes: the latest on or before the
// date (the default, and what the Canada Revenue Agency's daily rate means),
// the first on or after it (the EU VAT rule for a day without publication), or
// the date itself and no other.
enum class DateRule { Previous, Next, Exact };

// "previous", "next" or "exact" in any case; nothing otherwise.
std::optional<DateRule> ParseDateRule(QStringView text);
QString DateRuleName(DateRule rule);

struct RuledRates {
    history::DayRates rates; // a currency no rate fits the rule for is left out
    int day = 0;             // the day whose rates they are (Next: the publication day found)
    QString refusal;         // one sentence when the rule finds no day; rates are then empty
};

// The rates RatesFor gives under `rule`. Next looks at most
// history::kLookBackDays ahead for a publication day of `primary`, and leaves
// out rates older than `day`; Exact refuses a day `primary` did not publish
// on, naming the nearest days that it did, and leaves out rates of other days.
RuledRates RatesByRule(const history::Store& store, int day, const QString& primary,
                       history::FillPolicy policy, DateRule rule);

} // namespace kestrum::prices
