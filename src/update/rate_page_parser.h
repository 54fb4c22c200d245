#pragma once

#include "data/catalogue.h"
#include "data/rate_store.h"
#include "settings/configuration.h"
#include "settings/io_result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <string_view>

namespace kestrum {

// Reads the downloaded rate page into the five day records. The page is plain
// Windows-1252 text: tags and entities are ordinary bytes, CR or LF ends a
// line. Rates are cleared first, then the dates and every currency's rates are
// written as they are read; true when the date line (with at least one valid
// date) and the lines of all 55 currencies were found and tokenised. A false result leaves a partly
// filled store, which the caller restores from the rate file.
bool ParseRatePage(QByteArrayView page, RateStore& store, const Catalogue& catalogue,
                   const ConfigRecord& config);

// Where downloads leave the page: "temp.html" in the program directory.
QString PageFilePath();

// The largest page read, downloaded or imported: 32 MiB, far beyond any real
// page, so a huge file or a device is refused instead of exhausting memory.
constexpr qint64 kMaxPageSize = 32 * 1024 * 1024;

// Reads a page file of at most kMaxPageSize bytes ("temp.html" unless another
// path is given). On failure the text is empty and the result names the file
// and the reason.
IoResult LoadPageText(QByteArray& text, const QString& path = PageFilePath());

enum class PageFileStatus { Parsed, Unreadable, Unparsable };

struct PageFileParse {
    PageFileStatus status = PageFileStatus::Parsed;
    QString error; // the reason an Unreadable page could not be read
    explicit operator bool() const { return status == PageFileStatus::Parsed; }
};

// Loads the page file and reads it into the store with ReadRateBody, so a
// rate page or either rate service's answer will do. A page that cannot be
// read is not parsed at all (stale text never reaches the store) and leaves
// the store untouched.
struct BodyDays;
// `answer`, when given, receives what ReadRateBody gives it.
PageFileParse ParsePageFile(RateStore& store, const Catalogue& catalogue,
                            const ConfigRecord& config, const QString& path = PageFilePath(),
                            BodyDays* answer = nullptr);

// The messages the user sees for a page, in order; none once it parsed.
QStringList PageFileMessages(const PageFileParse& parse);

// The steps of ParseRatePage, for callers that need one of them alone. All
// positions are 0-based byte offsets; an empty view means "no line".
namespace page {

// The date line starts with this many spaces.
constexpr std::size_t kDateMarkerLength = 40;
constexpr int kTokenCount = 5;

// The text from `start` up to the next CR or LF. A line break only counts
// when at least one byte follows it, so a page's last line never qualifies.
std::string_view LineFrom(std::string_view page, std::size_t start);

// The line that starts with the first run of 40 spaces.
std::string_view FindDateLine(std::string_view page);

// The search key used when a label is not on the page: "Franc CFA" or
// "Franc CFP" for labels starting with those, else the label's first word
// (empty when the label has no space).
std::string_view FallbackKey(std::string_view label);

// The line of a currency: from the first occurrence of its label to the line
// end; failing that, from the fallback key's first occurrence, but only when
// that stands right after a CR or LF.
std::string_view FindCurrencyLine(std::string_view page, std::string_view label);

// Up to five space-separated tokens after `anchor`; the fifth runs to the end
// of the line. `count` says how many were read before the scan failed, and is
// kTokenCount when it succeeded.
struct TokenScan {
    std::array<std::string_view, kTokenCount> tokens;
    int count = 0;
    bool complete() const { return count == kTokenCount; }
};
TokenScan ScanTokens(std::string_view line, std::size_t anchor);

// A date token such as "05/06/07": three slash-separated digit groups in the
// configured order, year + 2000. -1 for anything that is not a real calendar
// day in the years 2000 to 9999, including a date order that leaves no group
// for the year or the month.
double ParsePageDate(std::string_view token, int yearPosition, int monthPosition);

// A rate token: "NA", anything that is not a decimal number with a "." and a
// number that is not a usable rate are -1.
double ParseRateToken(std::string_view token);

// Finds the date line and stores its five dates in day records 1..5; false
// when the line is incomplete or holds no valid date.
bool ParseDateLine(std::string_view page, RateStore& store, const ConfigRecord& config);

// Finds the line of currency k (1..55) and stores its five rates.
bool ParseCurrencyLine(std::string_view page, int k, RateStore& store, const Catalogue& catalogue);

} // namespace page

} // namespace kestrum
