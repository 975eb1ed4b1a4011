#include "Commands.h"
#include "sketch/SampleDrawings.h"
#include "sources/CsvTable.h"
#include "sources/LibrarySource.h"

#include "formats/Drawing.h"
#include "system/AtomicFile.h"

#include <memory>
#include <ostream>

namespace k2k::cli {

namespace {

// The source as it is, with every empty drawing field (and the drawing column, when it
// has none) filled in by the sample suite's rules. A drawing already there is kept, so an
// object may carry one drawn by hand; an object with neither fails the whole run.
void RunDraw(const CsvArguments& options, CommandContext& context) {
    context.exitCode = 1;
    const LibraryKind kind = KindNamed(options.kind);
    const DrawingKind drawingKind = kind == LibraryKind::Package    ? DrawingKind::Package
                                    : kind == LibraryKind::Padstack ? DrawingKind::Padstack
                                                                    : DrawingKind::Symbol;
    const auto table = CsvTable::Load(options.source);
    if (!table) {
        context.err << table.Message() << '\n';
        return;
    }
    if (const auto columns = CheckColumns(*table, LibrarySourceColumns(kind), options.source);
        !columns) {
        context.err << columns.Message() << '\n';
        return;
    }
    std::vector<std::string> header = table->Header();
    const auto name = table->Column("name");
    auto drawingColumn = table->Column(kDrawingColumn);
    if (!drawingColumn) {
        drawingColumn = header.size();
        header.emplace_back(kDrawingColumn);
    }

    std::string text = CsvRecord(header);
    std::string unknown; // line "name", ...
    int unknownCount = 0;
    int filled = 0;
    for (const CsvRow& row : table->Rows()) {
        std::vector<std::string> fields = row.fields;
        fields.resize(header.size());
        std::string& drawing = fields[*drawingColumn];
        if (drawing.empty()) {
            const std::string objectName(table->Field(row, name));
            if (const auto made = SampleDrawing(drawingKind, objectName)) {
                drawing = FormatDrawing(*made);
                ++filled;
            } else {
                unknown += (unknown.empty() ? "" : ", ") + std::to_string(row.line) + " \"" +
                           objectName + "\"";
                ++unknownCount;
            }
        }
        text += CsvRecord(fields);
    }
    if (!unknown.empty()) {
        context.err << options.source << ": no drawing rule for the " << options.kind
                    << (unknownCount == 1 ? " on line " : "s on lines ") << unknown << '\n';
        return;
    }
    if (const Status written = WriteFileAtomically(options.output, text); !written) {
        context.err << options.output << ": " << written.Message() << '\n';
        return;
    }
    context.out << options.output << ": " << filled << (filled == 1 ? " drawing" : " drawings")
                << " made\n";
    context.exitCode = 0;
}

} // namespace

void AddDrawCommand(CLI::App& app, CommandContext& context) {
    const auto added = AddCommand<CsvArguments>(
        app, "draw",
        "copy a CSV source of symbols, packages or padstacks, filling in the drawings that it "
        "leaves empty by the sample suite's rules",
        context, RunDraw);
    AddKindOption(added.app, added.arguments.kind, "kind of the objects", KindNeed::Required,
                  {"symbol", "package", "padstack"});
    added.app.add_option("SOURCE", added.arguments.source, "CSV source, as build reads it")
        ->required();
    added.app.add_option("OUTPUT", added.arguments.output, "CSV file to write")->required();
}

} // namespace k2k::cli
