#pragma once
// k2klib, the library tool: one function per command, each in its own file, registered
// on the command line here. RunK2klib is main() without the process, so tests run the
// tool in-process with their own streams.

#include "sources/LibrarySource.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace k2k::cli {

// Where a command writes and what it hands back: its exit status (0 done, 1 failed on its
// input). out and err show control characters escaped (EscapingStream.h); rawOut and rawErr
// are the streams underneath, for the bytes that must go out as they are.
struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    std::ostream& rawOut;
    std::ostream& rawErr;
    int exitCode = 0;
};

void AddBuildCommand(CLI::App& app, CommandContext& context);     // build a library from CSV
void AddListCommand(CLI::App& app, CommandContext& context);      // list a library
void AddProjectCommand(CLI::App& app, CommandContext& context);   // build a project database
void AddCatalogueCommand(CLI::App& app, CommandContext& context); // show a suite's catalogue
void AddSearchCommand(CLI::App& app, CommandContext& context);    // the browser's searches
void AddGenerateCommand(CLI::App& app, CommandContext& context);  // a large synthetic suite
void AddProfileCommand(CLI::App& app, CommandContext& context);   // read a browser profile
void AddSpiceCommand(CLI::App& app, CommandContext& context);     // a suite's Spice references
void AddDeleteCommand(CLI::App& app, CommandContext& context);    // delete from a library
void AddDrawCommand(CLI::App& app, CommandContext& context);      // the sample's drawings
void AddCheckCommand(CLI::App& app, CommandContext& context);     // whether a suite holds
void AddImportCommand(CLI::App& app, CommandContext& context);    // import outside libraries

// A command as it is being registered: its options are added to app and read into
// arguments, which the command's run function receives when the command is chosen.
template <class Arguments>
struct NewCommand {
    CLI::App& app;
    Arguments& arguments;
};

template <class Arguments>
NewCommand<Arguments> AddCommand(CLI::App& app, std::string name, std::string description,
                                 CommandContext& context,
                                 std::function<void(const Arguments&, CommandContext&)> run) {
    CLI::App* command = app.add_subcommand(std::move(name), std::move(description));
    auto arguments = std::make_shared<Arguments>();
    command->callback([arguments, run = std::move(run), &context] { run(*arguments, context); });
    return {*command, *arguments};
}

// The arguments of a command that reads one file or folder and has at most one switch.
struct FileAndSwitch {
    std::string path;
    bool on = false;
};

// The arguments of a command that turns a CSV source of one kind into a file.
struct CsvArguments {
    std::string kind;
    std::string source;
    std::string output;
};

// The options that several commands share.
// --suite, the suite folder, always required.
void AddSuiteOption(CLI::App& command, std::string& suite,
                    const std::string& help = "the suite folder");
// --replace-characters.
void AddReplaceOption(CLI::App& command, bool& replace);
// --kind, one of kinds (by default the four kinds' names).
enum class KindNeed { Required, Optional };
void AddKindOption(CLI::App& command, std::string& kind, const std::string& help,
                   KindNeed need = KindNeed::Required,
                   const std::vector<std::string>& kinds = LibraryKindNames());
// Adds a command of one positional FILE and one switch: run(file, switched, context).
void AddFileCommand(CLI::App& app, std::string name, std::string description,
                    CommandContext& context, const std::string& file, const std::string& fileHelp,
                    const std::string& flag, const std::string& flagHelp,
                    void (*run)(const std::string& file, bool on, CommandContext& context));
// Adds a command whose one option is --suite.
void AddSuiteCommand(CLI::App& app, std::string name, std::string description,
                     CommandContext& context,
                     void (*run)(const std::string& suite, CommandContext& context));
// The kind a checked --kind names (a part when it names none).
LibraryKind KindNamed(const std::string& kind);

// Converts a command-line text to the suite's 8-bit text, or fails with a usage error
// naming the option.
std::string SuiteText(const std::string& option, const std::string& utf8);

// Runs the tool. Bad arguments print usage and answer 2.
int RunK2klib(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace k2k::cli
