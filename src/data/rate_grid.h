#pragma once

#include "catalogue.h"
#include "rate_store.h"
#include "settings/configuration.h"

#include <QLocale>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrum {

// The currency every cell of a grid is priced in.
enum class GridBase { CanadianDollar, USDollar };

enum class GridCellKind { Value, Empty, NotAvailable };

struct GridCell {
    GridCellKind kind = GridCellKind::Empty;
    double value = 0.0; // set for a Value cell only
    QString text;       // four decimals, "NA" or empty
};

struct GridRow {
    // The currency one unit of which the row prices: 1..55, except 0 for the
    // "Canadian Dollar" row that leads the U.S.-dollar table.
    int currency = 0;
    QString name;
    std::array<GridCell, kDayCount> cells;
};

struct RateGrid {
    QString caption;                        // "Exchange Rates v. ..."
    QString unit;                           // "Canadian Dollars" or "U.S. Dollars"
    std::array<QString, kDayCount> dates;   // short date texts of day records 1..5
    std::array<double, kDayCount> dayDates; // the date values behind them
    std::vector<GridRow> rows;              // currencies 1..55 in index order
};

// The five-day table of the rate grids: what `amount` units of each currency
// were worth on each stored day, in Canadian or in U.S. dollars, less the
// record's cash-rate fee. A Canadian cell whose rate is missing stays empty; a
// U.S. cell is "NA" when its own rate or the U.S. dollar's is missing. Names
// follow `language` in `catalogue`; the numbers use the decimal separator of
// `locale`.
RateGrid BuildRateGrid(const Catalogue& catalogue, const RateStore& store,
                       const ConfigRecord& config, GridBase against, double amount, int language,
                       const QLocale& locale = QLocale::c());

// A one-unit cell priced for `amount` units; empty and "NA" cells stay as
// they are. Scaling always starts from the one-unit value, so scaling twice
// by 2 gives twice the value, never four times.
GridCell ScaledCell(const GridCell& unit, double amount, const QLocale& locale = QLocale::c());

// The amount a grid is scaled by, read from its field the way the main window
// reads its amount ("," ignored, "." the decimal point). No value when the
// text is no number; `messages` then holds what to tell the user, never
// nothing. Zero is a number here: it prices every cell at nothing.
struct GridAmount {
    std::optional<double> value;
    std::vector<std::string> messages;
};
GridAmount ReadGridAmount(std::string_view text);

// "1.00 CHF (Swiss Franc) = 0.9876 CAD": the line under the grid for a
// selected cell, currencies `from` and `to` by catalogue index. The codes
// carry the amounts, so no name needs a plural and the sentence reads the
// same in either language. The typed amount is written as the cells are,
// with the locale's decimal mark and no grouping.
QString ConversionSentence(const QString& amount, int from, const QString& name,
                           const QString& cell, int to, const QLocale& locale = QLocale::c());

} // namespace kestrum
