#pragma once
// A suite opened for a command, as the suite's main application opens it for the
// browser: the kernel with its named values and project, and the browser component with
// the services, the folders and the library catalogue. The browser's messages go to the
// command's error stream; its searches report only that they found rows.

#include "Commands.h"

#include "browser/BrowserComponent.h"
#include "platform/Kernel.h"
#include "platform/MessageBoxes.h"
#include "search/SearchEngine.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace k2k::cli {

// What the browser's searches report while they run: nothing but that rows were found, to
// a command that prints them as they come.
struct FoundRowsFeedback final : SearchFeedback {
    std::function<void()> rowsFound; // may be empty
    void LetPendingEventsRun() override {
        if (rowsFound)
            rowsFound();
    }
    void ResultsChanged(LibraryKind) override {
        if (rowsFound)
            rowsFound();
    }
};

struct OpenedSuite {
    explicit OpenedSuite(const std::string& suite, std::ostream& err);

    ConsoleMessageBoxes boxes;
    Kernel kernel;
    FoundRowsFeedback feedback;
    BrowserComponent browser;
    std::string projectPath; // suite form; empty without a project
};

// Opens the suite, or says why it cannot ("k2klib COMMAND: ...") and sets exit status 1.
// A project that does not open is said and the suite opens without it.
std::unique_ptr<OpenedSuite> OpenSuiteFor(const std::string& command, const std::string& suite,
                                          CommandContext& context,
                                          const std::optional<std::filesystem::path>& project = {});

} // namespace k2k::cli
