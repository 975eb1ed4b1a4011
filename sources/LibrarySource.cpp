#include "sources/LibrarySource.h"

#include "common/ObjectKinds.h"
#include "formats/Drawing.h"
#include "formats/StoredTexts.h"
#include "search/InfoText.h"
#include "sources/CsvTable.h"
#include "system/Text.h"

#include <algorithm>
#include <unordered_map>

namespace k2k {

namespace {

// The source line of a byte of a row: the row ends on row.line, and every line end
// inside its fields moves its start up. Positions past the row count as its end.
std::size_t LineOf(const CsvRow& row, std::size_t field, std::size_t offset) {
    std::size_t breaks = 0;
    std::size_t before = 0;
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
        const std::string_view text = row.fields[i];
        const std::size_t count = CountLineEnds(text);
        breaks += count;
        if (i < field)
            before += count;
        else if (i == field)
            before += CountLineEnds(text.substr(0, offset));
    }
    return row.line - breaks + before;
}

// Reads the rows one by one: a row with problems is left out, each problem listed, and
// the others are kept.
class SourceReader final {
public:
    SourceReader(const CsvTable& table, LibraryKind kind, std::string fileName,
                 const TextOptions& options, SourceFindings& findings)
        : m_table(table), m_kind(kind), m_fileName(std::move(fileName)), m_options(options),
          m_findings(findings), m_columns(LibrarySourceColumns(kind)) {
        for (std::string_view column : m_columns)
            m_positions.push_back(table.Column(column));
        m_values.resize(m_columns.size());
    }

    void Read(std::vector<LibraryObject>& objects) {
        objects.reserve(m_table.Rows().size());
        for (const CsvRow& row : m_table.Rows()) {
            LibraryObject object;
            if (ReadRow(row, object))
                objects.push_back(std::move(object));
            else
                ++m_findings.rowsLeftOut;
        }
    }

private:
    // "FILE:LINE: kind "NAME": " (without the name when the row has none).
    std::string Where(std::size_t line) const {
        std::string where = m_fileName + ":" + std::to_string(line) + ": ";
        if (!m_name.empty())
            where += std::string(FactsOf(m_kind).name) + " \"" + m_name + "\": ";
        return where;
    }

    void Problem(std::size_t line, const std::string& problem) {
        m_findings.problems.push_back(ShortenedLine(Where(line) + problem));
        m_good = false;
    }

    // Converts the field of column c into m_values[c]; false on a problem.
    bool Convert(const CsvRow& row, std::size_t c) {
        const std::string_view text = m_table.Field(row, m_positions[c]);
        const std::size_t field = m_positions[c].value_or(row.fields.size());
        const std::string column = "column \"" + std::string(m_columns[c]) + "\"";
        // A drawing is statements on lines; the info texts are single lines, since a line
        // break or a tab would also break the tool's own tab-separated listing.
        const TextUse use =
            m_columns[c] == kDrawingColumn ? TextUse::DrawingSource : TextUse::Field;
        UnholdableCharacter bad;
        std::vector<Replacement> replaced;
        auto converted =
            ToSuiteText(text, use, bad, m_options.replaceCharacters ? &replaced : nullptr);
        if (!converted) {
            Problem(LineOf(row, field, bad.offset), column + " holds " + DescribeUnholdable(bad));
            m_values[c].clear();
            return false;
        }
        for (const Replacement& replacement : replaced)
            m_findings.replacements.push_back(ShortenedLine(Where(LineOf(row, field, 0)) + column +
                                                            ": replaced " +
                                                            DescribeReplacement(replacement)));
        m_values[c] = std::move(*converted);
        return true;
    }

