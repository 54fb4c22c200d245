// `history fetch`, in the network module: the plan and the storing are the
// core's, the transfers the grabber's.
#include "commands.h"
#include "data/dates.h"
#include "history/history_store.h"
#include "history_commands.h"
#include "output.h"
#include "transfer.h"
#include "update/history_keeping.h"
#include "update/split_address.h"

namespace kestrum::cli {

namespace {

int DayOption(const Arguments& arguments, const QString& name, int fallback) {
    return arguments.IsSet(name)
               ? DayArgument(arguments.Value(name), QStringLiteral("--") + name, DayLimit::Any)
               : fallback;
}

// The body of one address, or a failure naming it.
QByteArray Download(const QString& url) {
    QByteArray body;
    if (const QString error = Fetch(url, QString(), &body); !error.isEmpty())
        Fail(kFetchError, QStringLiteral("The download of %1 failed: %2.")
                              .arg(DisplayedAddress(url), WithoutFullStop(error)));
    return body;
}

} // namespace

int FetchHistory(const Arguments& arguments) {
    const QStringList& args = arguments.Positional();
    if (args.size() > 2)
        Fail(kUsageError, QStringLiteral("Usage: kestrum history fetch [boc|ecb] [--from D] "
                                         "[--to D] (see --help)."));
    LoadSettings();
    const QString source =
        args.size() == 2 ? args[1].toLower() : ConfiguredHistorySource(Configuration());
    if (FirstHistoryDay(source) < 0)
        Fail(kUsageError,
             args.size() == 2
                 ? QStringLiteral("history fetch takes boc or ecb, not \"%1\".").arg(args[1])
                 : QStringLiteral("The configured rate page keeps no history; name "
                                  "boc or ecb."));
    const int today = int(TodayDateValue());
    const int from = DayOption(arguments, QStringLiteral("from"), FirstHistoryDay(source));
    const int to = DayOption(arguments, QStringLiteral("to"), today);
    if (from > to)
        Fail(kUsageError, QStringLiteral("--from lies after --to."));

    history::Store store;
    const history::OpenResult open = store.Open();
    if (!open.usable() || open.status == history::OpenStatus::ReadOnly)
        Fail(kDataFileError, open.message);
    if (!open.message.isEmpty())
        PrintErrorLine(open.message);
    const std::vector<HistoryRequest> plan =
        PlanHistoryFetch(store, source, from, to, today, arguments.Value(QStringLiteral("url")));
    if (plan.empty()) {
        PrintLine(QStringLiteral("The %1 history from %2 to %3 is stored already.")
                      .arg(source, IsoDateText(std::max(from, FirstHistoryDay(source))),
                           IsoDateText(to)));
        return kSuccess;
    }
    int days = 0;
    for (const HistoryRequest& request : plan) {
        const QByteArray body = Download(request.url);
        const history::ImportResult stored = StoreHistoryAnswer(store, source, request, body);
        if (!stored)
            Fail(stored.error.startsWith(QLatin1String("The answer")) ? kFetchError
                                                                      : kDataFileError,
                 stored.error);
        days += stored.days;
    }
    PrintLine(QStringLiteral("Stored %1 days of %2 history between %3 and %4.")
                  .arg(days)
                  .arg(source, IsoDateText(plan.front().fromDay), IsoDateText(plan.back().toDay)));
    return kSuccess;
}

} // namespace kestrum::cli

extern "C" int kestrum_run_history_fetch(const kestrum::cli::Arguments& arguments) {
    return kestrum::cli::FetchHistory(arguments);
}
