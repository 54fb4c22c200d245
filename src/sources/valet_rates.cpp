// The Bank of Canada's Valet service, group FX_RATES_DAILY: observations of
// series "FX" + code + "CAD", each in Canadian dollars per unit.
//
// Answers of several years run to megabytes, so they are read in one pass
// over the bytes. That pass knows only plain, well-formed JSON; at anything
// else (a syntax error, an escape in a name that matters, a repeated name,
// deep nesting) it gives up and Qt's JSON reader decides.
#include "json_scan.h"
#include "readers.h"
#include "source_scan.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QLocale>
#include <array>
#include <bitset>
#include <string_view>

namespace kestrum {

using namespace sources;

namespace {

const QString kBocSource = QStringLiteral("boc");

// One observation's figures, by catalogue index: the number and its text
// (in the body, or for Qt's reading in `owned`).
struct Figures {
    std::array<double, kCurrencyCount> rates;
    std::array<QByteArrayView, kCurrencyCount> texts;
    std::array<QByteArray, kCurrencyCount> owned;
    Figures() { rates.fill(kNotAvailable); }
};

// A date enters only with a rate, so discontinued series bring no empty
// days, and the order of the observations does not matter.
void AddObservation(Answer& answer, const DayBounds& bounds, double date, const Figures& figures) {
    if (date == kNotAvailable)
        return;
    const bool inside = bounds.Holds(date);
    DayWriter day(answer, kBocSource, date);
    for (int k = 1; k < kCurrencyCount; ++k) {
        if (!(figures.rates[size_t(k)] > 0.0))
            continue;
        if (!inside) {
            LeaveOut(answer, date);
            return;
        }
        day.Keep(k, figures.rates[size_t(k)], figures.texts[size_t(k)]);
    }
}

// Values are strings, in older answers numbers; an absent key, an empty
// string or an object without "v" means no rate.
void ValetValue(const QJsonValue& cell, double& rate, QByteArray& text) {
    const QJsonValue value = cell.toObject().value(QLatin1String("v"));
    if (value.isString()) {
        text = value.toString().toUtf8();
        rate = SourceNumber(value.toString());
    } else if (value.isDouble()) {
        // The number's own text is gone; its shortest form names the same double.
        rate = value.toDouble();
        text = QString::number(rate, 'g', QLocale::FloatingPointShortest).toUtf8();
    }
}

SourceRead ReadThroughQt(QByteArrayView body, Answer& answer, const DayBounds& bounds) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body.toByteArray(), &error);
    const QJsonValue observations = document.object().value(QLatin1String("observations"));
    if (error.error != QJsonParseError::NoError || !observations.isArray())
        return SourceRead::NotRecognised;
    Answer found;
    for (const QJsonValue& entry : observations.toArray()) {
        const QJsonObject point = entry.toObject();
        Figures figures;
        for (int k = 1; k < kCurrencyCount; ++k) {
            const QString series =
                QLatin1String("FX") + QLatin1String(CurrencyCode(k)) + QLatin1String("CAD");
            ValetValue(point.value(series), figures.rates[size_t(k)], figures.owned[size_t(k)]);
            figures.texts[size_t(k)] = figures.owned[size_t(k)];
        }
        AddObservation(found, bounds, IsoDateValue(point.value(QLatin1String("d")).toString()),
                       figures);
    }
    const bool read = found.HasDays();
    Merge(found, answer);
    return read ? SourceRead::Read : SourceRead::NoUsableDay;
}

// One pass over a Valet answer.
class ValetScan : public JsonScan {
public:
    using JsonScan::JsonScan;

    // Fills `answer` only when the whole answer was read; `observations`
    // tells whether it had an array of that name.
    bool Scan(Answer& answer, const DayBounds& bounds, bool& observations);

private:
    bool Observations(Answer& found, const DayBounds& bounds);
    bool Observation(Answer& found, const DayBounds& bounds);
    bool Cell(double& rate, QByteArrayView& text);
};

bool ValetScan::Cell(double& rate, QByteArrayView& text) {
    if (!At('{'))
        return Value(2);
    ++m_at;
    bool seen = false;
    return Members(3, [&](std::string_view name) {
        if (name != "v")
            return Value(3);
        if (seen)
            return false;
        seen = true;
        std::string_view written;
        if (At('"')) {
            if (!PlainString(written))
                return false;
        } else if (!More() || (*m_at != '-' && (*m_at < '0' || *m_at > '9'))) {
            return Value(3);
        } else if (!Number(written)) {
            return false;
        }
        rate = ScanNumber(written);
        text = QByteArrayView(written.data(), qsizetype(written.size()));
        return true;
    });
}

bool ValetScan::Observation(Answer& found, const DayBounds& bounds) {
    Figures figures;
    std::bitset<kCurrencyCount> seen;
    double date = kNotAvailable;
    bool dated = false;
    ++m_at;
    const bool read = Members(2, [&](std::string_view name) {
        if (name == "d") {
            if (dated)
                return false;
            dated = true;
            if (!At('"'))
                return Value(2);
            std::string_view text;
            if (!PlainString(text))
                return false;
            date = ScanIsoDate(text);
            return true;
        }
        const int k = name.size() == 8 && name.starts_with("FX") && name.ends_with("CAD")
                          ? CodeIndex(name.substr(2, 3))
                          : -1;
        // The bolivar's series would be VEF's; VES is the NBP's name for it.
        if (k < 1 || name.substr(2, 3) != CurrencyCode(k))
            return Value(2);
        if (seen[size_t(k)])
            return false;
        seen[size_t(k)] = true;
        return Cell(figures.rates[size_t(k)], figures.texts[size_t(k)]);
    });
    if (read)
        AddObservation(found, bounds, date, figures);
    return read;
}

bool ValetScan::Observations(Answer& found, const DayBounds& bounds) {
    ++m_at;
    return Elements(']', [&] { return At('{') ? Observation(found, bounds) : Value(1); });
}

bool ValetScan::Scan(Answer& answer, const DayBounds& bounds, bool& observations) {
    Answer found;
    bool named = false;
    observations = false;
    SkipSpace();
    if (!At('{'))
        return false;
    ++m_at;
    const bool read = Members(1, [&](std::string_view name) {
        if (name != "observations")
            return Value(1);
        if (named)
            return false;
        named = true;
        observations = At('[');
        return observations ? Observations(found, bounds) : Value(1);
    });
    if (!read || !Ended())
        return false;
    Merge(found, answer);
    return true;
}

} // namespace

SourceRead ReadValetAnswer(QByteArrayView body, Answer& answer, const DayBounds& bounds) {
    if (!BodyStartsWith(body, '{'))
        return SourceRead::NotRecognised;
    bool observations = false;
    Answer found;
    if (!ValetScan(body).Scan(found, bounds, observations))
        return ReadThroughQt(body, answer, bounds);
    return AfterScan(observations ? Scanned::Read : Scanned::NotRecognised, found, answer);
}

} // namespace kestrum
