// elements.spc read into the element and parameter tables: the read ends with the file
// closed, says why whenever it fails, and every element's parameters lie inside the
// parameter table.

#include "FuzzSupport.h"

#include "platform/FileOps.h"
#include "platform/SuiteServices.h"
#include "simulation/ElementProfiles.h"
#include "simulation/SimulationTables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    static QuietMessageBoxes boxes;
    static SuiteServices services(ScratchFolder() / "suite.ini", boxes);
    static FileOps files(services, boxes);
    WriteBytes(ScratchFolder() / "elements.spc", BytesOf(data, size));

    SimulationTables tables;
    bool errorFlag = false;
    boxes.shown = 0;
    ReadElementProfiles(tables, files, services, errorFlag, ScratchSuitePath("elements.spc"));
    K2K_FUZZ_CHECK(files.OpenCount() == 0);
    K2K_FUZZ_CHECK(errorFlag == (boxes.shown > 0)); // a failure always says why
    K2K_FUZZ_CHECK(tables.elements.Count() <= tables.elements.UpperBound());
    K2K_FUZZ_CHECK(tables.parameters.Count() <= tables.parameters.UpperBound());
    for (const ElementProfile& element : tables.elements.Entries()) {
        K2K_FUZZ_CHECK(element.ParamCount >= 0 && element.ExtraCount >= 0);
        if (!errorFlag)
            K2K_FUZZ_CHECK(tables.ParametersOf(element).size() ==
                           static_cast<std::size_t>(element.ParamCount));
    }
    return 0;
}
