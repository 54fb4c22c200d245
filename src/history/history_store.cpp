#include "history_store.h"

#include "rate_sweep.h"
#include "statement.h"

#include "data/catalogue.h"
#include "settings/paths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <mutex>
#include <sqlite3.h>
#include <string>
#include <thread>

namespace kestrum::history {

namespace {

constexpr int kDefaultBusyTimeoutMs = 5000;

// Version 2: the published texts and table numbers beside each rate, one
// currency's days read from their own key, and the publication days of each
// source kept apart from the rows, so a series' Canadian-dollar side and a
// summary never walk every rate.
const char* const kSchema = R"(
CREATE TABLE observations(source TEXT NOT NULL, day INTEGER NOT NULL, code TEXT NOT NULL,
                          rate REAL NOT NULL, kind TEXT NOT NULL, quote TEXT, tbl TEXT,
                          PRIMARY KEY (source, day, code)) WITHOUT ROWID;
CREATE INDEX observations_by_code ON observations(source, code, day, rate);
CREATE TABLE days(source TEXT NOT NULL, day INTEGER NOT NULL,
                  PRIMARY KEY (source, day)) WITHOUT ROWID;
CREATE TABLE imports(source TEXT NOT NULL, first_day INTEGER NOT NULL, last_day INTEGER NOT NULL,
                     imported_at TEXT NOT NULL, origin TEXT NOT NULL);
)";

// Version 1 to 2 in one step.
const char* const kMigrationFrom1 = R"(
ALTER TABLE observations ADD COLUMN quote TEXT;
ALTER TABLE observations ADD COLUMN tbl TEXT;
CREATE INDEX observations_by_code ON observations(source, code, day, rate);
CREATE TABLE days(source TEXT NOT NULL, day INTEGER NOT NULL,
                  PRIMARY KEY (source, day)) WITHOUT ROWID;
INSERT INTO days SELECT DISTINCT source, day FROM observations;
)";

// The columns each version's tables have, in order: a file whose tables only
// share the names is another program's.
constexpr const char* kObservationColumns[] = {"", "source,day,code,rate,kind",
                                               "source,day,code,rate,kind,quote,tbl"};
constexpr const char* kImportColumns = "source,first_day,last_day,imported_at,origin";
constexpr const char* kDayColumns = "source,day";

QString ErrorText(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db))
              : QCoreApplication::translate("HistoryStore", "out of memory");
}

int Exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