    bool ReadRow(const CsvRow& row, LibraryObject& object) {
        const std::size_t line = LineOf(row, 0, 0);
        m_good = true;
        m_name = std::string(Trim(m_table.Field(row, m_positions[0])));
        if (const auto problem = RowLengthProblem(m_table, row))
            Problem(row.line, *problem);
        const bool nameRead = Convert(row, 0);
        for (std::size_t c = 1; c < m_columns.size(); ++c)
            Convert(row, c);

        // Blanks around a name or a package cannot be meant; the other fields keep theirs.
        object.name = std::string(Trim(m_values[0]));
        if (std::string fault = NameFault(object.name); nameRead && !fault.empty())
            Problem(line, fault);
        const auto& v = m_values;
        switch (m_kind) {
        case LibraryKind::Part: {
            const std::string_view package = Trim(v[1]);
            if (package.find(' ') != std::string_view::npos)
                Problem(line, "the package name \"" + Cp1252ToUtf8(package) +
                                  "\" holds a blank, which ends the package name of a part");
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
        if (std::string fault = InfoFault(object.info); !fault.empty())
            Problem(line, fault);
        if (m_kind != LibraryKind::Part)
            ReadDrawing(row, object);
        if (!m_good)
            return false;
        // The suite compares names without regard to case, so names that differ only in
        // case could not be told apart. Only the rows kept hold a name.
        const auto [previous, added] = m_lineOfName.emplace(UpperCase(object.name), line);
        if (!added)
            Problem(line, "the name is already used on line " + std::to_string(previous->second));
        return m_good;
    }

    // The drawing column, checked and stored as its canonical text; empty: no drawing.
    void ReadDrawing(const CsvRow& row, LibraryObject& object) {
        const std::size_t c = m_columns.size() - 1;
        const std::string& text = m_values[c];
        if (Trim(text).empty())
            return;
        const ParsedDrawing parsed = ParseDrawing(text);
        const std::size_t field = m_positions[c].value_or(0);
        for (const DrawingProblem& problem : parsed.problems) {
            const std::size_t offset =
                StatementStart(m_table.Field(row, m_positions[c]), problem.statement);
            std::string what = "the drawing";
            if (problem.statement > 0)
                what += ", statement " + std::to_string(problem.statement);
            Problem(LineOf(row, field, offset), what + ": " + Cp1252ToUtf8(problem.message));
        }
        if (!parsed.problems.empty())
            return;
        const DrawingKind expected = m_kind == LibraryKind::Symbol    ? DrawingKind::Symbol
                                     : m_kind == LibraryKind::Package ? DrawingKind::Package
                                                                      : DrawingKind::Padstack;
        if (parsed.drawing->kind != expected) {
            Problem(LineOf(row, field, 0),
                    "the drawing is a " + std::string(DrawingKindName(parsed.drawing->kind)) +
                        " drawing, not a " + std::string(DrawingKindName(expected)) + " drawing");
            return;
        }
        object.drawing = FormatDrawing(*parsed.drawing);
    }

    const CsvTable& m_table;
    LibraryKind m_kind;
    std::string m_fileName;
    const TextOptions& m_options;
    SourceFindings& m_findings;
    const std::vector<std::string_view>& m_columns;
    std::vector<std::optional<std::size_t>> m_positions;
    std::vector<std::string> m_values;
    std::unordered_map<std::string, std::size_t> m_lineOfName;
    std::string m_name; // of the row read, as the source writes it
    bool m_good = true; // the row read has no problem so far
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

Result<std::vector<LibraryObject>> ReadLibrarySource(const std::filesystem::path& csv,
                                                     LibraryKind kind, const TextOptions& options,
                                                     SourceFindings& findings) {
    const std::string fileName = csv.string();
    const auto table = CsvTable::Load(csv);
    if (!table)
        return table.Error();
    if (auto header = CheckHeader(*table, LibrarySourceColumns(kind), fileName); !header)
        return std::move(header).Error();
    std::vector<LibraryObject> objects;
    SourceReader(*table, kind, fileName, options, findings).Read(objects);
    return objects;
}

} // namespace k2k
