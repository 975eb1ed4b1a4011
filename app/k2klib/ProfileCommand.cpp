// k2klib profile FILE [--check]: reads a browser profile with the browser's own reader and
// shows its eight tables as trees, each entry indented by its depth. With --check it also
// lists, by line number, what the reader skipped or took differently from what the line
// seems to say, and the paths that cannot hang in a tree: what a user looks at when the
// pick lists look wrong.

#include "Commands.h"

#include "browser/BrowserComponent.h"
#include "platform/Kernel.h"
#include "regtypes/BrowserProfile.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <algorithm>
#include <array>
#include <memory>
#include <ostream>
#include <unordered_map>
#include <vector>

namespace k2k::cli {

namespace {

struct Finding {
    int line = 0;
    std::string text; // UTF-8
};

// Where an entry came from.
struct EntrySource {
    int line = 0;
    bool hasColon = false;
};

std::string Quoted(std::string_view text) {
    return "\"" + Cp1252ToUtf8(text) + "\"";
}

bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// The table a header or trailer line names ("[PartType]", "[End PartType]"), 0 for none.
int SectionOf(std::string_view line, bool& trailer) {
    line = Trim(line);
    trailer = false;
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return 0;
    std::string_view name = line.substr(1, line.size() - 2);
    if (name.size() > 4 && EqualsNoCase(name.substr(0, 4), "End ")) {
        trailer = true;
        name.remove_prefix(4);
    }
    for (int table = 1; table <= kRegTypeTableCount; ++table)
        if (EqualsNoCase(name, RegTypeSection(table)))
            return table;
    return 0;
}

// What the reader made of one line, as far as a user would not expect it.
class LineChecker {
public:
    void operator()(int lineNumber, std::string_view line, const ProfileLine& parsed) {
        switch (parsed.kind) {
        case ProfileLine::Kind::Empty:
            if (!IsBlank(line))
                Add(lineNumber, "nothing follows its last TAB; skipped");
            return;
        case ProfileLine::Kind::Comment:
            Add(lineNumber, "comment; skipped");
            return;
        case ProfileLine::Kind::NotATable:
            CheckLayoutLine(lineNumber, line, parsed);
            return;
        case ProfileLine::Kind::Entry:
            break;
        }
        const std::string table(RegTypeSection(parsed.table));
        sources[static_cast<std::size_t>(parsed.table - 1)].push_back(
            {lineNumber, parsed.hasColon});
        if (m_section != 0 && m_section != parsed.table)
            Add(lineNumber, "a " + table + " entry (table " + DecimalText(parsed.table) +
                                ") inside [" + std::string(RegTypeSection(m_section)) + "]");
        if (!parsed.hasColon)
            Add(lineNumber, "no \":\"; adds an entry with empty path and text to " + table);
        if (parsed.textLost)
            Add(lineNumber, "a second \":\" cuts off " + Quoted(parsed.lost));
    }

    // The lines of each table's entries, in table order.
    std::array<std::vector<EntrySource>, kRegTypeTableCount> sources;
    std::vector<Finding> findings;

    void Add(int line, std::string text) { findings.push_back({line, std::move(text)}); }

private:
    // Headers, trailers and "[ENDPROFILE]" are skipped by design; anything else is not.
    void CheckLayoutLine(int lineNumber, std::string_view line, const ProfileLine& parsed) {
        line = Trim(line);
        if (const auto tab = line.rfind('\t'); tab != std::string_view::npos)
            line.remove_prefix(tab + 1);
        bool trailer = false;
        if (const int section = SectionOf(line, trailer); section != 0) {
            m_section = trailer ? 0 : section;
            return;
        }
        if (EqualsNoCase(line, "[ENDPROFILE]")) {
            m_section = 0;
            return;
        }
        Add(lineNumber, Quoted(Trim(parsed.firstField)) + " is not a table number 1 to 8; skipped");
    }

