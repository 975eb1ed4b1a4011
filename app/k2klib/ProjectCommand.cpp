// k2klib project SOURCE_FOLDER PROJECT_FILE: builds a project database from CSV files.
//   parts.csv, symbols.csv, packages.csv, padstacks.csv  the project's own objects, in the
//                                                        columns of the library sources
//   hierarchies.csv   name                                (the first is the top level)
//   pages.csv         hierarchy, name
//   components.csv    hierarchy, editor (schematic|layout), reference, part, uses
// "uses" lists the symbols (schematic) or the packages and padstacks (layout) that the
// component uses, comma-separated. Every file is optional; a project needs a hierarchy.
// Bad input stops with "FILE:LINE: problem", exit status 1, and no project file.

#include "Commands.h"

#include "formats/ProjectBuilder.h"
#include "formats/StoredTexts.h"
#include "platform/KernelProject.h"
#include "sources/CsvTable.h"
#include "sources/LibrarySource.h"
#include "system/Text.h"

#include <filesystem>
#include <map>
#include <ostream>

namespace k2k::cli {

namespace {

namespace fs = std::filesystem;

struct ProjectSource {
    fs::path folder;
    ProjectBuilder builder;
    // Symbol-map indexes by kind flags and name: a symbol and a package may share a name.
    std::map<std::pair<int, std::string>, int> symbolIndexes;
    std::map<std::pair<int, std::string>, int> pageIndexes;
};

// The problem of a line of a source file.
Problem Fail(const fs::path& file, std::size_t line, const std::string& problem) {
    return {ShortenedLine(file.string() + ":" + std::to_string(line) + ": " + problem)};
}

// Reads a table of the given columns; a missing file is an empty table.
Result<CsvTable> ReadTable(const fs::path& file, const std::vector<std::string_view>& columns) {
    if (!fs::exists(file))
        return CsvTable();
    auto table = CsvTable::Load(file);
    if (!table)
        return table;
    if (auto checked = CheckColumns(*table, columns, file.string()); !checked)
        return std::move(checked).Error();
    return table;
}

Result<std::string> Cp1252(const fs::path& file, const CsvRow& row, std::string_view text) {
    std::size_t at = 0;
    auto converted = Utf8ToCp1252(text, &at);
    if (!converted)
        return Fail(file, row.line,
                    "\"" + std::string(text) +
                        "\" holds a character that Windows-1252 cannot hold");
    return std::move(*converted);
}

// Why the builder did not add a name: a name no store takes, or else the other reason.
std::string Refused(std::string_view what, const std::string& name, std::string_view otherwise) {
    std::string fault = NameFault(name);
    return std::string(what) + " \"" + name +
           "\": " + (fault.empty() ? std::string(otherwise) : fault);
}

Status AddObjects(ProjectSource& source) {
    const std::pair<LibraryKind, const char*> files[] = {{LibraryKind::Part, "parts.csv"},
                                                         {LibraryKind::Symbol, "symbols.csv"},
                                                         {LibraryKind::Package, "packages.csv"},
                                                         {LibraryKind::Padstack, "padstacks.csv"}};
    for (const auto& [kind, name] : files) {
        const fs::path file = source.folder / name;
        if (!fs::exists(file))
            continue;
        SourceFindings findings;
        const auto objects = ReadLibrarySource(file, kind, {}, findings);
        if (!objects)
            return objects.Error();
        // A project is built whole or not at all.
        if (!findings.problems.empty()) {
            std::string problems = findings.problems.front();
            for (std::size_t i = 1; i < findings.problems.size(); ++i)
                problems += "\n" + findings.problems[i];
            return Problem{problems};
        }
        const int flags = kind == LibraryKind::Symbol    ? kSymbolFlags
                          : kind == LibraryKind::Package ? kPackageFlags
                                                         : kPadstackFlags;
        for (const LibraryObject& object : *objects) {
            if (kind == LibraryKind::Part) {
                source.builder.AddPart(object.name, object.info);
            } else {
                const int index =
                    source.builder.AddSymbol(object.name, object.info, object.drawing, flags);
                source.symbolIndexes[{flags, object.name}] = index;
            }
        }
    }
    return {};
}

Status AddHierarchiesAndPages(ProjectSource& source) {
    const fs::path hierarchyFile = source.folder / "hierarchies.csv";
    const auto hierarchies = ReadTable(hierarchyFile, {"name"});
    if (!hierarchies)
        return hierarchies.Error();
    if (hierarchies->Rows().empty())
        return Problem{hierarchyFile.string() + ": a project needs at least one hierarchy"};
    for (const CsvRow& row : hierarchies->Rows()) {
        const auto name = Cp1252(hierarchyFile, row, Trim(hierarchies->Field(row, 0)));
        if (!name)
            return name.Error();
        if (source.builder.AddHierarchy(*name) == 0)
            return Fail(hierarchyFile, row.line, Refused("hierarchy", *name, "named twice"));
    }

    const fs::path pageFile = source.folder / "pages.csv";
    const auto pages = ReadTable(pageFile, {"hierarchy", "name"});
    if (!pages)
        return pages.Error();
    const auto hierarchyColumn = pages->Column("hierarchy");
    const auto nameColumn = pages->Column("name");
    for (const CsvRow& row : pages->Rows()) {
        const auto hierarchyName = Cp1252(pageFile, row, Trim(pages->Field(row, hierarchyColumn)));
        if (!hierarchyName)
            return hierarchyName.Error();
        const auto name = Cp1252(pageFile, row, Trim(pages->Field(row, nameColumn)));
        if (!name)
            return name.Error();
        const int hierarchy = source.builder.HierarchyIndex(*hierarchyName);
        if (hierarchy == 0)
            return Fail(pageFile, row.line, "unknown hierarchy \"" + *hierarchyName + "\"");
        const int page = source.builder.AddPage(hierarchy, *name);
        if (page == 0)
            return Fail(pageFile, row.line, Refused("page", *name, "named twice in its hierarchy"));
        source.pageIndexes.emplace(std::pair{hierarchy, *name}, page);
    }
    // The project opens on its first hierarchy and that hierarchy's first page.
    int firstPage = 0;
    for (const auto& [key, page] : source.pageIndexes)
        if (key.first == 1 && (firstPage == 0 || page < firstPage))
            firstPage = page;
    source.builder.SetCurrent(1, firstPage);
    return {};
}

Status AddComponents(ProjectSource& source) {
    const fs::path file = source.folder / "components.csv";
    const auto components = ReadTable(file, {"hierarchy", "editor", "reference", "part", "uses"});
    if (!components)
        return components.Error();
    const auto hierarchyColumn = components->Column("hierarchy");
    const auto editorColumn = components->Column("editor");
    const auto referenceColumn = components->Column("reference");
    const auto partColumn = components->Column("part");
    const auto usesColumn = components->Column("uses");
    for (const CsvRow& row : components->Rows()) {
        std::string fields[4];
        const std::optional<std::size_t> columns[4] = {hierarchyColumn, referenceColumn, partColumn,
                                                       usesColumn};
        for (int i = 0; i < 4; ++i) {
            auto field = Cp1252(file, row, Trim(components->Field(row, columns[i])));
            if (!field)
                return field.Error();
            fields[i] = std::move(*field);
        }
        const std::string& hierarchyName = fields[0];
        const std::string& reference = fields[1];
        const std::string& partName = fields[2];
        const std::string& uses = fields[3];

        const int hierarchy = source.builder.HierarchyIndex(hierarchyName);
        if (hierarchy == 0)
            return Fail(file, row.line, "unknown hierarchy \"" + hierarchyName + "\"");
        const std::string_view editorName = Trim(components->Field(row, editorColumn));
        ComponentEditor editor;
        if (editorName == "schematic")
            editor = ComponentEditor::Schematic;
        else if (editorName == "layout")
            editor = ComponentEditor::Layout;
        else
            return Fail(file, row.line,
                        "editor \"" + std::string(editorName) +
                            "\" is neither schematic nor layout");
        int part = 0;
        if (!partName.empty()) {
            part = source.builder.PartIndex(partName);
            if (part == 0)
                return Fail(file, row.line, "unknown part \"" + partName + "\"");
        }
        // A schematic uses symbols; a layout packages and padstacks.
        const std::vector<int> kinds = editor == ComponentEditor::Schematic
                                           ? std::vector<int>{kSymbolFlags}
                                           : std::vector<int>{kPackageFlags, kPadstackFlags};
        std::vector<int> used;
        if (!uses.empty()) {
            for (std::string_view item : SplitAt(uses, ',')) {
                const std::string name(Trim(item));
                int index = 0;
                for (int flags : kinds) {
                    const auto found = source.symbolIndexes.find({flags, name});
                    if (found != source.symbolIndexes.end()) {
                        index = found->second;
                        break;
                    }
                }
                if (index == 0)
                    return Fail(file, row.line,
                                "\"" + name + "\" is not a " +
                                    (editor == ComponentEditor::Schematic ? "symbol"
                                                                          : "package or padstack") +
                                    " of the project");
                used.push_back(index);
            }
        }
        if (source.builder.AddComponent(hierarchy, editor, reference, part, used) == 0)
            return Fail(
                file, row.line,
                Refused("component", reference,
                        "placed twice in " + std::string(editorName) + " of " + hierarchyName));
    }
    return {};
}

// The objects, the hierarchies and pages, then the components: the first problem stops it.
Status BuildProject(ProjectSource& source, const fs::path& file) {
    for (const auto step : {AddObjects, AddHierarchiesAndPages, AddComponents})
        if (auto added = step(source); !added)
            return added;
    return source.builder.Write(file);
}

} // namespace

void AddProjectCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("project", "Build a project database from CSV files");
    auto folder = std::make_shared<std::string>();
    auto output = std::make_shared<std::string>();
    command->add_option("SOURCE_FOLDER", *folder, "Folder of the project's CSV files")
        ->required()
        ->check(CLI::ExistingDirectory);
    command->add_option("PROJECT_FILE", *output, "The project database to write")->required();
    command->callback([&context, folder, output] {
        const fs::path file(*output);
        ProjectSource source{fs::path(*folder), ProjectBuilder(file.stem().string()), {}, {}};
        const Status built = BuildProject(source, file);
        if (!built) {
            context.err << "k2klib project: " << built.Message() << '\n';
            context.exitCode = 1;
            return;
        }
        context.out << "Wrote " << file.string() << '\n';
    });
}

} // namespace k2k::cli
