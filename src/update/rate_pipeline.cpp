#include "rate_pipeline.h"

#include "history_keeping.h"
#include "rate_sources.h"

#include "data/rate_files.h"

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
    const QString history =
        parse ? KeepPageInHistory(answer, target.store, target.config, path) : QString();
    result.history = history;
    if (parse.status == PageFileStatus::Unreadable) {
        result = {PipelineStatus::Unreadable, parse.error, {}};
    } else if (!parse) {
        result.status = PipelineStatus::Unparsable;
    } else if (const IoResult saved = SaveRateFile(target.store, target.config); !saved) {
        result = {PipelineStatus::RateFileFailed, saved.error, {}};
    } else {
        if (saveConfiguration) {
            if (const IoResult config = SaveConfiguration(); !config)
                return {PipelineStatus::ConfigFileFailed, config.error, {}};
        }
        return result;
    }
    result.history = history;
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
