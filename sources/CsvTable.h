#pragma once
// CSV source files of the library tool: UTF-8 (an initial byte-order mark is skipped),
// RFC 4180 quoting, a header row naming the columns. Fields keep their blanks.

#include "system/Result.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

struct CsvRow {
    std::size_t line = 0; // the line of the source on which the row ends
    std::vector<std::string> fields;
};

class CsvTable final {
public:
    // Reads the file, or the problem "FILE:LINE: problem" (or "FILE: problem").
    static Result<CsvTable> Load(const std::filesystem::path& file);
    static Result<CsvTable> Parse(std::string_view text, const std::string& fileName);

    const std::vector<std::string>& Header() const noexcept { return m_header; }
    const std::vector<CsvRow>& Rows() const noexcept { return m_rows; }
    // The position of a column by name (exact, after trimming blanks), or nullopt.
    std::optional<std::size_t> Column(std::string_view name) const;
    // The field of a column in a row; empty when the row is shorter or there is no such
    // column.
    std::string_view Field(const CsvRow& row, std::optional<std::size_t> column) const;

private:
    std::vector<std::string> m_header;
    std::vector<CsvRow> m_rows;
};

// Checks the header of a table against the columns a kind allows: the problem
// "FILE:1: unknown column "X" (known: a, b, ...)" on a column that is not allowed or is
// named twice; rows with more fields than the header fail with "FILE:LINE: ...".
Status CheckColumns(const CsvTable& table, const std::vector<std::string_view>& allowed,
                    const std::string& fileName);
// The header alone.
Status CheckHeader(const CsvTable& table, const std::vector<std::string_view>& allowed,
                   const std::string& fileName);
// The problem of a row with more fields than the header, or nullopt.
std::optional<std::string> RowLengthProblem(const CsvTable& table, const CsvRow& row);

// One record as RFC 4180 writes it, ending in CR LF: a field holding a comma, a quote or a
// line end is quoted, its quotes doubled.
std::string CsvRecord(const std::vector<std::string>& fields);

} // namespace k2k
