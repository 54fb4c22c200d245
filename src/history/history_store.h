#pragma once

#include "data/catalogue.h"
#include "data/rate_store.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <exception>
#include <map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace kestrum::history {

// Source names as stored: the two rate services, the two tables of the
// National Bank of Poland, and "page:" + the address for rate pages of the
// old layout.
inline constexpr const char* kBoc = "boc";
inline constexpr const char* kEcb = "ecb";
inline constexpr const char* kNbpA = "nbp-a";
inline constexpr const char* kNbpB = "nbp-b";
// Whether a source's rates are zlotys per unit (the NBP tables), crossed to
// Canadian dollars when read.
bool IsNbpSource(const QString& source);
QString PageSource(const QString& address);

// How a stored rate was obtained: the source's own figure, or (ECB) the CAD
// quote over the currency's quote.
inline constexpr const char* kPublished = "published";
inline constexpr const char* kCross = "cross";

// Day records by date value, element 0 the date: what the readers hand over.
using Days = std::map<double, DayRecord>;

// The number texts a source published for a day, as written, in its own unit,
// by catalogue index (empty where none), and the publisher's table number
// (NBP). A day record's element 0 is its date, so an NBP table A's Canadian
// dollar mid travels only here, as texts[0].
struct DayQuotes {
    std::array<QByteArray, kCurrencyCount> texts;
    QByteArray table;
};
using Quotes = std::map<double, DayQuotes>; // same keys as Days

// "history.sqlite" in the program directory.
QString HistoryFilePath();

enum class OpenStatus {
    Opened,    // an existing store, migrated to the current version if needed
    Created,   // no store yet: a new, empty one
    Recovered, // a damaged or foreign file was renamed aside, a new store started
    ReadOnly,  // the file can be read but not written; imports fail
    Busy,      // another program holds the store longer than the busy timeout
    Failed,    // no store can be used; `message` says why
};

struct OpenResult {
    OpenStatus status = OpenStatus::Failed;
    QString message; // one sentence for Recovered, ReadOnly and Failed
    bool usable() const { return status != OpenStatus::Failed && status != OpenStatus::Busy; }
};

struct ImportResult {
    bool ok = false;
    int days = 0; // days written
    QString error;
    bool damaged = false; // the store turned out damaged: StartAfresh and retry
    explicit operator bool() const { return ok; }
};

// A read the store could not complete: damaged pages, another program's lock,
// an input/output error. Never the end of the rows. `sentence` names the file
// and SQLite's reason; a damaged store has been set aside when the Store that
// threw is closed.
class StoreError : public std::exception {
public:
    enum class Kind { Damaged, Busy, Other };
    StoreError(Kind kind, QString sentence) : m_kind(kind), m_sentence(std::move(sentence)) {}
    Kind kind() const { return m_kind; }
    const QString& sentence() const { return m_sentence; }
    const char* what() const noexcept override { return "rate history error"; }

private:
    Kind m_kind;
    QString m_sentence;
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
    const QString& Path() const { return m_path; }

    // Stores every usable rate of `days` under `source` in one transaction,
    // with the published texts of `quotes`; a day already stored from that
    // source is replaced (that source's rows only). `origin` (an address or a
    // file) goes into the import log.
    ImportResult Import(const QString& source, const Days& days, const QString& origin,
                        const Quotes& quotes = {});

    // Whether SQLite finds every page of the store sound (PRAGMA quick_check,
    // tens of milliseconds for decades of rates); false for a damaged store.
    bool QuickCheck();

    // The statement for `sql`, prepared once for the life of the connection;
    // `sql` must be a string literal (it is the key). Null when the store is
    // not open; throws StoreError when SQLite refuses it.
    sqlite3_stmt* Statement(const char* sql) const;
    // Gives a statement from Statement back for the next use.
    void Release(sqlite3_stmt* statement) const;
    // Throws the StoreError for SQLite's result code `rc`; a damaged store is
    // set aside when it is closed.
    [[noreturn]] void Throw(int rc) const;

private:
    struct Cached {
        const char* sql;
        sqlite3_stmt* statement;
        bool inUse;
    };
    void FinalizeStatements();

    sqlite3* m_db = nullptr;
    QString m_path;
    mutable std::vector<Cached> m_statements;
    // A read that found the store damaged: where it goes when closed.
    mutable QString m_asidePath;
};

// The schema version this program writes.
constexpr int kSchemaVersion = 2;

// How long one command waits for a store another program holds, in all.
int BusyTimeoutMs();

// The kind of a rate from `source` of catalogue currency k.
const char* KindOf(const QString& source, int k);

} // namespace kestrum::history
