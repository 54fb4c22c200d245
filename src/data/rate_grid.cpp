#include "rate_grid.h"

#include "catalogue.h"
#include "conversion.h"
#include "cp1252.h"
#include "dates.h"
#include "settings/message_table.h"

#include <cmath>

namespace kestrum {

namespace {

constexpr int kUsDollar = 1;

GridCell MissingCell(GridBase against) {
    if (against == GridBase::CanadianDollar)
        return {};
    return {GridCellKind::NotAvailable, 0.0, QStringLiteral("NA")};
}

// A large amount times a large rate can overflow; that cell has no value.
GridCell ValueCell(double value, GridBase against, const QLocale& locale) {
    if (!std::isfinite(value))
        return MissingCell(against);
    return {GridCellKind::Value, value, FormatResult(value, 4, false, locale)};
}

} // namespace

RateGrid BuildRateGrid(const RateStore& store, const ConfigRecord& config, GridBase against,
                       double amount, int language, const QLocale& locale) {
    const bool canadian = against == GridBase::CanadianDollar;
    RateGrid grid;
    grid.caption =
        QString::fromLatin1(Message(canadian ? msg::GridCanCaption : msg::GridUsCaption));
    grid.unit = QString::fromLatin1(Message(canadian ? msg::CanadianDollars : msg::UsDollars));
    for (int d = 1; d <= kDayCount; ++d) {
        grid.dayDates[d - 1] = DayDate(store, d);
        grid.dates[d - 1] = DateTextOrNa(DayDate(store, d), ShortDateText);
    }

    const double fee = FeeFactor(config);
    grid.rows.resize(kPageLabelCount);
    for (int k = 1; k <= kPageLabelCount; ++k) {
        GridRow& row = grid.rows[k - 1];
        const bool canadianRow = !canadian && k == kUsDollar;
        row.currency = canadianRow ? 0 : k;
        row.name = canadianRow ? QString::fromLatin1(Message(msg::CanadianDollar))
                               : FromCp1252(CurrencyName(k, language));
        for (int d = 1; d <= kDayCount; ++d) {
            const double rate = DayRate(store, k, d);
            const double usRate = DayRate(store, kUsDollar, d);
            GridCell& cell = row.cells[d - 1];
            if (canadian) {
                cell = rate != kNotAvailable ? ValueCell((rate * fee) * amount, against, locale)
                                             : MissingCell(against);
            } else if (usRate == kNotAvailable || rate == kNotAvailable) {
                cell = MissingCell(against);
            } else {
                // One U.S. dollar's worth in Canadian dollars turned around,
                // the fee applied once through it.
                const double perCanadian = (1.0 / usRate) * fee;
                const double unit = canadianRow ? perCanadian : rate * perCanadian;
                cell = ValueCell(unit * amount, against, locale);
            }
        }
    }
    return grid;
}

} // namespace kestrum
