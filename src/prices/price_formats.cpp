// The writers of each price file format.
#include "price_export.h"

#include "data/catalogue.h"
#include "data/dates.h"
#include "graphs/rate_series.h"
#include "history/coverage.h"
#include "settings/build_info.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kestrum::prices {

namespace {

QString Code(int k) {
    return QLatin1String(CurrencyCode(k));
}

// The priced currency as its source named it (the NBP's VES).
QString Code(const ExportedPrice& price) {
    return history::ShownCode(price.currency, price.origin);
}

// The origin's JSON fields, which the CSV columns repeat.
QJsonObject Fields(const history::Origin& origin) {
    return history::OriginFields(origin).toObject();
}

QString SourceName(const QString& source) {
    return source == QLatin1String("nbp") ? QStringLiteral("National Bank of Poland")
                                          : SourceDisplayName(source);
}

// What a text format's comment says after a price that is not simply the
// source's own published figure of that day.
QString Mark(const ExportedPrice& price) {
    QStringList parts;
    if (!price.origin.parity.isEmpty())
        parts << QStringLiteral("parity ") + price.origin.parity;
    else if (price.origin.filled)
        parts << QStringLiteral("filled from %1 of %2")
                     .arg(history::OriginLabel(price.origin, history::TextLanguage::English)
                              .remove(QStringLiteral(" (filled)")),
                          IsoDateText(price.origin.day));
    if (price.computed)
        parts << QStringLiteral("computed");
    if (!price.origin.table.isEmpty())
        parts << QStringLiteral("table ") + price.origin.table;
    return parts.join(QLatin1String(", "));
}

int FirstDay(const std::vector<ExportedPrice>& prices, const ExportRequest& request) {
    return request.fromDay > 0 || prices.empty() ? request.fromDay : prices.front().day;
}

// The opening comment of the text formats; all three take ";".
QString Header(const std::vector<ExportedPrice>& prices, const ExportRequest& request,
               const QDateTime& exportedAt) {
    return QStringLiteral("; Kestrum %1: prices of the %2 (%3) in %4 from %5 to %6%7,\n"
                          "; exported %8.\n"
                          "; A price marked \"computed\" is a cross rate to 10 significant "
                          "digits; the others are as published.\n")
        .arg(QLatin1String(build::kVersion), SourceName(request.source), request.source,
             Code(request.against), IsoDateText(FirstDay(prices, request)),
             IsoDateText(request.toDay),
             request.fill ? QStringLiteral(", filled from other sources") : QString(),
             exportedAt.toUTC().toString(Qt::ISODate));
}

QString DirectiveLine(PriceFormat format, const ExportedPrice& price, int against) {
    const QString date = IsoDateText(price.day);
    QString line;
    switch (format) {
    case PriceFormat::Ledger:
        line = QStringLiteral("P %1 %2 %3 %4")
                   .arg(QString(date).replace(QLatin1Char('-'), QLatin1Char('/')), Code(price),
                        price.number, Code(against));
        break;
    case PriceFormat::Hledger:
        line = QStringLiteral("P %1 %2 %3 %4").arg(date, Code(price), price.number, Code(against));
        break;
    default:
        line =
            QStringLiteral("%1 price %2 %3 %4").arg(date, Code(price), price.number, Code(against));
        break;
    }
    const QString mark = Mark(price);
    return mark.isEmpty() ? line : line + QStringLiteral(" ; ") + mark;
}

QByteArray Json(const std::vector<ExportedPrice>& prices, const ExportRequest& request,
                const QDateTime& exportedAt) {
    QJsonArray entries;
    for (const ExportedPrice& price : prices)
        entries.append(
            QJsonObject{{QStringLiteral("date"), IsoDateText(price.day)},
                        {QStringLiteral("code"), Code(price)},
                        {QStringLiteral("against"), Code(request.against)},
                        {QStringLiteral("price"), price.number},
                        {QStringLiteral("computed"), price.computed},
                        {QStringLiteral("origin"),
                         history::OriginLabel(price.origin, history::TextLanguage::English)},
                        {QStringLiteral("originFields"), Fields(price.origin)}});
    const QJsonObject document{
        {QStringLiteral("generator"), QStringLiteral("Kestrum ") + QLatin1String(build::kVersion)},
        {QStringLiteral("exported"), exportedAt.toUTC().toString(Qt::ISODate)},
        {QStringLiteral("source"), request.source},
        {QStringLiteral("against"), Code(request.against)},
        {QStringLiteral("from"), IsoDateText(FirstDay(prices, request))},
        {QStringLiteral("to"), IsoDateText(request.toDay)},
        {QStringLiteral("filled"), request.fill},
        {QStringLiteral("prices"), entries}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

} // namespace

QString FormatName(PriceFormat format) {
    switch (format) {
    case PriceFormat::Ledger:
        return QStringLiteral("ledger");
    case PriceFormat::Hledger:
        return QStringLiteral("hledger");
    case PriceFormat::Beancount:
        return QStringLiteral("beancount");
    case PriceFormat::GnuCashCsv:
        return QStringLiteral("gnucash-csv");
    case PriceFormat::Csv:
        return QStringLiteral("csv");
    case PriceFormat::Json:
        return QStringLiteral("json");
    }
    return {};
}

std::optional<PriceFormat> ParseFormat(QStringView name) {
    for (const PriceFormat format : kPriceFormats)
        if (name.compare(FormatName(format), Qt::CaseInsensitive) == 0)
            return format;
    return std::nullopt;
}

QString FormatTitle(PriceFormat format) {
    switch (format) {
    case PriceFormat::Ledger:
        return QStringLiteral("Ledger");
    case PriceFormat::Hledger:
        return QStringLiteral("hledger journal");
    case PriceFormat::Beancount:
        return QStringLiteral("Beancount");
    case PriceFormat::GnuCashCsv:
        return QStringLiteral("GnuCash price CSV");
    case PriceFormat::Csv:
        return QStringLiteral("CSV with origins");
    case PriceFormat::Json:
        return QStringLiteral("JSON with origins");
    }
    return {};
}

QString FormatSuffix(PriceFormat format) {
    switch (format) {
    case PriceFormat::Ledger:
        return QStringLiteral("ledger");
    case PriceFormat::Hledger:
        return QStringLiteral("journal");
    case PriceFormat::Beancount:
        return QStringLiteral("beancount");
    case PriceFormat::GnuCashCsv:
    case PriceFormat::Csv:
        return QStringLiteral("csv");
    case PriceFormat::Json:
        return QStringLiteral("json");
    }
    return {};
}

std::optional<PriceFormat> FormatOfFileName(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix();
    for (const PriceFormat format : {PriceFormat::Ledger, PriceFormat::Hledger,
                                     PriceFormat::Beancount, PriceFormat::Csv, PriceFormat::Json})
        if (suffix.compare(FormatSuffix(format), Qt::CaseInsensitive) == 0)
            return format;
    return std::nullopt;
}

QByteArray WritePrices(PriceFormat format, const std::vector<ExportedPrice>& prices,
                       const ExportRequest& request, const QDateTime& exportedAt) {
    QString text;
    switch (format) {
    case PriceFormat::Json:
        return Json(prices, request, exportedAt);
    case PriceFormat::GnuCashCsv:
        // The five columns the import assistant requires, named as it
        // names them; ISO dates and a decimal point.
        text = QStringLiteral("Date,Amount,From Namespace,From Symbol,Currency To\n");
        for (const ExportedPrice& price : prices)
            text +=
                QStringLiteral("%1,%2,CURRENCY,%3,%4\n")
                    .arg(IsoDateText(price.day), price.number, Code(price), Code(request.against));
        break;
    case PriceFormat::Csv:
        text = QStringLiteral("date,code,against,price,computed,source,kind,day,table\n");
        for (const ExportedPrice& price : prices)
            text += QStringList{IsoDateText(price.day),
                                Code(price),
                                Code(request.against),
                                price.number,
                                price.computed ? QStringLiteral("true") : QStringLiteral("false"),
                                Fields(price.origin)[QStringLiteral("source")].toString(),
                                Fields(price.origin)[QStringLiteral("kind")].toString(),
                                IsoDateText(price.origin.day),
                                price.origin.table}
                        .join(QLatin1Char(',')) +
                    QLatin1Char('\n');
        break;
    case PriceFormat::Ledger:
    case PriceFormat::Hledger:
    case PriceFormat::Beancount:
        text = Header(prices, request, exportedAt);
        for (const ExportedPrice& price : prices)
            text += DirectiveLine(format, price, request.against) + QLatin1Char('\n');
        break;
    }
    return text.toUtf8();
}

} // namespace kestrum::prices
