#include "formats/ProjectSql.h"

#include "formats/StoredTexts.h"
#include "system/Text.h"

namespace k2k {

bool SqlStatement::Bind(std::initializer_list<SqlValue> values) {
    sqlite3_reset(m_statement);
    int column = 1;
    for (const SqlValue& value : values) {
        int result = SQLITE_OK;
        if (!value.isBytes)
            result = sqlite3_bind_int64(m_statement, column, value.number);
        else if (value.bytes.empty())
            result = sqlite3_bind_zeroblob(m_statement, column, 0);
        else
            result = sqlite3_bind_blob64(m_statement, column, value.bytes.data(),
                                         value.bytes.size(), SQLITE_STATIC);
        if (result != SQLITE_OK)
            return false;
        ++column;
    }
    return true;
}

std::string_view SqlStatement::Bytes(int column) const {
    const void* data = sqlite3_column_blob(m_statement, column);
    const int size = sqlite3_column_bytes(m_statement, column);
    return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size))
                : std::string_view();
}

std::string SqlStatement::Text(int column) const {
    const unsigned char* text = sqlite3_column_text(m_statement, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

Status ExecuteSql(sqlite3* sqlite, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(sqlite, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return {};
    Problem problem{message ? message : sqlite3_errmsg(sqlite)};
    sqlite3_free(message);
    return problem;
}

bool HeldByAnother(sqlite3* sqlite) {
    const int code = sqlite3_errcode(sqlite);
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

std::string HeldByAnotherText() {
    return "another program is changing the project file";
}

bool IndexInRange(long long index, bool allowScratch) {
    return (index >= 1 && index <= kMaxProjectIndex) ||
           (allowScratch && index < 0 && index >= -kMaxProjectIndex);
}

std::string NameProblem(const char* what, long long index, const ProjectObject& object) {
    if (object.deleted)
        return {};
    std::string fault = NameFault(object.name);
    if (fault.empty())
        fault = InfoFault(object.info);
    return fault.empty() ? fault : std::string(what) + " " + DecimalText(index) + ": " + fault;
}

} // namespace k2k