bool IsDamage(int rc) {
    const int primary = rc & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

bool IsBusy(int rc) {
    const int primary = rc & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// Waits that follow each other closely (one command's open, reads and
// write) share one timeout, so a store another program holds costs a command
// one timeout, not one per statement; a wait after a pause starts afresh.
int WaitWhileBusy(void*, int) {
    using Clock = std::chrono::steady_clock;
    constexpr auto kPause = std::chrono::seconds(1);
    static std::mutex mutex;
    static Clock::time_point episodeStart;
    static Clock::time_point lastWait;
    std::chrono::milliseconds left{};
    {
        const std::lock_guard lock(mutex);
        const Clock::time_point now = Clock::now();
        if (now - lastWait > kPause)
            episodeStart = now;
        lastWait = now;
        left = std::chrono::milliseconds(BusyTimeoutMs()) -
               std::chrono::duration_cast<std::chrono::milliseconds>(now - episodeStart);
    }
    if (left.count() <= 0)
        return 0;
    std::this_thread::sleep_for(std::min(left, std::chrono::milliseconds(10)));
    const std::lock_guard lock(mutex);
    lastWait = Clock::now();
    return 1;
}

enum class Setup { Ready, Damaged, Foreign, Newer, ReadOnly, Busy, Error };

Setup Failed(int rc) {
    const int primary = rc & 0xff;
    return primary == SQLITE_READONLY ? Setup::ReadOnly
           : IsDamage(rc)             ? Setup::Damaged
           : IsBusy(rc)               ? Setup::Busy
                                      : Setup::Error;
}

struct Layout {
    int version = 0;
    int objects = 0;
    std::string observations, imports, days;
    bool wal = false;
};

// A table's column names, joined by commas, from a statement that is
// prepared and never run; empty for a table that is not there.
int ReadColumns(sqlite3* db, const char* sql, std::string& columns) {
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    for (int i = 0; rc == SQLITE_OK && i < sqlite3_column_count(statement); ++i)
        columns.append(i > 0 ? "," : "").append(sqlite3_column_name(statement, i));
    sqlite3_finalize(statement);
    return rc == SQLITE_ERROR ? SQLITE_OK : rc;
}

// Everything an open needs to know, which every start of a dated conversion
// pays for: one statement for the version, the objects and the journal mode,
// and the columns (the table functions that list them cost more than all
// the rest).
int ReadLayout(sqlite3* db, Layout& layout) {
    layout = {};
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db,
                                "SELECT (SELECT user_version FROM pragma_user_version), "
                                "(SELECT count(*) FROM sqlite_schema), "
                                "(SELECT journal_mode FROM pragma_journal_mode)",
                                -1, &statement, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(statement) == SQLITE_ROW ? SQLITE_OK : sqlite3_errcode(db);
    if (rc == SQLITE_OK) {
        layout.version = sqlite3_column_int(statement, 0);
        layout.objects = sqlite3_column_int(statement, 1);
        const unsigned char* mode = sqlite3_column_text(statement, 2);
        layout.wal = mode && std::strcmp(reinterpret_cast<const char*>(mode), "wal") == 0;
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_OK || layout.version == 0)
        return rc;
    rc = ReadColumns(db, "SELECT * FROM observations", layout.observations);
    if (rc == SQLITE_OK)
        rc = ReadColumns(db, "SELECT * FROM imports", layout.imports);
    if (rc == SQLITE_OK && layout.version >= 2)
        rc = ReadColumns(db, "SELECT * FROM days", layout.days);
    return rc;
}

bool IsOurs(const Layout& layout) {
    if (layout.version == 0)
        return layout.objects == 0;
    return layout.observations == kObservationColumns[layout.version] &&
           layout.imports == kImportColumns && (layout.version < 2 || layout.days == kDayColumns);
}

// Brings an open connection to the current schema. Two programs may create or
// migrate the same store at once: the second waits for the first's
// transaction and then finds the work done.
Setup Prepare(sqlite3* db) {
    sqlite3_busy_handler(db, WaitWhileBusy, nullptr);
    Layout layout;
    int rc = ReadLayout(db, layout);
    if (rc != SQLITE_OK)
        return Failed(rc);
    if (layout.version > kSchemaVersion)
        return Setup::Newer;
    if (!IsOurs(layout))
        return Setup::Foreign;
    if (layout.version < kSchemaVersion) {
        rc = Exec(db, "BEGIN IMMEDIATE");
        // What was read before the transaction may be another program's
        // half-way point: read again under the write lock.
        if (rc == SQLITE_OK)
            rc = ReadLayout(db, layout);
        if (rc == SQLITE_OK && !IsOurs(layout)) {
            Exec(db, "ROLLBACK");
            return Setup::Foreign;
        }
        if (rc == SQLITE_OK && layout.version == 0)
            rc = Exec(db, kSchema);
        else if (rc == SQLITE_OK && layout.version == 1)
            rc = Exec(db, kMigrationFrom1);
        if (rc == SQLITE_OK && layout.version < kSchemaVersion)
            rc = Exec(db, ("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
        if (rc == SQLITE_OK)
            rc = Exec(db, "COMMIT");
        if (rc != SQLITE_OK) {
            Exec(db, "ROLLBACK");
            return Failed(rc);
        }
    }
    // WAL lets the window and commands read while one of them writes; the
    // mode stays with the file.
    if (!layout.wal) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, "PRAGMA journal_mode = WAL", -1, &statement, nullptr);
        rc = sqlite3_step(statement);
        sqlite3_finalize(statement);
        if (IsDamage(rc) || IsBusy(rc))
            return Failed(rc);
    }
    // The journal files stay between runs rather than being made and removed
    // by every command; the last one out empties the WAL.
    int persist = 1;
    sqlite3_file_control(db, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    // In WAL mode a kill never loses a commit at this level; only a power
    // cut may lose the last one, never the store.
    Exec(db, "PRAGMA synchronous = NORMAL; PRAGMA journal_size_limit = 0");
    return Setup::Ready;
}

QString AsidePath(const QString& path) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    return aside;
}

sqlite3* OpenConnection(const QString& path, int flags, int& rc) {
    sqlite3* db = nullptr;
    // A store is used by one thread at a time, so the connection needs no
    // mutex of its own: without it, reading a column is no longer a lock
    // and an unlock, a sixth of a long series' reading.
    rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                         flags | SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

// Renames the WAL and shared-memory files with the database, so a new store
// never meets the old one's journal.
bool MoveAside(const QString& path, const QString& aside) {
    if (!QFile::rename(path, aside))
        return false;
    for (const char* suffix : {"-wal", "-shm"})
        if (QFileInfo::exists(path + QLatin1String(suffix)))
            QFile::rename(path + QLatin1String(suffix), aside + QLatin1String(suffix));
    return true;
}

} // namespace

QString PageSource(const QString& address) {
    return QStringLiteral("page:") + address;
}

QString HistoryFilePath() {
    return ProgramFile(QLatin1String(kHistoryFileName));
}

bool IsNbpSource(const QString& source) {
    return source == QLatin1String(kNbpA) || source == QLatin1String(kNbpB);
}

const char* KindOf(const QString& source, int k) {
    // The ECB quotes every currency per euro; only the euro's own rate in
    // Canadian dollars is its figure, the others are crosses.
    if (source == QLatin1String(kEcb) && QLatin1String(CurrencyCode(k)) != QLatin1String("EUR"))
        return kCross;
    return kPublished;
}

Store::~Store() {
    Close();
}

void Store::FinalizeStatements() {
    for (const Cached& cached : m_statements)
        sqlite3_finalize(cached.statement);
    m_statements.clear();
}

void Store::Close() {
    FinalizeStatements();
    sqlite3_close(m_db);
    m_db = nullptr;
    // Only now that no connection of this program holds it.
    if (!m_asidePath.isEmpty())
        MoveAside(m_path, m_asidePath);
    m_asidePath.clear();
}

int BusyTimeoutMs() {
    // Tests that hold the store make this short.
    static const int timeout = [] {
        bool ok = false;
        const int value = qEnvironmentVariableIntValue("KESTRUM_HISTORY_BUSY_MS", &ok);
        return ok && value >= 0 ? value : kDefaultBusyTimeoutMs;
    }();
    return timeout;
}

namespace {

QString BusySentence() {
    return QCoreApplication::translate("HistoryStore",
                                       "The rate history is busy (used by another program).");
}

} // namespace

OpenResult Store::Open(const QString& path) {
    Close();
    m_path = path;
    const QFileInfo info(path);
    const bool existed = info.exists() || info.isSymLink();
    if (info.isSymLink() || (existed && !info.isFile()))
        return {OpenStatus::Failed,
                QCoreApplication::translate(
                    "HistoryStore", "The rate history %1 is not a regular file, so it is not used.")
                    .arg(path)};
    int rc = SQLITE_OK;
    m_db = OpenConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, rc);
    Setup setup = m_db ? Prepare(m_db) : (IsDamage(rc) ? Setup::Damaged : Setup::Error);
    if (setup == Setup::Ready)
        return {existed ? OpenStatus::Opened : OpenStatus::Created, {}};
    Close();
    switch (setup) {
    case Setup::Ready:
        break;
    case Setup::Newer:
        return {OpenStatus::Failed,
                QCoreApplication::translate(
                    "HistoryStore",
                    "The rate history %1 was written by a newer version of Kestrum, "
                    "so it is not used.")
                    .arg(path)};
    case Setup::Busy:
        return {OpenStatus::Busy, BusySentence()};
    case Setup::ReadOnly:
    case Setup::Error: {
        const OpenResult reading = OpenForReading(path);
        if (reading.status == OpenStatus::Opened)
            return {OpenStatus::ReadOnly,
                    QCoreApplication::translate(
                        "HistoryStore", "The rate history %1 cannot be written, so nothing new is "
                                        "kept in it.")
                        .arg(path)};
        if (reading.status == OpenStatus::Busy)
            return reading;
        return {OpenStatus::Failed,
                QCoreApplication::translate("HistoryStore", "The rate history %1 cannot be opened.")
                    .arg(path)};
    }
    case Setup::Damaged:
    case Setup::Foreign:
        break;
    }
    return StartAfresh(path);
}

OpenResult Store::StartAfresh(const QString& path) {
    Close();
    m_path = path;
    const QString aside = AsidePath(path);
    if (!MoveAside(path, aside))
        return {OpenStatus::Failed,
                QCoreApplication::translate(
                    "HistoryStore",
                    "The rate history %1 is damaged and cannot be renamed aside, so "
                    "it is not used.")
                    .arg(path)};
    int rc = SQLITE_OK;
    m_db = OpenConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, rc);
    if (!m_db || Prepare(m_db) != Setup::Ready) {
        Close();
        return {
            OpenStatus::Failed,
            QCoreApplication::translate(
                "HistoryStore", "The rate history %1 was damaged and no new one can be started.")
                .arg(path)};
    }
    return {OpenStatus::Recovered,
            QCoreApplication::translate(
                "HistoryStore",
                "The rate history was not a readable Kestrum database; it was renamed "
                "to %1 and a new one started.")
                .arg(QFileInfo(aside).fileName())};
}

