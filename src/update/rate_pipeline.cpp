#include "rate_pipeline.h"

#include "data/rate_files.h"
#include "history_keeping.h"

namespace kestrum {

PipelineTarget ProgramRates() {
    return {Rates(), CurrencyCatalogue(), Configuration()};
}

PipelineResult StoreRatePage(PipelineTarget target, bool saveConfiguration, const QString& path) {
    PipelineResult result;
    const PageFileParse parse = ParsePageFile(target.store, target.catalogue, target.config, path);
    // The history never stands in the way of "rt.dt".
    if (parse)
        result.history = KeepPageInHistory(path, target.store, target.config);
    if (parse.status == PageFileStatus::Unreadable) {
        result = {PipelineStatus::Unreadable, parse.error, {}, {}};
    } else if (!parse) {
        result.status = PipelineStatus::Unparsable;
    } else if (const IoResult saved = SaveRateFile(target.store, target.config); !saved) {
        result = {PipelineStatus::RateFileFailed, saved.error, {}, result.history};
    } else {
        if (saveConfiguration) {
            if (const IoResult config = SaveConfiguration(); !config)
                return {PipelineStatus::ConfigFileFailed, config.error, {}, result.history};
        }
        return result;
    }
    result.restoreMessages = RateFileMessages(LoadRateFile(target.store, target.config));
    return result;
}

QStringList PipelineMessages(const PipelineResult& result) {
    QStringList messages;
    if (!result.history.isEmpty())
        messages << result.history;
    switch (result.status) {
    case PipelineStatus::Stored:
        return messages;
    case PipelineStatus::Unreadable:
        messages += PageFileMessages({PageFileStatus::Unreadable, result.error});
        break;
    case PipelineStatus::Unparsable:
        messages += PageFileMessages({PageFileStatus::Unparsable, {}});
        break;
    case PipelineStatus::RateFileFailed:
    case PipelineStatus::ConfigFileFailed:
        messages << result.error;
        break;
    }
    return messages + result.restoreMessages;
}

} // namespace kestrum
