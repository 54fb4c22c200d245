#include "history_store.h"

#include "data/catalogue.h"
#include "settings/paths.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <cstring>
#include <sqlite3.h>

namespace kestrum::history {

namespace {

constexpr int kBusyTimeoutMs = 5000;

const char* const kSchema = R"(
CREATE TABLE observations(source TEXT NOT NULL, day INTEGER NOT NULL, code TEXT NOT NULL,
                          rate REAL NOT NULL, kind TEXT NOT NULL,
                          PRIMARY KEY (source, day, code)) WITHOUT ROWID;
CREATE TABLE imports(source TEXT NOT NULL, first_day INTEGER NOT NULL, last_day INTEGER NOT NULL,
                     imported_at TEXT NOT NULL, origin TEXT NOT NULL);
)";

QString ErrorText(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

int Exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// One integer from a query, or the SQLite error code as a negative number.
int QueryInt(sqlite3* db, const char* sql, int& value) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW) {
            value = sqlite3_column_int(statement, 0);
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(statement);
    return rc;
}

bool IsDamage(int rc) {
    const int primary = rc & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

enum class Setup { Ready, Damaged, Foreign, Newer, ReadOnly, Error };

// Brings an open connection to the current schema.
Setup Prepare(sqlite3* db) {
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // One statement for everything an open needs to know: every start of a
    // dated conversion pays for it.
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(
        db,
        "SELECT (SELECT user_version FROM pragma_user_version), count(*), "
        "count(CASE WHEN type = 'table' AND name IN ('observations', 'imports') THEN 1 END), "
        "(SELECT journal_mode FROM pragma_journal_mode) FROM sqlite_schema",
        -1, &statement, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(statement) == SQLITE_ROW ? SQLITE_OK : sqlite3_errcode(db);
    const int version = sqlite3_column_int(statement, 0);
    const int tables = sqlite3_column_int(statement, 1);
    const int ours = sqlite3_column_int(statement, 2);
    const unsigned char* mode = sqlite3_column_text(statement, 3);
    const bool wal = mode && std::strcmp(reinterpret_cast<const char*>(mode), "wal") == 0;
    sqlite3_finalize(statement);
    if (rc != SQLITE_OK)
        return IsDamage(rc) ? Setup::Damaged : Setup::Error;
    if (version > kSchemaVersion)
        return Setup::Newer;
    if ((version == 0 && tables != 0) || (version >= 1 && ours != 2))
        return Setup::Foreign;
    if (version < kSchemaVersion) {
        // Each step takes the store one version further, inside one
        // transaction with the version number.
        rc = Exec(db, "BEGIN IMMEDIATE");
        if (rc == SQLITE_OK && version == 0)
            rc = Exec(db, kSchema);
        if (rc == SQLITE_OK)
            rc = Exec(db, ("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
        if (rc == SQLITE_OK)
            rc = Exec(db, "COMMIT");
        if (rc != SQLITE_OK) {
            Exec(db, "ROLLBACK");
            const int primary = rc & 0xff;
            return primary == SQLITE_READONLY ? Setup::ReadOnly
                   : IsDamage(rc)             ? Setup::Damaged
                                              : Setup::Error;
        }
    }
    // WAL lets the window and commands read while one of them writes; the
    // mode stays with the file.
    if (!wal) {
        sqlite3_prepare_v2(db, "PRAGMA journal_mode = WAL", -1, &statement, nullptr);
        rc = sqlite3_step(statement);
        sqlite3_finalize(statement);
        if (IsDamage(rc))
            return Setup::Damaged;
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
    rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags | SQLITE_OPEN_NOFOLLOW,
                         nullptr);
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
    return ProgramFile(QStringLiteral("history.sqlite"));
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

void Store::Close() {
    sqlite3_close(m_db);
    m_db = nullptr;
}

OpenResult Store::Open(const QString& path) {
    Close();
    const QFileInfo info(path);
    const bool existed = info.exists() || info.isSymLink();
    if (info.isSymLink() || (existed && !info.isFile()))
        return {OpenStatus::Failed,
                QStringLiteral("The rate history %1 is not a regular file, so it is not used.")
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
                QStringLiteral("The rate history %1 was written by a newer version of Kestrum, "
                               "so it is not used.")
                    .arg(path)};
    case Setup::ReadOnly:
    case Setup::Error:
        if (OpenForReading(path).status == OpenStatus::Opened)
            return {OpenStatus::ReadOnly,
                    QStringLiteral("The rate history %1 cannot be written, so nothing new is "
                                   "kept in it.")
                        .arg(path)};
        return {OpenStatus::Failed,
                QStringLiteral("The rate history %1 cannot be opened.").arg(path)};
    case Setup::Damaged:
    case Setup::Foreign:
        break;
    }
    return StartAfresh(path);
}

OpenResult Store::StartAfresh(const QString& path) {
    Close();
    const QString aside = AsidePath(path);
    if (!MoveAside(path, aside))
        return {OpenStatus::Failed,
                QStringLiteral("The rate history %1 is damaged and cannot be renamed aside, so "
                               "it is not used.")
                    .arg(path)};
    int rc = SQLITE_OK;
    m_db = OpenConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, rc);
    if (!m_db || Prepare(m_db) != Setup::Ready) {
        Close();
        return {OpenStatus::Failed,
                QStringLiteral("The rate history %1 was damaged and no new one can be started.")
                    .arg(path)};
    }
    return {OpenStatus::Recovered,
            QStringLiteral("The rate history was not a readable Kestrum database; it was renamed "
                           "to %1 and a new one started.")
                .arg(QFileInfo(aside).fileName())};
}

OpenResult Store::OpenForReading(const QString& path) {
    Close();
    const QFileInfo info(path);
    if (!info.exists() || info.isSymLink() || !info.isFile())
        return {OpenStatus::Failed, {}};
    int rc = SQLITE_OK;
    m_db = OpenConnection(path, SQLITE_OPEN_READONLY, rc);
    if (!m_db)
        return {OpenStatus::Failed, {}};
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    int version = 0;
    int ours = 0;
    if (QueryInt(m_db, "PRAGMA user_version", version) != SQLITE_OK || version < 1 ||
        version > kSchemaVersion ||
        QueryInt(m_db,
                 "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = "
                 "'observations'",
                 ours) != SQLITE_OK ||
        ours != 1) {
        Close();
        return {OpenStatus::Failed, {}};
    }
    return {OpenStatus::Opened, {}};
}

ImportResult Store::Import(const QString& source, const Days& days, const QString& origin) {
    ImportResult result;
    if (!m_db) {
        result.error = QStringLiteral("The rate history is not open.");
        return result;
    }
    const QByteArray sourceText = source.toUtf8();
    sqlite3_stmt* clear = nullptr;
    sqlite3_stmt* insert = nullptr;
    sqlite3_stmt* log = nullptr;
    int rc = Exec(m_db, "BEGIN IMMEDIATE");
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(m_db, "DELETE FROM observations WHERE source = ?1 AND day = ?2", -1,
                                &clear, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(m_db, "INSERT INTO observations VALUES (?1, ?2, ?3, ?4, ?5)", -1,
                                &insert, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(m_db, "INSERT INTO imports VALUES (?1, ?2, ?3, ?4, ?5)", -1, &log,
                                nullptr);
    // Bindings outlive sqlite3_reset: what is the same for every row is bound
    // once.
    sqlite3_bind_text(clear, 1, sourceText.constData(), int(sourceText.size()), SQLITE_STATIC);
    sqlite3_bind_text(insert, 1, sourceText.constData(), int(sourceText.size()), SQLITE_STATIC);
    const char* kinds[kDayRecordValues] = {};
    for (int k = 1; k < kDayRecordValues; ++k)
        kinds[k] = KindOf(source, k);
    // A source's first import of a stretch has nothing to replace.
    bool replacing = false;
    if (rc == SQLITE_OK && !days.empty()) {
        sqlite3_stmt* probe = nullptr;
        sqlite3_prepare_v2(m_db,
                           "SELECT 1 FROM observations WHERE source = ?1 AND day BETWEEN ?2 AND ?3 "
                           "LIMIT 1",
                           -1, &probe, nullptr);
        sqlite3_bind_text(probe, 1, sourceText.constData(), int(sourceText.size()), SQLITE_STATIC);
        sqlite3_bind_int(probe, 2, static_cast<int>(std::floor(days.begin()->first)));
        sqlite3_bind_int(probe, 3, static_cast<int>(std::floor(days.rbegin()->first)));
        replacing = sqlite3_step(probe) != SQLITE_DONE;
        sqlite3_finalize(probe);
    }
    int firstDay = 0;
    int lastDay = 0;
    for (auto day = days.begin(); rc == SQLITE_OK && day != days.end(); ++day) {
        const DayRecord& record = day->second;
        bool any = false;
        for (int k = 1; k < kDayRecordValues && !any; ++k)
            any = IsUsableRate(record.Values[k]);
        if (!any)
            continue;
        const int dayValue = static_cast<int>(std::floor(day->first));
        if (replacing) {
            sqlite3_bind_int(clear, 2, dayValue);
            rc = sqlite3_step(clear) == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(m_db);
            sqlite3_reset(clear);
        }
        for (int k = 1; rc == SQLITE_OK && k < kDayRecordValues; ++k) {
            const double rate = record.Values[k];
            if (!IsUsableRate(rate))
                continue;
            sqlite3_bind_int(insert, 2, dayValue);
            sqlite3_bind_text(insert, 3, CurrencyCode(k), -1, SQLITE_STATIC);
            sqlite3_bind_double(insert, 4, rate);
            sqlite3_bind_text(insert, 5, kinds[k], -1, SQLITE_STATIC);
            rc = sqlite3_step(insert) == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(m_db);
            sqlite3_reset(insert);
        }
        if (result.days == 0)
            firstDay = dayValue;
        lastDay = dayValue;
        ++result.days;
    }
    if (rc == SQLITE_OK && result.days > 0) {
        const QByteArray stamp = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toUtf8();
        const QByteArray originText = origin.toUtf8();
        sqlite3_bind_text(log, 1, sourceText.constData(), int(sourceText.size()), SQLITE_STATIC);
        sqlite3_bind_int(log, 2, firstDay);
        sqlite3_bind_int(log, 3, lastDay);
        sqlite3_bind_text(log, 4, stamp.constData(), int(stamp.size()), SQLITE_STATIC);
        sqlite3_bind_text(log, 5, originText.constData(), int(originText.size()), SQLITE_STATIC);
        rc = sqlite3_step(log) == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(m_db);
    }
    sqlite3_finalize(clear);
    sqlite3_finalize(insert);
    sqlite3_finalize(log);
    if (rc == SQLITE_OK)
        rc = Exec(m_db, "COMMIT");
    if (rc != SQLITE_OK) {
        result.error = QStringLiteral("The rates could not be kept in the rate history: %1.")
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
