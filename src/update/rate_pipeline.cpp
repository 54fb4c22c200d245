#include "rate_pipeline.h"

#include "data/dates.h"
#include "data/rate_files.h"
#include "history_keeping.h"
#include "rate_completion.h"
#include "rate_sources.h"
#include "settings/dir_lock.h"
#include "settings/file_io.h"

#include <algorithm>
#include <optional>

#include <QCoreApplication>

namespace kestrum {

PipelineTarget ProgramRates() {
    return {Rates(), CurrencyCatalogue(), Configuration()};
}

namespace {

// The newest day an answer brought, whatever it holds for it.
double NewestDay(const BodyDays& body, const RateStore& parsed) {
    double newest = LatestDataDate(parsed);
    for (const auto& [source, published] : body.answer.published)
        if (!published.days.empty())
            newest = std::max(newest, published.days.rbegin()->first);
    return newest;
}

double OldestDay(const BodyDays& body) {
    double oldest = kNotAvailable;
    for (const auto& [source, published] : body.answer.published)
        if (!published.days.empty() &&
            (oldest == kNotAvailable || published.days.begin()->first < oldest))
            oldest = published.days.begin()->first;
    return oldest;
}

bool HoldsRates(const RateStore& store) {
    for (int d = 1; d <= kDayCount; ++d)
        if (DayHasRates(store, d))
            return true;
    return false;
}

} // namespace

PipelineResult StoreRatePage(PipelineTarget target, bool saveConfiguration, const QString& path) {
    PipelineResult result;
    BodyDays body;
    PageFileParse parse = ParsePageFile(target.store, target.catalogue, target.config, path, &body);
    // The history never stands in the way of "rt.dt".
    if (parse) {
        bool kept = false;
        result.source = body.source;
        result.history = KeepPageInHistory(body, target.store, target.config, path, kept);
        if (const QString leftOut = body.answer.LeftOutSentence(); !leftOut.isEmpty())
            result.notes << leftOut;
        QString primary = body.source ? QLatin1String(body.source->historySources.front())
                          : body.answer.published.empty() ? QString()
                                                          : body.answer.published.begin()->first;
        // The days in use stay when the answer only fills them or is older.
        RateStore inUse;
        ConfigRecord scratch = target.config;
        LoadRateFile(inUse, scratch);
        const double newestInUse = LatestDataDate(inUse);
        const bool fills = body.source && body.source->fillsOnly;
        if (newestInUse != kNotAvailable &&
            (fills || NewestDay(body, target.store) < newestInUse)) {
            target.store = inUse;
            primary = ConfiguredHistorySource(target.config);
            if (kept)
                result.notes << QCoreApplication::translate(
                                    "Pipeline", "Added %1 to %2 to the rate history; the rates in "
                                                "use stay those of %3.")
                                    .arg(IsoDateText(OldestDay(body)),
                                         IsoDateText(NewestDay(body, RateStore())),
                                         IsoDateText(newestInUse));
        } else if (fills) {
            primary = ConfiguredHistorySource(target.config);
        }
        CompleteFromHistory(target.store, primary);
        ApplyParities(target.store);
        if (!kept && !result.history.isEmpty())
            result.notes << QCoreApplication::translate(
                "Pipeline", "The rate history was not updated; the fixed "
                            "parities were applied to the answer itself.");
        if (fills && !HoldsRates(target.store)) {
            // Nothing of its own to show: it waits in the history for the
            // rates it fills.
            result.notes << QCoreApplication::translate(
                                "Pipeline", "%1's rates only fill the gaps of the configured "
                                            "source's, with filling on; \"rt.dt\" is unchanged.")
                                .arg(sources::SourceWithArticle(
                                    QString::fromLatin1(body.source->key), true));
            result.restoreMessages = RateFileMessages(LoadRateFile(target.store, target.config));
            return result;
        }
        if (!HoldsRates(target.store))
            parse.status = PageFileStatus::Unparsable;
    } else if (body.answer.noTable) {
        result.notes << QCoreApplication::translate(
            "Pipeline", "The answer is the NBP's \"no table for that day\"; "
                        "nothing was changed.");
    }
    if (parse.status == PageFileStatus::Unreadable) {
        result = {PipelineStatus::Unreadable, parse.error, {}, {}, {}};
    } else if (!parse) {
        result.status = PipelineStatus::Unparsable;
    } else {
        // "rt.dt" and the record change together or not at all, and no other
        // process writes either in between.
        const DirLock lock;
        std::optional<PreviousVersion> previous;
        if (!lock.TimedOut())
            previous.emplace(RateFilePath());
        if (!previous) {
            result = {
                PipelineStatus::RateFileFailed, DirLock::FailureSentence(), {}, result.history, {}};
        } else if (const IoResult saved = SaveRateFile(target.store, target.config); !saved) {
            result = {PipelineStatus::RateFileFailed, saved.error, {}, result.history, {}};
        } else if (!saveConfiguration) {
            return result;
        } else if (const IoResult config = SaveConfiguration(true); config) {
            return result;
        } else {
            result = {PipelineStatus::ConfigFileFailed, config.error, {}, result.history, {}};
            previous->Restore();
        }
    }
    result.restoreMessages = RateFileMessages(LoadRateFile(target.store, target.config));
    return result;
}

QStringList PipelineMessages(const PipelineResult& result) {
    QStringList messages;
    switch (result.status) {
    case PipelineStatus::Stored:
        return (result.history.isEmpty() ? QStringList() : QStringList{result.history}) +
               result.notes;
    case PipelineStatus::Unreadable:
        messages = PageFileMessages({PageFileStatus::Unreadable, result.error});
        break;
    case PipelineStatus::Unparsable:
        messages = PageFileMessages({PageFileStatus::Unparsable, {}});
        break;
    case PipelineStatus::RateFileFailed:
    case PipelineStatus::ConfigFileFailed:
        messages = {result.error};
        break;
    }
    if (!result.history.isEmpty())
        messages.prepend(result.history);
    return messages + result.restoreMessages;
}

} // namespace kestrum
