#pragma once

#include "history/history_query.h"
#include "history/history_store.h"

#include <QJsonValue>
#include <QString>

namespace kestrum::history {

// What RatesFor adds after the primary's own rates: the other service's rate
// of its latest day within the look-back (when the policy fills), then each
// parity that holds on `day` from its anchor's rate as resolved so far, then
// (filling) NBP's latest figure of the look-back, table A on a day both
// tables publish. A rate already found is never replaced.
void CompleteRates(const Store& store, int day, const QString& primary, FillPolicy policy,
                   DayRates& rates);

// The rates of a publication day of `primary` as "rt.dt" keeps them: its own
// rates of that very day (none carried forward from earlier days), then what
// CompleteRates adds.
DayRates RatesOfPublicationDay(const Store& store, int day, const QString& primary,
                               FillPolicy policy);

// The policy of the settings: filling as switched, parities always.
FillPolicy ConfiguredFillPolicy();

// The language a text is made in: the one in use, or English for output
// other programs read (JSON, CSV, exported files).
enum class TextLanguage { Shown, English };

// A parity's label ("2.70 per USD").
QString ParityText(const QString& label, TextLanguage language = TextLanguage::Shown);

// "Bank of Canada", "ECB", "ECB (filled)", "NBP B (filled)", "2.70 per
// USD", "rate page of <host>"; empty for no rate.
QString OriginLabel(const Origin& origin, TextLanguage language = TextLanguage::Shown);

// The code of currency k as the source of its rate named it: "VES" for the
// bolívar from an NBP table, the catalogue's code otherwise.
QString ShownCode(int k, const Origin& origin);

// The source of the latest import, or empty.
QString LastImportedSource(const Store& store);

// The origin of each number of the five days "rt.dt" holds, [d - 1][k]: what
// RatesOfPublicationDay gives under the latest import's source, else under either service,
// when it is that very number; an empty origin otherwise (rates stored
// before the history was kept).
using RateOrigins = std::array<std::array<Origin, kCurrencyCount>, kDayCount>;
RateOrigins OriginsOf(const Store& store, const RateStore& rates);
// The same from the program's history file; empty origins without one.
RateOrigins OriginsOfStoredRates(const RateStore& rates);

// "Bank of Canada, Friday, December 4, 2026"; a parity names its anchor's
// source too ("2.70 per USD (Bank of Canada), ..."); an NBP figure its table
// ("National Bank of Poland, table 047/B/NBP/2021 of 2021-11-24", and the
// table A it was crossed through when that is of another day). Empty for an
// unknown origin.
QString OriginSentence(const Origin& origin);

// An origin as JSON fields: `source` ("boc", "ecb", "nbp", "page"), `kind`
// (published, cross, filled or parity), `day` and, for the NBP, `table`;
// null for an unknown origin.
QJsonValue OriginFields(const Origin& origin);

} // namespace kestrum::history
