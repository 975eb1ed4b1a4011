#include "sources/CsvTable.h"

#include "system/AtomicFile.h"
#include "system/Text.h"

#include <csv.h>

namespace k2k {

namespace {

struct ParseState {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::size_t> lines;
    std::vector<std::string> current;
    std::size_t line = 1;
};

void OnField(void* data, std::size_t length, void* state) {
    auto* s = static_cast<ParseState*>(state);
    s->current.emplace_back(data ? static_cast<const char*>(data) : "", data ? length : 0);
}

void OnRow(int, void* state) {
    auto* s = static_cast<ParseState*>(state);
    s->rows.push_back(std::move(s->current));
    s->lines.push_back(s->line);
    s->current.clear();
}

int NoSpaces(unsigned char) {
    return 0;
}

} // namespace

Result<CsvTable> CsvTable::Load(const std::filesystem::path& file) {
    std::string text;
    int errorNumber = 0;
    if (!ReadWholeFile(file, text, &errorNumber, kCsvSourceLimit))
        return Problem{file.string() + ": cannot read the file: " +
                           ReadFailureReason(errorNumber, kCsvSourceLimit),
                       0, errorNumber};
    return Parse(text, file.string());
}

Result<CsvTable> CsvTable::Parse(std::string_view text, const std::string& fileName) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    csv_parser parser{};
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        return Problem{fileName + ": out of memory"};
    csv_set_space_func(&parser, NoSpaces);
    ParseState state;
    // Feed line by line so that every row knows the line on which it ends. A line ends at
    // CR LF, LF or CR, as a row does.
    bool ok = true;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        else
            end += text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        const std::string_view piece = text.substr(start, end - start);
        if (csv_parse(&parser, piece.data(), piece.size(), OnField, OnRow, &state) !=
            piece.size()) {
            ok = false;
            break;
        }
        start = end;
        if (start < text.size())
            ++state.line;
    }
    if (ok && csv_fini(&parser, OnField, OnRow, &state) != 0)
        ok = false;
    if (!ok) {
        const std::string problem = csv_error(&parser) == CSV_EPARSE
                                        ? "malformed quoting (a quote must open a field, and a "
                                          "quoted field must be closed)"
                                        : csv_strerror(csv_error(&parser));
        csv_free(&parser);
        return Problem{fileName + ":" + std::to_string(state.line) + ": " + problem};
    }
    csv_free(&parser);

    if (state.rows.empty())
        return Problem{fileName + ": the file is empty; the first row must name the columns"};
    CsvTable table;
    table.m_header = std::move(state.rows.front());
    for (std::string& name : table.m_header)
        name = std::string(Trim(name));
    for (std::size_t i = 1; i < state.rows.size(); ++i)
        table.m_rows.push_back(CsvRow{state.lines[i], std::move(state.rows[i])});
    return table;
}

std::optional<std::size_t> CsvTable::Column(std::string_view name) const {
    for (std::size_t i = 0; i < m_header.size(); ++i)
        if (m_header[i] == name)
            return i;
    return std::nullopt;
}

std::string_view CsvTable::Field(const CsvRow& row, std::optional<std::size_t> column) const {
    if (!column || *column >= row.fields.size())
        return {};
    return row.fields[*column];
}

Status CheckHeader(const CsvTable& table, const std::vector<std::string_view>& allowed,
                   const std::string& fileName) {
    const auto& header = table.Header();
    for (std::size_t i = 0; i < header.size(); ++i) {
        bool known = false;
        for (std::string_view name : allowed)
            known = known || header[i] == name;
        if (!known) {
            std::string list;
            for (std::string_view name : allowed)
                list += (list.empty() ? "" : ", ") + std::string(name);
            return Problem{fileName + ":1: unknown column \"" + header[i] + "\" (known: " + list +
                           ")"};
        }
        for (std::size_t j = 0; j < i; ++j)
            if (header[j] == header[i])
                return Problem{fileName + ":1: column \"" + header[i] + "\" is named twice"};
    }
    return {};
}

std::optional<std::string> RowLengthProblem(const CsvTable& table, const CsvRow& row) {
    if (row.fields.size() <= table.Header().size())
        return std::nullopt;
    return "the row has " + std::to_string(row.fields.size()) + " fields, the header names only " +
           std::to_string(table.Header().size());
}

Status CheckColumns(const CsvTable& table, const std::vector<std::string_view>& allowed,
                    const std::string& fileName) {
    if (auto header = CheckHeader(table, allowed, fileName); !header)
        return header;
    for (const CsvRow& row : table.Rows())
        if (const auto problem = RowLengthProblem(table, row))
            return Problem{fileName + ":" + std::to_string(row.line) + ": " + *problem};
    return {};
}

std::string CsvRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record += ',';
        const std::string& field = fields[i];
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            record += field;
            continue;
        }
        record += '"';
        for (char c : field) {
            if (c == '"')
                record += '"';
            record += c;
        }
        record += '"';
    }
    return record + "\r\n";
}

} // namespace k2k
