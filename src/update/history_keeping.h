#pragma once

#include "data/rate_store.h"
#include "history/history_store.h"
#include "settings/configuration.h"
#include "sources/source_table.h"

#include <QByteArrayView>
#include <QString>
#include <vector>

namespace kestrum {

// A rate-service answer read through the table of sources, at the
// platform's clock: the row whose reader took it (nullptr when none did) and
// what it published.
struct HistoryAnswer {
    const sources::RateSource* source = nullptr;
    SourceRead read = SourceRead::NotRecognised;
    sources::Answer answer;
};
HistoryAnswer ReadHistoryAnswer(QByteArrayView body);

// Every day of an answer into the history, one transaction per source it
// holds (the NBP's tables A and B are two), with the published texts;
// `origin` (an address or a file) goes into the import log. The days written
// in all.
history::ImportResult KeepAnswer(history::Store& store, const sources::Answer& answer,
                                 const QString& origin);

// Keeps the page file at `path`, just read into `parsed` and `answer`, in the
// history: every day of a service's answer, or the five days of an
// old-layout page under "page:" + its address. Returns one sentence when the
// history could not take them or was started afresh, else nothing; `kept`
// says whether they are in it now. It never changes `parsed`.
struct BodyDays;
QString KeepPageInHistory(BodyDays& answer, const RateStore& parsed, const ConfigRecord& config,
                          const QString& path, bool& kept);

// The history source of the configured rate page: "boc" for the Bank of
// Canada (Valet, a mirror of it or the retired page), "ecb" likewise, else
// "page:" + the address.
QString ConfiguredHistorySource(const ConfigRecord& config);
// Remembers that the configured address answered in a service's layout, so
// a mirror's days are that service's history.
void NoteConfiguredAnswer(const ConfigRecord& config, const QString& address,
                          const sources::RateSource* source);

// What `history fetch` and the Graphs window's back-fill ask for.
struct HistoryRequest {
    QString url;
    int fromDay = 0;
    int toDay = 0;
};

// The first day a service's history holds: 2017-01-03 for Valet,
// 1999-01-04 for the ECB, 2002-01-02 for the NBP; -1 for anything else.
int FirstHistoryDay(const QString& source);
// "the Bank of Canada's daily series starts 2017-01-03"
QString SeriesStartSentence(const QString& source);
// Whether a service's history ("boc", "ecb", "nbp") can hold currency k on
// `day`: false for a currency it never published, or not then; true where
// nothing is known against it.
bool HistoryMayHold(const QString& source, int k, int day);

// The base of a source's history requests: `base` when given, else the
// configured mirror's address when the configured source is a mirror of
// `source`, else the service's own.
QString HistoryAddress(const QString& source, const ConfigRecord& config, const QString& base = {});

// The requests that bring `source` ("boc", "ecb", "nbp") between two days
// into the store: for Valet one per calendar year with start_date and
// end_date, for the ECB the one whole-history file, for the NBP one per
// table and stretch of at most 93 days. A stretch stored without a gap of
// more than a week is left out unless a publication day may have followed
// its last stored day; what follows that day is asked in one request.
std::vector<HistoryRequest> PlanHistoryFetch(const history::Store& store, const QString& source,
                                             int fromDay, int toDay, int today,
                                             const QString& base);

// Stores the answer to one request: its days between the request's days.
// Fails with a sentence (starting "The answer") when the body is not an
// answer of `source`; an NBP answer saying it has no table is none and no
// failure.
struct FetchedAnswer {
    history::ImportResult stored;
    bool empty = false;   // an answer of that service that held no day
    bool foreign = false; // not an answer of that service at all
};
FetchedAnswer StoreHistoryAnswer(history::Store& store, const QString& source,
                                 const HistoryRequest& request, QByteArrayView body);

// The HTTP error of a request that means "nothing published there" (the
// NBP's 404 for a stretch without tables), which a fetch passes over.
bool IsEmptyStretchError(const QString& source, const QString& transferError);

// The sentence that ends a fetch: how many days were added, or why nothing
// was; `failed` when the fetch should count as failed (every answer held no
// rates).
QString FetchSummary(const QString& source, int days, int emptyAnswers, int requests, int fromDay,
                     int toDay, bool& failed);

} // namespace kestrum
