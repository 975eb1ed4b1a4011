#pragma once
// The SQLite pieces that the reading and the writing of the project database share: a
// prepared statement with its values, a plain statement run, the answer of a file that
// another program holds, and the rules every stored object keeps (its index in range, a
// name and info text every store takes).

#include "formats/ObjectMap.h"
#include "system/Result.h"

#include <sqlite3.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace k2k {

// One value bound to a statement: a number, or bytes stored as a BLOB.
struct SqlValue {
    SqlValue(long long value) : number(value) {}
    SqlValue(int value) : number(value) {}
    SqlValue(std::string_view value) : isBytes(true), bytes(value) {}
    SqlValue(const std::string& value) : isBytes(true), bytes(value) {}

    bool isBytes = false;
    long long number = 0;
    std::string_view bytes;
};

class SqlStatement final {
public:
    SqlStatement(sqlite3* sqlite, const char* sql) : m_sqlite(sqlite) {
        m_result = sqlite3_prepare_v2(sqlite, sql, -1, &m_statement, nullptr);
    }
    ~SqlStatement() { sqlite3_finalize(m_statement); }
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    bool Prepared() const noexcept { return m_result == SQLITE_OK; }
    bool Bind(std::initializer_list<SqlValue> values);

    // SQLITE_ROW, SQLITE_DONE or an error.
    int Step() { return sqlite3_step(m_statement); }
    bool Run(std::initializer_list<SqlValue> values) {
        return Bind(values) && Step() == SQLITE_DONE;
    }

    long long Integer(int column) const { return sqlite3_column_int64(m_statement, column); }
    // The bytes of a column, valid until the next step.
    std::string_view Bytes(int column) const;
    std::string Text(int column) const;
    std::string Error() const { return sqlite3_errmsg(m_sqlite); }

private:
    sqlite3* m_sqlite;
    sqlite3_stmt* m_statement = nullptr;
    int m_result = SQLITE_OK;
};

// Runs sql; refused with SQLite's words when it fails.
Status ExecuteSql(sqlite3* sqlite, const char* sql);

// Another connection held the file all the time the busy timeout let this one wait.
bool HeldByAnother(sqlite3* sqlite);
std::string HeldByAnotherText();

// Indexes from 1 to kMaxProjectIndex, and scratch ones below 0 where allowed.
bool IndexInRange(long long index, bool allowScratch);

// Every object the project holds in use has a name and info text that every store takes
// (StoredTexts): the kernel hands them over as C strings and finds objects by name, so an
// object without a name, or with a NUL byte in its texts, could be listed but never found
// again. The open refuses such a file as damaged, and the writes and changes refuse to
// store one. Empty when the object keeps the rule.
std::string NameProblem(const char* what, long long index, const ProjectObject& object);

} // namespace k2k
