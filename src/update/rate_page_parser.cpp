#include "rate_page_parser.h"

#include "data/dates.h"
#include "data/number_text.h"
#include "rate_sources.h"
#include "settings/file_io.h"
#include "settings/message_table.h"
#include "settings/paths.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace kestrum {

namespace page {

namespace {

constexpr std::string_view kNotAvailableToken = "NA";
constexpr std::string_view kLineBreaks = "\r\n";
constexpr int kYearBase = 2000;
constexpr int kLastYear = 2199; // the last year a stored date may have
// Any group above this is far outside every calendar field; stopping here
// keeps long digit runs from overflowing.
constexpr std::int64_t kLargestGroup = 1'000'000'000;

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

std::optional<int> DigitGroup(std::string_view group) {
    if (group.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : group) {
        if (!IsDigit(c))
            return std::nullopt;
        value = std::min(value * 10 + (c - '0'), kLargestGroup);
    }
    return static_cast<int>(value);
}

} // namespace

std::string_view LineFrom(std::string_view page, std::size_t start) {
    if (start >= page.size())
        return {};
    const std::size_t end = page.find_first_of(kLineBreaks, start + 1);
    if (end == std::string_view::npos || end + 1 >= page.size())
        return {};
    return page.substr(start, end - start);
}

std::string_view FindDateLine(std::string_view page) {
    static const std::string marker(kDateMarkerLength, ' ');
    const std::size_t start = page.find(marker);
    return start == std::string_view::npos ? std::string_view() : LineFrom(page, start);
}

std::string_view FallbackKey(std::string_view label) {
    for (const int entry : {msg::FrancCfa, msg::FrancCfp}) {
        const std::string_view key = Message(entry);
        if (label.starts_with(key))
            return key;
    }
    const std::size_t space = label.find(' ');
    return space == std::string_view::npos ? std::string_view() : label.substr(0, space);
}

std::string_view FindCurrencyLine(std::string_view page, std::string_view label) {
    if (label.empty())
        return {};
    std::size_t start = page.find(label);
    if (start != std::string_view::npos)
        return LineFrom(page, start);

    const std::string_view key = FallbackKey(label);
    if (key.empty())
        return {};
    // Only the first occurrence is looked at: a short key is too common to
    // hunt for a better one further down.
    start = page.find(key);
    if (start == std::string_view::npos || start == 0 || !IsLineBreak(page[start - 1]))
        return {};
    return LineFrom(page, start);
}

TokenScan ScanTokens(std::string_view line, std::size_t anchor) {
    TokenScan scan;
    const std::size_t n = line.size();
    // A token may neither start nor end on the line's last byte, so a line
    // that runs out after four tokens fails rather than giving a short one.
    for (int i = 0; i < kTokenCount && anchor < n; ++i) {
        const std::size_t start = line.find_first_not_of(' ', anchor + 1);
        if (start == std::string_view::npos || start + 1 >= n)
            break;
        if (i == kTokenCount - 1) {
            scan.tokens[i] = line.substr(start);
            scan.count = kTokenCount;
            break;
        }
        const std::size_t end = line.find(' ', start + 1);
        if (end == std::string_view::npos || end + 1 >= n)
            break;
        scan.tokens[i] = line.substr(start, end - start);
        scan.count = i + 1;
        anchor = end;
    }
    return scan;
}

double ParsePageDate(std::string_view token, int yearPosition, int monthPosition) {
    const std::size_t first = token.find('/');
    if (first == std::string_view::npos)
        return kNotAvailable;
    // The second slash is looked for from the second byte after the first and
    // must stand before the token's last byte.
    const std::size_t second = token.find('/', first + 2);
    if (second == std::string_view::npos || second + 1 >= token.size())
        return kNotAvailable;
    const std::string_view rest = token.substr(second + 1);
    const std::string_view parts[] = {token.substr(0, first),
                                      token.substr(first + 1, second - first - 1),
                                      rest.substr(0, rest.find(' '))};

    int year = -1;
    int month = -1;
    int day = -1;
    for (int p = 1; p <= 3; ++p) {
        const std::optional<int> value = DigitGroup(parts[p - 1]);
        if (!value)
            return kNotAvailable;
        if (p == yearPosition)
            year = *value;
        else if (p == monthPosition)
            month = *value;
        else
            day = *value;
    }
    if (year < 0 || month < 0 || day < 0)
        return kNotAvailable;
    year += kYearBase;
    if (year > kLastYear)
        return kNotAvailable;
    return DateValueFromYmd(year, month, day);
}

double ParseRateToken(std::string_view token) {
    if (token == kNotAvailableToken)
        return kNotAvailable;
    return UsableRateOrMissing(ParseDecimal(token).value_or(kNotAvailable));
}

bool ParseDateLine(std::string_view page, RateStore& store, const ConfigRecord& config) {
    const std::string_view line = FindDateLine(page);
    if (line.size() < 2)
        return false;
    // Anchoring on the marker's first space skips the rest of the marker.
    const TokenScan scan = ScanTokens(line, 0);
    bool anyDate = false;
    for (int i = 0; i < scan.count; ++i) {
        const std::string_view token = scan.tokens[i];
        const double date = token == kNotAvailableToken
                                ? kNotAvailable
                                : ParsePageDate(token, config.YearPosition, config.MonthPosition);
        SetDayDate(store, i + 1, date);
        anyDate = anyDate || date != kNotAvailable;
    }
    // Rates of days nobody can name are worth nothing.
    return scan.complete() && anyDate;
}

bool ParseCurrencyLine(std::string_view page, int k, RateStore& store, const Catalogue& catalogue) {
    const std::string_view line = FindCurrencyLine(page, PageLabel(catalogue, k));
    if (line.size() < 2)
        return false;
    // The page pads every name with at least three spaces; names themselves
    // never hold that many in a row.
    const std::size_t anchor = line.find("   ");
    if (anchor == std::string_view::npos)
        return false;
    const TokenScan scan = ScanTokens(line, anchor);
    for (int i = 0; i < scan.count; ++i)
        SetDayRate(store, k, i + 1, ParseRateToken(scan.tokens[i]));
    return scan.complete();
}

} // namespace page

