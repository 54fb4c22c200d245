// The ECB's euro reference rates: per day a Cube with a time attribute that
// holds one Cube per currency, its rate in units per euro.
#include "rate_sources.h"

#include <QXmlStreamReader>
#include <array>

namespace kestrum {

using namespace sources;

namespace {

using PerEuro = std::array<double, kCurrencyCount>; // index 0 the Canadian dollar

// Canadian dollars per euro is the CAD quote; per unit of another currency
// it is the CAD quote over that currency's, computed in that order.
void AddDay(SourceDays& days, double date, const PerEuro& perEuro) {
    const double cad = perEuro[0];
    if (date == kNotAvailable || cad == kNotAvailable)
        return;
    const int euro = CurrencyIndexOfCode(u"EUR");
    DayRecord& day = DayOf(days, date);
    day.Values[euro] = cad;
    for (int k = 1; k < kCurrencyCount; ++k) {
        if (k == euro || perEuro[k] == kNotAvailable)
            continue;
        const double rate = cad / perEuro[k];
        if (IsUsableRate(rate))
            day.Values[k] = rate;
    }
}

} // namespace

SourceRead ReadEcbDays(QByteArrayView body, SourceDays& days) {
    if (!BodyStartsWith(body, '<'))
        return SourceRead::NotRecognised;
    QXmlStreamReader xml(body.toByteArray());
    if (!xml.readNextStartElement() || xml.qualifiedName() != QLatin1String("gesmes:Envelope"))
        return SourceRead::NotRecognised;

    PerEuro perEuro;
    double date = kNotAvailable;
    int depth = 1;    // inside the envelope
    int dayDepth = 0; // depth of the open day's Cube, 0 when none is open
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (xml.name() != QLatin1String("Cube"))
                continue;
            const QXmlStreamAttributes attributes = xml.attributes();
            if (attributes.hasAttribute(QLatin1String("time"))) {
                date = IsoDateValue(attributes.value(QLatin1String("time")));
                perEuro.fill(kNotAvailable);
                dayDepth = depth;
            } else if (dayDepth != 0 && attributes.hasAttribute(QLatin1String("currency"))) {
                const int k = CurrencyIndexOfCode(attributes.value(QLatin1String("currency")));
                if (k >= 0)
                    perEuro[k] = SourceRate(attributes.value(QLatin1String("rate")));
            }
        } else if (xml.isEndElement()) {
            if (depth == dayDepth) {
                AddDay(days, date, perEuro);
                dayDepth = 0;
            }
            --depth;
        }
    }
    // A cut or broken file is refused whole rather than read in part.
    if (xml.hasError()) {
        days.clear();
        return SourceRead::NoUsableDay;
    }
    return days.empty() ? SourceRead::NoUsableDay : SourceRead::Read;
}

SourceRead ReadEcbRates(QByteArrayView body, RateStore& store) {
    SourceDays days;
    const SourceRead read = ReadEcbDays(body, days);
    return read == SourceRead::Read && StoreNewestDays(days, store) ? SourceRead::Read : read;
}

} // namespace kestrum
