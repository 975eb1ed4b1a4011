#include "Commands.h"

namespace k2k::cli {

// Placeholder until the command is written.
void AddListCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("list", "(not yet available)");
    command->callback([&context] { context.exitCode = 1; });
}

}  // namespace k2k::cli
