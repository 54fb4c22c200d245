// NBP tables crossed to Canadian dollars when read, and the span reader's
// agreement with the day-by-day answer.
#include "data/catalogue.h"
#include "data/dates.h"
#include "history/coverage.h"
#include "history/history_query.h"
#include "history/history_store.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace kestrum::history {
namespace {

int K(const char* code) {
    return FindCurrencyByCodeOrName(code);
}

int Day(int y, int m, int d) {
    return int(DateValueFromYmd(y, m, d));
}

struct Mid {
    const char* code;
    double zlotys;
};

// One NBP table of a day as the reader hands it over: mids by catalogue
// index, their texts, and the Canadian dollar's mid as text only.
void Import(Store& store, const char* source, int day, const char* table,
            std::initializer_list<Mid> mids) {
    Days days;
    Quotes quotes;
    DayRecord& record = days[day];
    record.Values.fill(kNotAvailable);
    record.Values[0] = day;
    DayQuotes& texts = quotes[day];
    texts.table = table;
    for (const Mid& mid : mids) {
        const QByteArray text = QByteArray::number(mid.zlotys, 'g', 17);
        texts.texts[K(mid.code)] = text;
        if (K(mid.code) != 0)
            record.Values[K(mid.code)] = mid.zlotys;
    }
    ASSERT_TRUE(store.Import(QString::fromLatin1(source), days, QStringLiteral("test"), quotes));
}

void AddBoc(Store& store, int day, double usd) {
    Days days;
    DayRecord& record = days[day];
    record.Values.fill(kNotAvailable);
    record.Values[0] = day;
    record.Values[K("USD")] = usd;
    ASSERT_TRUE(store.Import(kBoc, days, {}));
}

class NbpRatesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_store.Open().usable()); }
    test::ScopedProgramDir m_dir;
    Store m_store;
};

