// convert --file: a CSV of dated amounts, each converted at the rates of its
// day under its date rule, all or nothing; each row says where its rates came
// from, so the output is its own audit trail. The file is read twice as a stream, so memory follows
// the days it spans, not its rows: the first reading checks every row and
// gathers the days, the second writes.
#include "data/conversion.h"
#include "data/csv_text.h"
#include "data/dates.h"
#include "history/coverage.h"
#include "history/history_query.h"
#include "history_commands.h"
#include "line_reader.h"
#include "output.h"
#include "prices/date_rule.h"
#include "settings/file_io.h"
#include "update/history_keeping.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonObject>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace kestrum::cli {

namespace {

// 64 MiB of CSV is millions of rows; anything larger is refused whole.
constexpr qint64 kMaxBatchSize = 64 * 1024 * 1024;
// Said once for the file: every row after the first would repeat it.
constexpr const char* kSemicolonRows =
    QT_TRANSLATE_NOOP("Batch", "The rows are separated by semicolons; write commas, or a header "
                               "\"date;amount;currency\" to keep them.");

// One row read and checked, before any rate is looked at.
struct Row {
    QStringList fields;
    int day = 0;
    double amount = 0.0;
    int from = 0;
    int to = 0;
    prices::DateRule rule = prices::DateRule::Previous;
};

static_assert(kCurrencyCount <= 64);

// What the rows of one day need, kept small since a file may name every day
// since 1900: the current rates as a conversion reads them, and for each
// currency some row converts, its publication day and its origin's cells.
struct DayEntry {
    std::uint64_t needed = 0; // a bit per currency some row converts
    std::array<double, kDayRecordValues> current{};
    std::array<int, kCurrencyCount> rateDays{};
    std::array<std::uint32_t, kCurrencyCount> origins{}; // into Batch::m_origins
    QString refusal;                                     // the rule found no publication day
};

constexpr std::size_t kRules = 3; // previous, next, exact

// Gather: check the rows and collect their days, silently. Check: name every
// faulty row in order. Write: the output, once nothing can fail.
enum class Pass { Gather, Check, Write };

class Batch {
public:
    Batch(const Arguments& arguments, const QString& path) : m_path(path) {
        if (arguments.IsSet(QStringLiteral("to")))
            m_target = CurrencyArgument(arguments.Value(QStringLiteral("to")));
        if (arguments.IsSet(QStringLiteral("rule")))
            m_rule = RuleArgument(arguments.Value(QStringLiteral("rule")));
    }

    int Run() {
        const bool faulty = Read(Pass::Gather) != 0;
        if (m_rows == 0 && !faulty)
            Fail(kUsageError,
                 QCoreApplication::translate("Batch", "\"%1\" holds no data row; each row is %2.")
                     .arg(m_path, Shape()));
        LoadRates();
        if (faulty || !CertainlySound()) {
            if (const int code = Read(Pass::Check); code != 0)
                return code;
        }
        Read(Pass::Write);
        WriteText(stdout, m_output);
        return kSuccess;
    }

private:
    // Reads the file from its start; the code of the first faulty row, 0 for
    // none.
    int Read(Pass pass) {
        QFile file;
        if (const IoResult opened = OpenRegularFile(m_path, kMaxBatchSize, file); !opened)
            Fail(kDataFileError, opened.error + QLatin1Char('.'));
        LineReader lines(file);
        QByteArray bytes;
        bool first = true;
        int firstError = 0;
        int semicolonsTold = 0;
        m_rows = 0;
        while (lines.Next(bytes)) {
            QString line = QString::fromUtf8(bytes);
            if (first && line.startsWith(QChar(0xFEFF)))
                line.remove(0, 1);
            if (line.trimmed().isEmpty())
                continue;
            try {
                if (std::exchange(first, false) && Header(line, pass))
                    continue;
                ++m_rows;
                const Row row = ReadRow(line);
                if (pass == Pass::Gather)
                    Gather(row);
                else if (pass == Pass::Check)
                    Convert(row);
                else
                    WriteRow(row, Convert(row));
            } catch (const Failure& failure) {
                if (pass == Pass::Check &&
                    !(failure.sentence == QCoreApplication::translate("Batch", kSemicolonRows) &&
                      semicolonsTold++ > 0))
                    PrintErrorLine(QStringLiteral("%1:%2: %3")
                                       .arg(m_path)
                                       .arg(lines.Number())
                                       .arg(failure.sentence));
                if (firstError == 0)
                    firstError = failure.code;
            }
        }
        if (lines.Failed())
            Fail(kDataFileError, QCoreApplication::translate("Batch", "Cannot read \"%1\": %2.")
                                     .arg(m_path, WithoutFullStop(file.errorString())));
        return firstError;
    }

