#include "Commands.h"

namespace k2k::cli {

// Placeholder until the command is written.
void AddBuildCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("build", "(not yet available)");
    command->callback([&context] { context.exitCode = 1; });
}

}  // namespace k2k::cli
