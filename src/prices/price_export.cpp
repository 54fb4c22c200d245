#include "price_export.h"

#include "data/catalogue.h"
#include "data/rate_store.h"

#include <QLocale>
#include <algorithm>
#include <cstring>
#include <map>
#include <set>

namespace kestrum::prices {

namespace {

// The stored rows of one publication day, by catalogue index.
struct StoredDay {
    std::array<history::StoredFigure, kCurrencyCount> figures;
    QString table;
};

std::map<int, StoredDay> ReadStoredDays(const history::Store& store, const QString& source,
                                        int fromDay, int toDay) {
    std::map<int, StoredDay> days;
    for (history::StoredFigure& figure : history::StoredFigures(store, source, fromDay, toDay)) {
        StoredDay& day = days[figure.day];
        if (!figure.table.isEmpty())
            day.table = figure.table;
        day.figures[std::size_t(figure.currency)] = std::move(figure);
    }
    return days;
}

// A stored figure's number as the source wrote it. Rows stored before the
// texts were kept hold the double read from that text, whose shortest
// decimal form is the same number.
std::optional<QString> FigureText(const history::StoredFigure& figure) {
    if (!figure.quote.isEmpty())
        return QString::fromLatin1(figure.quote);
    if (!IsUsableRate(figure.rate))
        return std::nullopt;
    return QString::number(figure.rate, 'f', QLocale::FloatingPointShortest);
}

// The published text of one unit of `k` in `against`, when `source`
// published that very pair on the day: the Bank CAD per unit, the ECB units
// per euro, NBP zlotys per unit.
std::optional<QString> PublishedText(const QString& source, const StoredDay& day, int k,
                                     int against) {
    static const int euro = FindCurrencyByCodeOrName("EUR");
    static const int zloty = FindCurrencyByCodeOrName("PLN");
    const auto& figures = day.figures;
    if (source == QLatin1String(history::kEcb)) {
        if (k != euro)
            return std::nullopt;
        // The euro's row holds the Canadian dollar's quote; another
        // currency's row its own quote per euro, kept only as its text.
        if (against == 0)
            return figures[std::size_t(euro)].published ? FigureText(figures[std::size_t(euro)])
                                                        : std::nullopt;
        const QByteArray& quote = figures[std::size_t(against)].quote;
        return quote.isEmpty() ? std::nullopt : std::optional<QString>(QString::fromLatin1(quote));
    }
    if (history::IsNbpSource(source))
        return against == zloty ? FigureText(figures[std::size_t(k)]) : std::nullopt;
    if (against != 0 || !figures[std::size_t(k)].published)
        return std::nullopt;
    return FigureText(figures[std::size_t(k)]);
}

enum class Leg { Own, Carried, Elsewhere, Missing };

// Where a rate RatesFor gave for `day` of `source` stands: the source's own
// figure of the day, its own of an earlier day (already exported on that
// day), or another source's or a parity's.
Leg LegOf(const history::OriginatedRate& rate, const QString& source, int day) {
    if (!IsUsableRate(rate.rate))
        return Leg::Missing;
    if (rate.origin.filled || !rate.origin.parity.isEmpty() || rate.origin.source != source)
        return Leg::Elsewhere;
    return rate.day == day ? Leg::Own : Leg::Carried;
}

// One unit of `k` in the request's currency on a publication day of
// `source`, from the day's stored figures and the rates RatesFor gives for it.
std::optional<ExportedPrice> PriceOn(const ExportRequest& request, const QString& source, int day,
                                     const StoredDay& figures, const history::DayRates& rates,
                                     int k) {
    const history::OriginatedRate& rate = rates[k];
    const history::OriginatedRate& base = rates[request.against];
    const Leg leg = k == 0 ? Leg::Own : LegOf(rate, source, day);
    const Leg baseLeg = request.against == 0 ? Leg::Own : LegOf(base, source, day);
    ExportedPrice price{day, k, {}, false, rate.origin};
    const auto text =
        leg == Leg::Own ? PublishedText(source, figures, k, request.against) : std::nullopt;
    if (text) {
        price.number = *text;
        price.origin.kind = QString::fromLatin1(history::kPublished);
    } else {
        const auto usable = [&request](Leg l, const history::OriginatedRate& r) {
            return l == Leg::Own ||
                   (l == Leg::Elsewhere &&
                    (request.fill || (request.parities && !r.origin.parity.isEmpty())));
        };
        if (!usable(leg, rate) || !usable(baseLeg, base))
            return std::nullopt;
        price.number = SignificantDigits(rate.rate / (request.against == 0 ? 1.0 : base.rate));
        price.computed = true;
        if (leg == Leg::Own && baseLeg == Leg::Elsewhere)
            price.origin = base.origin;
        price.origin.kind = QString::fromLatin1(history::kCross);
    }
    // The Canadian dollar's own row carries no origin of its day.
    if (price.origin.source.isEmpty())
        price.origin = {.source = source, .kind = price.origin.kind, .day = day};
    if (price.origin.source == source && price.origin.day == day && price.origin.table.isEmpty())
        price.origin.table = figures.table;
    return price;
}

} // namespace

QStringList StoredSources(const QString& source) {
    if (source == QLatin1String("nbp"))
        return {QString::fromLatin1(history::kNbpA), QString::fromLatin1(history::kNbpB)};
    return {source};
}

std::vector<ExportedPrice> CollectPrices(const history::Store& store,
                                         const ExportRequest& request) {
    std::array<bool, kCurrencyCount> wanted{};
    if (request.currencies.empty())
        wanted.fill(true);
    for (const int k : request.currencies)
        wanted[std::size_t(k)] = true;
    wanted[std::size_t(request.against)] = false;
    const history::FillPolicy policy{request.fill, request.fill || request.parities};

    std::vector<ExportedPrice> prices;
    // On a day both NBP tables publish, table A's figure wins, as when rates
    // are read.
    std::set<std::pair<int, int>> taken;
    for (const QString& source : StoredSources(request.source)) {
        const std::map<int, StoredDay> stored =
            ReadStoredDays(store, source, request.fromDay, request.toDay);
        std::vector<int> days;
        for (const auto& entry : stored)
            days.push_back(entry.first);
        history::RatesForDays(
            store, days, source, policy, [&](int day, const history::DayRates& rates) {
                for (int k = 0; k < kCurrencyCount; ++k) {
                    if (!wanted[k] || taken.count({day, k}))
                        continue;
                    if (auto price = PriceOn(request, source, day, stored.at(day), rates, k)) {
                        taken.insert({day, k});
                        prices.push_back(std::move(*price));
                    }
                }
            });
    }
    std::sort(prices.begin(), prices.end(), [](const ExportedPrice& a, const ExportedPrice& b) {
        return a.day != b.day ? a.day < b.day
                              : std::strcmp(CurrencyCode(a.currency), CurrencyCode(b.currency)) < 0;
    });
    return prices;
}

QString SignificantDigits(double value, int digits) {
    // The exponent form fixes the digits once; only the point moves.
    const QString scientific = QString::number(value, 'e', digits - 1);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    const int exponent = scientific.mid(e + 1).toInt();
    const bool negative = scientific.startsWith(QLatin1Char('-'));
    QString mantissa = scientific.left(e);
    mantissa.remove(QLatin1Char('-')).remove(QLatin1Char('.'));
    QString text;
    if (exponent < 0)
        text = QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + mantissa;
    else if (exponent + 1 >= mantissa.size())
        text = mantissa + QString(exponent + 1 - mantissa.size(), QLatin1Char('0'));
    else
        text = mantissa.left(exponent + 1) + QLatin1Char('.') + mantissa.mid(exponent + 1);
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace kestrum::prices
