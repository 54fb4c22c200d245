#include "coverage.h"

#include "data/dates.h"
#include "data/rate_store.h"
#include "history/parities.h"
#include "rate_sweep.h"
#include "settings/options.h"
#include "statement.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QStringList>
#include <QUrl>

namespace kestrum::history {

void CompleteRates(const Store& store, int day, const QString& primary, FillPolicy policy,
                   DayRates& rates) {
    Sweeps sweeps(store, primary, policy, day, day, false);
    sweeps.AdvanceTo(day);
    sweeps.Complete(rates, day);
}

DayRates RatesOfPublicationDay(const Store& store, int day, const QString& primary,
                               FillPolicy policy) {
    DayRates rates = LatestOnOrBefore(store, primary, day, 0);
    CompleteRates(store, day, primary, policy, rates);
    return rates;
}

FillPolicy ConfiguredFillPolicy() {
    return {FillFromOtherSource(), true};
}

namespace {

QString Text(const char* context, const char* text, TextLanguage language) {
    return language == TextLanguage::English ? QString::fromUtf8(text)
                                             : QCoreApplication::translate(context, text);
}

} // namespace

QString ParityText(const QString& label, TextLanguage language) {
    return Text("Parities", label.toUtf8().constData(), language);
}

QString OriginLabel(const Origin& origin, TextLanguage language) {
    if (!origin.parity.isEmpty())
        return ParityText(origin.parity, language);
    QString name;
    if (origin.source == QLatin1String(kBoc))
        name = Text("Sources", QT_TRANSLATE_NOOP("Sources", "Bank of Canada"), language);
    else if (origin.source == QLatin1String(kEcb))
        name = Text("Sources", QT_TRANSLATE_NOOP("Sources", "ECB"), language);
    else if (IsNbpSource(origin.source))
        name = origin.source == QLatin1String(kNbpA)
                   ? Text("Sources", QT_TRANSLATE_NOOP("Sources", "NBP A"), language)
                   : Text("Sources", QT_TRANSLATE_NOOP("Sources", "NBP B"), language);
    else
        name =
            Text("Sources", QT_TRANSLATE_NOOP("Sources", "rate page of %1"), language)
                .arg(QUrl(origin.source.mid(origin.source.indexOf(QLatin1Char(':')) + 1)).host());
    return origin.filled
               ? Text("Sources", QT_TRANSLATE_NOOP("Sources", "%1 (filled)"), language).arg(name)
               : name;
}

QString ShownCode(int k, const Origin& origin) {
    // The NBP publishes the bolívar in circulation as VES; the catalogue's
    // entry is older than it.
    if (IsNbpSource(origin.source) && QLatin1String(CurrencyCode(k)) == QLatin1String("VEF"))
        return QStringLiteral("VES");
    return QString::fromLatin1(CurrencyCode(k));
}

QString LastImportedSource(const Store& store) {
    Query query(store, kLastImportSql);
    return query.Next() ? query.String(0) : QString();
}

RateOrigins OriginsOf(const Store& store, const RateStore& rates) {
    RateOrigins origins;
    QStringList primaries{LastImportedSource(store), QString::fromLatin1(kBoc),
                          QString::fromLatin1(kEcb)};
    primaries.removeAll(QString());
    primaries.removeDuplicates();
    for (int d = 1; d <= kDayCount; ++d) {
        if (!DayHasRates(rates, d))
            continue;
        const int day = int(DayDate(rates, d));
        for (const QString& primary : primaries) {
            const DayRates found = RatesOfPublicationDay(store, day, primary, {true, true});
            for (int k = 1; k < kCurrencyCount; ++k) {
                const double rate = DayRate(rates, k, d);
                Origin& origin = origins[d - 1][k];
                if (origin.source.isEmpty() && rate != kNotAvailable && found[k].rate == rate)
                    origin = found[k].origin;
            }
        }
    }
    return origins;
}

RateOrigins OriginsOfStoredRates(const RateStore& rates) {
    // The origins only annotate rates already shown: a store that cannot be
    // read leaves them unnamed, and the command that needs the store says why.
    try {
        Store store;
        if (!store.OpenForReading().usable())
            return {};
        return OriginsOf(store, rates);
    } catch (const StoreError&) {
        return {};
    }
}

QString OriginSentence(const Origin& origin) {
    if (origin.source.isEmpty())
        return {};
    if (IsNbpSource(origin.source) && origin.parity.isEmpty()) {
        // The publisher's own reference: the table and its day, and the
        // table A that took it to Canadian dollars when that is another day's.
        const QString table =
            origin.table.isEmpty() ? origin.source.right(1).toUpper() : origin.table;
        if (!origin.viaTable.isEmpty() && origin.viaDay != origin.day)
            return QCoreApplication::translate("Sources", "National Bank of Poland, table %1 of "
                                                          "%2 through table %3 of %4")
                .arg(table, IsoDateText(origin.day), origin.viaTable, IsoDateText(origin.viaDay));
        return QCoreApplication::translate("Sources", "National Bank of Poland, table %1 of %2")
            .arg(table, IsoDateText(origin.day));
    }
    QString text = OriginLabel(origin);
    if (!origin.parity.isEmpty()) {
        Origin anchor = origin;
        anchor.parity.clear();
        text += QStringLiteral(" (%1)").arg(OriginLabel(anchor));
    }
    return QCoreApplication::translate("Sources", "%1, %2").arg(text, LongDateText(origin.day));
}

QJsonValue OriginFields(const Origin& origin) {
    if (origin.source.isEmpty())
        return QJsonValue::Null;
    const QString source = IsNbpSource(origin.source) ? QStringLiteral("nbp")
                           : origin.source.startsWith(QLatin1String("page:"))
                               ? QStringLiteral("page")
                               : origin.source;
    const QString kind = !origin.parity.isEmpty() ? QStringLiteral("parity")
                         : origin.filled          ? QStringLiteral("filled")
                                                  : origin.kind;
    QJsonObject fields{{QStringLiteral("day"), IsoDateText(origin.day)},
                       {QStringLiteral("kind"), kind},
                       {QStringLiteral("source"), source}};
    if (!origin.table.isEmpty())
        fields[QStringLiteral("table")] = origin.table;
    if (!origin.viaTable.isEmpty())
        fields[QStringLiteral("via")] =
            QJsonObject{{QStringLiteral("day"), IsoDateText(origin.viaDay)},
                        {QStringLiteral("table"), origin.viaTable}};
    return fields;
}

} // namespace kestrum::history
