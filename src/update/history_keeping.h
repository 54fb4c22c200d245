#pragma once

#include "data/rate_store.h"
#include "history/history_store.h"
#include "settings/configuration.h"

#include <QByteArrayView>
#include <QString>
#include <vector>

namespace kestrum {

// Every usable day of a rate-service answer and the source it is kept under
// ("boc" for Valet, "ecb" for the ECB); an empty source when the body is
// neither.
struct HistoryAnswer {
    QString source;
    history::Days days;
};
HistoryAnswer ReadHistoryAnswer(QByteArrayView body);

// Keeps the page file at `path`, just read into `parsed` and `answer`, in the
// history: every day of a service's answer, or the five days of an
// old-layout page under "page:" + its address. Returns one sentence when the history
// could not take them or was started afresh, else nothing; it never changes
// `parsed`.
struct BodyDays;
QString KeepPageInHistory(BodyDays& answer, const RateStore& parsed, const ConfigRecord& config,
                          const QString& path);

// The history source of the configured rate page: "boc" for the Bank of
// Canada (Valet or the retired page), "ecb", else "page:" + the address.
QString ConfiguredHistorySource(const ConfigRecord& config);

// What `history fetch` and the Graphs window's back-fill ask for.
struct HistoryRequest {
    QString url;
    int fromDay = 0;
    int toDay = 0;
};

// The first day each service's history holds: 2017-01-03 for Valet,
// 1999-01-04 for the ECB; -1 for anything else.
int FirstHistoryDay(const QString& source);
// The address of a source's history; `base` replaces the default one.
QString HistoryAddress(const QString& source, const QString& base = {});

// The requests that bring `source` between two days into the store: for Valet
// one per calendar year with start_date and end_date, for the ECB the one
// whole-history file. A stretch that ends before `today` and is already
// stored without a gap of more than a week is left out; a year stored in part
// is asked from its first missing day.
std::vector<HistoryRequest> PlanHistoryFetch(const history::Store& store, const QString& source,
                                             int fromDay, int toDay, int today,
                                             const QString& base = {});

// Stores the answer to one request: its days between the request's days.
// Fails with a sentence when the body is not an answer of `source`.
history::ImportResult StoreHistoryAnswer(history::Store& store, const QString& source,
                                         const HistoryRequest& request, QByteArrayView body);

} // namespace kestrum
