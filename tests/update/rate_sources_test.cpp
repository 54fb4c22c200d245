#include "data/dates.h"
#include "rate_page_fixture.h"
#include "settings/message_table.h"
#include "update/rate_page_parser.h"
#include "update/rate_sources.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace kestrum {
namespace {

// A rate written as the answer writes it, and an ECB cross rate: CAD quote
// over the currency's quote.
double V(const char* text) {
    return std::strtod(text, nullptr);
}
double Cross(const char* cad, const char* other) {
    return V(cad) / V(other);
}

struct Day {
    int record; // 1..5
    const char* date;
    std::vector<std::pair<const char*, double>> rates; // ISO code, Canadian dollars per unit
};

RateStore ExpectedStore(const std::vector<Day>& days) {
    RateStore store;
    for (const Day& day : days) {
        SetDayDate(store, day.record, DateValueOf(QDate::fromString(day.date, Qt::ISODate)));
        for (const auto& [code, rate] : day.rates)
            SetDayRate(store, FindCurrencyByCodeOrName(code), day.record, rate);
    }
    return store;
}

// What the store held before: a failed read must leave it so.
RateStore PreviousStore() {
    RateStore store;
    SetDayDate(store, 5, DateValueFromYmd(2005, 6, 3));
    SetDayRate(store, 1, 5, 1.25);
    return store;
}

void ExpectSameRecords(const RateStore& actual, const RateStore& expected) {
    for (int d = 1; d <= kDayCount; ++d)
        for (int k = 0; k < kDayRecordValues; ++k)
            EXPECT_EQ(actual.RateTable[d - 1].Values[k], expected.RateTable[d - 1].Values[k])
                << "day record " << d << ", value " << k << " (" << CurrencyCode(k) << ")";
}

QByteArray Fixture(const char* name) {
    QFile file(QStringLiteral(KESTRUM_UPDATE_FIXTURES "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(name);
    return file.readAll();
}

enum class Reader { Valet, Ecb };

struct ReaderCase {
    const char* name;
    Reader reader;
    QByteArray body;
    SourceRead result;
    std::vector<Day> days = {}; // when Read
};

void PrintTo(const ReaderCase& c, std::ostream* out) {
    *out << c.name;
}

class RateSourceReaderTest : public testing::TestWithParam<ReaderCase> {};

TEST_P(RateSourceReaderTest, FillsTheNewestDays) {
    const ReaderCase& c = GetParam();
    RateStore store = PreviousStore();
    const SourceRead result =
        c.reader == Reader::Valet ? ReadValetRates(c.body, store) : ReadEcbRates(c.body, store);
    EXPECT_EQ(result, c.result);
    ExpectSameRecords(store,
                      c.result == SourceRead::Read ? ExpectedStore(c.days) : PreviousStore());
    // The dispatcher agrees with the reader, and bodies no reader takes fail
    // as unparsable pages.
    RateStore dispatched = PreviousStore();
    EXPECT_EQ(ReadRateBody(c.body, dispatched, BuiltInCatalogue(), DefaultConfig()),
              c.result == SourceRead::Read);
}

const std::vector<ReaderCase> kReaderCases = {
    {"valet_answer_with_discontinued_series",
     Reader::Valet,
     Fixture("valet_fx_rates_daily.json"),
     SourceRead::Read,
     {{1,
       "2026-11-30",
       {{"AUD", V("0.9120")}, {"EUR", V("1.6241")}, {"JPY", V("0.009012")}, {"USD", V("1.4005")}}},
      {2,
       "2026-12-01",
       {{"AUD", V("0.9134")}, {"EUR", V("1.6262")}, {"JPY", V("0.009025")}, {"USD", V("1.3998")}}},
      {3, "2026-12-02", {{"AUD", V("0.9101")}, {"JPY", V("0.009001")}, {"USD", V("1.3987")}}},
      {4,
       "2026-12-03",
       {{"AUD", V("0.9115")}, {"EUR", V("1.6230")}, {"JPY", V("0.009012")}, {"USD", V("1.3990")}}},
      {5,
       "2026-12-04",
       {{"AUD", V("0.9142")},
        {"EUR", V("1.6218")},
        {"JPY", V("0.008998")},
        {"USD", V("1.4002")}}}}},
    {"valet_numbers_unsorted_more_than_five_dates",
     Reader::Valet,
     R"({"observations": [
          {"d": "2026-12-02", "FXUSDCAD": {"v": 1.3987}},
          {"d": "2026-11-27", "FXUSDCAD": {"v": 1.4011}},
          {"d": "2026-12-04", "FXUSDCAD": {"v": "1.4002"}, "FXKRWCAD": {"v": 0.000951}},
          {"d": "2026-11-30", "FXUSDCAD": {"v": 1.4005}},
          {"d": "2026-12-03", "FXUSDCAD": {"v": 1.3990}},
          {"d": "2026-11-26", "FXUSDCAD": {"v": 1.4020}},
          {"d": "2026-12-01", "FXUSDCAD": {"v": 1.3998}}]})",
     SourceRead::Read,
     {{1, "2026-11-30", {{"USD", V("1.4005")}}},
      {2, "2026-12-01", {{"USD", V("1.3998")}}},
      {3, "2026-12-02", {{"USD", V("1.3987")}}},
      {4, "2026-12-03", {{"USD", V("1.3990")}}},
      {5, "2026-12-04", {{"USD", V("1.4002")}, {"KRW", V("0.000951")}}}}},
    {"valet_unusable_values_and_dates_without_catalogue_rates",
     Reader::Valet,
     R"({"observations": [
          {"d": "2026-12-04", "FXUSDCAD": {"v": "1.4002"}, "FXEURCAD": {"e": -64},
           "FXJPYCAD": {"v": ""}, "FXAUDCAD": {"v": "0"}, "FXGBPCAD": {"v": "-1.8"},
           "FXCHFCAD": {"v": "abc"}, "FXINRCAD": {"v": "1e-320"}, "FXNOKCAD": {"v": "inf"},
           "FXSEKCAD": {"v": "nan"}, "FXMXNCAD": {"v": null}, "FXHKDCAD": "0.18"},
          {"d": "2026-12-03", "FXSARCAD": {"v": "0.3730"}, "FXEURCAD": {"v": ""}},
          {"d": "2026-13-01", "FXUSDCAD": {"v": "1.3990"}},
          {"FXUSDCAD": {"v": "1.3990"}}]})",
     SourceRead::Read,
     {{5, "2026-12-04", {{"USD", V("1.4002")}}}}},
    {"valet_no_usable_day", Reader::Valet,
     R"({"observations": [{"d": "2026-12-04", "FXEURCAD": {"v": ""}}]})", SourceRead::NoUsableDay},
    {"valet_error_answer", Reader::Valet, R"({"message": "Series not found", "docs": "x"})",
     SourceRead::NotRecognised},
    {"valet_truncated", Reader::Valet, Fixture("valet_fx_rates_daily.json").chopped(40),
     SourceRead::NotRecognised},
    {"ecb_newest_first_single_quotes_day_without_cad",
     Reader::Ecb,
     Fixture("ecb_reference_rates.xml"),
     SourceRead::Read,
     {{3,
       "2026-12-02",
       {{"EUR", V("1.6198")},
        {"USD", Cross("1.6198", "1.1583")},
        {"JPY", Cross("1.6198", "180.11")},
        {"GBP", Cross("1.6198", "0.87702")}}},
      {4,
       "2026-12-03",
       {{"EUR", V("1.6231")},
        {"USD", Cross("1.6231", "1.1602")},
        {"JPY", Cross("1.6231", "181.02")},
        {"GBP", Cross("1.6231", "0.87385")}}},
      {5,
       "2026-12-04",
       {{"EUR", V("1.6250")},
        {"USD", Cross("1.6250", "1.1645")},
        {"JPY", Cross("1.6250", "180.56")},
        {"GBP", Cross("1.6250", "0.87410")}}}}},
    {"ecb_double_quotes_skips_a_day_without_cad_and_unusable_quotes",
     Reader::Ecb,
     R"(<gesmes:Envelope xmlns:gesmes="http://www.gesmes.org/xml/2002-08-01">
          <Cube>
            <Cube time="2026-12-04"><Cube currency="USD" rate="1.1645"/></Cube>
            <Cube time="2026-12-02"><Cube currency="CAD" rate="1e300"/>
              <Cube currency="USD" rate="0"/><Cube currency="JPY" rate="x"/>
              <Cube currency="CHF" rate="1e-10"/><Cube currency="NOK"/>
              <Cube currency="GBP" rate="0.87"/></Cube>
          </Cube></gesmes:Envelope>)",
     SourceRead::Read,
     {{5, "2026-12-02", {{"EUR", V("1e300")}, {"GBP", Cross("1e300", "0.87")}}}}},
    {"ecb_no_day_with_cad", Reader::Ecb,
     R"(<gesmes:Envelope xmlns:gesmes="http://www.gesmes.org/xml/2002-08-01"><Cube>
          <Cube time="2026-12-04"><Cube currency="CAD" rate="-1.6"/></Cube>
        </Cube></gesmes:Envelope>)",
     SourceRead::NoUsableDay},
    {"ecb_truncated", Reader::Ecb, Fixture("ecb_reference_rates.xml").chopped(60),
     SourceRead::NoUsableDay},
    {"other_xml", Reader::Ecb, "<html><body>1.6250</body></html>", SourceRead::NotRecognised},
};

