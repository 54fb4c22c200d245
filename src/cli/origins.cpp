#include "origins.h"

#include "commands.h"
#include "data/cp1252.h"
#include "data/dates.h"
#include "history_commands.h"
#include "settings/configuration.h"
#include "update/history_keeping.h"

#include <QCoreApplication>

namespace kestrum::cli {

ListedRates CurrentListedRates(const RateStore& rates) {
    const history::RateOrigins origins = history::OriginsOfStoredRates(rates);
    ListedRates listed;
    listed[0] = {1.0, LatestDataDate(rates), {}};
    for (int k = 1; k < kCurrencyCount; ++k) {
        const int d = CurrentRateDay(rates, k);
        if (d == 0)
            continue;
        const history::Origin& origin = origins[d - 1][k];
        listed[k] = {CurrentRate(rates, k),
                     origin.source.isEmpty() ? DayDate(rates, d) : double(origin.day),
                     history::OriginLabel(origin), origin};
    }
    return listed;
}

ListedRates ListedRatesAt(const QString& date) {
    const int day = DayArgument(date, QStringLiteral("--date"));
    history::Store store;
    history::DayRates rates;
    if (OpenHistoryForReading(store))
        rates = history::RatesFor(store, day, ConfiguredHistorySource(Configuration()),
                                  history::ConfiguredFillPolicy());
    ListedRates listed;
    bool any = false;
    for (int k = 1; k < kCurrencyCount; ++k) {
        if (!IsUsableRate(rates[k].rate))
            continue;
        listed[k] = {rates[k].rate, double(rates[k].day), history::OriginLabel(rates[k].origin),
                     rates[k].origin};
        any = true;
    }
    if (!any)
        Fail(kNoRate, QCoreApplication::translate("Origins",
                                                  "No rate is stored for %1 or the %2 days before; "
                                                  "\"kestrum history fetch\" brings the past into "
                                                  "the store.")
                          .arg(date)
                          .arg(history::kLookBackDays));
    listed[0] = {1.0, double(day), {}};
    return listed;
}

namespace {

// "Friday, March 1, 2024 from the Bank of Canada (filled), by the parity
// 1 EUR = 1.95583 BGN".
QString OriginPhrase(const history::Origin& origin) {
    history::Origin plain = origin;
    plain.parity.clear();
    plain.filled = false;
    QString who = history::OriginLabel(plain);
    if (origin.source == QLatin1String(history::kBoc))
        who = QCoreApplication::translate("Origins", "the Bank of Canada");
    else if (origin.source == QLatin1String(history::kEcb))
        who = QCoreApplication::translate("Origins", "the ECB");
    else if (history::IsNbpSource(origin.source))
        // Names its table: "the National Bank of Poland, table ...".
        who = QCoreApplication::translate("Origins", "the %1").arg(history::OriginSentence(plain));
    else if (origin.parity.isEmpty())
        who = QCoreApplication::translate("Origins", "the %1").arg(who); // the rate page of ...
    QString phrase = (origin.filled ? QCoreApplication::translate("Origins", "%1 from %2 (filled)")
                                    : QCoreApplication::translate("Origins", "%1 from %2"))
                         .arg(LongDateText(origin.day), who);
    if (!origin.parity.isEmpty())
        phrase = QCoreApplication::translate("Origins", "%1, by the parity %2")
                     .arg(phrase, history::ParityText(origin.parity));
    return phrase;
}

} // namespace

QString RatesBasis(const std::vector<RatedCurrency>& rated) {
    QStringList phrases;
    QStringList parts;
    for (const RatedCurrency& entry : rated) {
        if (entry.currency == 0)
            continue;
        if (entry.origin.source.isEmpty())
            return {};
        const QString phrase = OriginPhrase(entry.origin);
        phrases << phrase;
        parts << QCoreApplication::translate("Origins", "%1 for %2")
                     .arg(phrase, history::ShownCode(entry.currency, entry.origin));
    }
    phrases.removeDuplicates();
    if (phrases.isEmpty())
        return {};
    return QCoreApplication::translate("Origins", "at the rates of %1")
        .arg(phrases.size() == 1
                 ? phrases.front()
                 : QCoreApplication::translate("Origins", "%1 and %2").arg(parts[0], parts[1]));
}

} // namespace kestrum::cli
