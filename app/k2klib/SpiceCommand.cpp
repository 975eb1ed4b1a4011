#include "Commands.h"

namespace k2k::cli {

// Placeholder until the command is written.
void AddSpiceCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("spice", "(not yet available)");
    command->callback([&context] { context.exitCode = 1; });
}

} // namespace k2k::cli
