// The Bank of Canada's Valet service, group FX_RATES_DAILY: observations of
// series "FX" + code + "CAD", each in Canadian dollars per unit.
#include "rate_sources.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace kestrum {

using namespace sources;

namespace {

// Values are strings, in older answers numbers; an absent key, an empty
// string or an object without "v" means no rate.
double ValetValue(const QJsonValue& cell) {
    const QJsonValue value = cell.toObject().value(QLatin1String("v"));
    if (value.isString())
        return SourceRate(value.toString());
    if (value.isDouble() && IsUsableRate(value.toDouble()))
        return value.toDouble();
    return kNotAvailable;
}

} // namespace

SourceRead ReadValetDays(QByteArrayView body, SourceDays& days) {
    if (!BodyStartsWith(body, '{'))
        return SourceRead::NotRecognised;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body.toByteArray(), &error);
    const QJsonValue observations = document.object().value(QLatin1String("observations"));
    if (error.error != QJsonParseError::NoError || !observations.isArray())
        return SourceRead::NotRecognised;

    // Series names depend only on the catalogue, not on the answer.
    QString series[kCurrencyCount];
    for (int k = 1; k < kCurrencyCount; ++k)
        series[k] = QStringLiteral("FX%1CAD").arg(QLatin1String(CurrencyCode(k)));

    // A date enters only with a rate, so discontinued series bring no
    // empty days, and the order of the observations does not matter.
    for (const QJsonValue& entry : observations.toArray()) {
        const QJsonObject point = entry.toObject();
        const double date = IsoDateValue(point.value(QLatin1String("d")).toString());
        if (date == kNotAvailable)
            continue;
        for (int k = 1; k < kCurrencyCount; ++k)
            if (const double rate = ValetValue(point.value(series[k])); rate != kNotAvailable)
                DayOf(days, date).Values[k] = rate;
    }
    return days.empty() ? SourceRead::NoUsableDay : SourceRead::Read;
}

SourceRead ReadValetRates(QByteArrayView body, RateStore& store) {
    SourceDays days;
    const SourceRead read = ReadValetDays(body, days);
    return read == SourceRead::Read && StoreNewestDays(days, store) ? SourceRead::Read : read;
}

} // namespace kestrum