    // The first line: the header when it starts with "date", which also
    // chooses the separator; a semicolon only where a header says so.
    bool Header(const QString& line, Pass pass) {
        const bool semicolons =
            line.trimmed().startsWith(QLatin1String("date;"), Qt::CaseInsensitive);
        m_separator = QLatin1Char(semicolons ? ';' : ',');
        const std::optional<QStringList> fields = CsvCells(line, m_separator);
        const bool header = fields && !fields->isEmpty() &&
                            fields->front().trimmed().compare(u"date", Qt::CaseInsensitive) == 0;
        m_targetColumn = 3;
        m_ruleColumn = -1;
        if (header) {
            // Past the first three, a header names the rule's column and the
            // target's, in either order; a rule needs its name.
            m_targetColumn = -1;
            for (qsizetype i = 3; i < fields->size(); ++i) {
                const QString name = fields->at(i).trimmed().toLower();
                if (name == QLatin1String("rule") && m_ruleColumn < 0)
                    m_ruleColumn = int(i);
                else if (m_targetColumn < 0)
                    m_targetColumn = int(i);
            }
            if (m_targetColumn < 0 && m_ruleColumn < 0)
                m_targetColumn = 3;
        }
        if (pass == Pass::Write)
            WriteHeader(header ? *fields : QStringList());
        return header;
    }

    // The most cells a row may have.
    int Width() const { return std::max({3, m_targetColumn + 1, m_ruleColumn + 1}); }

    QString Shape() const {
        QString shape = QStringLiteral("date%1amount%1currency").arg(m_separator);
        for (int i = 3; i < Width(); ++i)
            shape +=
                QStringLiteral("[%1%2]")
                    .arg(m_separator)
                    .arg(i == m_ruleColumn ? QStringLiteral("rule") : QStringLiteral("target"));
        return shape;
    }

    void WriteHeader(const QStringList& given) {
        QStringList columns = given.mid(0, Width());
        static const QString kNamed[] = {QStringLiteral("date"), QStringLiteral("amount"),
                                         QStringLiteral("currency")};
        for (int i = int(columns.size()); i < Width(); ++i)
            columns << (i < 3               ? kNamed[i]
                        : i == m_ruleColumn ? QStringLiteral("rule")
                                            : QStringLiteral("target"));
        for (QString& column : columns)
            column = CsvCell(column, m_separator);
        if (m_targetColumn < 0)
            columns << QStringLiteral("target");
        for (const char* added : {"rate_date", "rate", "fee_percent", "converted_amount", "source",
                                  "kind", "table", "origin"})
            columns << QLatin1String(added);
        m_output += columns.join(m_separator) + QLatin1Char('\n');
    }

    Row ReadRow(const QString& line) const {
        const std::optional<QStringList> fields = CsvCells(line, m_separator);
        if (!fields || fields->size() < 3 || fields->size() > Width()) {
            if (m_separator == QLatin1Char(',') && fields && fields->size() < 3 &&
                line.count(QLatin1Char(';')) >= 2)
                Fail(kUsageError, QCoreApplication::translate("Batch", kSemicolonRows));
            Fail(kUsageError,
                 QCoreApplication::translate("Batch", "The row is not %1.").arg(Shape()));
        }
        Row row;
        row.fields = *fields;
        row.day = DayArgument(fields->at(0).trimmed(),
                              QCoreApplication::translate("Batch", "The date column"));
        row.amount = AmountArgument(fields->at(1).trimmed());
        row.from = CurrencyArgument(fields->at(2).trimmed());
        const QString target = Cell(row, m_targetColumn);
        row.to = target.isEmpty() ? m_target : CurrencyArgument(target);
        const QString rule = Cell(row, m_ruleColumn);
        row.rule = rule.isEmpty() ? m_rule : RuleArgument(rule);
        return row;
    }

    static QString Cell(const Row& row, int column) {
        return column >= 0 && column < row.fields.size() ? row.fields[column].trimmed() : QString();
    }

    // Days index flat arrays from the first one a row can name: a tree
    // of days was most of the time of a million rows.
    // Each rule a row takes has its own array: "next" of a Saturday is
    // another day's rates than "previous" of it.
    void Gather(const Row& row) {
        std::vector<std::uint64_t>& needed = m_needed[std::size_t(row.rule)];
        if (needed.empty())
            needed.resize(std::size_t(Today() - m_firstDay + 1));
        for (const int k : {row.from, row.to})
            needed[std::size_t(row.day - m_firstDay)] |= std::uint64_t{1} << k;
        m_largest = std::max(m_largest, row.amount);
    }

