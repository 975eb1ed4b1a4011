#include "LibrarySource.h"

#include "CsvTable.h"
#include "common/ObjectKinds.h"
#include "platform/Drawing.h"
#include "platform/Text.h"
#include "search/InfoText.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <unordered_map>

namespace k2k {

namespace {

// The source line of a byte of a row: the row ends on row.line, and every line break
// inside its fields moves its start up. Positions past the row count as its end.
std::size_t LineOf(const CsvRow& row, std::size_t field, std::size_t offset) {
    std::size_t breaks = 0;
    std::size_t before = 0;
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
        const std::string_view text = row.fields[i];
        const auto count = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        breaks += count;
        if (i < field) {
            before += count;
        } else if (i == field) {
            const std::string_view head = text.substr(0, offset);
            before += static_cast<std::size_t>(std::count(head.begin(), head.end(), '\n'));
        }
    }
    return row.line - breaks + before;
}

// Why the text cannot be held at offset, for a message: the character and its code point
// when it is one Windows-1252 lacks, or the offending byte when the text is not UTF-8 there.
std::string DescribeCharacter(std::string_view text, std::size_t offset) {
    if (offset >= text.size())
        return "a character that is cut off";
    char hex[16];
    char32_t code = 0;
    const std::size_t length = DecodeUtf8(text, offset, code);
    if (length == 0) {
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(text[offset]));
        return std::string("the byte ") + hex + ", which is not UTF-8";
    }
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(code));
    return "the character \"" + std::string(text.substr(offset, length)) + "\" (" + hex +
           "), which Windows-1252 cannot hold";
}

// Where statement number (1 the first) of a drawing text begins.
std::size_t StatementOffset(std::string_view text, int number) {
    std::size_t at = 0;
    for (int n = 1; n < number && at < text.size(); ++at)
        if (text[at] == '\n' || text[at] == ';')
            ++n;
    return at;
}

class SourceReader final {
public:
    SourceReader(const CsvTable& table, LibraryKind kind, std::string fileName)
        : m_table(table), m_kind(kind), m_fileName(std::move(fileName)),
          m_columns(LibrarySourceColumns(kind)) {
        for (std::string_view column : m_columns)
            m_positions.push_back(table.Column(column));
        m_values.resize(m_columns.size());
    }

    bool Read(std::vector<LibraryObject>& objects, std::string& error) {
        objects.reserve(m_table.Rows().size());
        for (const CsvRow& row : m_table.Rows()) {
            LibraryObject object;
            if (!ReadRow(row, object, error))
                return false;
            objects.push_back(std::move(object));
        }
        return true;
    }

private:
    bool Fail(std::size_t line, const std::string& problem, std::string& error) const {
        error = m_fileName + ":" + std::to_string(line) + ": " + problem;
        return false;
    }

