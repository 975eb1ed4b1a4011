#include "Commands.h"
#include "sources/LibrarySource.h"

#include "common/ObjectKinds.h"
#include "formats/LibraryFile.h"

#include <memory>
#include <ostream>

namespace k2k::cli {

namespace {

struct BuildArguments : CsvArguments {
    bool strict = false;
    bool replace = false;
};

// Reads the whole source before anything is written, and writes the library beside the
// old one before it takes its place: a source that cannot be read leaves no file and an
// old library whole. Every problem of the source is listed; the rows that have one are
// left out and the others are built, or, with --strict, nothing is written.
void RunBuild(const BuildArguments& options, CommandContext& context) {
    const LibraryKind kind = KindNamed(options.kind);
    SourceFindings findings;
    const auto objects =
        ReadLibrarySource(options.source, kind, {.replaceCharacters = options.replace}, findings);
    context.exitCode = 1;
    if (!objects) {
        context.err << objects.Message() << '\n';
        return;
    }
    for (const std::string& problem : findings.problems)
        context.err << problem << '\n';
    for (const std::string& replacement : findings.replacements)
        context.err << replacement << '\n';
    if (options.strict && !findings.problems.empty()) {
        context.err << options.output << ": not written: the source has "
                    << findings.problems.size() << " problem"
                    << (findings.problems.size() == 1 ? "" : "s") << " (--strict)\n";
        return;
    }
    if (const Status written = WriteLibrary(options.output, kind, *objects); !written) {
        context.err << written.Message() << '\n';
        return;
    }
    context.out << options.output << ": " << objects->size() << ' ' << FactsOf(kind).name
                << (objects->size() == 1 ? "" : "s");
    if (findings.rowsLeftOut > 0)
        context.out << " (" << findings.rowsLeftOut << " left out)";
    context.out << '\n';
    context.exitCode = 0;
}

} // namespace

void AddBuildCommand(CLI::App& app, CommandContext& context) {
    auto [command, options] = AddCommand<BuildArguments>(
        app, "build",
        "build a library file from a CSV source; symbols, packages and padstacks may carry a "
        "drawing column (docs/drawings.md). Every problem is listed on standard error and the "
        "rows with one are left out",
        context, RunBuild);
    AddKindOption(command, options.kind, "kind of the library");
    command
        .add_option("SOURCE", options.source,
                    "CSV source, UTF-8, a header row naming "
                    "the columns")
        ->required();
    command.add_option("LIBRARY", options.output, "library file to write")->required();
    command.add_flag("--strict", options.strict, "write nothing when any row has a problem");
    AddReplaceOption(command, options.replace);
}

} // namespace k2k::cli
