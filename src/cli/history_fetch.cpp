// `history fetch`, in the network module: the plan and the storing are the
// core's, the transfers the grabber's.
#include "commands.h"
#include "data/dates.h"
#include "history/history_store.h"
#include "history_commands.h"
#include "output.h"
#include "transfer.h"
#include "update/history_keeping.h"
#include "update/rate_sources.h"
#include "update/split_address.h"

#include <QCoreApplication>

namespace kestrum::cli {

namespace {

int DayOption(const Arguments& arguments, const QString& name, int fallback) {
    return arguments.IsSet(name)
               ? DayArgument(arguments.Value(name), QStringLiteral("--") + name, DayLimit::Any)
               : fallback;
}

} // namespace

int FetchHistory(const Arguments& arguments) {
    const QStringList& args = arguments.Positional();
    if (args.size() > 2)
        Fail(kUsageError,
             QCoreApplication::translate("HistoryFetch",
                                         "Usage: kestrum history fetch [boc|ecb|nbp] [--from D] "
                                         "[--to D] (see --help)."));
    LoadSettings();
    const QString source =
        args.size() == 2 ? args[1].toLower() : ConfiguredHistorySource(Configuration());
    if (FirstHistoryDay(source) < 0)
        Fail(kUsageError,
             args.size() == 2
                 ? QCoreApplication::translate("HistoryFetch",
                                               "history fetch takes boc, ecb or nbp, not \"%1\".")
                       .arg(args[1])
                 : QCoreApplication::translate("HistoryFetch",
                                               "The configured rate page keeps no history; name "
                                               "boc, ecb or nbp."));
    QString base;
    if (arguments.IsSet(QStringLiteral("url"))) {
        // Checked as `update --url` checks it; "boc" and "ecb" name no mirror.
        const QString url = arguments.Value(QStringLiteral("url"));
        const std::optional<QString> given = RateSourceAddress(url);
        if (!given || !url.contains(QLatin1Char(':')))
            Fail(kUsageError,
                 QCoreApplication::translate("HistoryFetch",
                                             "\"%1\" is not an http or https address that can be "
                                             "fetched.")
                     .arg(DisplayedAddress(url)));
        base = *given;
    }
    base = HistoryAddress(source, Configuration(), base);
    const int today = int(TodayDateValue());
    const int first = FirstHistoryDay(source);
    const int from = DayOption(arguments, QStringLiteral("from"), first);
    const int to = DayOption(arguments, QStringLiteral("to"), today);
    if (from > to)
        Fail(kUsageError, QCoreApplication::translate("HistoryFetch", "--from lies after --to."));
    if (to < first)
        Fail(kNoRate, QCoreApplication::translate("HistoryFetch", "Nothing to fetch up to %1: %2.")
                          .arg(IsoDateText(to), SeriesStartSentence(source)));

    history::Store store;
    const history::OpenResult open = store.Open();
    if (!open.usable() || open.status == history::OpenStatus::ReadOnly)
        Fail(kDataFileError, open.message);
    if (!open.message.isEmpty())
        PrintErrorLine(open.message);
    const std::vector<HistoryRequest> plan = PlanHistoryFetch(store, source, from, to, today, base);
    if (plan.empty()) {
        PrintLine(QCoreApplication::translate("HistoryFetch",
                                              "The %1 history from %2 to %3 is stored already.")
                      .arg(source, IsoDateText(std::max(from, first)), IsoDateText(to)));
        return kSuccess;
    }
    int days = 0;
    int empty = 0;
    int firstDay = plan.front().fromDay;
    int lastDay = plan.front().toDay;
    for (const HistoryRequest& request : plan) {
        firstDay = std::min(firstDay, request.fromDay);
        lastDay = std::max(lastDay, request.toDay);
        QByteArray body;
        if (const QString error = Fetch(request.url, QString(), &body); !error.isEmpty()) {
            if (IsEmptyStretchError(source, error))
                continue;
            Fail(kFetchError,
                 QCoreApplication::translate("HistoryFetch", "The download of %1 failed: %2.")
                     .arg(DisplayedAddress(request.url), WithoutFullStop(error)));
        }
        const FetchedAnswer fetched = StoreHistoryAnswer(store, source, request, body);
        if (!fetched.stored)
            Fail(fetched.foreign ? kFetchError : kDataFileError, fetched.stored.error);
        days += fetched.stored.days;
        empty += fetched.empty;
    }
    bool failed = false;
    const QString summary =
        FetchSummary(source, days, empty, int(plan.size()), firstDay, lastDay, failed);
    if (failed)
        Fail(kFetchError, summary);
    PrintLine(summary);
    return kSuccess;
}

} // namespace kestrum::cli

extern "C" int kestrum_run_history_fetch(const kestrum::cli::Arguments& arguments) {
    return kestrum::cli::FetchHistory(arguments);
}