    const DayEntry& Entry(const Row& row) const {
        return m_entries[std::size_t(
            m_slots[std::size_t(row.rule)][std::size_t(row.day - m_firstDay)])];
    }

    // One pass over the store for the whole span of the file's days; the
    // few days of another rule, each on its own.
    void LoadRates() {
        const QString source = ConfiguredHistorySource(Configuration());
        const history::FillPolicy policy = history::ConfiguredFillPolicy();
        std::size_t count = 0;
        for (const std::vector<std::uint64_t>& needed : m_needed)
            count += needed.size() - std::size_t(std::count(needed.begin(), needed.end(), 0));
        m_entries.reserve(count);
        std::vector<int> days;
        std::vector<std::pair<int, std::size_t>> ruled; // day and rule of the other rules
        for (std::size_t r = 0; r < kRules; ++r) {
            m_slots[r].assign(m_needed[r].size(), -1);
            for (std::size_t i = 0; i < m_needed[r].size(); ++i) {
                if (m_needed[r][i] == 0)
                    continue;
                const int day = m_firstDay + int(i);
                m_slots[r][i] = int(m_entries.size());
                if (r == std::size_t(prices::DateRule::Previous))
                    days.push_back(day);
                else
                    ruled.emplace_back(day, r);
                DayEntry& entry = m_entries.emplace_back();
                entry.needed = m_needed[r][i];
                Keep(entry, day, {});
            }
        }
        history::Store store;
        if (count == 0 || !OpenHistoryForReading(store))
            return;
        const auto entry = [this](int day, std::size_t r) -> DayEntry& {
            return m_entries[std::size_t(m_slots[r][std::size_t(day - m_firstDay)])];
        };
        history::RatesForDays(store, days, source, policy,
                              [this, &entry](int day, const history::DayRates& rates) {
                                  Keep(entry(day, 0), day, rates);
                              });
        for (const auto& [day, r] : ruled) {
            const prices::RuledRates rates =
                prices::RatesByRule(store, day, source, policy, prices::DateRule(r));
            DayEntry& found = entry(day, r);
            found.refusal = rates.refusal;
            Keep(found, rates.day, rates.rates);
        }
    }

    void Keep(DayEntry& entry, int day, const history::DayRates& rates) {
        entry.current = history::AsRateStore(rates, day).CurrentRates;
        for (int k = 1; k < kCurrencyCount; ++k) {
            if ((entry.needed >> k & 1) == 0)
                continue;
            entry.rateDays[k] = rates[k].day;
            // The origin's cells as JSON names them: source, kind, table, label.
            const history::Origin& from = rates[k].origin;
            const QJsonObject fields = history::OriginFields(from).toObject();
            const std::array<QString, 4> cells{
                fields[QLatin1String("source")].toString(),
                fields[QLatin1String("kind")].toString(), from.table,
                history::OriginLabel(from, history::TextLanguage::English)};
            const QString key = QStringList(cells.begin(), cells.end()).join(QChar(0));
            auto [at, added] = m_originIndex.try_emplace(key, std::uint32_t(m_origins.size()));
            if (added)
                m_origins.push_back(cells);
            entry.origins[k] = at->second;
        }
    }

    // The day's rates in the store a conversion takes.
    const RateStore& StoreOf(const DayEntry& entry) const {
        m_scratch.CurrentRates = entry.current;
        return m_scratch;
    }

    // Whether every row is sure to convert: each needed rate is there, and
    // the largest amount at the day's widest spread of rates stays finite.
    bool CertainlySound() const {
        for (const DayEntry& entry : m_entries) {
            if (!entry.refusal.isEmpty())
                return false;
            double low = 1.0;
            double high = 1.0;
            for (int k = 1; k < kCurrencyCount; ++k) {
                if ((entry.needed >> k & 1) == 0)
                    continue;
                const double rate = entry.current[k];
                if (rate == kNotAvailable)
                    return false;
                low = std::min(low, rate);
                high = std::max(high, rate);
            }
            if (!std::isfinite(m_largest * (high / low)))
                return false;
        }
        return true;
    }

