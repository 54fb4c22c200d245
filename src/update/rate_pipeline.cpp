#include "rate_pipeline.h"

#include "data/rate_files.h"
#include "history_keeping.h"
#include "rate_completion.h"
#include "rate_sources.h"
#include "settings/dir_lock.h"
#include "settings/file_io.h"

#include <optional>

namespace kestrum {

PipelineTarget ProgramRates() {
    return {Rates(), CurrencyCatalogue(), Configuration()};
}

PipelineResult StoreRatePage(PipelineTarget target, bool saveConfiguration, const QString& path) {
    PipelineResult result;
    BodyDays answer;
    const PageFileParse parse =
        ParsePageFile(target.store, target.catalogue, target.config, path, &answer);
    // The history never stands in the way of "rt.dt".
    if (parse) {
        result.history = KeepPageInHistory(answer, target.store, target.config, path);
        CompleteFromHistory(target.store);
    }
    if (parse.status == PageFileStatus::Unreadable) {
        result = {PipelineStatus::Unreadable, parse.error, {}, {}};
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
                PipelineStatus::RateFileFailed, DirLock::FailureSentence(), {}, result.history};
        } else if (const IoResult saved = SaveRateFile(target.store, target.config); !saved) {
            result = {PipelineStatus::RateFileFailed, saved.error, {}, result.history};
        } else if (!saveConfiguration) {
            return result;
        } else if (const IoResult config = SaveConfiguration(true); config) {
            return result;
        } else {
            result = {PipelineStatus::ConfigFileFailed, config.error, {}, result.history};
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
        return result.history.isEmpty() ? QStringList() : QStringList{result.history};
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
