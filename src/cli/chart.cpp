// `kestrum chart`: the Graphs window's chart of a pair drawn into a PNG.
#include "commands.h"
#include "history_commands.h"
#include "modules.h"

#include "data/catalogue.h"
#include "data/dates.h"
#include "graphs/rate_series.h"
#include "history/history_query.h"
#include "history/history_store.h"
#include "settings/configuration.h"
#include "sources/source_table.h"
#include "update/history_keeping.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSize>
#include <limits>

namespace kestrum::cli {

namespace {
const QString kRange = QStringLiteral("range");
const QString kFrom = QStringLiteral("from");
const QString kTo = QStringLiteral("to");
const QString kSource = QStringLiteral("source");
const QString kOutput = QStringLiteral("output");
const QString kSize = QStringLiteral("size");
constexpr char kSyntax[] = "chart FROM TO [--range 1M|3M|1Y|5Y|10Y|all | --from D --to D] "
                           "[--source boc|ecb] --output FILE.png [--size WxH]";
constexpr int kMaxSide = 8000;

QSize Size(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{2,4})x(\\d{2,4})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    const QSize size =
        match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
    if (size.width() < 200 || size.height() < 150 || size.width() > kMaxSide ||
        size.height() > kMaxSide)
        Fail(kUsageError, QCoreApplication::translate(
                              "Chart", "The size \"%1\" is not WIDTHxHEIGHT in pixels, from "
                                       "200x150 to %2x%2.")
                              .arg(text)
                              .arg(kMaxSide));
    return size;
}
} // namespace

void DefineChart(QCommandLineParser& parser) {
    parser.addPositionalArgument(QStringLiteral("FROM"),
                                 QCoreApplication::translate("Chart", "The currency of one unit."));
    parser.addPositionalArgument(
        QStringLiteral("TO"),
        QCoreApplication::translate("Chart", "The currency the rate is counted in."));
    parser.addOption(
        {kRange,
         QCoreApplication::translate("Chart", "The days up to the newest stored: 1M, 3M, 1Y, 5Y, "
                                              "10Y or all (default 1Y)."),
         QStringLiteral("1M|3M|1Y|5Y|10Y|all")});
    parser.addOption({kFrom, QCoreApplication::translate("Chart", "The first day, YYYY-MM-DD."),
                      QStringLiteral("date")});
    parser.addOption({kTo, QCoreApplication::translate("Chart", "The last day, YYYY-MM-DD."),
                      QStringLiteral("date")});
    parser.addOption({kSource,
                      QCoreApplication::translate(
                          "Chart", "The history of boc or ecb (default: the configured source)."),
                      QStringLiteral("boc|ecb")});
    parser.addOption({kOutput, QCoreApplication::translate("Chart", "The PNG file to write."),
                      QStringLiteral("file")});
    parser.addOption(
        {kSize,
         QCoreApplication::translate("Chart", "The picture's size in pixels (default 900x500)."),
         QStringLiteral("WxH")});
}

int RunChart(const Arguments& arguments) {
    ExpectArguments(arguments, 2, kSyntax);
    if (!arguments.IsSet(kOutput))
        Fail(kUsageError,
             QCoreApplication::translate("Chart", "The chart needs --output FILE.png."));
    const bool dates = arguments.IsSet(kFrom) || arguments.IsSet(kTo);
    if (dates && arguments.IsSet(kRange))
        Fail(kUsageError, QCoreApplication::translate(
                              "Chart", "Give either --range or --from and --to, not both."));
    std::optional<ChartRange> range = ChartRange::OneYear;
    if (arguments.IsSet(kRange))
        range = ParseRange(arguments.Value(kRange));
    if (!range)
        Fail(kUsageError,
             QCoreApplication::translate("Chart", "The range must be 1M, 3M, 1Y, 5Y, 10Y or all."));
    const int first = arguments.IsSet(kFrom) ? DayArgument(arguments.Value(kFrom),
                                                           QStringLiteral("--from"), DayLimit::Any)
                                             : std::numeric_limits<int>::min();
    const int last = arguments.IsSet(kTo)
                         ? DayArgument(arguments.Value(kTo), QStringLiteral("--to"), DayLimit::Any)
                         : std::numeric_limits<int>::max();
    if (first > last)
        Fail(kUsageError, QCoreApplication::translate("Chart", "--from must not come after --to."));
    const QSize size = arguments.IsSet(kSize) ? Size(arguments.Value(kSize)) : QSize(900, 500);
    QString source;
    if (arguments.IsSet(kSource)) {
        source = arguments.Value(kSource).toLower();
        if (source != QLatin1String(history::kBoc) && source != QLatin1String(history::kEcb))
            Fail(kUsageError,
                 QCoreApplication::translate("Chart", "The source must be boc or ecb."));
    }
    const int a = CurrencyArgument(arguments.Positional()[0]);
    const int b = CurrencyArgument(arguments.Positional()[1]);
    LoadSettings();
    if (source.isEmpty())
        source = ConfiguredHistorySource(Configuration());

    history::Store store;
    RateSeries series;
    if (OpenHistoryForReading(store))
        series = history::CrossSeries(store, source, a, b, first, last);
    std::vector<ChartLine> whole{{source, SourceDisplayName(source), std::move(series)}};
    ChartContent content = ChartOfRange(whole, dates ? ChartRange::All : *range);
    if (content.lines.empty())
        Fail(kNoRate, QCoreApplication::translate(
                          "Chart", "No day of %1/%2 from %3 is stored in that range; "
                                   "\"kestrum history fetch\" brings the history.")
                          .arg(QLatin1String(CurrencyCode(b)), QLatin1String(CurrencyCode(a)),
                               sources::SourceWithArticle(source)));
    NamePair(content, a, b, SentenceLanguage());
    if (!HasLineToDraw(content))
        Fail(kNoRate,
             QCoreApplication::translate("Chart",
                                         "Only one day of %1/%2 from %3 is stored in that range, "
                                         "too little to draw a line.")
                 .arg(content.toCode, content.fromCode, sources::SourceWithArticle(source)));

    // The drawing is the graphs module's; this command runs inside the window
    // module, which the graphs module needs.
    using Render = ChartSaving (*)(const ChartContent&, const QString&, int, int);
    QString error;
    const auto render =
        reinterpret_cast<Render>(ModuleSymbol(kGraphsModule, kRenderChartEntry, error));
    if (!render)
        Fail(1, QCoreApplication::translate("Chart", "Kestrum cannot draw: %1.").arg(error));
    const QString output = arguments.Value(kOutput);
    const ChartSaving saved = render(content, output, size.width(), size.height());
    if (saved.status != ChartSaving::Saved)
        Fail(saved.status == ChartSaving::NoMemory ? kNoMemory : kDataFileError, saved.error);
    return kSuccess;
}

} // namespace kestrum::cli