    int m_section = 0; // the table of the header last seen, 0 outside any
};

// Paths that cannot hang in a tree: empty, not made of whole numbers, given twice, or
// whose parent is missing or comes later.
void CheckPaths(const RegTypeTables& tables, LineChecker& checker) {
    for (int table = 1; table <= kRegTypeTableCount; ++table) {
        const auto& entries = tables.Table(table);
        const auto& sources = checker.sources[static_cast<std::size_t>(table - 1)];
        const std::string section(RegTypeSection(table));
        // The first entry of each path, without regard to case, as the dialogs look it up.
        std::unordered_map<std::string, std::size_t> firstOf;
        for (std::size_t j = entries.size() - 1; j >= 1; --j)
            firstOf[UpperCase(entries[j].Path)] = j;
        const auto firstWithPath = [&](std::string_view path) {
            const auto found = firstOf.find(UpperCase(path));
            return found == firstOf.end() ? std::size_t{0} : found->second;
        };
        const auto lineOf = [&](std::size_t i) { return sources[i - 1].line; };
        for (std::size_t i = 1; i < entries.size() && i <= sources.size(); ++i) {
            const int line = lineOf(i);
            const std::string& path = entries[i].Path;
            const std::string where = section + " path " + Quoted(path);
            if (path.empty()) {
                if (sources[i - 1].hasColon) // a line without ":" is reported as such
                    checker.Add(line, section + " entry " + Quoted(entries[i].Value) +
                                          " has no path; no tree shows it");
                continue;
            }
            for (std::string_view id : SplitAt(path, ','))
                if (id.empty() || !std::all_of(id.begin(), id.end(),
                                               [](char c) { return c >= '0' && c <= '9'; })) {
                    checker.Add(line, where + ": " + Quoted(id) + " is not a whole number");
                    break;
                }
            if (const std::size_t first = firstWithPath(path); first < i) {
                checker.Add(line, where + " repeats line " + DecimalText(lineOf(first)));
                continue;
            }
            const auto lastComma = path.rfind(',');
            if (lastComma == std::string::npos)
                continue;
            const std::string_view parent = std::string_view(path).substr(0, lastComma);
            const std::size_t parentIndex = firstWithPath(parent);
            if (parentIndex == 0)
                checker.Add(line, where + ": its parent " + Quoted(parent) + " is missing");
            else if (parentIndex > i)
                checker.Add(line, where + ": its parent " + Quoted(parent) +
                                      " comes later, on line " + DecimalText(lineOf(parentIndex)));
        }
    }
}

void WriteTrees(std::ostream& out, const RegTypeTables& tables) {
    for (int table = 1; table <= kRegTypeTableCount; ++table) {
        const int count = tables.UpperBound(table);
        out << (table > 1 ? "\n" : "") << RegTypeSection(table) << ": " << count
            << (count == 1 ? " entry\n" : " entries\n");
        const auto& entries = tables.Table(table);
        for (std::size_t i = 1; i < entries.size(); ++i) {
            const RegTypeEntry& entry = entries[i];
            const int depth = std::max(PathDepth(entry.Path), 1);
            out << std::string(static_cast<std::size_t>(2 * depth), ' ')
                << (entry.Path.empty() ? std::string("(no path)") : Cp1252ToUtf8(entry.Path))
                << "  " << Cp1252ToUtf8(entry.Value) << "  "
                << (entry.IsUser != 0 ? "(user)" : "(system)") << '\n';
        }
    }
}

void RunProfile(const std::string& file, bool check, CommandContext& context) {
    // The profile is read as the browser reads it at start, by a component of no suite.
    ConsoleMessageBoxes boxes(context.err);
    Kernel kernel;
    SearchFeedback quiet;
    BrowserComponent browser(kernel, {}, boxes, quiet);
    const RegTypeTables& tables = browser.State().regTypes;
    LineChecker checker;
    const auto path = SuitePath(file);
    if (!path) {
        context.err << "k2klib profile: " << path.Message() << '\n';
        context.exitCode = 1;
        return;
    }
    const int errorFlag = browser.ReadBrowserProfile(
        *path, [&checker](int lineNumber, std::string_view line, const ProfileLine& parsed) {
            checker(lineNumber, line, parsed);
        });
    if (errorFlag != 0) {
        context.exitCode = 1;
        return;
    }
    WriteTrees(context.out, tables);
    if (check) {
        CheckPaths(tables, checker);
        auto& findings = checker.findings;
        std::stable_sort(findings.begin(), findings.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        context.out << "\nCheck: "
                    << (findings.empty() ? std::string("no findings")
                                         : DecimalText(static_cast<long long>(findings.size())) +
                                               (findings.size() == 1 ? " finding" : " findings"))
                    << '\n';
        for (const Finding& finding : findings)
            context.out << "line " << finding.line << ": " << finding.text << '\n';
    }
    context.exitCode = 0;
}

} // namespace

void AddProfileCommand(CLI::App& app, CommandContext& context) {
    AddFileCommand(app, "profile",
                   "show a browser profile's registered types as trees, and with --check the "
                   "lines and paths the browser skips or cannot place",
                   context, "FILE", "browser profile (K2KBRWSR.ini)", "--check",
                   "report skipped lines, lost text and broken paths", RunProfile);
}

} // namespace k2k::cli
