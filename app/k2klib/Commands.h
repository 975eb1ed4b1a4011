#pragma once
// k2klib, the library tool: one function per command, each in its own file, registered
// on the command line here. RunK2klib is main() without the process, so tests run the
// tool in-process with their own streams.

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <string>
#include <vector>

namespace k2k::cli {

// What a command hands back: its exit status (0 done, 1 failed on its input).
struct CommandContext {
    std::ostream& out;
    std::ostream& err;
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

// Converts a command-line text to the suite's 8-bit text, or fails with a usage error
// naming the option.
std::string SuiteText(const std::string& option, const std::string& utf8);

// Runs the tool. Bad arguments print usage and answer 2.
int RunK2klib(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace k2k::cli
