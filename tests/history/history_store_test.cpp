#include "data/catalogue.h"
#include "data/dates.h"
#include "history/coverage.h"
#include "history/history_query.h"
#include "history/history_store.h"
#include "temp_dir.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <sqlite3.h>

namespace kestrum::history {
namespace {

int CodeIndex(const char* code) {
    for (int k = 0; k < kCurrencyCount; ++k)
        if (QLatin1String(CurrencyCode(k)) == QLatin1String(code))
            return k;
    return -1;
}

int Day(int y, int m, int d) {
    return int(DateValueFromYmd(y, m, d));
}

// A day with a USD rate and a EUR rate derived from the day, so each day's
// numbers are told apart.
void AddDay(Days& days, int day, double usd) {
    DayRecord& record = days[day];
    record.Values.fill(kNotAvailable);
    record.Values[0] = day;
    record.Values[CodeIndex("USD")] = usd;
    record.Values[CodeIndex("EUR")] = usd * 1.5;
}

class HistoryStoreTest : public ::testing::Test {
protected:
    test::ScopedProgramDir m_dir;
};

// Thursday 2024-02-29 .. Tuesday 2024-03-05 minus the weekend, and a holiday
// on Friday 2024-03-01 with no publication.
TEST_F(HistoryStoreTest, RatesForTakesTheLatestDayWithinAWeek) {
    Store store;
    ASSERT_EQ(store.Open().status, OpenStatus::Created);
    Days days;
    AddDay(days, Day(2024, 2, 28), 1.30);
    AddDay(days, Day(2024, 2, 29), 1.31);
    AddDay(days, Day(2024, 3, 4), 1.34);
    ASSERT_TRUE(store.Import(kBoc, days, QStringLiteral("test")));

    struct Case {
        const char* what;
        int asked;
        int expectedDay; // 0: no rate
    } const cases[] = {
        {"a publication day", Day(2024, 2, 28), Day(2024, 2, 28)},
        {"29 February", Day(2024, 2, 29), Day(2024, 2, 29)},
        {"a holiday takes the day before", Day(2024, 3, 1), Day(2024, 2, 29)},
        {"a weekend takes the Thursday", Day(2024, 3, 3), Day(2024, 2, 29)},
        {"the next publication", Day(2024, 3, 5), Day(2024, 3, 4)},
        {"before the first day", Day(2024, 2, 27), 0},
        {"more than a week after the last day", Day(2024, 3, 12), 0},
        {"exactly a week after the last day", Day(2024, 3, 11), Day(2024, 3, 4)},
    };
    const int usd = CodeIndex("USD");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DayRates rates = RatesFor(store, c.asked, kBoc);
        if (c.expectedDay == 0) {
            EXPECT_EQ(rates[usd].rate, kNotAvailable);
            continue;
        }
        EXPECT_EQ(rates[usd].day, c.expectedDay);
        EXPECT_EQ(rates[usd].rate, days.at(c.expectedDay).Values[usd]);
        EXPECT_EQ(rates[usd].origin.source, QLatin1String(kBoc));
        EXPECT_EQ(rates[0].rate, 1.0);
    }
    // The other source has nothing, and is not asked for unless filling.
    EXPECT_EQ(RatesFor(store, Day(2024, 2, 29), kEcb)[usd].rate, kNotAvailable);
}

TEST_F(HistoryStoreTest, ANewerAnswerReplacesTheDayAndRatesKeepEveryBit) {
    Store store;
    ASSERT_TRUE(store.Open().usable());
    const int day = Day(2025, 1, 6);
    Days first;
    AddDay(first, day, 0.1 + 0.2); // not a short decimal
    ASSERT_TRUE(store.Import(kEcb, first, {}));
    Days second;
    AddDay(second, day, 1.0 / 3.0);
    second[day].Values[CodeIndex("EUR")] = kNotAvailable; // dropped by the newer answer
    ASSERT_TRUE(store.Import(kEcb, second, {}));

    const DayRates rates = LatestOnOrBefore(store, kEcb, day);
    EXPECT_EQ(rates[CodeIndex("USD")].rate, 1.0 / 3.0);
    EXPECT_EQ(rates[CodeIndex("USD")].origin.kind, QLatin1String(kCross));
    EXPECT_EQ(rates[CodeIndex("EUR")].rate, kNotAvailable);
    const std::vector<SourceSummary> summary = Summary(store);
    ASSERT_EQ(summary.size(), 1u);
    EXPECT_EQ(summary[0].days, 1);
    EXPECT_EQ(summary[0].currencies, 1);
}

TEST_F(HistoryStoreTest, AveragesAndCrossSeriesUseStoredDaysOnly) {
    Store store;
    ASSERT_TRUE(store.Open().usable());
    Days days;
    AddDay(days, Day(2023, 12, 29), 9.0); // outside the month
    AddDay(days, Day(2024, 1, 2), 1.0);
    AddDay(days, Day(2024, 1, 3), 2.0);
    AddDay(days, Day(2024, 1, 31), 4.0);
    ASSERT_TRUE(store.Import(kBoc, days, {}));
    const auto averages = AverageRates(store, kBoc, {}, Day(2024, 1, 1), Day(2024, 1, 31));
    const AverageRate& usd = averages[CodeIndex("USD")];
    EXPECT_DOUBLE_EQ(usd.rate, 7.0 / 3.0);
    EXPECT_EQ(usd.days, 3);
    EXPECT_EQ(usd.firstDay, Day(2024, 1, 2));
    EXPECT_EQ(usd.lastDay, Day(2024, 1, 31));
    // An average is the mean of the dated answers: parities and filling too,
    // over the primary's publication days.
    Days ecb;
    AddDay(ecb, Day(2024, 1, 2), 5.0);
    ecb[Day(2024, 1, 2)].Values[CodeIndex("DKK")] = 0.2;
    AddDay(ecb, Day(2024, 1, 30), 5.0);
    ecb[Day(2024, 1, 30)].Values[CodeIndex("DKK")] = 0.3;
    ASSERT_TRUE(store.Import(kEcb, ecb, {}));
    const auto filled = AverageRates(store, kBoc, {true, true}, Day(2024, 1, 1), Day(2024, 1, 31));
    EXPECT_DOUBLE_EQ(filled[CodeIndex("USD")].rate, 7.0 / 3.0);
    EXPECT_DOUBLE_EQ(filled[CodeIndex("XCD")].rate, 7.0 / 3.0 / 2.70);
    EXPECT_EQ(filled[CodeIndex("XCD")].days, 3);
    ASSERT_EQ(filled[CodeIndex("XCD")].origins.size(), 1u);
    EXPECT_EQ(filled[CodeIndex("XCD")].origins[0].parity, QLatin1String("2.70 per USD"));
    // January 3 takes the 2nd's DKK (within the week), the 31st the 30th's.
    EXPECT_DOUBLE_EQ(filled[CodeIndex("DKK")].rate, (0.2 + 0.2 + 0.3) / 3);
    EXPECT_TRUE(filled[CodeIndex("DKK")].origins[0].filled);

    const auto series = CrossSeries(store, kBoc, CodeIndex("EUR"), CodeIndex("USD"),
                                    Day(2024, 1, 1), Day(2024, 12, 31));
    ASSERT_EQ(series.size(), 3u);
    EXPECT_EQ(series[0].day, Day(2024, 1, 2));
    EXPECT_DOUBLE_EQ(series[2].rate, 1.5);
    // A currency the source never publishes follows its parity to the anchor.
    const auto pegged = CrossSeries(store, kBoc, CodeIndex("XCD"), CodeIndex("USD"),
                                    Day(2024, 1, 1), Day(2024, 12, 31));
    ASSERT_EQ(pegged.size(), 3u);
    EXPECT_DOUBLE_EQ(pegged[1].rate, 1 / 2.70);
}

// Garbage, another program's database and a store of a newer version.
TEST_F(HistoryStoreTest, ForeignFilesAreSetAsideOrLeftAlone) {
    const QString path = m_dir.Path(QStringLiteral("history.sqlite"));
    {
        m_dir.Write(QStringLiteral("history.sqlite"), QByteArray(4096, 'x'));
        Store store;
        const OpenResult open = store.Open();
        EXPECT_EQ(open.status, OpenStatus::Recovered) << open.message.toStdString();
        EXPECT_TRUE(open.message.contains(QLatin1String("history.sqlite.damaged-")));
        Days days;
        AddDay(days, Day(2024, 1, 2), 1.0);
        EXPECT_TRUE(store.Import(kBoc, days, {}));
        const QStringList aside = QDir(m_dir.Path({})).entryList({"history.sqlite.damaged-*"});
        ASSERT_EQ(aside.size(), 1);
        EXPECT_EQ(m_dir.Read(aside[0]), QByteArray(4096, 'x'));
    }
    QFile::remove(path);
    {
        // A store whose pages are damaged past its header: found in the writing.
        Store store;
        ASSERT_TRUE(store.Open().usable());
        Days days;
        for (int d = 0; d < 400; ++d)
            AddDay(days, Day(2020, 1, 1) + d, 1.0 + d);
        ASSERT_TRUE(store.Import(kBoc, days, {}));
        store.Close();
        QByteArray bytes = m_dir.Read(QStringLiteral("history.sqlite"));
        ASSERT_GT(bytes.size(), 3 * 4096);
        bytes.replace(4096, 2 * 4096, QByteArray(2 * 4096, '\x5a'));
        m_dir.Write(QStringLiteral("history.sqlite"), bytes);
        ASSERT_TRUE(store.Open().usable());
        EXPECT_FALSE(store.QuickCheck());
        const ImportResult damaged = store.Import(kBoc, days, {});
        EXPECT_TRUE(damaged.damaged) << damaged.error.toStdString();
        EXPECT_EQ(store.StartAfresh().status, OpenStatus::Recovered);
        EXPECT_TRUE(store.Import(kBoc, days, {}));
        EXPECT_TRUE(store.QuickCheck());
    }
    for (const QString& name : QDir(m_dir.Path({})).entryList({"history.sqlite*"}))
        QFile::remove(m_dir.Path(name));
    {
        sqlite3* db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        sqlite3_exec(db, "CREATE TABLE t(x)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        Store store;
        EXPECT_EQ(store.Open().status, OpenStatus::Recovered);
    }
    QFile::remove(path);
    {
        sqlite3* db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        sqlite3_exec(db, "PRAGMA user_version = 99", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        Store store;
        const OpenResult open = store.Open();
        EXPECT_EQ(open.status, OpenStatus::Failed);
        EXPECT_TRUE(open.message.contains(QLatin1String("newer version")));
        EXPECT_TRUE(QFile::exists(path));
    }
}

// A store of the first layout, written as that version wrote it.
void WriteFirstLayoutStore(const QString& path, const Days& days) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, R"(
CREATE TABLE observations(source TEXT NOT NULL, day INTEGER NOT NULL, code TEXT NOT NULL,
                          rate REAL NOT NULL, kind TEXT NOT NULL,
                          PRIMARY KEY (source, day, code)) WITHOUT ROWID;
CREATE TABLE imports(source TEXT NOT NULL, first_day INTEGER NOT NULL, last_day INTEGER NOT NULL,
                     imported_at TEXT NOT NULL, origin TEXT NOT NULL);
PRAGMA user_version = 1; PRAGMA journal_mode = WAL;)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    for (const auto& [day, record] : days)
        for (int k = 1; k < kCurrencyCount; ++k)
            if (record.Values[k] != kNotAvailable) {
                const QByteArray sql = QStringLiteral("INSERT INTO observations VALUES ('boc', %1, "
                                                      "'%2', %3, 'published')")
                                           .arg(int(day))
                                           .arg(QLatin1String(CurrencyCode(k)))
                                           .arg(record.Values[k], 0, 'g', 17)
                                           .toUtf8();
                ASSERT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
            }
    sqlite3_exec(db, "INSERT INTO imports VALUES ('boc', 1, 2, '2024-01-01T00:00:00Z', 'x')",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

QStringList SchemaObjects(const Store& store) {
    QStringList objects;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(store.Handle(),
                       "SELECT type || ' ' || name FROM sqlite_schema "
                       "UNION ALL SELECT 'version ' || user_version FROM pragma_user_version "
                       "ORDER BY 1",
                       -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW)
        objects << QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return objects;
}

// A store of the first layout reads, once migrated, exactly as one written
// afresh with the same days, and has the same tables and indexes.
TEST_F(HistoryStoreTest, AFirstLayoutStoreIsMigratedAndAnswersAlike) {
    Days days;
    for (int d = 0; d < 60; ++d)
        if (d % 7 < 5)
            AddDay(days, Day(2023, 1, 2) + d, 1.30 + d / 1000.0);
    WriteFirstLayoutStore(m_dir.Path(QStringLiteral("old.sqlite")), days);
    Store fresh;
    ASSERT_EQ(fresh.Open(m_dir.Path(QStringLiteral("new.sqlite"))).status, OpenStatus::Created);
    ASSERT_TRUE(fresh.Import(kBoc, days, {}));
    // Opening for reading alone brings it up to date.
    Store migrated;
    ASSERT_EQ(migrated.OpenForReading(m_dir.Path(QStringLiteral("old.sqlite"))).status,
              OpenStatus::Opened);
    EXPECT_EQ(SchemaObjects(migrated), SchemaObjects(fresh));

    const int usd = CodeIndex("USD");
    const int first = Day(2023, 1, 1);
    const int last = Day(2023, 3, 31);
    for (int day = first; day <= last; day += 5) {
        EXPECT_EQ(RatesFor(migrated, day, kBoc, {true, true})[usd].rate,
                  RatesFor(fresh, day, kBoc, {true, true})[usd].rate);
    }
    const auto series = [&](const Store& store) {
        std::vector<std::pair<int, double>> points;
        for (const SeriesPoint& point : CrossSeries(store, kBoc, CodeIndex("XCD"), 0, first, last))
            points.emplace_back(point.day, point.rate);
        return points;
    };
    EXPECT_EQ(series(migrated), series(fresh));
    EXPECT_EQ(series(migrated).size(), days.size());
    EXPECT_EQ(StoredDays(migrated, kBoc, first, last), StoredDays(fresh, kBoc, first, last));
    ASSERT_EQ(Summary(migrated).size(), 1u);
    EXPECT_EQ(Summary(migrated)[0].days, int(days.size()));
    EXPECT_EQ(Summary(migrated)[0].currencies, 2);
}

// Tables named as ours with other columns are another program's.
TEST_F(HistoryStoreTest, TablesWithOurNamesButOtherColumnsAreSetAside) {
    const QString path = m_dir.Path(QStringLiteral("history.sqlite"));
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE observations(id INTEGER PRIMARY KEY, note TEXT); "
                 "CREATE TABLE imports(id INTEGER); PRAGMA user_version = 1",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    Store store;
    EXPECT_EQ(store.Open().status, OpenStatus::Recovered);
    EXPECT_EQ(QDir(m_dir.Path({})).entryList({"history.sqlite.damaged-*"}).size(), 1);
}

// A repeated day is rewritten only where the answer differs from what is
// stored, to the bit, the quote or the table; one that is alike is left alone.
TEST_F(HistoryStoreTest, ARepeatedDayIsRewrittenOnlyWhereItDiffers) {
    const int day = Day(2025, 1, 6);
    const struct {
        const char* what;
        bool eurBefore;
        double usd;
        const char* quote;
        const char* table;
        bool rewritten;
    } cases[] = {
        {"alike", true, 1.3, "1.3000", "", false},
        {"a rate one bit off", true, std::nextafter(1.3, 2.0), "1.3000", "", true},
        {"a currency added", false, 1.3, "1.3000", "", true},
        {"another quote", true, 1.3, "1.30", "", true},
        {"a table named", true, 1.3, "1.3000", "001/A/NBP/2025", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::ScopedProgramDir dir;
        Store store;
        ASSERT_TRUE(store.Open().usable());
        const auto import = [&](double usd, bool eur, const char* quote, const char* table) {
            Days days;
            AddDay(days, day, usd);
            if (!eur)
                days[day].Values[CodeIndex("EUR")] = kNotAvailable;
            Quotes quotes;
            quotes[day].texts[CodeIndex("USD")] = quote;
            quotes[day].table = table;
            return store.Import(kEcb, days, {}, quotes).ok;
        };
        ASSERT_TRUE(import(1.3, c.eurBefore, "1.3000", ""));
        const int before = sqlite3_total_changes(store.Handle());
        ASSERT_TRUE(import(c.usd, true, c.quote, c.table));
        // Nothing at all is written for a day stored alike, not even the log.
        EXPECT_EQ(sqlite3_total_changes(store.Handle()) > before, c.rewritten);
        const std::vector<StoredFigure> figures = StoredFigures(store, kEcb, day, day);
        ASSERT_EQ(figures.size(), 2u);
        for (const StoredFigure& figure : figures)
            if (figure.currency == CodeIndex("USD")) {
                EXPECT_EQ(figure.rate, c.usd);
                EXPECT_EQ(figure.quote, QByteArray(c.quote));
                EXPECT_EQ(figure.table, QLatin1String(c.table));
            }
    }
}

// An unchanged answer from the other source than the last import's is still
// logged: the last imported source heads the origins.
TEST_F(HistoryStoreTest, AnUnchangedAnswerStillLogsASwitchOfSource) {
    Store store;
    ASSERT_TRUE(store.Open().usable());
    Days days;
    AddDay(days, Day(2025, 1, 6), 1.3);
    for (const char* source : {kEcb, kBoc, kEcb})
        ASSERT_TRUE(store.Import(QLatin1String(source), days, {}).ok);
    EXPECT_EQ(LastImportedSource(store), QLatin1String(kEcb));
}

// A long run of dated reads prepares each statement once and runs it again.
TEST_F(HistoryStoreTest, StatementsArePreparedOncePerStore) {
    Store store;
    ASSERT_TRUE(store.Open().usable());
    Days days;
    AddDay(days, Day(2024, 1, 2), 1.3);
    ASSERT_TRUE(store.Import(kBoc, days, {}));
    RatesFor(store, Day(2024, 1, 3), kBoc, {true, true});
    const auto statements = [&] {
        std::map<sqlite3_stmt*, int> runs;
        for (sqlite3_stmt* s = sqlite3_next_stmt(store.Handle(), nullptr); s;
             s = sqlite3_next_stmt(store.Handle(), s))
            runs[s] = sqlite3_stmt_status(s, SQLITE_STMTSTATUS_RUN, 0);
        return runs;
    };
    const auto before = statements();
    for (int d = 0; d < 50; ++d)
        RatesFor(store, Day(2024, 1, 3) + d, kBoc, {true, true});
    const auto after = statements();
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [statement, runs] : after) {
        ASSERT_TRUE(before.contains(statement));
        EXPECT_GE(runs - before.at(statement), 50);
    }
}

} // namespace
} // namespace kestrum::history
