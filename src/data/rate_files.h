#pragma once

#include "catalogue.h"
#include "rate_store.h"
#include "settings/configuration.h"
#include "settings/io_result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

namespace kestrum {

constexpr int kDayRecordSize = kDayRecordValues * 8;      // 448 bytes
constexpr int kRateFileSize = kDayCount * kDayRecordSize; // 2240 bytes

// Where "rt.dt" is.
QString RateFilePath();

// "rt.dt": five records of 56 little-endian doubles.
QByteArray EncodeRateFile(const RateStore& store);
// Replaces day records 1, 2, ... with each whole record the bytes hold (at
// most five); the others keep their content. Returns how many were read.
// Rates that are not usable and dates that are not finite read as -1.
int DecodeRateFile(QByteArrayView bytes, RateStore& store);

enum class RateFileStatus { Loaded, Missing, Incomplete, ReadError };

struct RateFileLoad {
    RateFileStatus status = RateFileStatus::Loaded;
    QString error; // the system's reason for a ReadError
};

// Clears the rates and fills the table from "rt.dt". Unless the file is
// missing, the record's DataDate follows the newest data; the current rates
// are recomputed only after a complete load.
RateFileLoad LoadRateFile(RateStore& store, ConfigRecord& config);

// The messages the user sees for a load, in order; none after a full load.
QStringList RateFileMessages(const RateFileLoad& load);

// Writes the table to "rt.dt" through a temporary file, so an interrupted or
// failed write leaves the previous file whole. On success DataDate and the
// current rates follow the new data; on failure nothing else changes.
IoResult SaveRateFile(RateStore& store, ConfigRecord& config);

// The optional name files. Each replaces the rate-page address with its first
// line; "mlist.dt" then refills the page labels, "clist.dt" the names of
// currencies 1..55 (English then French). CR LF and LF line ends both count.
void ApplyPageLabelFile(QByteArrayView contents, Catalogue& catalogue, ConfigRecord& config);
void ApplyCurrencyNameFile(QByteArrayView contents, Catalogue& catalogue, ConfigRecord& config);

// Applies "mlist.dt" and "clist.dt" when present. A file that exists but
// cannot be read, or holds more than 1 MiB, leaves its table untouched; the
// result lists each failure.
QStringList LoadNameOverrides(Catalogue& catalogue, ConfigRecord& config);

} // namespace kestrum
