#include "rate_store.h"

#include <cmath>

namespace kestrum {

namespace {
bool ValidDay(int d) {
    return d >= 1 && d <= kDayCount;
}
bool ValidCurrency(int k) {
    return k >= 1 && k < kDayRecordValues;
}
} // namespace

RateStore::RateStore() {
    for (DayRecord& day : RateTable)
        day.Values.fill(kNotAvailable);
    CurrentRates.fill(kNotAvailable);
}

RateStore& Rates() {
    static RateStore store;
    return store;
}

void ResetRates() {
    Rates() = RateStore();
}

void ClearRates(RateStore& store) {
    for (DayRecord& day : store.RateTable)
        for (int k = 1; k < kDayRecordValues; ++k)
            day.Values[k] = kNotAvailable;
}

void SetDayRate(RateStore& store, int k, int d, double value) {
    if (ValidCurrency(k) && ValidDay(d))
        store.RateTable[d - 1].Values[k] = UsableRateOrMissing(value);
}

double DayRate(const RateStore& store, int k, int d) {
    if (!ValidCurrency(k) || !ValidDay(d))
        return kNotAvailable;
    return store.RateTable[d - 1].Values[k];
}

void SetDayDate(RateStore& store, int d, double value) {
    if (ValidDay(d))
        store.RateTable[d - 1].Values[0] = value;
}

double DayDate(const RateStore& store, int d) {
    return ValidDay(d) ? store.RateTable[d - 1].Values[0] : kNotAvailable;
}

bool DayHasRates(const RateStore& store, int d) {
    for (int k = 1; k < kDayRecordValues; ++k)
        if (DayRate(store, k, d) != kNotAvailable)
            return true;
    return false;
}

double LatestDataDate(const RateStore& store) {
    for (int d = kDayCount; d >= 1; --d) {
        if (DayDate(store, d) != kNotAvailable)
            return DayHasRates(store, d) ? DayDate(store, d) : kNotAvailable;
    }
    return kNotAvailable;
}

void ComputeCurrentRates(RateStore& store) {
    for (int k = 1; k < kDayRecordValues; ++k)
        store.CurrentRates[k] = DayRate(store, k, CurrentRateDay(store, k));
}

int CurrentRateDay(const RateStore& store, int k) {
    for (int d = kDayCount; d >= 1; --d)
        if (DayRate(store, k, d) != kNotAvailable)
            return d;
    return 0;
}

double CurrentRate(const RateStore& store, int k) {
    return ValidCurrency(k) ? store.CurrentRates[k] : kNotAvailable;
}

bool IsUsableRate(double rate) {
    return std::isfinite(rate) && rate > 0.0 && std::isfinite(1.0 / rate);
}

double UsableRateOrMissing(double rate) {
    return IsUsableRate(rate) ? rate : kNotAvailable;
}

} // namespace kestrum
