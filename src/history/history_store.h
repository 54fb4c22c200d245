#pragma once

#include "data/rate_store.h"

#include <QString>
#include <map>

struct sqlite3;

namespace kestrum::history {

// Source names as stored: the two rate services, and "page:" + the address
// for rate pages of the old layout.
inline constexpr const char* kBoc = "boc";
inline constexpr const char* kEcb = "ecb";
QString PageSource(const QString& address);

// How a stored rate was obtained: the source's own figure, or (ECB) the CAD
// quote over the currency's quote.
inline constexpr const char* kPublished = "published";
inline constexpr const char* kCross = "cross";

// Day records by date value, element 0 the date: what the readers hand over.
using Days = std::map<double, DayRecord>;

// "history.sqlite" in the program directory.
QString HistoryFilePath();

enum class OpenStatus {
    Opened,    // an existing store, migrated to the current version if needed
    Created,   // no store yet: a new, empty one
    Recovered, // a damaged or foreign file was renamed aside, a new store started
    ReadOnly,  // the file can be read but not written; imports fail
    Failed,    // no store can be used; `message` says why
};

struct OpenResult {
    OpenStatus status = OpenStatus::Failed;
    QString message; // one sentence for Recovered, ReadOnly and Failed
    bool usable() const { return status != OpenStatus::Failed; }
};

struct ImportResult {
    bool ok = false;
    int days = 0; // days written
    QString error;
    bool damaged = false; // the store turned out damaged: StartAfresh and retry
    explicit operator bool() const { return ok; }
};

// The history database. Several processes may hold it at once (WAL, a busy
// timeout); each import is one transaction, so a kill leaves the store as it
// was before or after it.
class Store {
public:
    Store() = default;
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Opens or creates the store at `path`. A file that is not a database of
    // this program is renamed to "<path>.damaged-YYYYMMDD-HHMMSS" and a new
    // store is started; it is never deleted.
    OpenResult Open(const QString& path = HistoryFilePath());
    // Opens an existing store for reading only; a missing file is not created
    // (Failed, with an empty message).
    OpenResult OpenForReading(const QString& path = HistoryFilePath());
    // Renames the store at `path` aside as Open does with a damaged one and
    // starts a new one there.
    OpenResult StartAfresh(const QString& path = HistoryFilePath());
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    sqlite3* Handle() const { return m_db; }

    // Stores every usable rate of `days` under `source` in one transaction;
    // a day already stored from that source is replaced. `origin` (an
    // address or a file) goes into the import log.
    ImportResult Import(const QString& source, const Days& days, const QString& origin);

private:
    sqlite3* m_db = nullptr;
};

// The schema version this program writes.
constexpr int kSchemaVersion = 1;

// The kind of a rate from `source` of catalogue currency k.
const char* KindOf(const QString& source, int k);

} // namespace kestrum::history
