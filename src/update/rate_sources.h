#pragma once

#include "data/catalogue.h"
#include "data/rate_store.h"
#include "settings/configuration.h"
#include "sources/source_table.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace kestrum {

// The Bank of Canada's noon-rate page, retired in 2017; records written
// before then still hold it.
constexpr const char* kRetiredRatePageAddress = "http://www.bankofcanada.ca/fmd/exchange.htm";
// The European Central Bank's euro reference rates of the last 90 days.
constexpr const char* kEcbRatesAddress =
    "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-hist-90d.xml";

// The address a download fetches: the configured one, or the Bank of Canada's
// current service when the record still names the retired page. The record
// itself is not changed.
QString RatePageUrl(const ConfigRecord& config);

// What `kestrum source` and `kestrum update --url` accept: "boc" or "ecb" in
// any case, or an http or https address that fits the record's 255
// characters and that the grabber can fetch as written (IPv6 literals
// included, a port of digits only). Nothing otherwise.
std::optional<QString> RateSourceAddress(const QString& argument);

// Reads a downloaded body into the five day records, choosing the reader
// by content through the table of sources (a Valet answer, the ECB's
// reference rates, the NBP's tables), anything else as the rate page. False
// when the body gives no usable day; the caller then restores the store from
// the rate file. An answer of a source that only fills (the NBP) gives the
// five newest days without rates of their own: what completes them comes
// from the history. When `answer` is given, it receives the source that
// read the body and every day it published (the history keeps them).
struct BodyDays {
    const sources::RateSource* source = nullptr; // nullptr: a page of the old layout
    sources::Answer answer;
};
bool ReadRateBody(QByteArrayView body, RateStore& store, const Catalogue& catalogue,
                  const ConfigRecord& config, BodyDays* answer = nullptr);

} // namespace kestrum
