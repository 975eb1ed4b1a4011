#include "Commands.h"
#include "EscapingStream.h"

#include "system/Text.h"

#include <iostream>

namespace k2k::cli {

void AddSuiteOption(CLI::App& command, std::string& suite, const std::string& help) {
    command.add_option("--suite", suite, help)->required();
}

void AddReplaceOption(CLI::App& command, bool& replace) {
    command.add_flag("--replace-characters", replace,
                     "replace characters Windows-1252 lacks by their stand-ins (the Greek mu by "
                     "the micro sign, the ohm sign by Ohm, the minus sign by -, ...; "
                     "docs/k2klib.md), listing each replacement");
}

void AddKindOption(CLI::App& command, std::string& kind, const std::string& help, KindNeed need,
                   const std::vector<std::string>& kinds) {
    command.add_option("--kind", kind, help)
        ->required(need == KindNeed::Required)
        ->check(CLI::IsMember(kinds));
}

void AddFileCommand(CLI::App& app, std::string name, std::string description,
                    CommandContext& context, const std::string& file, const std::string& fileHelp,
                    const std::string& flag, const std::string& flagHelp,
                    void (*run)(const std::string& file, bool on, CommandContext& context)) {
    auto [command, a] =
        AddCommand<FileAndSwitch>(app, std::move(name), std::move(description), context,
                                  [run](const FileAndSwitch& arguments, CommandContext& c) {
                                      run(arguments.path, arguments.on, c);
                                  });
    command.add_option(file, a.path, fileHelp)->required();
    command.add_flag(flag, a.on, flagHelp);
}

void AddSuiteCommand(CLI::App& app, std::string name, std::string description,
                     CommandContext& context,
                     void (*run)(const std::string& suite, CommandContext& context)) {
    auto [command, a] = AddCommand<FileAndSwitch>(
        app, std::move(name), std::move(description), context,
        [run](const FileAndSwitch& arguments, CommandContext& c) { run(arguments.path, c); });
    AddSuiteOption(command, a.path);
}

LibraryKind KindNamed(const std::string& kind) {
    return LibraryKindFromName(kind).value_or(LibraryKind::Part);
}

std::string SuiteText(const std::string& option, const std::string& utf8) {
    auto text = Utf8ToCp1252(utf8);
    if (!text)
        throw CLI::ValidationError(option, "holds a character that Windows-1252 cannot hold");
    return *text;
}

int RunK2klib(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CLI::App app{"k2klib: builds, lists and searches the suite's library files"};
    app.name("k2klib");
    app.set_version_flag("--version", "k2klib " K2K_VERSION);
    app.require_subcommand(1);
    EscapingStream shownOut(out);
    EscapingStream shownErr(err);
    CommandContext context{shownOut, shownErr, out, err};
    AddBuildCommand(app, context);
    AddListCommand(app, context);
    AddProjectCommand(app, context);
    AddCatalogueCommand(app, context);
    AddSearchCommand(app, context);
    AddGenerateCommand(app, context);
    AddProfileCommand(app, context);
    AddSpiceCommand(app, context);
    AddDeleteCommand(app, context);
    AddDrawCommand(app, context);
    AddCheckCommand(app, context);
    AddImportCommand(app, context);

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e, shownOut, shownErr);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e, shownOut, shownErr);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e, shownOut, shownErr);
    } catch (const CLI::ParseError& e) {
        app.exit(e, shownOut, shownErr);
        return 2;
    }
    return context.exitCode;
}

} // namespace k2k::cli
