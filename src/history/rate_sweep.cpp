#include "rate_sweep.h"

#include "data/catalogue.h"
#include "parities.h"

#include <cstring>

namespace kestrum::history {

namespace {

const QString kPublishedText = QString::fromLatin1(kPublished);
const QString kCrossText = QString::fromLatin1(kCross);
const QString kNbpAText = QString::fromLatin1(kNbpA);
const QString kNbpBText = QString::fromLatin1(kNbpB);

constexpr int kLetters = 26 * 26 * 26;

int LetterKey(const char* code) {
    int key = 0;
    for (int i = 0; i < 3; ++i) {
        const char c = code[i];
        if (c < 'A' || c > 'Z')
            return -1;
        key = key * 26 + (c - 'A');
    }
    return code[3] == '\0' ? key : -1;
}

int PolishZloty() {
    static const int k = IndexOfCode("PLN");
    return k;
}

} // namespace

int IndexOfCode(const char* code) {
    // Every stored row names its currency: one look-up in a table of all
    // three-letter codes instead of a search of the catalogue.
    static const auto table = [] {
        std::array<signed char, kLetters> indices;
        indices.fill(-1);
        for (int k = 0; k < kCurrencyCount; ++k)
            indices[std::size_t(LetterKey(CurrencyCode(k)))] = static_cast<signed char>(k);
        return indices;
    }();
    const int key = LetterKey(code);
    return key < 0 ? -1 : table[std::size_t(key)];
}

SourceSweep::SourceSweep(const Store& store, const QString& source, int fromDay, int toDay)
    : m_query(store, "SELECT day, code, rate, kind, tbl FROM observations "
                     "WHERE source = ?1 AND day BETWEEN ?2 AND ?3 ORDER BY day"),
      m_source(source) {
    m_query.Bind(1, source).Bind(2, fromDay).Bind(3, toDay);
}

bool SourceSweep::Pending() {
    if (!m_hasRow && !m_done) {
        m_hasRow = m_query.Next();
        m_done = !m_hasRow;
    }
    return m_hasRow;
}

void SourceSweep::AdvanceTo(int day) {
    while (Pending() && m_query.Int(0) <= day) {
        m_hasRow = false;
        const int k = IndexOfCode(m_query.Text(1));
        if (k < 0)
            continue;
        const int rowDay = m_query.Int(0);
        Figure& figure = m_latest[std::size_t(k)];
        figure = {rowDay, m_query.Double(2), std::strcmp(m_query.Text(3), kCross) == 0};
        if (k == 0)
            m_cadMids[rowDay] = figure.value;
        if ((m_tables.empty() || m_tables.rbegin()->first != rowDay) && !m_query.IsNull(4))
            m_tables.emplace_hint(m_tables.end(), rowDay, m_query.String(4));
    }
}

QString SourceSweep::Table(int day) const {
    const auto found = m_tables.find(day);
    return found != m_tables.end() ? found->second : QString();
}

double SourceSweep::CadMid(int day) const {
    const auto found = m_cadMids.find(day);
    return found != m_cadMids.end() ? found->second : kNotAvailable;
}

std::optional<int> SourceSweep::LatestCadDay(int day) const {
    auto found = m_cadMids.upper_bound(day);
    if (found == m_cadMids.begin())
        return std::nullopt;
    --found;
    if (day - found->first > kLookBackDays)
        return std::nullopt;
    return found->first;
}

namespace {

bool Within(const Figure& figure, int day, int lookBack) {
    return figure.day != 0 && figure.day <= day && day - figure.day <= lookBack;
}

} // namespace

OriginatedRate PlainRate(const SourceSweep& sweep, int k, int day, int lookBack) {
    const Figure& figure = sweep.Latest(k);
    if (!Within(figure, day, lookBack))
        return {};
    Origin origin;
    origin.source = sweep.Source();
    origin.kind = figure.cross ? kCrossText : kPublishedText;
    origin.day = figure.day;
    return {figure.value, figure.day, std::move(origin)};
}

OriginatedRate NbpRate(const SourceSweep& a, bool useA, const SourceSweep* b, int k, int day,
                       int lookBack) {
    OriginatedRate best;
    if (useA) {
        // The zloty is the tables' unit: its rate is the reciprocal of the
        // Canadian dollar's mid.
        const bool zloty = k == PolishZloty();
        const Figure& figure = a.Latest(zloty ? 0 : k);
        const double cad = Within(figure, day, lookBack) ? a.CadMid(figure.day) : kNotAvailable;
        const double rate = IsUsableRate(cad)
                                ? UsableRateOrMissing((zloty ? 1.0 : figure.value) / cad)
                                : kNotAvailable;
        if (rate != kNotAvailable) {
            best = {rate, figure.day, {}};
            best.origin.source = kNbpAText;
            best.origin.kind = kCrossText;
            best.origin.day = figure.day;
            best.origin.table = a.Table(figure.day);
        }
    }
    if (b == nullptr)
        return best;
    const Figure& figure = b->Latest(k);
    // Table A wins a day both publish.
    if (!Within(figure, day, lookBack) || figure.day <= best.day)
        return best;
    // A table B is crossed through the Canadian dollar of that day's table A,
    // or of the latest one of the week before when that day has none.
    const std::optional<int> via = a.LatestCadDay(figure.day);
    if (!via)
        return best;
    const double rate = UsableRateOrMissing(figure.value / a.CadMid(*via));
    if (rate == kNotAvailable)
        return best;
    OriginatedRate crossed{rate, figure.day, {}};
    crossed.origin.source = kNbpBText;
    crossed.origin.kind = kCrossText;
    crossed.origin.day = figure.day;
    crossed.origin.table = b->Table(figure.day);
    crossed.origin.viaTable = a.Table(*via);
    crossed.origin.viaDay = *via;
    return crossed;
}

Sweeps::Sweeps(const Store& store, const QString& primarySource, FillPolicy fillPolicy, int fromDay,
               int toDay, bool withPrimary)
    : primaryName(primarySource), policy(fillPolicy) {
    const bool nbpPrimary = IsNbpSource(primarySource);
    if (withPrimary && !nbpPrimary)
        primary.emplace(store, primarySource, fromDay - kLookBackDays, toDay);
    const QString otherSource = OtherSource(primarySource);
    if (policy.fromOtherSource && !otherSource.isEmpty())
        other.emplace(store, otherSource, fromDay - kLookBackDays, toDay);
    if (policy.fromOtherSource || (withPrimary && nbpPrimary)) {
        // A table B of a week back is crossed through a table A of the week
        // before it.
        nbpA.emplace(store, kNbpAText, fromDay - 2 * kLookBackDays, toDay);
        if (policy.fromOtherSource || primarySource == kNbpBText)
            nbpB.emplace(store, kNbpBText, fromDay - kLookBackDays, toDay);
    }
}

void Sweeps::AdvanceTo(int day) {
    for (std::optional<SourceSweep>* sweep : {&primary, &other, &nbpA, &nbpB})
        if (*sweep)
            (*sweep)->AdvanceTo(day);
}

DayRates Sweeps::RatesOn(int day) const {
    DayRates rates;
    for (int k = 1; k < kCurrencyCount; ++k) {
        if (primary)
            rates[k] = PlainRate(*primary, k, day, kLookBackDays);
        else if (nbpA)
            rates[k] = NbpRate(*nbpA, primaryName == kNbpAText,
                               primaryName == kNbpBText ? &*nbpB : nullptr, k, day, kLookBackDays);
    }
    // The Canadian dollar is the unit of every rate.
    rates[0] = {1.0, day, {}};
    rates[0].origin.source = primaryName;
    rates[0].origin.kind = kPublishedText;
    rates[0].origin.day = day;
    Complete(rates, day);
    return rates;
}

void Sweeps::Complete(DayRates& rates, int day) const {
    if (other)
        for (int k = 1; k < kCurrencyCount; ++k) {
            if (IsUsableRate(rates[k].rate))
                continue;
            if (OriginatedRate filled = PlainRate(*other, k, day, kLookBackDays);
                IsUsableRate(filled.rate)) {
                rates[k] = std::move(filled);
                rates[k].origin.filled = true;
            }
        }
    // An official parity is exact: it comes before NBP's market figures of
    // the same currencies.
    if (policy.parities)
        for (const Parity& parity : Parities()) {
            OriginatedRate& rate = rates[parity.currency];
            if (IsUsableRate(rate.rate) || ParityOn(parity.currency, day) == nullptr)
                continue;
            const OriginatedRate& anchor = rates[AnchorCurrency(parity)];
            const double derived = RateFromParity(parity, anchor.rate);
            if (derived == kNotAvailable)
                continue;
            rate = anchor;
            rate.rate = derived;
            rate.origin.parity = ParityLabel(parity);
        }
    if (policy.fromOtherSource && nbpA)
        for (int k = 1; k < kCurrencyCount; ++k) {
            if (IsUsableRate(rates[k].rate))
                continue;
            if (OriginatedRate filled =
                    NbpRate(*nbpA, true, nbpB ? &*nbpB : nullptr, k, day, kLookBackDays);
                IsUsableRate(filled.rate)) {
                rates[k] = std::move(filled);
                rates[k].origin.filled = true;
            }
        }
}

} // namespace kestrum::history
