#pragma once

#include "history/history_store.h"

#include <QByteArray>
#include <QString>
#include <deque>
#include <sqlite3.h>

namespace kestrum::history {

// The source of the newest import, which heads the origins; the same rule
// where it is read and where an import decides whether to log itself.
inline constexpr const char* kLastImportSql =
    "SELECT source FROM imports ORDER BY imported_at DESC, rowid DESC LIMIT 1";

// One use of a store's prepared statement: bound, stepped, and given back
// reset. A step that fails throws the store's error; it never reads as the
// end of the rows. On a store that is not open it yields no rows.
class Query {
public:
    Query(const Store& store, const char* sql)
        : m_store(store), m_statement(store.Statement(sql)) {}
    ~Query() { m_store.Release(m_statement); }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    // The text stays alive until the statement is done with it.
    Query& Bind(int index, const QString& text) {
        const QByteArray& bytes = m_texts.emplace_back(text.toUtf8());
        sqlite3_bind_text(m_statement, index, bytes.constData(), int(bytes.size()), SQLITE_STATIC);
        return *this;
    }
    Query& Bind(int index, const char* text) {
        sqlite3_bind_text(m_statement, index, text, -1, SQLITE_STATIC);
        return *this;
    }
    Query& Bind(int index, int value) {
        sqlite3_bind_int(m_statement, index, value);
        return *this;
    }
    bool Next() {
        if (!m_statement)
            return false;
        const int rc = sqlite3_step(m_statement);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            m_store.Throw(rc);
        return false;
    }
    int Int(int column) const { return sqlite3_column_int(m_statement, column); }
    double Double(int column) const { return sqlite3_column_double(m_statement, column); }
    bool IsNull(int column) const {
        return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
    }
    const char* Text(int column) const {
        const unsigned char* text = sqlite3_column_text(m_statement, column);
        return text ? reinterpret_cast<const char*>(text) : "";
    }
    QString String(int column) const { return QString::fromUtf8(Text(column)); }

private:
    const Store& m_store;
    sqlite3_stmt* m_statement;
    std::deque<QByteArray> m_texts;
};

} // namespace kestrum::history
