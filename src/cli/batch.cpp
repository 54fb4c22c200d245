// convert --file: a CSV of dated amounts, each converted at the rates of its
// day, all or nothing.
#include "data/conversion.h"
#include "data/dates.h"
#include "history/coverage.h"
#include "history/history_query.h"
#include "history_commands.h"
#include "output.h"
#include "settings/file_io.h"
#include "update/history_keeping.h"

#include <QFile>
#include <map>

namespace kestrum::cli {

namespace {

// 64 MiB of CSV is millions of rows; anything larger is refused whole.
constexpr qint64 kMaxBatchSize = 64 * 1024 * 1024;

// One CSV line: fields apart by commas; a field in double quotes may hold
// commas, and "" stands for a quote. Nothing when a quote is left open.
std::optional<QStringList> CsvFields(QStringView line) {
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                field += line[++i];
            else
                quoted = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    if (quoted)
        return std::nullopt;
    fields << field;
    return fields;
}

QString CsvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString JoinedDistinct(const QString& a, const QString& b) {
    return a.isEmpty() || a == b ? b : b.isEmpty() ? a : a + QLatin1Char(';') + b;
}

struct DayEntry {
    history::DayRates rates;
    RateStore store;
};

} // namespace

int RunBatchConvert(const Arguments& arguments) {
    if (arguments.IsSet(QStringLiteral("date")) || arguments.IsSet(QStringLiteral("average")))
        Fail(kUsageError, QStringLiteral("--file takes each row's own date."));
    ExpectArguments(arguments, 0, "convert --file FILE [--to CODE]");
    LoadSettings();
    ConfigRecord& config = Configuration();
    ApplyConversionArguments(arguments, config);
    const int defaultTarget = arguments.IsSet(QStringLiteral("to"))
                                  ? CurrencyArgument(arguments.Value(QStringLiteral("to")))
                                  : 0;
    const QString path = arguments.Value(QStringLiteral("file"));
    QByteArray bytes;
    if (const IoResult read = ReadWholeFile(path, bytes, kMaxBatchSize); !read)
        Fail(kDataFileError, read.error + QLatin1Char('.'));
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    const QString source = ConfiguredHistorySource(config);
    history::Store store;
    const bool open = OpenHistoryForReading(store);
    std::map<int, DayEntry> days;

    QString output;
    int firstError = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    bool headerSeen = false;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].endsWith(QLatin1Char('\r')) ? lines[n].chopped(1) : lines[n];
        if (line.trimmed().isEmpty())
            continue;
        const int lineNumber = int(n) + 1;
        const std::optional<QStringList> fields = CsvFields(line);
        const bool header = !headerSeen && fields && !fields->isEmpty() &&
                            fields->front().trimmed().compare(u"date", Qt::CaseInsensitive) == 0;
        if (!headerSeen) {
            headerSeen = true;
            QString columns = header ? line : QStringLiteral("date,amount,currency,target");
            if (header && fields->size() == 3)
                columns += QStringLiteral(",target");
            output += columns + QStringLiteral(",rate_date,rate,converted_amount,source\n");
            if (header)
                continue;
        }
        try {
            if (!fields || fields->size() < 3 || fields->size() > 4)
                Fail(kUsageError, QStringLiteral("expected date,amount,currency[,target]"));
            const int day = DayArgument(fields->at(0).trimmed(), QStringLiteral("The date column"));
            const double amount = AmountArgument(fields->at(1).trimmed());
            const int a = CurrencyArgument(fields->at(2).trimmed());
            const QString target = fields->size() == 4 ? fields->at(3).trimmed() : QString();
            const int b = target.isEmpty() ? defaultTarget : CurrencyArgument(target);
            auto entry = days.find(day);
            if (entry == days.end()) {
                DayEntry fresh;
                if (open)
                    fresh.rates =
                        history::RatesFor(store, day, source, history::ConfiguredFillPolicy());
                fresh.store = history::AsRateStore(fresh.rates, day);
                entry = days.emplace(day, std::move(fresh)).first;
            }
            const DayEntry& rates = entry->second;
            for (const int k : {a, b})
                if (k != 0 && rates.store.CurrentRates[k] == kNotAvailable)
                    Fail(kNoRate, NoRateSentence(fields->at(0).trimmed(), k));
            const Conversion c = ConvertAmount(rates.store, config, a, b, amount);
            if (c.tooLarge)
                Fail(kUsageError, QLatin1String(kTooLargeMessage));
            QString rateDate;
            QString origin;
            for (const int k : {a, b}) {
                if (k == 0)
                    continue;
                rateDate = JoinedDistinct(rateDate, IsoDateText(rates.rates[k].day));
                origin = JoinedDistinct(origin, history::OriginText(rates.rates[k].origin));
            }
            if (firstError != 0)
                continue;
            QStringList columns;
            for (const QString& field : *fields)
                columns << CsvField(field);
            if (fields->size() == 3)
                columns << QLatin1String(CurrencyCode(b));
            columns << rateDate << QString::number(c.factor, 'g', QLocale::FloatingPointShortest)
                    << FormatResult(c.result, c.decimals, false, QLocale::c()) << CsvField(origin);
            output += columns.join(QLatin1Char(',')) + QLatin1Char('\n');
        } catch (const Failure& failure) {
            PrintErrorLine(
                QStringLiteral("%1:%2: %3").arg(path).arg(lineNumber).arg(failure.sentence));
            if (firstError == 0)
                firstError = failure.code;
        }
    }
    if (firstError != 0)
        return firstError;
    WriteText(stdout, output);
    return kSuccess;
}

} // namespace kestrum::cli
