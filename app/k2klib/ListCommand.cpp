#include "Commands.h"
#include "ObjectLines.h"
#include "sources/LibrarySource.h"

#include "common/ObjectKinds.h"
#include "formats/Drawing.h"
#include "formats/LibraryFile.h"
#include "system/Text.h"

#include <memory>
#include <ostream>

namespace k2k::cli {

namespace {

// The statements of a stored drawing under its object, indented, then what is wrong
// with it, if anything.
void WriteDrawing(std::ostream& out, std::string_view drawing) {
    for (std::string_view statement : SplitAt(drawing, '\n')) {
        if (!statement.empty() && statement.back() == '\r')
            statement.remove_suffix(1);
        if (!Trim(statement).empty())
            out << "    " << Cp1252ToUtf8(statement) << '\n';
    }
    if (drawing.empty())
        return;
    for (const DrawingProblem& problem : ParseDrawing(drawing).problems)
        out << "    ! statement " << problem.statement << ": " << Cp1252ToUtf8(problem.message)
            << '\n';
}

void RunList(const std::string& library, bool drawings, CommandContext& context) {
    const Result<LibraryContents> read = ReadLibrary(library);
    if (!read) {
        context.err << read.Message() << '\n';
        context.exitCode = 1;
        return;
    }
    const LibraryContents& contents = *read;
    std::ostream& out = context.out;
    out << "signature: " << contents.header.signature << '\n'
        << "version: " << contents.header.version << '\n'
        << "count: " << contents.header.count << '\n'
        << "kind: " << FactsOf(contents.kind).name << '\n';
    for (const LibraryObject& object : contents.objects) {
        WriteObjectLine(out, contents.kind, object.name, object.info);
        if (drawings)
            WriteDrawing(out, object.drawing);
    }
    context.exitCode = 0;
}

} // namespace

void AddListCommand(CLI::App& app, CommandContext& context) {
    AddFileCommand(
        app, "list",
        "list a library: its header, then per object its name and info fields, tab-separated",
        context, "LIBRARY", "library file", "--drawings",
        "show under each object the statements of its drawing, indented, and what is wrong "
        "with it",
        RunList);
}

} // namespace k2k::cli
