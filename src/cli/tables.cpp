// `rates` and `list`: the rate tables, as text or JSON.

#include "commands.h"
#include "data/catalogue.h"
#include "data/conversion.h"
#include "data/cp1252.h"
#include "data/dates.h"
#include "data/number_text.h"
#include "data/rate_grid.h"
#include "data/rate_store.h"
#include "history/coverage.h"
#include "origins.h"
#include "output.h"
#include "settings/configuration.h"
#include "settings/language.h"
#include "settings/message_table.h"
#include "settings/paths.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <optional>

namespace kestrum::cli {

namespace {

const QString kAgainst = QStringLiteral("against");
const QString kAmount = QStringLiteral("amount");
const QString kJson = QStringLiteral("json");
const QString kWide = QStringLiteral("wide");
const QString kDigits = QStringLiteral("digits");
const QString kDate = QStringLiteral("date");
constexpr int kTerminalWidth = 80;
constexpr int kMaxDigits = 15;
// Enough for every rate the page prints (0.000449 for the bolivar).
constexpr int kListDecimals = 6;

} // namespace

void DefineRates(QCommandLineParser& parser) {
    parser.addOptions({
        {kAgainst, QCoreApplication::translate("Commands", "Price in CAD (default) or USD."),
         QStringLiteral("code")},
        {kAmount, QCoreApplication::translate("Commands", "Price <n> units instead of one."),
         QStringLiteral("n")},
        {kJson, QCoreApplication::translate("Commands", "Print JSON.")},
        {kWide, QCoreApplication::translate(
                    "Commands", "Full dates as headings; lines wider than 80 columns.")},
        {kDigits,
         QCoreApplication::translate("Commands",
                                     "Show <n> significant digits instead of four decimals."),
         QStringLiteral("n")},
    });
}

namespace {

// 1 to 15 significant digits, or 0 for the grid's own four decimals.
int ReadDigits(const Arguments& arguments) {
    if (!arguments.IsSet(kDigits))
        return 0;
    const QString text = arguments.Value(kDigits);
    bool ok = false;
    const int digits = text.toInt(&ok);
    if (!ok || digits < 1 || digits > kMaxDigits)
        Fail(kUsageError, QCoreApplication::translate(
                              "Commands", "--digits takes a whole number from 1 to %1, not \"%2\".")
                              .arg(kMaxDigits)
                              .arg(text));
    return digits;
}

// Redoes the value cells with significant digits: four decimals show small
// currencies as 0.0001 on every day.
void UseSignificantDigits(RateGrid& grid, int digits) {
    if (digits == 0)
        return;
    for (GridRow& row : grid.rows)
        for (GridCell& cell : row.cells)
            if (cell.kind == GridCellKind::Value)
                cell.text = SignificantText(cell.value, digits);
}

// "Nov 13" out of "Tue, Nov 13, 2007"; "13 nov." in French.
QString DayHeading(double date) {
    if (date == kNotAvailable)
        return QStringLiteral("NA");
    // French writes "mar. 13 nov. 2007": the day and the month follow the
    // weekday.
    if (ShownLanguage() == kLanguageFrench)
        return ShortDateText(date).section(QLatin1Char(' '), 1, 2);
    return ShortDateText(date).section(QStringLiteral(", "), 1, 1);
}

GridBase ReadGridBase(const Arguments& arguments) {
    if (!arguments.IsSet(kAgainst))
        return GridBase::CanadianDollar;
    const QString text = arguments.Value(kAgainst);
    switch (FindCurrencyByCodeOrName(ToCp1252(text))) {
    case 0:
        return GridBase::CanadianDollar;
    case 1:
        return GridBase::USDollar;
    default:
        Fail(kUsageError,
             QCoreApplication::translate("Commands", "--against takes CAD or USD, not \"%1\".")
                 .arg(text));
    }
}

QJsonObject GridJson(const RateGrid& grid, GridBase against, double amount,
                     const history::RateOrigins& origins) {
    QJsonArray days;
    for (int d = 0; d < kDayCount; ++d)
        days.append(QJsonObject{{QStringLiteral("date"), IsoDate(grid.dayDates[d])},
                                {QStringLiteral("heading"), grid.dates[d]}});
    QJsonArray rows;
    for (const GridRow& row : grid.rows) {
        QJsonArray values;
        QJsonArray cells;
        QJsonArray cellOrigins;
        QJsonArray cellFields;
        for (int d = 0; d < kDayCount; ++d) {
            const GridCell& cell = row.cells[d];
            const bool value = cell.kind == GridCellKind::Value;
            values.append(JsonNumberOrNull(value, cell.value));
            cells.append(cell.text);
            const QString origin =
                history::OriginLabel(origins[d][row.currency], history::TextLanguage::English);
            cellOrigins.append(value && !origin.isEmpty() ? QJsonValue(origin)
                                                          : QJsonValue(QJsonValue::Null));
            cellFields.append(value ? OriginFields(origins[d][row.currency])
                                    : QJsonValue(QJsonValue::Null));
        }
        rows.append(QJsonObject{{QStringLiteral("index"), row.currency},
                                {QStringLiteral("code"), QLatin1String(CurrencyCode(row.currency))},
                                {QStringLiteral("name"), row.name},
                                {QStringLiteral("values"), values},
                                {QStringLiteral("cells"), cells},
                                {QStringLiteral("origins"), cellOrigins},
                                {QStringLiteral("originFields"), cellFields}});
    }
    const bool canadian = against == GridBase::CanadianDollar;
    return QJsonObject{
        {QStringLiteral("caption"), grid.caption},
        {QStringLiteral("against"), canadian ? "CAD" : "USD"},
        {QStringLiteral("unit"), grid.unit},
        {QStringLiteral("amount"), amount},
        {QStringLiteral("feeFactor"), FeeFactor(Configuration())},
        {QStringLiteral("feePercent"), Configuration().CashRateOn ? Configuration().CashRate : 0.0},
        {QStringLiteral("days"), days},
        {QStringLiteral("rows"), rows}};
}

} // namespace

int RunRates(const Arguments& arguments) {
    ExpectArguments(arguments, 0,
                    "rates [--against CAD|USD] [--amount N] [--digits N] [--wide] [--json]");
    const GridBase against = ReadGridBase(arguments);
    const double amount = arguments.IsSet(kAmount) ? AmountArgument(arguments.Value(kAmount)) : 1.0;
    const int digits = ReadDigits(arguments);
    LoadSettings();
    LoadRates();
    const ConfigRecord& config = Configuration();
    const bool json = arguments.IsSet(kJson);
    // JSON keeps its English texts and the configured names whatever the
    // locale; the text table speaks the locale's language.
    std::optional<EnglishTexts> english;
    if (json)
        english.emplace();
    RateGrid grid = BuildRateGrid(CurrencyCatalogue(), Rates(), config, against, amount,
                                  json ? config.Language : SentenceLanguage());
    UseSignificantDigits(grid, digits);
    if (json) {
        PrintJson(GridJson(grid, against, amount, history::OriginsOfStoredRates(Rates())));
        return kSuccess;
    }

    const bool wide = arguments.IsSet(kWide);
    const QString count = QString::fromStdString(GeneralNumberText(amount));
    QString caption =
        (amount == 1.0
             ? QCoreApplication::translate("Commands", "%1: %2 unit of each currency in %3, %4")
             : QCoreApplication::translate("Commands", "%1: %2 units of each currency in %3, %4"))
            .arg(grid.caption, count, grid.unit, FeeSentence(config));
    QStringList headings(grid.dates.begin(), grid.dates.end());
    if (!wide) {
        // The headings lose their years, so the caption names the days.
        caption = QCoreApplication::translate("Commands", "%1; days %2 to %3")
                      .arg(caption, grid.dates.front(), grid.dates.back());
        for (int d = 0; d < kDayCount; ++d)
            headings[d] = DayHeading(grid.dayDates[d]);
    }
    caption += QLatin1Char('.');
    WriteText(stdout, WrapText(caption, wide ? 0 : kTerminalWidth));
    QList<QStringList> rows{QStringList{QCoreApplication::translate("Commands", "Code"),
                                        QCoreApplication::translate("Commands", "Currency")} +
                            headings};
    for (const GridRow& row : grid.rows) {
        QStringList cells{QLatin1String(CurrencyCode(row.currency)), row.name};
        for (const GridCell& cell : row.cells)
            cells << cell.text;
        rows << cells;
    }
    WriteText(stdout, TextTable(rows, {false, false, true, true, true, true, true}));
    return kSuccess;
}

void DefineList(QCommandLineParser& parser) {
    parser.addOptions({
        {kJson, QCoreApplication::translate("Commands", "Print JSON.")},
        {kDate,
         QCoreApplication::translate("Commands", "The rates the history gives for <date> "
                                                 "(YYYY-MM-DD) instead of the current ones."),
         QStringLiteral("date")},
    });
}

int RunList(const Arguments& arguments) {
    ExpectArguments(arguments, 0, "list [--date YYYY-MM-DD] [--json]");
    LoadSettings();
    ListedRates listed;
    if (arguments.IsSet(kDate)) {
        listed = ListedRatesAt(arguments.Value(kDate));
    } else if (QFile::exists(ProgramFile(QString::fromLatin1(Message(msg::RateFile))))) {
        // The codes and names are worth showing before any rate is stored.
        LoadRates();
        listed = CurrentListedRates(Rates());
    } else {
        PrintErrorLine(QCoreApplication::translate("Commands",
                                                   "No rates are stored yet; \"kestrum update\" "
                                                   "or \"kestrum import FILE\" stores them."));
    }
    QJsonArray entries;
    QList<QStringList> rows{{QStringLiteral("#"), QCoreApplication::translate("Commands", "Code"),
                             QCoreApplication::translate("Commands", "English"),
                             QCoreApplication::translate("Commands", "French"),
                             QCoreApplication::translate("Commands", "CAD per unit"),
                             QCoreApplication::translate("Commands", "Origin")}};
    const bool json = arguments.IsSet(kJson);
    for (int k = 0; k < kCurrencyCount; ++k) {
        // Every rate is a price in Canadian dollars, so the base is worth 1.
        const ListedRate& rate = listed[k];
        const bool present = k == 0 || rate.rate != kNotAvailable;
        const double value = k == 0 ? 1.0 : rate.rate;
        // Keys in their sorted order: each then lands at the object's end.
        if (json) {
            entries.append(QJsonObject{
                {QStringLiteral("code"), history::ShownCode(k, rate.detail)},
                {QStringLiteral("day"),
                 k == 0 || !present ? QJsonValue(QJsonValue::Null) : QJsonValue(IsoDate(rate.day))},
                {QStringLiteral("english"), Name(k, kEnglish)},
                {QStringLiteral("french"), Name(k, kFrench)},
                {QStringLiteral("index"), k},
                {QStringLiteral("origin"), rate.origin.isEmpty()
                                               ? QJsonValue(QJsonValue::Null)
                                               : QJsonValue(history::OriginLabel(
                                                     rate.detail, history::TextLanguage::English))},
                {QStringLiteral("originFields"), OriginFields(rate.detail)},
                {QStringLiteral("rate"), JsonNumberOrNull(present, value)}});
            continue;
        }
        rows << QStringList{QString::number(k),
                            history::ShownCode(k, rate.detail),
                            Name(k, kEnglish),
                            Name(k, kFrench),
                            present ? QString::number(value, 'f', kListDecimals)
                                    : QStringLiteral("NA"),
                            rate.origin};
    }
    if (json)
        PrintJson(entries);
    else
        WriteText(stdout, TextTable(rows, {true, false, false, false, true, false}));
    return kSuccess;
}

} // namespace kestrum::cli
