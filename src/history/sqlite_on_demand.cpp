// The SQLite functions the history calls: each opens the library on first use
// and forwards to it, so a command that never reads the history (convert,
// rates, --version) does not load SQLite at all. The definitions are hidden:
// they stand in for the library inside this program without being offered to
// the library itself, whose own calls stay its own. A history function that
// calls another SQLite function needs it added here; the link fails without.
#pragma GCC visibility push(hidden)
#include <sqlite3.h>
#pragma GCC visibility pop

#include "settings/library_on_demand.h"

namespace {

// One handle for every function, opened once.
void* Library() {
    static void* const library = dlopen("libsqlite3.so.0", kestrum::kOnDemandLibraryFlags);
    return library;
}

template <typename Function> Function Real(const char* name) {
    void* const library = Library();
    return library != nullptr ? reinterpret_cast<Function>(dlsym(library, name)) : nullptr;
}

#define KESTRUM_REAL(name) static const auto real = Real<decltype(&name)>(#name)

// A call the missing library cannot answer.
constexpr int kMissing = SQLITE_CANTOPEN;

} // namespace

extern "C" {

int sqlite3_open(const char* filename, sqlite3** db) {
    KESTRUM_REAL(sqlite3_open);
    if (real != nullptr)
        return real(filename, db);
    *db = nullptr;
    return kMissing;
}

int sqlite3_open_v2(const char* filename, sqlite3** db, int flags, const char* vfs) {
    KESTRUM_REAL(sqlite3_open_v2);
    if (real != nullptr)
        return real(filename, db, flags, vfs);
    *db = nullptr;
    return kMissing;
}

int sqlite3_close(sqlite3* db) {
    KESTRUM_REAL(sqlite3_close);
    return real != nullptr ? real(db) : SQLITE_OK;
}

int sqlite3_busy_timeout(sqlite3* db, int ms) {
    KESTRUM_REAL(sqlite3_busy_timeout);
    return real != nullptr ? real(db, ms) : kMissing;
}

int sqlite3_busy_handler(sqlite3* db, int (*handler)(void*, int), void* argument) {
    KESTRUM_REAL(sqlite3_busy_handler);
    return real != nullptr ? real(db, handler, argument) : kMissing;
}

int sqlite3_file_control(sqlite3* db, const char* name, int op, void* arg) {
    KESTRUM_REAL(sqlite3_file_control);
    return real != nullptr ? real(db, name, op, arg) : kMissing;
}

int sqlite3_exec(sqlite3* db, const char* sql, int (*callback)(void*, int, char**, char**),
                 void* argument, char** error) {
    KESTRUM_REAL(sqlite3_exec);
    return real != nullptr ? real(db, sql, callback, argument, error) : kMissing;
}

int sqlite3_errcode(sqlite3* db) {
    KESTRUM_REAL(sqlite3_errcode);
    return real != nullptr ? real(db) : kMissing;
}

const char* sqlite3_errmsg(sqlite3* db) {
    KESTRUM_REAL(sqlite3_errmsg);
    return real != nullptr ? real(db) : "the SQLite library (libsqlite3.so.0) cannot be loaded";
}

int sqlite3_prepare_v2(sqlite3* db, const char* sql, int bytes, sqlite3_stmt** statement,
                       const char** tail) {
    KESTRUM_REAL(sqlite3_prepare_v2);
    if (real != nullptr)
        return real(db, sql, bytes, statement, tail);
    *statement = nullptr;
    return kMissing;
}

int sqlite3_finalize(sqlite3_stmt* statement) {
    KESTRUM_REAL(sqlite3_finalize);
    return real != nullptr ? real(statement) : SQLITE_OK;
}

int sqlite3_reset(sqlite3_stmt* statement) {
    KESTRUM_REAL(sqlite3_reset);
    return real != nullptr ? real(statement) : kMissing;
}

int sqlite3_step(sqlite3_stmt* statement) {
    KESTRUM_REAL(sqlite3_step);
    return real != nullptr ? real(statement) : kMissing;
}

int sqlite3_bind_int(sqlite3_stmt* statement, int index, int value) {
    KESTRUM_REAL(sqlite3_bind_int);
    return real != nullptr ? real(statement, index, value) : kMissing;
}

int sqlite3_bind_double(sqlite3_stmt* statement, int index, double value) {
    KESTRUM_REAL(sqlite3_bind_double);
    return real != nullptr ? real(statement, index, value) : kMissing;
}

int sqlite3_bind_text(sqlite3_stmt* statement, int index, const char* text, int bytes,
                      void (*destructor)(void*)) {
    KESTRUM_REAL(sqlite3_bind_text);
    return real != nullptr ? real(statement, index, text, bytes, destructor) : kMissing;
}

int sqlite3_bind_null(sqlite3_stmt* statement, int index) {
    KESTRUM_REAL(sqlite3_bind_null);
    return real != nullptr ? real(statement, index) : kMissing;
}

int sqlite3_column_type(sqlite3_stmt* statement, int column) {
    KESTRUM_REAL(sqlite3_column_type);
    return real != nullptr ? real(statement, column) : SQLITE_NULL;
}

int sqlite3_column_count(sqlite3_stmt* statement) {
    KESTRUM_REAL(sqlite3_column_count);
    return real != nullptr ? real(statement) : 0;
}

const char* sqlite3_column_name(sqlite3_stmt* statement, int column) {
    KESTRUM_REAL(sqlite3_column_name);
    return real != nullptr ? real(statement, column) : nullptr;
}

int sqlite3_column_int(sqlite3_stmt* statement, int column) {
    KESTRUM_REAL(sqlite3_column_int);
    return real != nullptr ? real(statement, column) : 0;
}

double sqlite3_column_double(sqlite3_stmt* statement, int column) {
    KESTRUM_REAL(sqlite3_column_double);
    return real != nullptr ? real(statement, column) : 0.0;
}

const unsigned char* sqlite3_column_text(sqlite3_stmt* statement, int column) {
    KESTRUM_REAL(sqlite3_column_text);
    return real != nullptr ? real(statement, column) : nullptr;
}

} // extern "C"
