#pragma once

#include "io_result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <string>

namespace kestrum {

constexpr int kConfigRecordSize = 545;
constexpr int kShortStringCapacity = 255;

// The settings record. Booleans stay bytes: any non-zero value read from the
// file counts as true, and the program writes 0 or 1. Texts are Windows-1252
// bytes of at most 255 characters.
struct ConfigRecord {
    double DataDate = -1.0;
    std::uint8_t AutoDownload = 1;
    std::uint8_t CashRateOn = 1;
    std::int32_t YearPosition = 1;
    std::int32_t MonthPosition = 2;
    std::int32_t DayPosition = 3;
    std::uint8_t Language = 0;
    double CashRate = 4.0;
    std::string RatePageAddress;
    std::string DataFilesAddress;
    std::uint8_t CurrencyFormat = 0;
    std::uint8_t RoundToCent = 0;
};

ConfigRecord DefaultConfig();

// The 545-byte image, little-endian and packed, with zeros after each text.
QByteArray SerializeConfig(const ConfigRecord& record);

// Reads an image; fields that a short image does not fully cover keep their
// defaults, bytes beyond the record are ignored. A fee outside its range reads
// as the default 4, a date order that is not usable as the default order.
ConfigRecord DeserializeConfig(QByteArrayView bytes);

// True when the year and month positions are two different ones of 1, 2 and
// 3; the day takes the remaining one whatever the record says.
bool IsUsableDateOrder(int year, int month);

// Cuts a text to what a short-string field can hold.
std::string CutToShortString(std::string text);

// The program-wide record.
ConfigRecord& Configuration();

bool ConfigurationFileExists();

// Fills the record with defaults and saves it.
IoResult CreateDefaultConfiguration();

// Fills the record from "kestrumconfig". When the file cannot be read the
// record holds the defaults and the result names the file and the reason.
IoResult LoadConfiguration();

// Writes the record to "kestrumconfig", keeping the previous file as
// "kestrumconfig.bak". A failed write leaves the previous "kestrumconfig".
// A field this process left alone takes what another process saved since;
// with `ownDataDate` the data date is always this process's, for the
// writer of "rt.dt", whose record must describe the file it just wrote.
IoResult SaveConfiguration(bool ownDataDate = false);

// Saves a last time and puts the record back to its defaults.
IoResult CloseConfiguration();

} // namespace kestrum
