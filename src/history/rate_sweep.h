#pragma once

// The latest figures of the sources as their rows go by in day order: what
// RatesFor, the span reader and CompleteRates share, so a day answers the
// same whichever of them asks.

#include "history/history_query.h"
#include "history/statement.h"

#include <map>
#include <optional>

namespace kestrum::history {

// The catalogue index of a stored three-letter code, -1 for none.
int IndexOfCode(const char* code);

// A figure as stored: Canadian dollars per unit, or zlotys per unit for NBP.
struct Figure {
    int day = 0; // 0: none yet
    double value = kNotAvailable;
    bool cross = false;
};

// One source's rows of [fromDay, toDay], taken in up to a day at a time.
class SourceSweep {
public:
    SourceSweep(const Store& store, const QString& source, int fromDay, int toDay);

    // Takes in every row dated on or before `day`.
    void AdvanceTo(int day);
    const QString& Source() const { return m_source; }
    const Figure& Latest(int k) const { return m_latest[std::size_t(k)]; }
    // The table number of a publication day ("" when the source has none).
    QString Table(int day) const;
    // NBP table A: the Canadian dollar's mid of a day, and the latest day with
    // one on or before `day`, at most kLookBackDays before it.
    double CadMid(int day) const;
    std::optional<int> LatestCadDay(int day) const;

private:
    bool Pending();

    Query m_query;
    QString m_source;
    bool m_hasRow = false;
    bool m_done = false;
    std::array<Figure, kCurrencyCount> m_latest;
    std::map<int, QString> m_tables;
    std::map<int, double> m_cadMids;
};

// The rate RatesFor would take from one source for currency k on `day`:
// its latest figure within `lookBack` days, in Canadian dollars.
OriginatedRate PlainRate(const SourceSweep& sweep, int k, int day, int lookBack);

// The same from the NBP tables: each figure crossed through the Canadian
// dollar's mid of its table A (`a` always holds table A's rows, for the
// crossing); the latest figure of the tables `b` and `useA` allow wins, table
// A on the same day.
OriginatedRate NbpRate(const SourceSweep& a, bool useA, const SourceSweep* b, int k, int day,
                       int lookBack);

// The sweeps RatesFor needs for the days [fromDay, toDay]: the primary, and
// with filling the other service and both NBP tables, each reading from far
// enough back for the look-back (and NBP's crossing) of fromDay.
// A primary that is an NBP table reads its own rates through NbpRate.
struct Sweeps {
    Sweeps(const Store& store, const QString& primary, FillPolicy policy, int fromDay, int toDay,
           bool withPrimary = true);
    void AdvanceTo(int day);
    DayRates RatesOn(int day) const;
    // What follows the primary's own rates, as CompleteRates adds it.
    void Complete(DayRates& rates, int day) const;

    QString primaryName;
    FillPolicy policy;
    std::optional<SourceSweep> primary, other, nbpA, nbpB;
};

} // namespace kestrum::history
