// k2klib import --suite DIR [--symbols DIR] [--footprints DIR] [--replace-characters]: the
// symbol and footprint libraries of the open-source EDA tool into a suite (kicad/SuiteImport.h).
// A progress line goes to standard error; the report (objects left out, names several
// libraries hold, losses by kind, the totals) to standard output.

#include "Commands.h"
#include "OpenedSuite.h"

#include "kicad/SuiteImport.h"
#include "services/Directories.h"
#include "system/Text.h"

#include <iostream>
#include <ostream>

#include <unistd.h>

namespace k2k::cli {

namespace {

constexpr std::string_view kDefaultSymbolFolder = "/usr/share/kicad/symbols";
constexpr std::string_view kDefaultFootprintFolder = "/usr/share/kicad/footprints";

struct ImportArguments {
    std::string suite;
    std::string symbols{kDefaultSymbolFolder};
    std::string footprints{kDefaultFootprintFolder};
    bool replace = false;
};

// What an import tells: its messages on the error stream, and a progress line that
// overwrites itself on a terminal, the last one ended at the end of each pass. Into a file
// or a pipe, where a carriage return would not go back, it writes every tenth of the work
// and its end, each on a line of its own. Its texts name source files, so they are shown
// with their control characters escaped; only its own carriage return goes out as it is.
class ProgressLine final : public ImportFeedback {
public:
    ProgressLine(std::ostream& messages, std::ostream& err, bool terminal)
        : m_messages(messages), m_err(err), m_terminal(terminal) {}

    void Say(const std::string& message) override {
        m_messages << "k2klib import: " << message << '\n';
    }

    void Progress(std::size_t step, std::size_t total, const std::string& text) override {
        const std::string shown = EscapeControls(text);
        if (!m_terminal) {
            if (step == total || step * 10 / total != (step - 1) * 10 / total)
                m_err << shown << '\n';
            return;
        }
        m_err << '\r' << shown;
        if (shown.size() < m_shown)
            m_err << std::string(m_shown - shown.size(), ' ');
        m_err.flush();
        m_shown = shown.size();
    }

    void PassEnd() override {
        if (m_shown > 0)
            m_err << '\n';
        m_shown = 0;
    }

private:
    std::ostream& m_messages;
    std::ostream& m_err;
    bool m_terminal;
    std::size_t m_shown = 0;
};

void RunImport(const ImportArguments& arguments, CommandContext& context) {
    const auto opened = OpenSuiteFor("import", arguments.suite, context);
    if (!opened)
        return;
    ImportReport report;
    ProgressLine progress(context.err, context.rawErr,
                          &context.rawErr == &std::cerr && isatty(STDERR_FILENO));
    const ImportEnd end = ImportIntoSuite(
        {arguments.symbols, arguments.footprints}, opened->browser.Dirs().libDir,
        opened->browser.Services(), {.replaceCharacters = arguments.replace}, progress, report);
    if (end.refused || end.folderLost)
        context.exitCode = 1;
    if (end.refused || (context.exitCode != 0 && !end.wroteLibraries))
        return;
    report.Write(context.out);
    if (!report.LostLibraries().empty())
        context.exitCode = 1;
}

} // namespace

void AddImportCommand(CLI::App& app, CommandContext& context) {
    auto [command, a] = AddCommand<ImportArguments>(
        app, "import",
        "import the symbol libraries (.kicad_sym) and footprint libraries (.pretty) of the "
        "open-source EDA tool into a suite: a part and a symbol library each, a package library "
        "each and one padstack library, added to the catalogue; reports what was left out",
        context, RunImport);
    AddSuiteOption(command, a.suite);
    command.add_option("--symbols", a.symbols,
                       "folder of .kicad_sym files (default " + std::string(kDefaultSymbolFolder) +
                           "; empty: none)");
    command.add_option("--footprints", a.footprints,
                       "folder of .pretty footprint folders (default " +
                           std::string(kDefaultFootprintFolder) + "; empty: none)");
    AddReplaceOption(command, a.replace);
}

} // namespace k2k::cli
