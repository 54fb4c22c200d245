#include "rate_sources.h"

#include "data/cp1252.h"
#include "data/dates.h"
#include "rate_page_parser.h"
#include "settings/message_table.h"

#include <QUrl>
#include <cmath>

namespace kestrum {

QString RatePageUrl(const ConfigRecord& config) {
    if (config.RatePageAddress == kRetiredRatePageAddress)
        return QString::fromLatin1(Message(msg::RatePageAddress));
    return FromCp1252(config.RatePageAddress);
}

std::optional<QString> RateSourceAddress(const QString& argument) {
    if (argument.compare(u"boc", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(Message(msg::RatePageAddress));
    if (argument.compare(u"ecb", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(kEcbRatesAddress);
    // Printable ASCII only, so the text goes into the record byte for byte
    // and is never cut.
    if (argument.size() > kShortStringCapacity)
        return std::nullopt;
    for (const QChar c : argument)
        if (c.unicode() <= u' ' || c.unicode() > u'~')
            return std::nullopt;
    const QUrl url(argument, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return std::nullopt;
    return argument;
}

bool ReadRateBody(QByteArrayView body, RateStore& store, const Catalogue& catalogue,
                  const ConfigRecord& config, BodyDays* answer) {
    if (answer) {
        // The days are read once, for the five newest and for the history.
        const std::pair<SourceRead (*)(QByteArrayView, sources::SourceDays&), BodyKind> readers[] =
            {{ReadValetDays, BodyKind::Valet}, {ReadEcbDays, BodyKind::Ecb}};
        for (const auto& [reader, kind] : readers) {
            answer->days.clear();
            const SourceRead read = reader(body, answer->days);
            if (read != SourceRead::NotRecognised) {
                answer->kind = kind;
                return read == SourceRead::Read && sources::StoreNewestDays(answer->days, store);
            }
        }
        answer->days.clear();
        answer->kind = BodyKind::Page;
        return ParseRatePage(body, store, catalogue, config);
    }
    for (const auto reader : {ReadValetRates, ReadEcbRates}) {
        const SourceRead read = reader(body, store);
        if (read != SourceRead::NotRecognised)
            return read == SourceRead::Read;
    }
    return ParseRatePage(body, store, catalogue, config);
}

namespace sources {

bool BodyStartsWith(QByteArrayView body, char c) {
    const QByteArrayView text = body.trimmed();
    return !text.isEmpty() && text.front() == c;
}

double SourceRate(QStringView text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? UsableRateOrMissing(value) : kNotAvailable;
}

double IsoDateValue(QStringView text) {
    if (text.size() != 10)
        return kNotAvailable;
    const QDate date = QDate::fromString(text.toString(), Qt::ISODate);
    if (!date.isValid() || date.year() < 1900)
        return kNotAvailable;
    return DateValueOf(date);
}

int CurrencyIndexOfCode(QStringView code) {
    for (int k = 0; k < kCurrencyCount; ++k)
        if (code == QLatin1String(CurrencyCode(k)))
            return k;
    return -1;
}

DayRecord& DayOf(SourceDays& days, double date) {
    auto [entry, created] = days.try_emplace(date);
    if (created) {
        entry->second.Values.fill(kNotAvailable);
        entry->second.Values[0] = date;
    }
    return entry->second;
}

bool StoreNewestDays(const SourceDays& days, RateStore& store) {
    if (days.empty())
        return false;
    const RateStore fresh;
    store.RateTable = fresh.RateTable;
    int d = kDayCount;
    for (auto day = days.rbegin(); day != days.rend() && d >= 1; ++day, --d)
        store.RateTable[d - 1] = day->second;
    return true;
}

} // namespace sources

} // namespace kestrum
