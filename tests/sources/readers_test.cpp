// The readers through the table of sources: what each service's answer
// publishes, the days and rates a reader refuses, and the NBP's answers as the
// service gives them.
#include "data/dates.h"
#include "sources/source_table.h"

#include <QFile>
#include <cstring>
#include <gtest/gtest.h>

namespace kestrum::sources {
namespace {

QByteArray Fixture(const char* name) {
    QFile file(QStringLiteral(KESTRUM_SOURCES_FIXTURES "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double Day(const char* iso) {
    return DateValueOf(QDate::fromString(QLatin1String(iso), Qt::ISODate));
}

struct AnswerCase {
    const char* name;
    QByteArray body;
    SourceRead result;
    // "source day [table] CODE=rate@text ...; ...": a rate "a/b" is a over b,
    // computed so; "@text" may be left out when the text is the rate's.
    const char* published = "";
    int rates = -1; // every rate of the answer, when not all are listed
    int outside = 0;
    int refused = 0;
    bool noTable = false;
};

void PrintTo(const AnswerCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadAnswerTest : public testing::TestWithParam<AnswerCase> {};

TEST_P(ReadAnswerTest, PublishesWhatTheServiceSaid) {
    const AnswerCase& c = GetParam();
    Answer answer;
    SourceRead read = SourceRead::NotRecognised;
    // Noon in Greenwich is the same day in every publisher's zone.
    const QDateTime now(QDate(2026, 12, 9), QTime(12, 0), Qt::UTC);
    const RateSource* source = ReadAnswer(c.body, answer, now, read);
    EXPECT_EQ(read, c.result);
    EXPECT_EQ(source == nullptr, c.result == SourceRead::NotRecognised);
    EXPECT_EQ(int(answer.daysOutside.size()), c.outside);
    EXPECT_EQ(answer.ratesRefused, c.refused);
    EXPECT_EQ(answer.noTable, c.noTable);

    int listed = 0;
    for (const QString& entry : QString::fromLatin1(c.published).split(u';', Qt::SkipEmptyParts)) {
        QStringList fields = entry.simplified().split(u' ');
        const QString kept = fields.takeFirst();
        const double day = Day(fields.takeFirst().toLatin1().constData());
        ASSERT_TRUE(answer.published.count(kept)) << entry.toStdString();
        const Published& published = answer.published.at(kept);
        ASSERT_TRUE(published.days.count(day) && published.quotes.count(day))
            << entry.toStdString();
        const DayQuotes& quotes = published.quotes.at(day);
        if (!fields.isEmpty() && fields.front().startsWith(u'[')) {
            EXPECT_EQ(quotes.table, fields.takeFirst().mid(1).chopped(1).toLatin1());
        }
        for (const QString& figure : fields) {
            const QString code = figure.section(u'=', 0, 0);
            const QString value = figure.section(u'=', 1).section(u'@', 0, 0);
            const QString text = figure.contains(u'@') ? figure.section(u'@', 1) : value;
            const int k = CurrencyIndexOfCode(code);
            const QStringList parts = value.split(u'/');
            const double rate =
                parts.size() == 2 ? parts[0].toDouble() / parts[1].toDouble() : parts[0].toDouble();
            if (k > 0) {
                EXPECT_EQ(published.days.at(day).Values[k], rate) << entry.toStdString();
                ++listed;
            }
            EXPECT_EQ(quotes.texts[size_t(k)], text.toLatin1()) << entry.toStdString();
        }
    }
    int rates = 0;
    for (const auto& [kept, published] : answer.published)
        for (const auto& [day, record] : published.days)
            for (int k = 1; k < kCurrencyCount; ++k)
                rates += record.Values[k] != kNotAvailable;
    EXPECT_EQ(rates, c.rates < 0 ? listed : c.rates);
}

// Table A's Canadian dollar travels as a text; table B names the bolívar VES.
const char* const kTableA = "nbp-a 2022-05-13 [092/A/NBP/2022] CAD=3.4484 USD=4.4849 EUR=4.6679 "
                            "JPY=0.034818 IDR=0.00030692";
const char* const kTableB = "nbp-b 2022-05-11 [019/B/NBP/2022] VES=0.9619 ARS=0.0378 XOF=0.007127 "
                            "TWD=0.1490";

QByteArray Pretty(QByteArray compact) {
    return compact.replace("{", "{\n  ").replace(",\"", ",\n  \"").replace("}", "\n}");
}

const AnswerCase kAnswerCases[] = {
    {"nbp_table_a_real", Fixture("nbp-table-a-2022-05-13-092A.json"), SourceRead::Read, kTableA,
     29},
    {"nbp_table_b_real", Fixture("nbp-table-b-2022-05-11-019B.json"), SourceRead::Read, kTableB,
     23},
    {"nbp_table_a_pretty_printed", Pretty(Fixture("nbp-table-a-2022-05-13-092A.json")),
     SourceRead::Read, kTableA, 29},
    // An escape where the reader looks sends the answer to Qt's reader,
    // which reads it alike.
    {"nbp_escaped_code_and_names", R"([{"table":"A","no":"1/A","effectiveDate":"2022-05-13",
       "rates":[{"currency":"dolar ameryka\u0144ski","code":"US\u0044","mid":4.4849},
       {"c\u006fde":"EUR","mid":4.6679}]}])",
     SourceRead::Read, "nbp-a 2022-05-13 [1/A] USD=4.4849 EUR=4.6679"},
    {"nbp_currency_series", R"({"table":"A","currency":"dolar","code":"USD","rates":[
       {"no":"001/A/NBP/2024","effectiveDate":"2024-01-02","mid":3.9432},
       {"no":"002/A/NBP/2024","effectiveDate":"2024-01-03","mid":"3.9909"}]})",
     SourceRead::Read,
     "nbp-a 2024-01-02 [001/A/NBP/2024] USD=3.9432; nbp-a 2024-01-03 [002/A/NBP/2024] "
     "USD=3.9909"},
    {"nbp_currency_outside_the_catalogue", Fixture("nbp-rates-b-AFN-2026-09-09_2026-09-23.json"),
     SourceRead::NoUsableDay},
    {"nbp_no_table", Fixture("nbp-error-404-brak-danych.txt"), SourceRead::NoUsableDay, "", -1, 0,
     0, true},
    {"nbp_range_refused", Fixture("nbp-error-400-tables-range-93-days.txt"),
     SourceRead::NoUsableDay},
    // Two days in one answer; a day before the service began and one after
    // tomorrow are left out and counted, as is an absurd mid, alone.
    {"nbp_days_and_rates_outside", R"([
       {"table":"A","no":"250/A/NBP/2001","effectiveDate":"2001-12-31","rates":[{"code":"USD","mid":4.0}]},
       {"table":"A","no":"237/A/NBP/2026","effectiveDate":"2026-12-08","rates":[{"code":"CAD","mid":2.61},
        {"code":"USD","mid":1e400},{"code":"GBP","mid":1e-12},{"code":"EUR","mid":4.21}]},
       {"table":"A","no":"238/A/NBP/2026","effectiveDate":"2026-12-09","rates":[{"code":"USD","mid":3.6}]},
       {"table":"A","no":"999/A/NBP/2026","effectiveDate":"2026-12-12","rates":[{"code":"USD","mid":3.6}]}])",
     SourceRead::Read,
     "nbp-a 2026-12-08 [237/A/NBP/2026] CAD=2.61 EUR=4.21; nbp-a 2026-12-09 USD=3.6", -1, 2, 2},
    {"nbp_table_c_has_no_mid", R"([{"table":"C","no":"1/C","tradingDate":"2022-05-12",
       "effectiveDate":"2022-05-13","rates":[{"code":"USD","bid":4.4,"ask":4.5}]}])",
     SourceRead::NoUsableDay},
    {"json_array_of_other_things", "[1, 2, {\"table\": \"A\"}]", SourceRead::NotRecognised},
    // The Bank of Canada's and the ECB's readers keep the same bounds and band.
    {"valet_days_and_cells_outside", R"({"observations": [
       {"d": "2026-12-04", "FXUSDCAD": {"v": "1.4002"}, "FXEURCAD": {"v": 1e400},
        "FXJPYCAD": {"v": "1e-11"}, "FXGBPCAD": {"v": 1.8e0}},
       {"d": "1949-12-30", "FXUSDCAD": {"v": "1.3"}}, {"d": "9999-12-31", "FXUSDCAD": {"v": "1.3"}},
       {"d": "2026-12-11", "FXUSDCAD": {"v": "1.3"}}, {"d": "2026-12-12", "FXUSDCAD": {"v": ""}}]})",
     SourceRead::Read, "boc 2026-12-04 USD=1.4002 GBP=1.8@1.8e0", -1, 3, 2},
    {"ecb_quotes_outside", R"(<gesmes:Envelope xmlns:gesmes="g"><Cube>
       <Cube time="2026-12-04"><Cube currency="CAD" rate="1.6250"/><Cube currency="USD" rate="1.1645"/>
       <Cube currency="JPY" rate="1e-300"/><Cube currency="GBP" rate="1e308"/></Cube>
       <Cube time="2026-12-03"><Cube currency="CAD" rate="1e7"/><Cube currency="USD" rate="1.16"/></Cube>
       <Cube time="1998-12-31"><Cube currency="CAD" rate="1.6"/></Cube></Cube></gesmes:Envelope>)",
     SourceRead::Read, "ecb 2026-12-04 EUR=1.6250 USD=1.6250/1.1645@1.1645", -1, 1, 3},
};