OpenResult Store::OpenForReading(const QString& path) {
    Close();
    m_path = path;
    const QFileInfo info(path);
    if (!info.exists() || info.isSymLink() || !info.isFile())
        return {OpenStatus::Failed, {}};
    int rc = SQLITE_OK;
    m_db = OpenConnection(path, SQLITE_OPEN_READONLY, rc);
    if (!m_db)
        return {OpenStatus::Failed, {}};
    sqlite3_busy_handler(m_db, WaitWhileBusy, nullptr);
    Layout layout;
    rc = ReadLayout(m_db, layout);
    if (rc == SQLITE_OK && layout.version >= 1 && layout.version < kSchemaVersion &&
        IsOurs(layout)) {
        // An older store is brought up to date first, which takes writing.
        Close();
        const OpenResult open = Open(path);
        return open.status == OpenStatus::Opened ? open
               : open.status == OpenStatus::Busy ? open
                                                 : OpenResult{OpenStatus::Failed, open.message};
    }
    if (rc != SQLITE_OK || layout.version != kSchemaVersion || !IsOurs(layout)) {
        Close();
        if (IsBusy(rc))
            return {OpenStatus::Busy, BusySentence()};
        if (rc == SQLITE_OK && layout.version > kSchemaVersion)
            return {OpenStatus::Failed,
                    QCoreApplication::translate(
                        "HistoryStore", "The rate history %1 was written by a newer version of "
                                        "Kestrum, so it is not used.")
                        .arg(path)};
        return {OpenStatus::Failed, {}};
    }
    return {OpenStatus::Opened, {}};
}

