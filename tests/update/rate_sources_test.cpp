#include "data/dates.h"
#include "settings/message_table.h"
#include "update/rate_sources.h"

#include <QFile>
#include <gtest/gtest.h>

namespace kestrum {
namespace {

// Day records written as "record date CODE=rate ...; ...", rates in the
// answer's own decimal strings, an ECB cross rate as "cad/other".
RateStore ExpectedStore(const char* days) {
    RateStore store;
    for (const QString& day : QString::fromLatin1(days).split(u';', Qt::SkipEmptyParts)) {
        const QStringList fields = day.simplified().split(u' ');
        const int d = fields[0].toInt();
        SetDayDate(store, d, DateValueOf(QDate::fromString(fields[1], Qt::ISODate)));
        for (const QString& rate : fields.mid(2)) {
            const QStringList parts = rate.section(u'=', 1).split(u'/');
            const double value =
                parts.size() == 2 ? parts[0].toDouble() / parts[1].toDouble() : parts[0].toDouble();
            SetDayRate(store, FindCurrencyByCodeOrName(rate.section(u'=', 0, 0).toStdString()), d,
                       value);
        }
    }
    return store;
}

QByteArray Fixture(const char* name) {
    QFile file(QStringLiteral(KESTRUM_UPDATE_FIXTURES "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ReaderCase {
    const char* name;
    SourceRead (*reader)(QByteArrayView, RateStore&);
    QByteArray body;
    SourceRead result;
    const char* days = ""; // when Read
};

void PrintTo(const ReaderCase& c, std::ostream* out) {
    *out << c.name;
}

class RateSourceReaderTest : public testing::TestWithParam<ReaderCase> {};

TEST_P(RateSourceReaderTest, FillsTheNewestDays) {
    const ReaderCase& c = GetParam();
    // A failed read leaves the previous records alone.
    RateStore previous;
    SetDayDate(previous, 5, DateValueFromYmd(2005, 6, 3));
    SetDayRate(previous, 1, 5, 1.25);
    RateStore store = previous;
    EXPECT_EQ(c.reader(c.body, store), c.result);
    const RateStore expected = c.result == SourceRead::Read ? ExpectedStore(c.days) : previous;
    for (int d = 1; d <= kDayCount; ++d)
        for (int k = 0; k < kDayRecordValues; ++k)
            EXPECT_EQ(store.RateTable[d - 1].Values[k], expected.RateTable[d - 1].Values[k])
                << "day " << d << ", " << (k ? CurrencyCode(k) : "date");
    // Bodies no reader takes fail as unparsable rate pages.
    RateStore dispatched = previous;
    EXPECT_EQ(ReadRateBody(c.body, dispatched, BuiltInCatalogue(), DefaultConfig()),
              c.result == SourceRead::Read);
}

const ReaderCase kReaderCases[] = {
    {"valet_unsorted_numbers_strings_discontinued_and_unknown_series", ReadValetRates,
     R"({"seriesDetail": {}, "observations": [
       {"d": "2026-12-02", "FXUSDCAD": {"v": 1.3987}}, {"d": "2026-11-27", "FXUSDCAD": {"v": 1.4011}},
       {"d": "2026-12-04", "FXUSDCAD": {"v": "1.4002"}, "FXKRWCAD": {"v": "0.000951"}},
       {"d": "2019-12-31", "FXMYRCAD": {"v": "0.3174"}}, {"d": "2026-11-30", "FXUSDCAD": {"v": 1.4005}},
       {"d": "2026-12-03", "FXUSDCAD": {"v": "1.3990"}}, {"d": "2026-12-05", "FXSARCAD": {"v": "0.37"}},
       {"d": "2026-12-01", "FXUSDCAD": {"v": 1.3998}, "FXSARCAD": {"v": "0.3731"}}]})",
     SourceRead::Read,
     "1 2026-11-30 USD=1.4005; 2 2026-12-01 USD=1.3998; 3 2026-12-02 USD=1.3987;"
     "4 2026-12-03 USD=1.3990; 5 2026-12-04 USD=1.4002 KRW=0.000951"},
    {"valet_unusable_values_fewer_days", ReadValetRates,
     R"({"observations": [{"d": "2026-12-04", "FXUSDCAD": {"v": "1.4002"}, "FXEURCAD": {"e": -64},
       "FXJPYCAD": {"v": ""}, "FXAUDCAD": {"v": "0"}, "FXGBPCAD": {"v": "-1.8"}, "FXMXNCAD": {"v": null},
       "FXCHFCAD": {"v": "abc"}, "FXINRCAD": {"v": "1e-320"}, "FXNOKCAD": {"v": "inf"},
       "FXSEKCAD": {"v": "nan"}, "FXHKDCAD": "0.18"}, {"d": "2026-12-03", "FXEURCAD": {"v": ""}},
       {"d": "2026-13-01", "FXUSDCAD": {"v": "1.3990"}}, {"FXUSDCAD": {"v": "1.3990"}}]})",
     SourceRead::Read, "5 2026-12-04 USD=1.4002"},
    {"valet_no_usable_day", ReadValetRates,
     R"({"observations": [{"d": "2026-12-04", "FXEURCAD": {"v": ""}}]})", SourceRead::NoUsableDay},
    // Escapes, repeated names and exponents are read as Qt's JSON reader reads them.
    {"valet_escaped_repeated_and_exponent", ReadValetRates,
     R"({"observations": [{"d": "2026-12-04", "FX\u0055SDCAD": {"v": "1.4002"}},
       {"d": "2026-12-03", "FXUSDCAD": {"v": "1.39"}, "FXUSDCAD": {"v": "1.40"}},
       {"d": "2026-12-02", "FXUSDCAD": {"v": 14e-1}}], "observations": "none"})",
     SourceRead::NotRecognised},
    {"valet_escaped_date_and_exponent", ReadValetRates,
     R"({"observations": [{"d": "2026-12-04", "FX\u0055SDCAD": {"v": "1.4002"}},
       {"d": "2026\u002d12-03", "FXUSDCAD": {"v": "1.39"}, "FXUSDCAD": {"v": "1.40"}},
       {"d": "2026-12-02", "FXUSDCAD": {"v": 14e-1}}]})",
     SourceRead::Read, "3 2026-12-02 USD=1.4; 4 2026-12-03 USD=1.40; 5 2026-12-04 USD=1.4002"},
    {"valet_every_kind_of_value_beside_the_rates", ReadValetRates,
     R"({"seriesDetail": {"FXEURCAD": {"description": "Euro — taux", "n": [1, -2.5, true,
       false, null, {"a": []}]}}, "observations": [{"d": "2026-12-04", "FXEURCAD": {"v": 2},
       "FXUSDCAD": {"e": null, "v": "1.4002"}, "FXJPYCAD": {"v": {"v": "3"}}}, 5, "d", [],
       {"d": "2026-12-03", "FXUSDCAD": {"v": "0.0100"}}]})",
     SourceRead::Read, "4 2026-12-03 USD=0.0100; 5 2026-12-04 EUR=2 USD=1.4002"},
    {"valet_error_answer", ReadValetRates, R"({"message": "Series not found"})",
     SourceRead::NotRecognised},
    {"valet_truncated", ReadValetRates, Fixture("valet_fx_rates_daily.json").chopped(40),
     SourceRead::NotRecognised},
    {"ecb_newest_first_single_quotes", ReadEcbRates, Fixture("ecb_reference_rates.xml"),
     SourceRead::Read,
     "3 2026-12-02 EUR=1.6198 USD=1.6198/1.1583 JPY=1.6198/180.11 GBP=1.6198/0.87702;"
     "4 2026-12-03 EUR=1.6231 USD=1.6231/1.1602 JPY=1.6231/181.02 GBP=1.6231/0.87385;"
     "5 2026-12-04 EUR=1.6250 USD=1.6250/1.1645 JPY=1.6250/180.56 GBP=1.6250/0.87410"},
    {"ecb_day_without_cad_and_unusable_quotes", ReadEcbRates,
     R"(<gesmes:Envelope xmlns:gesmes="http://www.gesmes.org/xml/2002-08-01"><Cube>
       <Cube time="2026-12-04"><Cube currency="USD" rate="1.1645"/></Cube>
       <Cube time="2026-12-02"><Cube currency="CAD" rate="1e300"/><Cube currency="USD" rate="0"/>
       <Cube currency="JPY" rate="x"/><Cube currency="CHF" rate="1e-10"/><Cube currency="NOK"/>
       <Cube currency="GBP" rate="0.87"/></Cube></Cube></gesmes:Envelope>)",
     SourceRead::NoUsableDay}, // a CAD quote of 1e300 leaves the band: nothing to cross through
    {"ecb_no_day_with_cad", ReadEcbRates,
     R"(<gesmes:Envelope xmlns:gesmes="http://www.gesmes.org/xml/2002-08-01"><Cube>
       <Cube time="2026-12-04"><Cube currency="CAD" rate="-1.6"/></Cube></Cube></gesmes:Envelope>)",
     SourceRead::NoUsableDay},
    {"ecb_truncated", ReadEcbRates, Fixture("ecb_reference_rates.xml").chopped(60),
     SourceRead::NoUsableDay},
    {"ecb_references_comments_and_prefixed_cubes", ReadEcbRates,
     R"(<?xml version="1.0"?><!-- x --><gesmes:Envelope xmlns:gesmes="g" xmlns:e="h"><e:Cube>
       <Cube time="2026-12-04"><Cube currency="C&#65;D" rate="1.6"/><Cube currency="USD" rate="1.2"/>
       </Cube><gesmes:Cube time="2026-12-03"><Cube currency="CAD" rate="1.5"/></gesmes:Cube>
       </e:Cube></gesmes:Envelope>)",
     SourceRead::Read, "4 2026-12-03 EUR=1.5; 5 2026-12-04 EUR=1.6 USD=1.6/1.2"},
    {"ecb_empty_day_unknown_code_and_open_close_pairs", ReadEcbRates,
     R"(<?xml version='1.0' encoding='utf-8'?>
       <gesmes:Envelope xmlns:gesmes="g" xmlns="h"><Cube><Cube time="2026-12-04"/>
       <Cube time='2026-12-03'><Cube currency="CAD" rate="1.5"/><Cube currency="XYZ" rate="9"/>
       <Cube currency="USD" rate="1.25"></Cube></Cube></Cube></gesmes:Envelope>)",
     SourceRead::Read, "5 2026-12-03 EUR=1.5 USD=1.5/1.25"},
    {"ecb_short_prefixed_attribute", ReadEcbRates,
     R"(<gesmes:Envelope xmlns:gesmes="g" a:b="1"><Cube><Cube time="2026-12-04">
       <Cube currency="CAD" rate="1.6"/></Cube></Cube></gesmes:Envelope>)",
     SourceRead::NotRecognised},
    {"other_xml", ReadEcbRates, "<html><body>1.6250</body></html>", SourceRead::NotRecognised},
};

INSTANTIATE_TEST_SUITE_P(Bodies, RateSourceReaderTest, testing::ValuesIn(kReaderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RateSources, RetiredPageIsFetchedFromTheCurrentService) {
    const QString valet = QString::fromLatin1(Message(msg::RatePageAddress));
    ConfigRecord config = DefaultConfig();
    config.RatePageAddress = kRetiredRatePageAddress;
    EXPECT_EQ(RatePageUrl(config), valet);
    EXPECT_EQ(config.RatePageAddress, kRetiredRatePageAddress);
    config.RatePageAddress = "http://mirror.example/fmd/exchange.htm";
    EXPECT_EQ(RatePageUrl(config), "http://mirror.example/fmd/exchange.htm");
}

} // namespace
} // namespace kestrum
