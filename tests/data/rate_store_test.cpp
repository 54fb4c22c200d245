#include "data/rate_store.h"

#include <gtest/gtest.h>
#include <limits>

namespace kestrum {
namespace {

constexpr double kJune3 = 38506.0;
constexpr double kJune2 = 38505.0;

class RateStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRates(); }
    void TearDown() override { ResetRates(); }
    RateStore& store = Rates();
};

TEST_F(RateStoreTest, StartsEmptyAndClearKeepsTheDates) {
    for (int d = 1; d <= kDayCount; ++d)
        EXPECT_TRUE(DayDate(store, d) == -1.0 && !DayHasRates(store, d)) << d;
    for (int k = 1; k <= 55; ++k)
        EXPECT_EQ(CurrentRate(store, k), -1.0) << k;

    SetDayDate(store, 2, kJune2);
    SetDayRate(store, 7, 2, 0.2);
    SetDayRate(store, 55, 5, 3.0);
    ClearRates(store);
    EXPECT_EQ(DayDate(store, 2), kJune2);
    EXPECT_EQ(DayRate(store, 7, 2), -1.0);
    EXPECT_EQ(DayRate(store, 55, 5), -1.0);
}

TEST_F(RateStoreTest, OutOfRangeIndicesReadAsMissingAndAreNotWritten) {
    SetDayDate(store, 5, kJune3);
    store.CurrentRates[0] = 9.0;
    // Element 0 holds the date; currency 0 must not read it as a rate.
    EXPECT_EQ(DayRate(store, 0, 5), -1.0);
    EXPECT_EQ(CurrentRate(store, 0), -1.0);
    EXPECT_EQ(DayRate(store, 56, 5), -1.0);
    EXPECT_EQ(CurrentRate(store, 56), -1.0);
    EXPECT_EQ(DayRate(store, 1, 0), -1.0);
    EXPECT_EQ(DayRate(store, 1, 6), -1.0);
    EXPECT_EQ(DayDate(store, 0), -1.0);
    EXPECT_EQ(DayDate(store, 6), -1.0);

    SetDayRate(store, 0, 5, 1.5);
    SetDayRate(store, 56, 5, 1.5);
    SetDayRate(store, 1, 6, 1.5);
    SetDayDate(store, 6, 1.0);
    EXPECT_EQ(DayDate(store, 5), kJune3);
    EXPECT_FALSE(DayHasRates(store, 5));
}

TEST_F(RateStoreTest, OnlyUsableRatesAreStored) {
    const double subnormal = std::numeric_limits<double>::denorm_min();
    const struct {
        double rate;
        bool usable;
    } cases[] = {
        {1.25, true},
        {1e-300, true},
        {std::numeric_limits<double>::max(), true},
        {-1.0, false},
        {0.0, false},
        {-0.0, false},
        {-5.0, false},
        {-1.0000001, false},
        {subnormal, false}, // its reciprocal is infinite
        {std::numeric_limits<double>::infinity(), false},
        {-std::numeric_limits<double>::infinity(), false},
        {std::numeric_limits<double>::quiet_NaN(), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsUsableRate(c.rate), c.usable) << c.rate;
        SetDayRate(store, 3, 4, c.rate);
        EXPECT_EQ(DayHasRates(store, 4), c.usable) << c.rate;
        EXPECT_EQ(DayRate(store, 3, 4), c.usable ? c.rate : kNotAvailable) << c.rate;
    }
    SetDayDate(store, 2, kJune2);
    EXPECT_FALSE(DayHasRates(store, 2));
}

TEST_F(RateStoreTest, DataDateIsTheNewestDatedRecordOnlyWhenItHasRates) {
    EXPECT_EQ(LatestDataDate(store), -1.0);

    SetDayDate(store, 4, kJune2);
    SetDayRate(store, 1, 4, 1.25);
    EXPECT_EQ(LatestDataDate(store), kJune2);

    // Record 5 dated but empty hides a full record 4.
    SetDayDate(store, 5, kJune3);
    EXPECT_EQ(LatestDataDate(store), -1.0);

    SetDayRate(store, 55, 5, 0.5);
    EXPECT_EQ(LatestDataDate(store), kJune3);

    // Rates in an undated record 5 do not make it the newest one.
    SetDayDate(store, 5, -1.0);
    SetDayRate(store, 1, 5, 2.0);
    EXPECT_EQ(LatestDataDate(store), kJune2);

    // An older record is not consulted once a dated one is found.
    ClearRates(store);
    SetDayDate(store, 3, 38504.0);
    SetDayRate(store, 1, 3, 1.2);
    EXPECT_EQ(LatestDataDate(store), -1.0);
}

TEST_F(RateStoreTest, CurrentRateFallsBackThroughOlderRecords) {
    SetDayRate(store, 1, 3, 1.5);
    SetDayRate(store, 1, 1, 1.1);
    SetDayRate(store, 2, 1, 0.3);
    SetDayRate(store, 3, 5, 0.0);
    SetDayRate(store, 3, 4, 0.9);
    SetDayRate(store, 4, 5, -1.0000001);
    SetDayRate(store, 4, 4, 2.0);
    SetDayRate(store, 5, 5, 4.0);
    SetDayRate(store, 5, 4, 5.0);
    ComputeCurrentRates(store);

    EXPECT_EQ(CurrentRate(store, 1), 1.5);
    EXPECT_EQ(CurrentRate(store, 2), 0.3);
    // Unusable rates in record 5 were stored as missing, so record 4 speaks.
    EXPECT_EQ(CurrentRate(store, 3), 0.9);
    EXPECT_EQ(CurrentRate(store, 4), 2.0);
    EXPECT_EQ(CurrentRate(store, 5), 4.0);
    EXPECT_EQ(CurrentRate(store, 6), -1.0);

    // The day each current rate was taken from.
    EXPECT_EQ(CurrentRateDay(store, 1), 3);
    EXPECT_EQ(CurrentRateDay(store, 2), 1);
    EXPECT_EQ(CurrentRateDay(store, 3), 4);
    EXPECT_EQ(CurrentRateDay(store, 6), 0);
    EXPECT_EQ(CurrentRateDay(store, 0), 0);

    // Recomputing drops rates that have gone.
    ClearRates(store);
    ComputeCurrentRates(store);
    EXPECT_EQ(CurrentRate(store, 1), -1.0);
    EXPECT_EQ(CurrentRate(store, 5), -1.0);
}

} // namespace
} // namespace kestrum