    Conversion Convert(const Row& row) const {
        const DayEntry& entry = Entry(row);
        if (!entry.refusal.isEmpty())
            Fail(kNoRate, entry.refusal);
        for (const int k : {row.from, row.to})
            if (k != 0 && entry.current[k] == kNotAvailable)
                Fail(kNoRate, NoRateSentence(row.fields.at(0).trimmed(), row.day, k, row.rule));
        const Conversion c =
            ConvertAmount(StoreOf(entry), Configuration(), row.from, row.to, row.amount);
        if (c.tooLarge)
            Fail(kUsageError, QCoreApplication::translate("Conversion", kTooLargeMessage));
        return c;
    }

    void WriteRow(const Row& row, const Conversion& c) {
        const DayEntry& entry = Entry(row);
        const ConfigRecord& config = Configuration();
        // The rate as published, before the fee, which has its own column.
        ConfigRecord withoutFee = config;
        withoutFee.CashRateOn = 0;
        const double rate = ConvertAmount(StoreOf(entry), withoutFee, row.from, row.to, 1.0).factor;
        const bool fee = config.CashRateOn && row.from != row.to;
        // The origin of each currency's rate, in the fields JSON gives them;
        // a cell holds both where they differ.
        std::array<QString, 5> origin; // day, source, kind, table, label
        for (const int k : {row.from, row.to}) {
            if (k == 0)
                continue;
            const std::array<QString, 4>& cells = m_origins[entry.origins[k]];
            const std::array<QString, 5> these{IsoDateText(entry.rateDays[k]), cells[0], cells[1],
                                               cells[2], cells[3]};
            for (std::size_t i = 0; i < origin.size(); ++i)
                origin[i] = JoinedDistinct(origin[i], these[i]);
        }
        const QChar s = m_separator;
        QStringList cells;
        for (int i = 0; i < Width(); ++i) {
            const QString given = Cell(row, i);
            if (i == m_targetColumn && given.isEmpty())
                cells << QLatin1String(CurrencyCode(row.to));
            else if (i == m_ruleColumn)
                cells << prices::DateRuleName(row.rule);
            else
                cells << CsvCell(i < row.fields.size() ? row.fields[i] : QString(), s);
        }
        if (m_targetColumn < 0)
            cells << QLatin1String(CurrencyCode(row.to));
        cells << CsvCell(origin[0], s) << ShortestNumberText(rate)
              << ShortestNumberText(fee ? config.CashRate : 0.0)
              << PlainNumberText(c.result, c.decimals);
        for (std::size_t i = 1; i < origin.size(); ++i)
            cells << CsvCell(origin[i], s);
        m_output += cells.join(s) + QLatin1Char('\n');
        if (m_output.size() >= kReadChunk) {
            WriteText(stdout, m_output);
            m_output.clear();
        }
    }

    static QString JoinedDistinct(const QString& a, const QString& b) {
        return a.isEmpty() || a == b ? b : b.isEmpty() ? a : a + QLatin1Char(';') + b;
    }

    QString m_path;
    int m_target = 0;
    prices::DateRule m_rule = prices::DateRule::Previous; // a row's when it names none
    int m_targetColumn = 3;
    int m_ruleColumn = -1; // only a header names one
    QChar m_separator = QLatin1Char(',');
    const int m_firstDay = FirstDayArgument();
    // By rule, then by day: a bit per currency some row converts, and the
    // index of the day's entry (-1 for none).
    std::array<std::vector<std::uint64_t>, kRules> m_needed;
    std::array<std::vector<int>, kRules> m_slots;
    std::vector<DayEntry> m_entries;
    std::vector<std::array<QString, 4>> m_origins; // each distinct origin's cells once
    std::map<QString, std::uint32_t> m_originIndex;
    mutable RateStore m_scratch;
    double m_largest = 0.0;
    QString m_output;
    qsizetype m_rows = 0;
};

} // namespace

int RunBatchConvert(const Arguments& arguments) {
    if (arguments.IsSet(QStringLiteral("date")) || arguments.IsSet(QStringLiteral("average")))
        Fail(kUsageError,
             QCoreApplication::translate("Batch", "--file takes each row's own date."));
    if (arguments.IsSet(QStringLiteral("verbose")))
        Fail(kUsageError, QCoreApplication::translate(
                              "Batch", "--verbose does not go with --file: the columns "
                                       "rate_date, rate, fee_percent and source say it."));
    ExpectArguments(arguments, 0, "convert --file FILE [--to CODE] [--rule RULE]");
    LoadSettings();
    ApplyConversionArguments(arguments, Configuration());
    Batch batch(arguments, arguments.Value(QStringLiteral("file")));
    return batch.Run();
}

} // namespace kestrum::cli