INSTANTIATE_TEST_SUITE_P(Bodies, RateSourceReaderTest, testing::ValuesIn(kReaderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RateSources, RatePageStillGoesToThePageParser) {
    const QByteArray page = test::RatePageFixture();
    RateStore viaDispatcher;
    RateStore viaParser;
    ASSERT_TRUE(ReadRateBody(page, viaDispatcher, BuiltInCatalogue(), DefaultConfig()));
    ASSERT_TRUE(ParseRatePage(page, viaParser, BuiltInCatalogue(), DefaultConfig()));
    ExpectSameRecords(viaDispatcher, viaParser);
}

TEST(RateSources, RetiredPageIsFetchedFromTheCurrentService) {
    const QString valet = QString::fromLatin1(Message(msg::RatePageAddress));
    EXPECT_TRUE(valet.startsWith("https://www.bankofcanada.ca/valet/observations/group/"));
    ConfigRecord config = DefaultConfig();
    EXPECT_EQ(RatePageUrl(config), valet);
    config.RatePageAddress = kRetiredRatePageAddress;
    EXPECT_EQ(RatePageUrl(config), valet);
    EXPECT_EQ(config.RatePageAddress, kRetiredRatePageAddress);
    config.RatePageAddress = "http://mirror.example/fmd/exchange.htm";
    EXPECT_EQ(RatePageUrl(config), "http://mirror.example/fmd/exchange.htm");
}

TEST(RateSources, SourceArguments) {
    const QString valet = QString::fromLatin1(Message(msg::RatePageAddress));
    const std::pair<QString, std::optional<QString>> cases[] = {
        {"boc", valet},
        {"ECB", QString::fromLatin1(kEcbRatesAddress)},
        {"http://127.0.0.1:8080/rates.json", "http://127.0.0.1:8080/rates.json"},
        {"HTTPS://mirror.example/r?x=1", "HTTPS://mirror.example/r?x=1"},
        {"ftp://mirror.example/r", std::nullopt},
        {"mirror.example/r", std::nullopt},
        {"http://", std::nullopt},
        {"http://host/a b", std::nullopt},
        {QString::fromUtf8("http://h\xc3\xb4te/"), std::nullopt},
        {"http://host/" + QString(243, 'a'), "http://host/" + QString(243, 'a')},
        {"http://host/" + QString(244, 'a'), std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [argument, expected] : cases)
        EXPECT_EQ(RateSourceAddress(argument), expected) << argument.toStdString();
}

} // namespace
} // namespace kestrum
