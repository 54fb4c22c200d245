// The National Bank of Poland's exchange-rate API: mid rates in zlotys per
// unit, table A every business day, table B on Wednesdays.
//
// A table answer is an array of tables, oldest first:
//   [{"table":"B","no":"019/B/NBP/2022","effectiveDate":"2022-05-11",
//     "rates":[{"currency":"...","code":"ARS","mid":0.0378}, ...]}, ...]
// a currency's answer one object with its publications:
//   {"table":"B","currency":"...","code":"AFN",
//    "rates":[{"no":"036/B/NBP/2026","effectiveDate":"2026-09-09","mid":0.057746}, ...]}
// and a refusal plain text: "404 NotFound - Not Found - Brak danych" when no
// table was published for what was asked.
//
// Like the other services' readers, one pass reads plain JSON and gives up
// at anything else (an escape in a name or a code, a repeated name, deep
// nesting), leaving the answer to Qt's JSON reader.
#include "json_scan.h"
#include "readers.h"
#include "source_scan.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QLocale>
#include <vector>

namespace kestrum {

using namespace sources;

namespace {

struct Figure {
    int k = -1;
    double rate = kNotAvailable;
    QByteArrayView text; // in the body, or for Qt's reading in `owned`
    QByteArray owned;
};

// Tables A and B are kept apart; table C (buying and selling rates) has no
// mid and brings nothing.
QString SourceOfTable(QByteArrayView letter) {
    if (letter == "A")
        return QStringLiteral("nbp-a");
    if (letter == "B")
        return QStringLiteral("nbp-b");
    return {};
}

void AddTable(Answer& answer, const DayBounds& bounds, QByteArrayView letter, QByteArrayView number,
              double date, const std::vector<Figure>& figures) {
    const QString source = SourceOfTable(letter);
    if (source.isEmpty() || date == kNotAvailable)
        return;
    DayWriter day(answer, source, date);
    for (const Figure& figure : figures) {
        if (figure.k < 0 || !(figure.rate > 0.0))
            continue;
        if (!bounds.Holds(date)) {
            LeaveOut(answer, date);
            return;
        }
        day.Keep(figure.k, figure.rate,
                 figure.owned.isEmpty() ? figure.text : QByteArrayView(figure.owned));
    }
    day.SetTable(number);
}

// "404 NotFound - Not Found - Brak danych": three digits, a word, " - ".
bool IsRefusal(QByteArrayView body) {
    const QByteArrayView text = body.trimmed();
    if (text.size() < 8)
        return false;
    for (int i = 0; i < 3; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return text[3] == ' ' && text.indexOf(" - ") > 4;
}

// ---- Qt's reading ---------------------------------------------------------

Figure FigureOf(const QJsonValue& code, const QJsonValue& mid) {
    Figure figure;
    figure.k = CurrencyIndexOfCode(code.toString());
    if (mid.isDouble()) {
        // The number's own text is gone; its shortest form names the same double.
        figure.rate = mid.toDouble();
        figure.owned = QString::number(figure.rate, 'g', QLocale::FloatingPointShortest).toUtf8();
    } else if (mid.isString()) {
        figure.rate = SourceNumber(mid.toString());
        figure.owned = mid.toString().toUtf8();
    }
    return figure;
}

QByteArray Utf8(const QJsonValue& value) {
    return value.toString().toUtf8();
}

SourceRead ReadThroughQt(QByteArrayView body, Answer& answer, const DayBounds& bounds) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError)
        return SourceRead::NotRecognised;
    const auto isTable = [](const QJsonObject& object) {
        return object.value(QLatin1String("table")).isString() &&
               object.value(QLatin1String("rates")).isArray();
    };
    Answer found;
    if (document.isArray()) {
        const QJsonArray tables = document.array();
        for (const QJsonValue& entry : tables)
            if (!isTable(entry.toObject()) ||
                !entry.toObject().value(QLatin1String("effectiveDate")).isString())
                return SourceRead::NotRecognised;
        if (tables.isEmpty())
            return SourceRead::NotRecognised;
        for (const QJsonValue& entry : tables) {
            const QJsonObject table = entry.toObject();
            std::vector<Figure> figures;
            for (const QJsonValue& rate : table.value(QLatin1String("rates")).toArray())
                figures.push_back(FigureOf(rate.toObject().value(QLatin1String("code")),
                                           rate.toObject().value(QLatin1String("mid"))));
            AddTable(found, bounds, Utf8(table.value(QLatin1String("table"))),
                     Utf8(table.value(QLatin1String("no"))),
                     IsoDateValue(table.value(QLatin1String("effectiveDate")).toString()), figures);
        }
    } else {
        const QJsonObject series = document.object();
        if (!isTable(series) || !series.value(QLatin1String("code")).isString())
            return SourceRead::NotRecognised;
        for (const QJsonValue& entry : series.value(QLatin1String("rates")).toArray()) {
            const QJsonObject rate = entry.toObject();
            AddTable(
                found, bounds, Utf8(series.value(QLatin1String("table"))),
                Utf8(rate.value(QLatin1String("no"))),
                IsoDateValue(rate.value(QLatin1String("effectiveDate")).toString()),
                {FigureOf(series.value(QLatin1String("code")), rate.value(QLatin1String("mid")))});
        }
    }
    const bool read = found.HasDays();
    Merge(found, answer);
    return read ? SourceRead::Read : SourceRead::NoUsableDay;
}

// ---- one pass -------------------------------------------------------------

class NbpScan : public JsonScan {
public:
    using JsonScan::JsonScan;
    Scanned Scan(Answer& answer, const DayBounds& bounds);

private:
    // A plain string member once, into `text`.
    bool Once(bool& seen, std::string_view& text) {
        if (seen)
            return false;
        seen = true;
        return PlainString(text);
    }
    // A mid, a number as published or, leniently, a plain string.
    bool Mid(bool& seen, Figure& figure);
    bool Rates(int depth, auto&& element);
    bool Table(Answer& found, const DayBounds& bounds, bool& isTable);
    bool Series(Answer& found, const DayBounds& bounds, bool& isSeries);
};

bool NbpScan::Mid(bool& seen, Figure& figure) {
    if (seen)
        return false;
    seen = true;
    std::string_view text;
    if (At('"')) {
        if (!PlainString(text))
            return false;
    } else if (!More() || (*m_at != '-' && (*m_at < '0' || *m_at > '9')) || !Number(text)) {
        return Value(4);
    }
    figure.rate = ScanNumber(text);
    figure.text = QByteArrayView(text.data(), qsizetype(text.size()));
    return true;
}

bool NbpScan::Rates(int depth, auto&& element) {
    if (!At('['))
        return false;
    ++m_at;
    return Elements(']', [&] {
        if (!At('{'))
            return Value(depth);
        ++m_at;
        return element();
    });
}

bool NbpScan::Table(Answer& found, const DayBounds& bounds, bool& isTable) {
    std::string_view letter, number, date;
    bool hasLetter = false, hasNumber = false, hasDate = false, hasRates = false;
    std::vector<Figure> figures;
    ++m_at;
    const bool read = Members(2, [&](std::string_view name) {
        if (name == "table")
            return Once(hasLetter, letter);
        if (name == "no")
            return Once(hasNumber, number);
        if (name == "effectiveDate")
            return Once(hasDate, date);
        if (name != "rates")
            return Value(2);
        if (hasRates)
            return false;
        hasRates = true;
        return Rates(3, [&] {
            Figure figure;
            std::string_view code;
            bool hasCode = false, hasMid = false;
            if (!Members(4, [&](std::string_view member) {
                    if (member == "code")
                        return Once(hasCode, code);
                    if (member == "mid")
                        return Mid(hasMid, figure);
                    return Value(4);
                }))
                return false;
            figure.k = hasCode ? CodeIndex(code) : -1;
            figures.push_back(std::move(figure));
            return true;
        });
    });
    isTable = read && hasLetter && hasDate && hasRates;
    if (isTable)
        AddTable(found, bounds, QByteArrayView(letter.data(), qsizetype(letter.size())),
                 QByteArrayView(number.data(), qsizetype(number.size())), ScanIsoDate(date),
                 figures);
    return read;
}

bool NbpScan::Series(Answer& found, const DayBounds& bounds, bool& isSeries) {
    struct Publication {
        std::string_view number;
        double date = kNotAvailable;
        Figure figure;
    };
    std::vector<Publication> publications;
    std::string_view letter, code;
    bool hasLetter = false, hasCode = false, hasRates = false;
    ++m_at;
    const bool read = Members(1, [&](std::string_view name) {
        if (name == "table")
            return Once(hasLetter, letter);
        if (name == "code")
            return Once(hasCode, code);
        if (name != "rates")
            return Value(1);
        if (hasRates)
            return false;
        hasRates = true;
        return Rates(2, [&] {
            Publication publication;
            std::string_view date;
            bool hasNumber = false, hasDate = false, hasMid = false;
            if (!Members(3, [&](std::string_view member) {
                    if (member == "no")
                        return Once(hasNumber, publication.number);
                    if (member == "effectiveDate")
                        return Once(hasDate, date);
                    if (member == "mid")
                        return Mid(hasMid, publication.figure);
                    return Value(3);
                }))
                return false;
            publication.date = hasDate ? ScanIsoDate(date) : kNotAvailable;
            publications.push_back(std::move(publication));
            return true;
        });
    });
    isSeries = read && hasLetter && hasCode && hasRates;
    if (!isSeries)
        return read;
    const int k = CodeIndex(code);
    for (Publication& publication : publications) {
        publication.figure.k = k;
        AddTable(found, bounds, QByteArrayView(letter.data(), qsizetype(letter.size())),
                 QByteArrayView(publication.number.data(), qsizetype(publication.number.size())),
                 publication.date, {publication.figure});
    }
    return true;
}

Scanned NbpScan::Scan(Answer& answer, const DayBounds& bounds) {
    SkipSpace();
    Answer found;
    bool recognised = true;
    if (At('{')) {
        if (!Series(found, bounds, recognised))
            return Scanned::GaveUp;
    } else if (At('[')) {
        ++m_at;
        bool any = false;
        const bool read = Elements(']', [&] {
            bool isTable = false;
            if (!At('{') || !Table(found, bounds, isTable))
                return false;
            any = true;
            recognised = recognised && isTable;
            return true;
        });
        if (!read)
            return Scanned::GaveUp;
        recognised = recognised && any;
    } else {
        return Scanned::NotRecognised;
    }
    if (!Ended())
        return Scanned::GaveUp;
    if (!recognised)
        return Scanned::NotRecognised;
    Merge(found, answer);
    return Scanned::Read;
}

} // namespace

SourceRead ReadNbpAnswer(QByteArrayView body, Answer& answer, const DayBounds& bounds) {
    if (IsRefusal(body)) {
        answer.noTable = body.trimmed().startsWith("404");
        return SourceRead::NoUsableDay;
    }
    if (!BodyStartsWith(body, '[') && !BodyStartsWith(body, '{'))
        return SourceRead::NotRecognised;
    Answer found;
    const Scanned scanned = NbpScan(body).Scan(found, bounds);
    return scanned == Scanned::GaveUp ? ReadThroughQt(body, answer, bounds)
                                      : AfterScan(scanned, found, answer);
}

} // namespace kestrum