sqlite3_stmt* Store::Statement(const char* sql) const {
    if (!m_db)
        return nullptr;
    for (Cached& cached : m_statements)
        if (cached.sql == sql && !cached.inUse) {
            cached.inUse = true;
            return cached.statement;
        }
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        Throw(rc);
    }
    m_statements.push_back({sql, statement, true});
    return statement;
}

void Store::Release(sqlite3_stmt* statement) const {
    if (!statement)
        return;
    sqlite3_reset(statement);
    for (Cached& cached : m_statements)
        if (cached.statement == statement)
            cached.inUse = false;
}

void Store::Throw(int rc) const {
    if (IsBusy(rc))
        throw StoreError(StoreError::Kind::Busy, BusySentence());
    const QString reason = ErrorText(m_db);
    if (IsDamage(rc)) {
        if (m_asidePath.isEmpty())
            m_asidePath = AsidePath(m_path);
        throw StoreError(
            StoreError::Kind::Damaged,
            QCoreApplication::translate("HistoryStore",
                                        "The rate history %1 is damaged (%2), so it is renamed "
                                        "to %3.")
                .arg(m_path, reason, QFileInfo(m_asidePath).fileName()));
    }
    throw StoreError(
        StoreError::Kind::Other,
        QCoreApplication::translate("HistoryStore", "The rate history %1 cannot be read (%2).")
            .arg(m_path, reason));
}

