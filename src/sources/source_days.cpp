#include "readers.h"

#include "data/dates.h"

#include <QCoreApplication>
#include <QDate>
#include <cmath>
#include <limits>

namespace kestrum {

namespace sources {

bool Answer::HasDays() const {
    for (const auto& [source, published] : published)
        if (!published.days.empty())
            return true;
    return false;
}

QString Answer::LeftOutSentence() const {
    QStringList parts;
    if (!daysOutside.empty())
        parts << (daysOutside.size() == 1
                      ? QCoreApplication::translate(
                            "Sources", "1 day outside the days the service can have published (%1)")
                            .arg(IsoDateText(*daysOutside.begin()))
                      : QCoreApplication::translate("Sources", "%1 days outside the days the "
                                                               "service can have published (%2 to "
                                                               "%3)")
                            .arg(daysOutside.size())
                            .arg(IsoDateText(*daysOutside.begin()),
                                 IsoDateText(*daysOutside.rbegin())));
    if (ratesRefused > 0)
        parts << (ratesRefused == 1
                      ? QCoreApplication::translate(
                            "Sources", "1 rate outside the plausible band of %1 to %2 per unit")
                            .arg(kLowestRate)
                            .arg(kHighestRate)
                      : QCoreApplication::translate(
                            "Sources", "%1 rates outside the plausible band of %2 to %3 per unit")
                            .arg(ratesRefused)
                            .arg(kLowestRate)
                            .arg(kHighestRate));
    if (parts.isEmpty())
        return {};
    return QCoreApplication::translate("Sources", "Left out of the answer: %1.")
        .arg(parts.size() == 1
                 ? parts[0]
                 : QCoreApplication::translate("Sources", "%1 and %2").arg(parts[0], parts[1]));
}

bool BodyStartsWith(QByteArrayView body, char c) {
    const QByteArrayView text = body.trimmed();
    return !text.isEmpty() && text.front() == c;
}

double SourceNumber(QStringView text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok && std::isinf(value))
        return value; // beyond the largest double: a number still, refused by the band
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

double IsoDateValue(QStringView text) {
    if (text.size() != 10)
        return kNotAvailable;
    const QDate date = QDate::fromString(text.toString(), Qt::ISODate);
    return date.isValid() ? DateValueOf(date) : kNotAvailable;
}

int CurrencyIndexOfCode(QStringView code) {
    if (code == QLatin1String("VES"))
        return FindCurrencyByCodeOrName("VEF");
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

bool DayWriter::Keep(int k, double rate, QByteArrayView text) {
    if (!(rate > 0.0))
        return false;
    if (!InBand(rate)) {
        ++m_answer.ratesRefused;
        return false;
    }
    if (!m_record) {
        Published& published = m_answer.published[m_source];
        m_record = &DayOf(published.days, m_day);
        m_quotes = &published.quotes[m_day];
    }
    if (k > 0)
        m_record->Values[k] = rate;
    m_quotes->texts[size_t(k)] = text.toByteArray();
    return true;
}

void DayWriter::SetTable(QByteArrayView table) {
    if (m_quotes && !table.isEmpty())
        m_quotes->table = table.toByteArray();
}

void Merge(Answer& from, Answer& to) {
    // Most often the whole answer moves into an empty one.
    if (to.published.empty())
        to.published.swap(from.published);
    for (auto& [source, published] : from.published) {
        Published& into = to.published[source];
        for (auto& [day, record] : published.days) {
            DayRecord& target = DayOf(into.days, day);
            for (int k = 1; k < kCurrencyCount; ++k)
                if (record.Values[k] != kNotAvailable)
                    target.Values[k] = record.Values[k];
        }
        for (auto& [day, quotes] : published.quotes) {
            DayQuotes& target = into.quotes[day];
            for (int k = 0; k < kCurrencyCount; ++k)
                if (!quotes.texts[size_t(k)].isEmpty())
                    target.texts[size_t(k)] = std::move(quotes.texts[size_t(k)]);
            if (!quotes.table.isEmpty())
                target.table = std::move(quotes.table);
        }
    }
    to.daysOutside.merge(from.daysOutside);
    to.ratesRefused += from.ratesRefused;
    to.noTable = to.noTable || from.noTable;
    from = {};
}

SourceRead AfterScan(Scanned scanned, Answer& found, Answer& answer) {
    if (scanned != Scanned::Read)
        return SourceRead::NotRecognised;
    const bool read = found.HasDays();
    Merge(found, answer);
    return read ? SourceRead::Read : SourceRead::NoUsableDay;
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

namespace {

SourceRead ReadNewestDays(SourceRead (*read)(QByteArrayView, sources::Answer&,
                                             const sources::DayBounds&),
                          QByteArrayView body, RateStore& store) {
    sources::Answer answer;
    const SourceRead result = read(body, answer, {});
    return result == SourceRead::Read && !answer.published.empty() &&
                   sources::StoreNewestDays(answer.published.begin()->second.days, store)
               ? SourceRead::Read
               : result;
}

} // namespace

SourceRead ReadValetRates(QByteArrayView body, RateStore& store) {
    return ReadNewestDays(ReadValetAnswer, body, store);
}

SourceRead ReadEcbRates(QByteArrayView body, RateStore& store) {
    return ReadNewestDays(ReadEcbAnswer, body, store);
}

} // namespace kestrum
