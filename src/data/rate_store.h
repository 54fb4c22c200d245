#pragma once

#include <array>
#include <cmath>

namespace kestrum {

// The marker for "no value", compared by exact equality everywhere.
constexpr double kNotAvailable = -1.0;
constexpr int kDayCount = 5;         // day records 1 (oldest) .. 5 (newest)
constexpr int kDayRecordValues = 56; // element 0 the date, k the rate of currency k

struct DayRecord {
    std::array<double, kDayRecordValues> Values;
};

// Five publication days and, derived from them, the newest rate of every
// currency. Everything starts as "no value".
struct RateStore {
    RateStore();
    std::array<DayRecord, kDayCount> RateTable;
    std::array<double, kDayRecordValues> CurrentRates; // element 0 unused
};

// The program-wide store; ResetRates starts it afresh.
RateStore& Rates();
void ResetRates();

// Every rate of the five days becomes "no value"; the dates stay.
void ClearRates(RateStore& store);
// k in 1..55, d in 1..5; anything outside is ignored on write and reads as -1.
// A rate that is not usable is stored as -1.
void SetDayRate(RateStore& store, int k, int d, double value);
double DayRate(const RateStore& store, int k, int d);
void SetDayDate(RateStore& store, int d, double value);
double DayDate(const RateStore& store, int d);
bool DayHasRates(const RateStore& store, int d);
// The date of the newest dated record when it holds rates, else -1.
double LatestDataDate(const RateStore& store);
void ComputeCurrentRates(RateStore& store);
// The day record (1..5) the current rate of k comes from: the newest one that
// holds a rate for it; 0 when none does.
int CurrentRateDay(const RateStore& store, int k);
double CurrentRate(const RateStore& store, int k);

// A rate is usable when it is finite, positive and its reciprocal is finite;
// anything else, wherever it was read, stands for "no rate".
bool IsUsableRate(double rate);
// A value read as a rate: itself when usable, else the "no value" marker.
double UsableRateOrMissing(double rate);

// The cash-rate fee in percent: finite, from 0 up to but excluding 100, so
// the fee factor stays positive. Inline: the settings library checks stored
// fees without linking this one.
inline bool IsUsableFee(double percent) {
    return std::isfinite(percent) && percent >= 0.0 && percent < 100.0;
}
constexpr double kDefaultFee = 4.0;

// A date read from a file or an answer is a whole day from 1 January 1950 to
// 31 December 2199; anything else (an all-zero file's 30 December 1899) is
// "no date". Inline for the settings library, like the fee.
inline bool IsPlausibleDate(double value) {
    constexpr double kFirst = 18264.0; // 1 January 1950
    constexpr double kLast = 109574.0; // 31 December 2199
    return value >= kFirst && value <= kLast && value == std::floor(value);
}
inline double PlausibleDateOrMissing(double value) {
    return IsPlausibleDate(value) ? value : kNotAvailable;
}

} // namespace kestrum