bool Store::QuickCheck() {
    if (!m_db)
        return true;
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(m_db, "PRAGMA quick_check", -1, &statement, nullptr);
    bool sound = rc == SQLITE_OK;
    // One row "ok", or a row per problem found.
    while (sound && (rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(statement, 0);
        sound = text && std::strcmp(reinterpret_cast<const char*>(text), "ok") == 0;
    }
    sqlite3_finalize(statement);
    return (sound && rc == SQLITE_DONE) || IsBusy(rc);
}

namespace {

bool SameText(sqlite3_stmt* statement, int column, const QByteArray& text) {
    if (sqlite3_column_type(statement, column) == SQLITE_NULL)
        return text.isEmpty();
    const char* stored = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return !text.isEmpty() && stored != nullptr && text == stored;
}

// Whether the day's stored rows (the statement bound to its source and day)
// are exactly those an import would write: the same codes, the same bits of
// each rate, the same kinds, quotes and table.
bool StoredAlike(sqlite3_stmt* stored, const std::array<double, kCurrencyCount>& rates,
                 const char* const* kinds, const DayQuotes& texts) {
    int expected = 0;
    for (int k = 0; k < kCurrencyCount; ++k)
        expected += IsUsableRate(rates[k]) ? 1 : 0;
    int matched = 0;
    bool alike = true;
    while (alike && sqlite3_step(stored) == SQLITE_ROW) {
        const int k = IndexOfCode(reinterpret_cast<const char*>(sqlite3_column_text(stored, 0)));
        alike = k >= 0 && IsUsableRate(rates[k]) && sqlite3_column_double(stored, 1) == rates[k] &&
                std::strcmp(reinterpret_cast<const char*>(sqlite3_column_text(stored, 2)),
                            kinds[k]) == 0 &&
                SameText(stored, 3, texts.texts[k]) && SameText(stored, 4, texts.table);
        ++matched;
    }
    sqlite3_reset(stored);
    return alike && matched == expected;
}

} // namespace

ImportResult Store::Import(const QString& source, const Days& days, const QString& origin,
                           const Quotes& quotes) {
    ImportResult result;
    if (!m_db) {
        result.error = QCoreApplication::translate("HistoryStore", "The rate history is not open.");
        return result;
    }
    const QByteArray sourceText = source.toUtf8();
    sqlite3_stmt* clear = nullptr;
    sqlite3_stmt* clearDay = nullptr;
    sqlite3_stmt* insert = nullptr;
    sqlite3_stmt* addDay = nullptr;
    sqlite3_stmt* log = nullptr;
    sqlite3_stmt* stored = nullptr;
    int rc = Exec(m_db, "BEGIN IMMEDIATE");
    const auto prepare = [&](const char* sql, sqlite3_stmt*& statement) {
        if (rc == SQLITE_OK)
            rc = sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr);
    };
    prepare("DELETE FROM observations WHERE source = ?1 AND day = ?2", clear);
    prepare("DELETE FROM days WHERE source = ?1 AND day = ?2", clearDay);
    prepare("INSERT INTO observations VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)", insert);
    prepare("INSERT OR IGNORE INTO days VALUES (?1, ?2)", addDay);
    prepare("INSERT INTO imports VALUES (?1, ?2, ?3, ?4, ?5)", log);
    prepare("SELECT code, rate, kind, quote, tbl FROM observations WHERE source = ?1 AND day = ?2",
            stored);
    // Bindings outlive sqlite3_reset: what is the same for every row is bound
    // once.
    for (sqlite3_stmt* statement : {clear, clearDay, insert, addDay, stored})
        sqlite3_bind_text(statement, 1, sourceText.constData(), int(sourceText.size()),
                          SQLITE_STATIC);
    const char* kinds[kDayRecordValues] = {};
    for (int k = 0; k < kDayRecordValues; ++k)
        kinds[k] = KindOf(source, k);
    // NBP publishes the Canadian dollar too, in zlotys: the row the other
    // currencies are crossed through.
    const bool nbp = IsNbpSource(source);
    // A source's first import of a stretch has nothing to replace.
    bool replacing = false;
    if (rc == SQLITE_OK && !days.empty()) {
        sqlite3_stmt* probe = nullptr;
        sqlite3_prepare_v2(m_db,
                           "SELECT 1 FROM days WHERE source = ?1 AND day BETWEEN ?2 AND ?3 LIMIT 1",
                           -1, &probe, nullptr);
        sqlite3_bind_text(probe, 1, sourceText.constData(), int(sourceText.size()), SQLITE_STATIC);
        sqlite3_bind_int(probe, 2, static_cast<int>(std::floor(days.begin()->first)));
        sqlite3_bind_int(probe, 3, static_cast<int>(std::floor(days.rbegin()->first)));
        const int probed = sqlite3_step(probe);
        replacing = probed != SQLITE_DONE;
        if (probed != SQLITE_ROW && probed != SQLITE_DONE)
            rc = probed;
        sqlite3_finalize(probe);
    }
    const auto step = [&](sqlite3_stmt* statement) {
        rc = sqlite3_step(statement) == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(m_db);
        sqlite3_reset(statement);
    };
    static const DayQuotes kNoQuotes;
    int firstDay = 0;
    int lastDay = 0;
    bool wrote = false;
    for (auto day = days.begin(); rc == SQLITE_OK && day != days.end(); ++day) {
        const DayRecord& record = day->second;
        const auto quoted = quotes.find(day->first);
        const DayQuotes& texts = quoted != quotes.end() ? quoted->second : kNoQuotes;
        std::array<double, kCurrencyCount> rates;
        std::copy(record.Values.begin(), record.Values.end(), rates.begin());
        rates[0] = nbp && !texts.texts[0].isEmpty() ? UsableRateOrMissing(texts.texts[0].toDouble())
                                                    : kNotAvailable;
        if (std::none_of(rates.begin() + 1, rates.end(), IsUsableRate))
            continue;
        const int dayValue = static_cast<int>(std::floor(day->first));
        for (sqlite3_stmt* statement : {clear, clearDay, insert, addDay, stored})
            sqlite3_bind_int(statement, 2, dayValue);
        // A page or an answer repeats the days before its newest: those
        // already stored as they are now are left alone, unwritten.
        if (replacing && StoredAlike(stored, rates, kinds, texts)) {
            if (result.days == 0)
                firstDay = dayValue;
            lastDay = dayValue;
            ++result.days;
            continue;
        }
        wrote = true;
        if (replacing) {
            step(clear);
            if (rc == SQLITE_OK)
                step(clearDay);
        }
        if (rc == SQLITE_OK)
            step(addDay);
        if (texts.table.isEmpty())
            sqlite3_bind_null(insert, 7);
        else
            sqlite3_bind_text(insert, 7, texts.table.constData(), int(texts.table.size()),
                              SQLITE_STATIC);
        for (int k = 0; rc == SQLITE_OK && k < kCurrencyCount; ++k) {
            if (!IsUsableRate(rates[k]))
                continue;
            sqlite3_bind_text(insert, 3, CurrencyCode(k), -1, SQLITE_STATIC);
            sqlite3_bind_double(insert, 4, rates[k]);
            sqlite3_bind_text(insert, 5, kinds[k], -1, SQLITE_STATIC);
            const QByteArray& quote = texts.texts[k];
            if (quote.isEmpty())
                sqlite3_bind_null(insert, 6);
            else
                sqlite3_bind_text(insert, 6, quote.constData(), int(quote.size()), SQLITE_STATIC);
            step(insert);
        }
        if (result.days == 0)
            firstDay = dayValue;
        lastDay = dayValue;
        ++result.days;
    }
    // An answer that changed nothing leaves the store unwritten, and so
    // unsynced, unless its source is not the one imported last: that one
    // heads the origins, so the switch is logged.
    bool logged = result.days > 0;
    if (rc == SQLITE_OK && logged && !wrote) {
        sqlite3_stmt* last = nullptr;
        rc = sqlite3_prepare_v2(m_db, kLastImportSql, -1, &last, nullptr);
        if (rc == SQLITE_OK) {
            const int found = sqlite3_step(last);
            logged = found != SQLITE_ROW ||
                     sourceText != reinterpret_cast<const char*>(sqlite3_column_text(last, 0));
            if (found != SQLITE_ROW && found != SQLITE_DONE)
                rc = found;
        }
        sqlite3_finalize(last);
    }
    if (rc == SQLITE_OK && logged) {
        const QByteArray stamp = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toUtf8();
        const QByteArray originText = origin.toUtf8();
        sqlite3_bind_text(log, 1, sourceText.constData(), int(sourceText.size()), SQLITE_STATIC);
        sqlite3_bind_int(log, 2, firstDay);
        sqlite3_bind_int(log, 3, lastDay);
        sqlite3_bind_text(log, 4, stamp.constData(), int(stamp.size()), SQLITE_STATIC);
        sqlite3_bind_text(log, 5, originText.constData(), int(originText.size()), SQLITE_STATIC);
        step(log);
    }
    for (sqlite3_stmt* statement : {clear, clearDay, insert, addDay, log, stored})
        sqlite3_finalize(statement);
    if (rc == SQLITE_OK)
        rc = Exec(m_db, "COMMIT");
    if (rc != SQLITE_OK) {
        result.error = IsBusy(rc)
                           ? BusySentence()
                           : QCoreApplication::translate("HistoryStore",
                                                         "The rates could not be kept in the rate "
                                                         "history: %1.")
                                 .arg(ErrorText(m_db));
        result.damaged = IsDamage(rc);
        Exec(m_db, "ROLLBACK");
        result.days = 0;
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace kestrum::history
