#include "Commands.h"

namespace k2k::cli {

// Placeholder until the command is written.
void AddProfileCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("profile", "(not yet available)");
    command->callback([&context] { context.exitCode = 1; });
}

} // namespace k2k::cli
