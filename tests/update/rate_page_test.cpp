#include "rate_page_fixture.h"
#include "temp_dir.h"

#include "data/dates.h"
#include "data/rate_files.h"
#include "settings/message_table.h"
#include "update/rate_page_parser.h"

#include <QDir>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>

namespace kestrum {
namespace {

bool Parse(QByteArrayView page, RateStore& store, const Catalogue& catalogue = BuiltInCatalogue()) {
    return ParseRatePage(page, store, catalogue, ConfigRecord());
}

bool SameTable(const RateStore& a, const RateStore& b) {
    for (int d = 0; d < kDayCount; ++d)
        if (a.RateTable[d].Values != b.RateTable[d].Values)
            return false;
    return true;
}

// What any input may leave in the table: finite rates, and dates that are
// whole days of the years 2000 to 2199.
void ExpectSaneTable(const RateStore& store) {
    const double first = DateValueFromYmd(2000, 1, 1);
    const double last = DateValueFromYmd(2199, 12, 31);
    for (int d = 1; d <= kDayCount; ++d) {
        const double date = DayDate(store, d);
        EXPECT_TRUE(date == -1.0 || (date >= first && date <= last && date == std::floor(date)))
            << date;
        for (int k = 1; k <= kPageLabelCount; ++k)
            EXPECT_TRUE(std::isfinite(DayRate(store, k, d)));
    }
}

TEST(RatePage, ReadsTheCompletePage) {
    RateStore store;
    ASSERT_TRUE(Parse(test::RatePageFixture(), store));

    const int days[] = {23, 24, 25, 26, 27};
    for (int d = 1; d <= 5; ++d)
        EXPECT_EQ(DayDate(store, d), DateValueFromYmd(2008, 6, days[d - 1]));

    const std::pair<int, double> spotChecks[][5] = {
        {{1, 1.0244}, {1, 1.0174}, {1, 1.0142}, {1, 1.0074}, {1, 1.0216}},
        {{13, 1.5977}, {13, 1.6046}, {13, 1.5796}, {13, 1.5919}, {13, 1.5972}},
        {{15, 0.002441}, {15, 0.002399}, {15, 0.002402}, {15, 0.002431}, {15, 0.002423}},
        {{53, 0.8227}, {53, 0.8351}, {53, 0.8210}, {53, 0.8259}, {53, 0.8288}},
        {{55, 0.0004737}, {55, -1.0}, {55, 0.0004751}, {55, 0.0004695}, {55, 0.0004721}},
    };
    for (const auto& row : spotChecks)
        for (int d = 1; d <= 5; ++d)
            EXPECT_EQ(DayRate(store, row[d - 1].first, d), row[d - 1].second)
                << "currency " << row[d - 1].first << " day " << d;

    // The page's gaps, and a real rate everywhere else.
    const std::set<std::pair<int, int>> gaps = {{5, 3},  {17, 4}, {31, 1}, {31, 2}, {55, 2},
                                                {43, 1}, {43, 2}, {43, 3}, {43, 4}, {43, 5}};
    for (int k = 1; k <= kPageLabelCount; ++k)
        for (int d = 1; d <= 5; ++d) {
            if (gaps.count({k, d}))
                EXPECT_EQ(DayRate(store, k, d), -1.0) << k << "/" << d;
            else
                EXPECT_GT(DayRate(store, k, d), 0.0) << k << "/" << d;
        }
}

TEST(RatePage, EmptyPageFailsClearingRatesButKeepingDates) {
    RateStore store;
    SetDayDate(store, 2, 1234.0);
    SetDayRate(store, 7, 2, 0.5);
    EXPECT_FALSE(Parse(QByteArrayView(), store));
    EXPECT_EQ(DayDate(store, 2), 1234.0);
    EXPECT_EQ(DayRate(store, 7, 2), -1.0);
}

TEST(RatePage, ShortLabelFileMakesEveryParseFail) {
    const QByteArray page = test::RatePageFixture();
    Catalogue catalogue = BuiltInCatalogue();
    ConfigRecord config;
    QByteArray mlist = "http://rates.example/\r\n";
    for (int k = 1; k <= 10; ++k)
        mlist += QByteArray::fromStdString(PageLabel(catalogue, k)) + "\r\n";
    ApplyPageLabelFile(mlist, catalogue, config);

    RateStore store;
    EXPECT_FALSE(Parse(page, store, catalogue));
    EXPECT_EQ(DayRate(store, 1, 1), 1.0244);
    EXPECT_GT(DayRate(store, 10, 5), 0.0);
    EXPECT_EQ(DayRate(store, 11, 1), -1.0);
}

TEST(RatePage, EveryTruncationBeforeTheLastLineEndFails) {
    const QByteArray page = test::RatePageFixture();
    RateStore full;
    ASSERT_TRUE(Parse(page, full));
    // A line only counts once its break is followed by another byte.
    std::array<qsizetype, kCurrencyCount> complete{};
    complete[0] = page.indexOf('\r', page.indexOf(QByteArray(40, ' '))) + 2;
    for (int k = 1; k <= kPageLabelCount; ++k) {
        const qsizetype label =
            page.indexOf(QByteArray::fromStdString(PageLabel(BuiltInCatalogue(), k)));
        ASSERT_GE(label, complete[k - 1]) << k;
        complete[k] = page.indexOf('\r', label) + 2;
    }

    for (qsizetype size = 0; size <= page.size(); ++size) {
        RateStore store;
        const bool parsed = Parse(QByteArrayView(page.constData(), size), store);
        ASSERT_EQ(parsed, size >= complete[kPageLabelCount]) << size;
        // Whatever the cut leaves whole is read as in the full page. (A cut
        // line's currency may borrow a neighbour's line through its first
        // word, e.g. "South", so nothing is claimed about the rest.)
        for (int k = 0; k <= kPageLabelCount && complete[k] <= size; ++k)
            for (int d = 0; d < kDayCount; ++d)
                ASSERT_EQ(store.RateTable[d].Values[k], full.RateTable[d].Values[k])
                    << size << " " << k << " " << d;
    }
}

TEST(RatePage, RandomBytesAreHandledSafely) {
    std::mt19937 random(20080623);
    const std::string alphabet = "   \r\n/0123456789.NAe-";
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(random() % 400, '\0');
        for (char& c : bytes)
            c = random() % 4 ? alphabet[random() % alphabet.size()] : char(random() % 256);
        // Give some pages a date line so the currency lookups run too.
        if (round % 2)
            bytes.insert(random() % (bytes.size() + 1), std::string(40, ' '));
        RateStore store;
        Parse(QByteArrayView(bytes.data(), qsizetype(bytes.size())), store);
        ExpectSaneTable(store);
    }
}

TEST(RatePage, DamageAfterTheTableChangesNothing) {
    const QByteArray page = test::RatePageFixture();
    RateStore full;
    ASSERT_TRUE(Parse(page, full));
    const qsizetype tableEnd = page.indexOf("</PRE>");
    ASSERT_GT(tableEnd, 0);

    std::mt19937 random(55);
    const char specials[] = {' ', '\r', '\n', '/', '.', '5', 'N', 'A', '\0'};
    for (int round = 0; round < 2000; ++round) {
        QByteArray damaged = page;
        const bool afterTable = round % 2 == 0;
        for (int i = 0; i < 3; ++i) {
            const qsizetype at = afterTable ? tableEnd + random() % (page.size() - tableEnd)
                                            : random() % page.size();
            damaged[at] = random() % 2 ? specials[random() % sizeof specials] : char(random());
        }
        RateStore store;
        const bool parsed = Parse(damaged, store);
        if (afterTable) {
            ASSERT_TRUE(parsed);
            ASSERT_TRUE(SameTable(store, full));
        }
        ExpectSaneTable(store);
    }
}

class PageFile : public ::testing::Test {
protected:
    PageFile() { SetDayRate(store, 1, 1, 1.5); }
    PageFileParse ParseFile() { return ParsePageFile(store, BuiltInCatalogue(), ConfigRecord()); }
    test::ScopedProgramDir dir;
    RateStore store;
    const QString parseError = QString::fromLatin1(Message(msg::ParseError));
};

TEST_F(PageFile, MissingFileIsNotParsedAndLeavesTheStore) {
    const PageFileParse result = ParseFile();
    EXPECT_EQ(result.status, PageFileStatus::Unreadable);
    EXPECT_TRUE(result.error.contains(QStringLiteral("temp.html"))) << result.error.toStdString();
    EXPECT_EQ(DayRate(store, 1, 1), 1.5);
    EXPECT_EQ(PageFileMessages(result), QStringList({result.error, parseError}));
}

TEST_F(PageFile, UnreadableFileIsNotParsed) {
    ASSERT_TRUE(QDir().mkpath(dir.Path(QStringLiteral("temp.html"))));
    QByteArray text = "stale";
    EXPECT_FALSE(LoadPageText(text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(ParseFile().status, PageFileStatus::Unreadable);
    EXPECT_EQ(DayRate(store, 1, 1), 1.5);
}

TEST_F(PageFile, ParsesThePageFileByteForByte) {
    const QByteArray page = test::RatePageFixture();
    dir.Write(QStringLiteral("temp.html"), page);
    QByteArray text;
    ASSERT_TRUE(LoadPageText(text));
    EXPECT_EQ(text, page);
    const PageFileParse result = ParseFile();
    EXPECT_TRUE(result);
    EXPECT_TRUE(PageFileMessages(result).isEmpty());
    EXPECT_EQ(DayRate(store, 1, 1), 1.0244);
}

TEST_F(PageFile, PageWithoutTheTableIsUnparsable) {
    dir.Write(QStringLiteral("temp.html"), "<HTML><BODY>Service unavailable</BODY></HTML>\r\n");
    const PageFileParse result = ParseFile();
    EXPECT_EQ(result.status, PageFileStatus::Unparsable);
    EXPECT_EQ(PageFileMessages(result), QStringList({parseError}));
}

} // namespace
} // namespace kestrum
