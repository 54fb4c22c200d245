#include "rate_sources.h"

#include "data/cp1252.h"
#include "data/dates.h"
#include "platform.h"
#include "rate_page_parser.h"
#include "settings/message_table.h"
#include "split_address.h"

#include <QUrl>

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
    // What the grabber will make of it: a port it cannot read is refused
    // rather than replaced by the scheme's own.
    const AddressParts parts = SplitAddress(argument);
    if (parts.Host.isEmpty() || !parts.PortValid)
        return std::nullopt;
    return argument;
}

bool ReadRateBody(QByteArrayView body, RateStore& store, const Catalogue& catalogue,
                  const ConfigRecord& config, BodyDays* answer) {
    BodyDays local;
    BodyDays& read = answer ? *answer : local;
    read = {};
    SourceRead result = SourceRead::NotRecognised;
    read.source = sources::ReadAnswer(body, read.answer, CurrentPlatform().Now(), result);
    if (!read.source)
        return ParseRatePage(body, store, catalogue, config);
    if (result != SourceRead::Read)
        return false;
    sources::SourceDays newest;
    for (const auto& [source, published] : read.answer.published)
        for (const auto& [day, record] : published.days) {
            DayRecord& into = sources::DayOf(newest, day);
            if (!read.source->fillsOnly)
                into = record;
        }
    return sources::StoreNewestDays(newest, store);
}

} // namespace kestrum
