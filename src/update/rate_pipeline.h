#pragma once

#include "data/catalogue.h"
#include "data/rate_store.h"
#include "settings/configuration.h"
#include "sources/source_table.h"
#include "update/rate_page_parser.h"

#include <QString>
#include <QStringList>

namespace kestrum {

enum class PipelineStatus {
    Stored,           // "rt.dt" written, the data date and current rates follow
    Unreadable,       // the page file could not be read
    Unparsable,       // the page is not in a layout the readers know
    RateFileFailed,   // "rt.dt" could not be written
    ConfigFileFailed, // the configuration file could not be written; "rt.dt" was put back
};

struct PipelineResult {
    PipelineStatus status = PipelineStatus::Stored;
    QString error;               // the system's reason, for the failed file steps
    QStringList restoreMessages; // from reloading "rt.dt" after a failure
    QString history = {};        // why the rate history did not take the page, if it did not
    QStringList notes = {};      // what was left out of the answer, or kept from before
    const sources::RateSource* source = nullptr; // whose answer it was; nullptr for a page
    explicit operator bool() const { return status == PipelineStatus::Stored; }
};

struct PipelineTarget {
    RateStore& store;
    const Catalogue& catalogue;
    ConfigRecord& config;
};

// What follows a transfer or an import: parse the page file at `path` into
// the store, keep its days in the history, write "rt.dt" and, when asked,
// the configuration file (which always holds the program-wide record); when
// the configuration file cannot be written, the previous "rt.dt" is put back.
// "rt.dt" takes the answer's five newest days, completed from the history and
// by the fixed parities; an answer of only older days, or of a source that
// only fills, leaves the days in use (completed anew) and says so. After any
// failure the store and the data date are reloaded from "rt.dt", so memory
// never holds rates that the file does not.
PipelineResult StoreRatePage(PipelineTarget target, bool saveConfiguration,
                             const QString& path = PageFilePath());

// The program-wide store, catalogue and configuration record.
PipelineTarget ProgramRates();

// The messages a window shows for a result, in order; none after success.
QStringList PipelineMessages(const PipelineResult& result);

} // namespace kestrum
