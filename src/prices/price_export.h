#pragma once

#include "history/history_query.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace kestrum::prices {

// The files prices leave the program in: the price directives of ledger,
// hledger and beancount, the CSV GnuCash's price import assistant reads, and
// CSV and JSON with each price's origin.
enum class PriceFormat { Ledger, Hledger, Beancount, GnuCashCsv, Csv, Json };
inline constexpr PriceFormat kPriceFormats[] = {PriceFormat::Ledger,    PriceFormat::Hledger,
                                                PriceFormat::Beancount, PriceFormat::GnuCashCsv,
                                                PriceFormat::Csv,       PriceFormat::Json};

// "ledger", "hledger", "beancount", "gnucash-csv", "csv", "json".
QString FormatName(PriceFormat format);
std::optional<PriceFormat> ParseFormat(QStringView name);
// "Ledger", "GnuCash price CSV", ...: what a file chooser names.
QString FormatTitle(PriceFormat format);
// The file name ending the tools expect, without the dot.
QString FormatSuffix(PriceFormat format);
// The format a file name's ending implies: ".journal" hledger, ".beancount"
// beancount, ".json" JSON, ".csv" CSV, ".ledger" ledger; nothing otherwise.
std::optional<PriceFormat> FormatOfFileName(const QString& fileName);

struct ExportRequest {
    QString source;              // "boc", "ecb", or "nbp" for both NBP tables
    std::vector<int> currencies; // empty: every currency with a price in the range
    int against = 0;             // the currency prices are counted in
    int fromDay = 0;
    int toDay = 0;
    // On the source's own days, also what other sources and the parities
    // give for what it did not publish, marked as filled.
    bool fill = false;
    // The parities alone, as a chart draws a pegged currency.
    bool parities = false;
};

struct ExportedPrice {
    int day = 0;            // the date the price is given for: a publication day of the source
    int currency = 0;       // one unit of it is worth `number` of the request's `against`
    QString number;         // as written into the file
    bool computed = false;  // a cross to 10 significant digits, not a published text
    history::Origin origin; // kind is kCross when computed; filled or parity when from elsewhere
};

// The store's stored day table in price form, by day, then code. Where the
// source published the pair itself (the Bank's CAD per unit, the ECB's units
// per euro, NBP's zlotys per unit) the number is its text as published;
// anything else is computed.
std::vector<ExportedPrice> CollectPrices(const history::Store& store, const ExportRequest& request);

// The file's bytes. The text formats open with comment lines naming Kestrum's
// version, the source, the range and `exportedAt`, and mark a computed or
// filled price with a comment on its line; CSV carries those marks in columns
// (neither spreadsheets nor GnuCash skip comment lines) and JSON in fields.
QByteArray WritePrices(PriceFormat format, const std::vector<ExportedPrice>& prices,
                       const ExportRequest& request, const QDateTime& exportedAt);

// `value` with `digits` significant digits and no exponent:
// 0.00001234567891, 18140.12346.
QString SignificantDigits(double value, int digits = 10);

// The stored source names of a request's source ("nbp": both tables).
QStringList StoredSources(const QString& source);

} // namespace kestrum::prices
