#include "data/dates.h"
#include "update/platform.h"
#include "update/publication_rule.h"
#include "update/rate_sources.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace kestrum;

namespace {

// 4 December 2026 is a Friday.
double Dec(int day) {
    return DateValueFromYmd(2026, 12, day);
}

struct RuleCase {
    const char* name;
    int day; // of December 2026
    int hour;
    int minute;
    int bias;
    double dataDate;
    Publication result;
    int hours;
};

class PublicationRuleTest : public testing::TestWithParam<RuleCase> {};

TEST_P(PublicationRuleTest, Decides) {
    const RuleCase& c = GetParam();
    const LocalMoment now = MomentOf(QDateTime(QDate(2026, 12, c.day), QTime(c.hour, c.minute)));
    const PublicationCheck check = CheckPublication(now, c.bias, c.dataDate);
    EXPECT_EQ(check.result, c.result);
    EXPECT_EQ(check.hoursRemaining, c.hours);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PublicationRuleTest,
    testing::Values(
        RuleCase{"SaturdayWithFridayData", 5, 20, 0, 300, Dec(4), Publication::WeekendWait, 0},
        RuleCase{"SundayWithFridayData", 6, 23, 0, 300, Dec(4), Publication::WeekendWait, 0},
        RuleCase{"SaturdayWithLastWeeksFriday", 12, 9, 0, 300, Dec(4), Publication::Available, 0},
        RuleCase{"MondayMorningFridayData", 7, 9, 0, 300, Dec(4), Publication::Available, 0},
        RuleCase{"TuesdayTenBias300", 8, 10, 0, 300, Dec(7), Publication::NotYet, 3},
        RuleCase{"TuesdayOneBias300", 8, 13, 0, 300, Dec(7), Publication::Available, 0},
        RuleCase{"MinusThirtyTruncatesToZero", 8, 1, 30, -120, Dec(7), Publication::NotYet, 18},
        RuleCase{"MinusNinetyIsMinusOne", 8, 0, 30, -120, Dec(7), Publication::NotYet, 19},
        RuleCase{"TodaysDataInTheEvening", 8, 20, 0, 0, Dec(8), Publication::Available, 0},
        RuleCase{"NoDataOnSunday", 6, 2, 0, 300, -1.0, Publication::Available, 0},
        RuleCase{"NoDataAtMidnight", 8, 0, 0, -600, -1.0, Publication::Available, 0}),
    [](const testing::TestParamInfo<RuleCase>& info) { return info.param.name; });

TEST(PublicationRule, HoursMessageAndLoopbackHosts) {
    EXPECT_EQ(HoursMessage(3).toStdString(),
              "Data Files are available only from Monday to Friday after 2 PM Eastern Time.\n"
              "Approximately 3 hours remaining.");
    for (const char* host : {"localhost", "127.0.0.1", "127.3.2.1", "::1", "[::1]", "LocalHost"})
        EXPECT_TRUE(IsLoopbackHost(QString::fromLatin1(host))) << host;
    for (const char* host : {"", "128.0.0.1", "10.0.0.1", "example.org", "::2", "localhost.org"})
        EXPECT_FALSE(IsLoopbackHost(QString::fromLatin1(host))) << host;
    EXPECT_TRUE(CurrentPlatform().Connected(QStringLiteral("http://127.0.0.1:9/x.html")));
}

constexpr auto kBoc = RatePublisher::BankOfCanada;
constexpr auto kEcb = RatePublisher::Ecb;

TEST(PublicationRule, FollowsThePublishersClock) {
    const auto utc = [](int month, int day, int hour, int minute) {
        return QDateTime(QDate(2026, month, day), QTime(hour, minute), QTimeZone::utc());
    };
    const double july6 = DateValueFromYmd(2026, 7, 6);
    const struct {
        RatePublisher publisher;
        QDateTime now;
        double dataDate;
        Publication result;
        int hours;
    } cases[] = {
        // Toronto 15:00 in winter and 16:31 in summer, Frankfurt 15:59 and 16:00.
        {kBoc, utc(12, 8, 20, 0), Dec(7), Publication::NotYet, 2},
        {kBoc, utc(7, 7, 20, 31), july6, Publication::Available, 0},
        {kEcb, utc(12, 8, 14, 59), Dec(7), Publication::NotYet, 1},
        {kEcb, utc(7, 7, 14, 0), july6, Publication::Available, 0},
        {kBoc, utc(12, 5, 12, 0), Dec(4), Publication::WeekendWait, 0},
        {kBoc, utc(12, 7, 14, 0), Dec(4), Publication::NotYet, 8}, // Monday 9:00, Friday's
        // Tuesday 08:00 in Tokyo is Monday 18:00 in Toronto.
        {kBoc, QDateTime(QDate(2026, 12, 8), QTime(8, 0), QTimeZone(9 * 3600)), Dec(7),
         Publication::NotYet, 23},
    };
    for (const auto& c : cases) {
        // The bias is the old page's and must not matter.
        const PublicationCheck check = CheckPublication(c.publisher, c.now, 300, c.dataDate);
        EXPECT_EQ(check.result, c.result) << c.now.toString().toStdString();
        EXPECT_EQ(check.hoursRemaining, c.hours) << c.now.toString().toStdString();
    }
}

TEST(PublicationRule, PublisherFollowsTheAddressAndNamesItsTime) {
    ConfigRecord retired;
    retired.RatePageAddress = kRetiredRatePageAddress;
    EXPECT_EQ(PublisherOf(RatePageUrl(retired)), kBoc);
    EXPECT_EQ(PublisherOf(*RateSourceAddress(QStringLiteral("ecb"))), kEcb);
    EXPECT_EQ(PublisherOf(QStringLiteral("http://127.0.0.1:8080/rates.html")),
              RatePublisher::OldPage);
    EXPECT_EQ(HoursMessage(RatePublisher::OldPage, 3), HoursMessage(3));
    EXPECT_EQ(HoursMessage(kBoc, 1).toStdString(),
              "The Bank of Canada publishes new rates from Monday to Friday by 4:30 PM Eastern "
              "Time.\nApproximately 1 hour remaining.");
}

} // namespace