bool ParseRatePage(QByteArrayView page, RateStore& store, const Catalogue& catalogue,
                   const ConfigRecord& config) {
    const std::string_view text(page.data(), static_cast<std::size_t>(page.size()));
    ClearRates(store);
    if (!page::ParseDateLine(text, store, config))
        return false;
    for (int k = 1; k <= kPageLabelCount; ++k)
        if (!page::ParseCurrencyLine(text, k, store, catalogue))
            return false;
    return true;
}

QString PageFilePath() {
    return ProgramFile(QString::fromLatin1(Message(msg::TempHtml)));
}

IoResult LoadPageText(QByteArray& text, const QString& path) {
    // A page the user names may be a pipe ("import /dev/stdin").
    return ReadWholeFile(path, text, kMaxPageSize, FileKind::AnyReadable);
}

PageFileParse ParsePageFile(RateStore& store, const Catalogue& catalogue,
                            const ConfigRecord& config, const QString& path, BodyDays* answer) {
    // A download's page is mapped, not copied: only the program writes it. A
    // file the user names is read, since another program may cut it short.
    const QFileInfo page(path);
    const QFileInfo download(PageFilePath());
    const bool own = page.absolutePath() == download.absolutePath() &&
                     (page.fileName() == download.fileName() ||
                      IsTemporaryName(page.fileName(), download.fileName()));
    FileView view;
    QByteArray text;
    if (const IoResult load = own ? view.Open(path, kMaxPageSize) : LoadPageText(text, path); !load)
        return {PageFileStatus::Unreadable, load.error};
    if (!ReadRateBody(own ? view.Bytes() : QByteArrayView(text), store, catalogue, config, answer))
        return {PageFileStatus::Unparsable, {}};
    return {};
}

QStringList PageFileMessages(const PageFileParse& parse) {
    const QString parseError = MessageText(msg::ParseError);
    switch (parse.status) {
    case PageFileStatus::Parsed:
        return {};
    case PageFileStatus::Unreadable:
        return {parse.error, parseError};
    case PageFileStatus::Unparsable:
        return {parseError};
    }
    return {};
}

} // namespace kestrum