INSTANTIATE_TEST_SUITE_P(Answers, ReadAnswerTest, testing::ValuesIn(kAnswerCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each body once as the one pass reads it and once with a last member the
// pass leaves to Qt's reader: the days, rates and counts are the same, bit for
// bit, and the texts name the same numbers.
TEST(ReadAnswer, CheckedReadingGivesTheSameAnswer) {
    const QByteArray tableB = Fixture("nbp-table-b-2022-05-11-019B.json");
    const QByteArray valet = R"({"observations": [{"d": "2026-12-04", "FXUSDCAD": {"v": "1.4002"},
        "FXJPYCAD": {"v": 0.0093}, "FXEURCAD": {"v": 1e-11}}, {"d": "1949-12-30",
        "FXUSDCAD": {"v": "1.3"}}]})";
    const QByteArray ecb = R"(<gesmes:Envelope xmlns:gesmes="g"><Cube><Cube time="2026-12-04">
        <Cube currency="CAD" rate="1.6250"/><Cube currency="USD" rate="1.1645"/>
        <Cube currency="JPY" rate="1e-300"/></Cube></Cube></gesmes:Envelope>)";
    const std::pair<QByteArray, QByteArray> bodies[] = {
        {tableB, tableB.chopped(2) + R"(,"n\u006fte":0}])"},
        {valet, valet.chopped(1) + R"(, "n\u006fte": 0})"},
        {ecb, QByteArray(ecb).replace("xmlns:gesmes=\"g\"", "xmlns:gesmes=\"g&amp;\"")},
    };
    const QDateTime now(QDate(2026, 12, 9), QTime(12, 0), Qt::UTC);
    for (const auto& [plain, checked] : bodies) {
        Answer fast, slow;
        SourceRead fastRead, slowRead;
        ASSERT_NE(ReadAnswer(plain, fast, now, fastRead), nullptr) << plain.left(40).data();
        ASSERT_NE(ReadAnswer(checked, slow, now, slowRead), nullptr) << checked.left(40).data();
        EXPECT_EQ(fastRead, slowRead);
        EXPECT_EQ(fast.daysOutside, slow.daysOutside);
        EXPECT_EQ(fast.ratesRefused, slow.ratesRefused);
        ASSERT_EQ(fast.published.size(), slow.published.size());
        for (const auto& [source, published] : fast.published) {
            const Published& other = slow.published.at(source);
            ASSERT_EQ(published.days.size(), other.days.size());
            for (const auto& [day, record] : published.days) {
                EXPECT_EQ(0, std::memcmp(&record, &other.days.at(day), sizeof record));
                const DayQuotes& texts = published.quotes.at(day);
                EXPECT_EQ(texts.table, other.quotes.at(day).table);
                for (int k = 0; k < kCurrencyCount; ++k)
                    EXPECT_EQ(texts.texts[size_t(k)].toDouble(),
                              other.quotes.at(day).texts[size_t(k)].toDouble());
            }
        }
    }
}

TEST(SourceTable, BoundsEndTomorrowInThePublishersZone) {
    // 23:30 in Toronto on December 8 is already December 9 in Warsaw.
    const QDateTime now(QDate(2026, 12, 9), QTime(4, 30), Qt::UTC);
    EXPECT_EQ(SourceNamed(u"boc")->BoundsAt(now).last, Day("2026-12-09"));
    EXPECT_EQ(SourceNamed(u"nbp-b")->BoundsAt(now).last, Day("2026-12-10"));
    EXPECT_EQ(SourceNamed(u"NBP")->BoundsAt(now).first, Day("2002-01-02"));
    EXPECT_EQ(SourceNamed(u"boc")->BoundsAt(now).first, Day("1950-01-01"));
    EXPECT_EQ(SourceNamed(u"page:http://x/"), &RateSources().back());
    EXPECT_EQ(SourceNamed(u"usd"), nullptr);
}

} // namespace
} // namespace kestrum::sources