    // Converts the field of column c into m_values[c].
    bool Convert(const CsvRow& row, std::size_t c, std::string& error) {
        const std::string_view text = m_table.Field(row, m_positions[c]);
        const std::size_t field = m_positions[c].value_or(row.fields.size());
        const std::string column = "column \"" + std::string(m_columns[c]) + "\"";
        std::size_t bad = 0;
        auto converted = Utf8ToCp1252(text, &bad);
        if (!converted)
            return Fail(LineOf(row, field, bad), column + " holds " + DescribeCharacter(text, bad),
                        error);
        // A drawing is statements on lines; the info texts are not.
        const bool drawing = m_columns[c] == kDrawingColumn;
        for (std::size_t i = 0; i < converted->size(); ++i) {
            const auto byte = static_cast<unsigned char>((*converted)[i]);
            if (drawing && (byte == '\n' || byte == '\r' || byte == '\t'))
                continue;
            // Library texts are single lines; a line break or a tab would also break the
            // tool's own tab-separated listing.
            if (byte < 0x20 || byte == 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "U+%04X", byte);
                return Fail(LineOf(row, field, text.find(static_cast<char>(byte))),
                            column + " holds the control character " + std::string(hex) +
                                " (library texts are single lines without tabs)",
                            error);
            }
            if (!drawing && byte == static_cast<unsigned char>(kFieldSeparator))
                return Fail(LineOf(row, field, text.find("\xE2\x82\xAC")),
                            column + " holds the euro sign, which separates the fields of " +
                                "info texts and cannot be part of one",
                            error);
        }
        m_values[c] = std::move(*converted);
        return true;
    }

    bool ReadRow(const CsvRow& row, LibraryObject& object, std::string& error) {
        for (std::size_t c = 0; c < m_columns.size(); ++c)
            if (!Convert(row, c, error))
                return false;
        const std::size_t line = LineOf(row, 0, 0);

        // Blanks around a name or a package cannot be meant; the other fields keep theirs.
        object.name = std::string(Trim(m_values[0]));
        if (object.name.empty())
            return Fail(line, "the name is empty", error);
        // The suite compares names without regard to case, so names that differ only in case
        // could not be told apart.
        const auto [previous, added] = m_lineOfName.emplace(UpperCase(object.name), line);
        if (!added)
            return Fail(line,
                        "the name \"" + Cp1252ToUtf8(object.name) + "\" is already used on line " +
                            std::to_string(previous->second),
                        error);

        const auto& v = m_values;
        switch (m_kind) {
        case LibraryKind::Part: {
            const std::string_view package = Trim(v[1]);
            if (package.find(' ') != std::string_view::npos)
                return Fail(line,
                            "the package name \"" + Cp1252ToUtf8(package) +
                                "\" holds a blank, which ends the package name of a part",
                            error);
            object.info = ComposePartInfo(
                package, {v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]});
            break;
        }
        case LibraryKind::Symbol:
            object.info = ComposeInfo({v[1], v[2], v[3], v[4]});
            break;
        case LibraryKind::Package:
        case LibraryKind::Padstack:
            object.info = ComposeInfo({v[1], v[2], v[3]});
            break;
        }
        if (m_kind != LibraryKind::Part)
            return ReadDrawing(row, object, error);
        return true;
    }

    // The drawing column, checked and stored as its canonical text; empty: no drawing.
    bool ReadDrawing(const CsvRow& row, LibraryObject& object, std::string& error) {
        const std::size_t c = m_columns.size() - 1;
        const std::string& text = m_values[c];
        if (Trim(text).empty())
            return true;
        const std::string what = "the drawing of " + std::string(FactsOf(m_kind).name) + " \"" +
                                 Cp1252ToUtf8(object.name) + "\"";
        const ParsedDrawing parsed = ParseDrawing(text);
        const std::size_t field = m_positions[c].value_or(0);
        if (!parsed.problems.empty()) {
            const DrawingProblem& first = parsed.problems.front();
            std::string problem = what;
            if (first.statement > 0)
                problem += ", statement " + std::to_string(first.statement);
            problem += ": " + Cp1252ToUtf8(first.message);
            if (parsed.problems.size() > 1)
                problem += " (and " + std::to_string(parsed.problems.size() - 1) + " more)";
            return Fail(
                LineOf(row, field,
                       StatementOffset(m_table.Field(row, m_positions[c]), first.statement)),
                problem, error);
        }
        const DrawingKind expected = m_kind == LibraryKind::Symbol    ? DrawingKind::Symbol
                                     : m_kind == LibraryKind::Package ? DrawingKind::Package
                                                                      : DrawingKind::Padstack;
        if (parsed.drawing->kind != expected)
            return Fail(LineOf(row, field, 0),
                        what + " is a " + std::string(DrawingKindName(parsed.drawing->kind)) +
                            " drawing, not a " + std::string(DrawingKindName(expected)) +
                            " drawing",
                        error);
        object.drawing = FormatDrawing(*parsed.drawing);
        return true;
    }

    const CsvTable& m_table;
    LibraryKind m_kind;
    std::string m_fileName;
    const std::vector<std::string_view>& m_columns;
    std::vector<std::optional<std::size_t>> m_positions;
    std::vector<std::string> m_values;
    std::unordered_map<std::string, std::size_t> m_lineOfName;
};

} // namespace

std::optional<LibraryKind> LibraryKindFromName(std::string_view name) {
    for (const ObjectKindFacts& facts : kObjectKindFacts)
        if (EqualsNoCase(name, facts.name))
            return facts.kind;
    return std::nullopt;
}

std::vector<std::string> LibraryKindNames() {
    std::vector<std::string> names;
    for (const ObjectKindFacts& facts : kObjectKindFacts)
        names.emplace_back(facts.name);
    return names;
}

std::string LibraryFileExtension(LibraryKind kind) {
    return std::string(FactsOf(kind).libraryPattern.substr(1));
}

const std::vector<std::string_view>& LibrarySourceColumns(LibraryKind kind) {
    // After the name (and a part's package) the columns are the info fields in order, then
    // the drawing.
    static const std::vector<std::string_view> part = {"name",
                                                       "package",
                                                       "description",
                                                       "external_index_code",
                                                       "simulation_ref",
                                                       "manufacturer",
                                                       "part_type",
                                                       "technology",
                                                       "package_type",
                                                       "simulation_function",
                                                       "simulation_references",
                                                       "symbols"};
    static const std::vector<std::string_view> symbol = {
        "name",        "description", "symbol_type", "simulation_function", "simulation_references",
        kDrawingColumn};
    static const std::vector<std::string_view> package = {"name", "description", "package_type",
                                                          "jedec_name", kDrawingColumn};
    static const std::vector<std::string_view> padstack = {"name", "description", "padstack_type",
                                                           "padstack_shape", kDrawingColumn};
    switch (kind) {
    case LibraryKind::Part:
        return part;
    case LibraryKind::Symbol:
        return symbol;
    case LibraryKind::Package:
        return package;
    case LibraryKind::Padstack:
        break;
    }
    return padstack;
}

bool ReadLibrarySource(const std::filesystem::path& csv, LibraryKind kind,
                       std::vector<LibraryObject>& objects, std::string& error) {
    objects.clear();
    const std::string fileName = csv.string();
    CsvTable table;
    if (!table.Load(csv, error) ||
        !CheckColumns(table, LibrarySourceColumns(kind), fileName, error))
        return false;
    SourceReader reader(table, kind, fileName);
    if (!reader.Read(objects, error)) {
        objects.clear();
        return false;
    }
    return true;
}

} // namespace k2k
