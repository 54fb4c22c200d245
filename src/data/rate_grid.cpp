#include "rate_grid.h"

#include "catalogue.h"
#include "conversion.h"
#include "cp1252.h"
#include "dates.h"
#include "number_text.h"
#include "settings/message_table.h"

#include <cmath>

namespace kestrum {

namespace {

constexpr int kUsDollar = 1;

// Its text comes with the scaling.
GridCell UnitCell(double value) {
    return {GridCellKind::Value, value, {}};
}

GridCell MissingCell(GridBase against) {
    if (against == GridBase::CanadianDollar)
        return {};
    return {GridCellKind::NotAvailable, 0.0, QStringLiteral("NA")};
}

} // namespace

RateGrid BuildRateGrid(const Catalogue& catalogue, const RateStore& store,
                       const ConfigRecord& config, GridBase against, double amount, int language,
                       const QLocale& locale) {
    const bool canadian = against == GridBase::CanadianDollar;
    RateGrid grid;
    grid.caption = MessageText(canadian ? msg::GridCanCaption : msg::GridUsCaption);
    grid.unit = MessageText(canadian ? msg::CanadianDollars : msg::UsDollars);
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
        row.name = FromCp1252(CurrencyName(catalogue, row.currency, language));
        for (int d = 1; d <= kDayCount; ++d) {
            const double rate = DayRate(store, k, d);
            const double usRate = DayRate(store, kUsDollar, d);
            GridCell& cell = row.cells[d - 1];
            if (canadian) {
                cell = rate != kNotAvailable ? ScaledCell(UnitCell(rate * fee), amount, locale)
                                             : MissingCell(against);
            } else if (!IsUsableRate(usRate) || rate == kNotAvailable) {
                // A zero U.S. rate from a damaged file would price every
                // cell of the day at infinity.
                cell = MissingCell(against);
            } else {
                // One U.S. dollar's worth in Canadian dollars turned around,
                // the fee applied once through it.
                const double perCanadian = (1.0 / usRate) * fee;
                const double unit = canadianRow ? perCanadian : rate * perCanadian;
                cell = ScaledCell(UnitCell(unit), amount, locale);
            }
        }
    }
    return grid;
}

GridCell ScaledCell(const GridCell& unit, double amount, const QLocale& locale) {
    if (unit.kind != GridCellKind::Value)
        return unit;
    const double value = unit.value * amount;
    // A large amount times a large rate can overflow; that cell has no value.
    if (!std::isfinite(value))
        return {GridCellKind::NotAvailable, 0.0, QStringLiteral("NA")};
    return {GridCellKind::Value, value, FormatResult(value, 4, false, locale)};
}

GridAmount ReadGridAmount(std::string_view text) {
    GridAmount amount;
    const AmountCheck check = CheckAmount(text);
    if (check.valid) {
        std::string digits = *UngroupedNumber(text);
        if (check.needsLeadingZero)
            digits.insert(digits.begin(), '0');
        amount.value = ParseDecimal(digits);
    }
    if (!amount.value) {
        amount.messages = check.messages;
        // The main window stays silent on a single stray character, but a
        // Calculate that changes nothing must say why.
        if (amount.messages.empty())
            amount.messages.emplace_back(kNonNumericMessage);
    }
    return amount;
}

QString ConversionSentence(const QString& amount, int from, const QString& name,
                           const QString& cell, int to, const QLocale& locale) {
    QString written = amount;
    written.remove(QLatin1Char(',')).replace(QLatin1Char('.'), locale.decimalPoint());
    return QStringLiteral("%1 %2 (%3) = %4 %5")
        .arg(written, QLatin1String(CurrencyCode(from)), name, cell,
             QLatin1String(CurrencyCode(to)));
}

} // namespace kestrum