// November 2021: Monday 22 .. Friday 26; Wednesday 10 has no table A
// (Independence Day falls on Thursday 11; the holiday is made up here).
TEST_F(NbpRatesTest, TablesAreCrossedThroughTheirTableAAndFillInOrder) {
    Import(m_store, kNbpA, Day(2021, 11, 9), "218/A/NBP/2021", {{"CAD", 3.2}, {"USD", 4.0}});
    Import(m_store, kNbpB, Day(2021, 11, 10), "045/B/NBP/2021", {{"GHS", 0.64}});
    Import(m_store, kNbpA, Day(2021, 11, 22), "227/A/NBP/2021",
           {{"CAD", 3.3}, {"USD", 4.1}, {"MAD", 0.45}});
    Import(m_store, kNbpA, Day(2021, 11, 24), "229/A/NBP/2021", {{"CAD", 3.4}, {"USD", 4.2}});
    Import(m_store, kNbpB, Day(2021, 11, 24), "047/B/NBP/2021",
           {{"GHS", 0.68}, {"MAD", 0.46}, {"XCD", 1.5}, {"USD", 9.9}});
    AddBoc(m_store, Day(2021, 11, 24), 1.26);

    struct Case {
        const char* what;
        int day;
        const char* code;
        double rate; // -1: none
        const char* source;
        const char* table;
        const char* viaTable;
        int viaDay;
    } const cases[] = {
        {"table B through that Wednesday's table A", Day(2021, 11, 24), "GHS", 0.68 / 3.4, kNbpB,
         "047/B/NBP/2021", "229/A/NBP/2021", Day(2021, 11, 24)},
        {"a Wednesday without table A: the A of the day before", Day(2021, 11, 12), "GHS",
         0.64 / 3.2, kNbpB, "045/B/NBP/2021", "218/A/NBP/2021", Day(2021, 11, 9)},
        {"moved from A to B: A before the move", Day(2021, 11, 23), "MAD", 0.45 / 3.3, kNbpA,
         "227/A/NBP/2021", "", 0},
        {"moved from A to B: the later B after it", Day(2021, 11, 25), "MAD", 0.46 / 3.4, kNbpB,
         "047/B/NBP/2021", "229/A/NBP/2021", Day(2021, 11, 24)},
        {"the zloty is one over the CAD mid", Day(2021, 11, 26), "PLN", 1 / 3.4, kNbpA,
         "229/A/NBP/2021", "", 0},
        {"more than a week after table B", Day(2021, 12, 2), "GHS", -1, "", "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OriginatedRate rate = RatesFor(m_store, c.day, kBoc, {true, true})[K(c.code)];
        EXPECT_DOUBLE_EQ(rate.rate, c.rate);
        EXPECT_EQ(rate.origin.source, QLatin1String(c.source));
        EXPECT_EQ(rate.origin.table, QLatin1String(c.table));
        EXPECT_EQ(rate.origin.viaTable, QLatin1String(c.viaTable));
        EXPECT_EQ(rate.origin.viaDay, c.viaDay);
        if (c.rate > 0) {
            EXPECT_TRUE(rate.origin.filled);
            EXPECT_EQ(rate.origin.kind, QLatin1String(kCross));
        }
    }
    const DayRates wednesday = RatesFor(m_store, Day(2021, 11, 24), kBoc, {true, true});
    // The Bank's own USD and the parity on it beat NBP's figures.
    EXPECT_EQ(wednesday[K("USD")].origin.source, QLatin1String(kBoc));
    EXPECT_DOUBLE_EQ(wednesday[K("XCD")].rate, 1.26 / 2.70);
    EXPECT_FALSE(wednesday[K("XCD")].origin.parity.isEmpty());
    // NBP fills only when filling is on.
    EXPECT_EQ(RatesFor(m_store, Day(2021, 11, 24), kBoc, {false, true})[K("GHS")].rate,
              kNotAvailable);
    // A series of a table crosses as the day's rates do.
    const auto series = StoredSeries(m_store, kNbpB, K("GHS"), Day(2021, 11, 1), Day(2021, 11, 30));
    ASSERT_EQ(series.size(), 2u);
    EXPECT_DOUBLE_EQ(series[0].rate, 0.64 / 3.2);
    EXPECT_DOUBLE_EQ(series[1].rate, 0.68 / 3.4);
}

// Every day of a span read in one pass answers as RatesFor does for that day
// alone: weekends, holidays, gaps longer than the look-back, both services
// and both NBP tables.
TEST_F(NbpRatesTest, TheSpanReaderAgreesWithEachDay) {
    const int first = Day(2021, 10, 1);
    for (int day = first; day < first + 90; ++day) {
        const int weekday = CalendarDate(day).dayOfWeek();
        if (weekday > 5 || (day > first + 30 && day < first + 41))
            continue;
        if (day % 3 != 0)
            AddBoc(m_store, day, 1.2 + day % 17 / 100.0);
        if (day % 5 != 1) {
            Days days;
            DayRecord& record = days[day];
            record.Values.fill(kNotAvailable);
            record.Values[0] = day;
            record.Values[K("EUR")] = 1.45 + day % 13 / 100.0;
            record.Values[K("DKK")] = 0.19 + day % 7 / 1000.0;
            ASSERT_TRUE(m_store.Import(kEcb, days, {}));
        }
        if (day % 4 != 2)
            Import(m_store, kNbpA, day, qPrintable(QStringLiteral("%1/A/NBP/2021").arg(day % 250)),
                   {{"CAD", 3.1 + day % 11 / 100.0}, {"MAD", 0.44}, {"USD", 4.0}});
        if (weekday == 3)
            Import(m_store, kNbpB, day, qPrintable(QStringLiteral("%1/B/NBP/2021").arg(day % 52)),
                   {{"GHS", 0.6 + day % 9 / 100.0}, {"MAD", 0.47}, {"XCD", 1.4}});
    }
    std::vector<int> days;
    for (int day = first - 3; day < first + 100; ++day)
        days.push_back(day);
    for (const FillPolicy policy : {FillPolicy{true, true}, FillPolicy{false, true}}) {
        int compared = 0;
        RatesForDays(m_store, days, kBoc, policy, [&](int day, const DayRates& span) {
            const DayRates alone = RatesFor(m_store, day, kBoc, policy);
            for (int k = 0; k < kCurrencyCount; ++k) {
                SCOPED_TRACE(testing::Message()
                             << IsoDateText(day).toStdString() << " " << CurrencyCode(k));
                EXPECT_EQ(span[k].rate, alone[k].rate);
                EXPECT_EQ(span[k].day, alone[k].day);
                EXPECT_EQ(OriginText(span[k].origin), OriginText(alone[k].origin));
                EXPECT_EQ(span[k].origin.table, alone[k].origin.table);
                EXPECT_EQ(span[k].origin.viaTable, alone[k].origin.viaTable);
                compared += IsUsableRate(span[k].rate);
            }
        });
        EXPECT_GT(compared, 500);
    }
}

} // namespace
} // namespace kestrum::history
