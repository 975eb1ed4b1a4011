#include "Commands.h"

namespace k2k::cli {

// Placeholder until the command is written.
void AddGenerateCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("generate", "(not yet available)");
    command->callback([&context] { context.exitCode = 1; });
}

} // namespace k2k::cli
