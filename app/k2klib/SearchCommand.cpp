#include "Commands.h"

namespace k2k::cli {

// Placeholder until the command is written.
void AddSearchCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("search", "(not yet available)");
    command->callback([&context] { context.exitCode = 1; });
}

} // namespace k2k::cli
