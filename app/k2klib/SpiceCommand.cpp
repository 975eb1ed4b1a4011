// k2klib spice --suite DIR: the suite's simulation references as the browser builds them
// at start: the Spice element profiles of elements.spc, the subcircuit index (SUBCIR.IDX
// or the scanned subcircuit files), and the simulator models of the library folder's
// model libraries; then every file that was left out, and why. The browser's own
// messages go to standard error.

#include "Commands.h"
#include "OpenedSuite.h"

#include "browser/BrowserComponent.h"
#include "services/Directories.h"
#include "simulation/SimulationTables.h"
#include "simulation/SubcircuitIndex.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <iomanip>
#include <ostream>

namespace k2k::cli {

namespace {

// A Windows-1252 text in a column of the given width (UTF-8 on output).
struct Column {
    const std::string& text;
    int width;
};

std::ostream& operator<<(std::ostream& out, const Column& column) {
    const std::string utf8 = Cp1252ToUtf8(column.text);
    out << utf8;
    for (std::size_t shown = column.text.size(); shown < std::size_t(column.width); ++shown)
        out << ' ';
    return out << ' ';
}

void WriteElementProfiles(std::ostream& out, const SimulationTables& tables,
                          const std::string& path, bool failed) {
    out << "Element profiles: " << Cp1252ToUtf8(DisplayPath(path)) << '\n';
    if (failed)
        out << "  not read completely: Spice references are not ready\n";
    out << "  " << tables.elements.Count() << " elements, " << tables.parameters.Count()
        << " parameters, " << tables.extras.count << " extra lines\n";
    if (tables.elements.Count() == 0)
        return;
    out << "  Code Model        Variant  Description                              Parameters\n";
    for (const ElementProfile& element : tables.elements.Entries()) {
        out << "  " << Column{element.Code, 4} << Column{element.Model, 12}
            << Column{element.Variant, 8} << Column{element.Description, 40};
        const char* separator = "";
        for (const ElementParameter& parameter : tables.ParametersOf(element)) {
            out << separator << parameter.Index << ' ' << Cp1252ToUtf8(parameter.Name);
            separator = "; ";
        }
        out << '\n';
    }
}

void WriteSubcircuits(std::ostream& out, const SimulationTables& tables, const std::string& dir,
                      SubcircuitSource source) {
    out << "\nSubcircuit index: " << Cp1252ToUtf8(DisplayPath(dir));
    switch (source) {
    case SubcircuitSource::NoFolder:
        out << " (no such folder)\n";
        return;
    case SubcircuitSource::IndexFile:
        out << " (from SUBCIR.IDX)\n";
        break;
    case SubcircuitSource::Scan:
        out << " (scanned: no readable SUBCIR.IDX)\n";
        break;
    }
    out << "  " << tables.subcircuits.Count() << " subcircuits\n";
    if (tables.subcircuits.Count() == 0)
        return;
    out << "  Family     Name       Nodes  Description\n";
    for (const SubcircuitRef& entry : tables.subcircuits.Entries())
        out << "  " << Column{entry.Family, 10} << Column{entry.Name, 10} << std::setw(5)
            << entry.NodeCount << "  " << Cp1252ToUtf8(entry.Description) << '\n';
}

void WriteModels(std::ostream& out, const SimulationTables& tables, const std::string& dir) {
    out << "\nSimulator models: " << Cp1252ToUtf8(DisplayPath(dir)) << '\n'
        << "  " << tables.models.Count() << " models\n";
    if (tables.models.Count() == 0)
        return;
    out << "  Number  Name                       Library       Pins\n";
    for (const SimulatorModel& model : tables.models.Entries())
        out << "  " << std::setw(6) << model.Number << "  " << Column{model.ModelName, 26}
            << Column{model.Library, 13} << Cp1252ToUtf8(model.Pins) << '\n';
}

void RunSpice(const std::string& suite, CommandContext& context) {
    std::ostream& out = context.out;
    const auto opened = OpenSuiteFor("spice", suite, context);
    if (!opened)
        return;
    BrowserComponent& browser = opened->browser;
    const Directories& directories = browser.Dirs();
    const SimulationTables& tables = browser.State().simulation;
    StartupProgress quiet;
    LeftOutFiles leftOut;

    // The order of the browser's start: the subcircuits only after good element profiles.
    const SpiceReferencesRead read = browser.ReadSpiceReferences(quiet, &leftOut);
    WriteElementProfiles(out, tables, directories.ElementProfilePath(), read.elementProfilesFailed);
    if (read.subcircuits)
        WriteSubcircuits(out, tables, directories.kdsSbk, *read.subcircuits);
    else
        out << "\nSubcircuit index: not built, since the element profiles were not read\n";
    browser.CollectSimulatorModels(quiet, &leftOut);
    WriteModels(out, tables, directories.libDir);

    out << "\nLeft out:" << (leftOut.empty() ? " none" : "") << '\n';
    for (const LeftOutFile& file : leftOut)
        out << "  " << Cp1252ToUtf8(DisplayPath(file.path)) << ": " << Cp1252ToUtf8(file.reason)
            << '\n';
    context.exitCode = 0;
}

} // namespace

void AddSpiceCommand(CLI::App& app, CommandContext& context) {
    AddSuiteCommand(app, "spice",
                    "show a suite's Spice element profiles, subcircuits and simulator models",
                    context, RunSpice);
}

} // namespace k2k::cli
