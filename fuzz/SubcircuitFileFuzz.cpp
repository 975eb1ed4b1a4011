// A subcircuit file (FUZZ.SBC) checked by name, and found by the scan of its folder when
// there is no index: the scan takes it exactly when the check passes, with the same
// description and node count, and neither leaves a file open.

#include "FuzzSupport.h"

#include "platform/FileOps.h"
#include "platform/SuiteServices.h"
#include "simulation/SubcircuitIndex.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    auto& [boxes, services, files] = Services();
    std::filesystem::create_directories(ScratchFolder() / "SBK");
    WriteBytes(ScratchFolder() / "SBK" / "FUZZ.SBC", BytesOf(data, size));
    const std::string folder = ScratchSuitePath("SBK");

    SubcircuitRef record;
    record.Name = "FUZZ";
    const Status checked = CheckSubcircuitFile(record, files, folder);
    const bool passed = checked.Ok();
    K2K_FUZZ_CHECK(passed || !checked.Message().empty());
    K2K_FUZZ_CHECK(files.OpenCount() == 0);

    SimulationTables tables;
    K2K_FUZZ_CHECK(BuildSubcircuitIndex(tables, files, folder) == SubcircuitSource::Scan);
    K2K_FUZZ_CHECK(files.OpenCount() == 0);
    K2K_FUZZ_CHECK(tables.subcircuits.Count() == (passed ? 1 : 0));
    if (passed) {
        const SubcircuitRef& scanned = tables.subcircuits[1];
        K2K_FUZZ_CHECK(scanned.Name == "FUZZ");
        K2K_FUZZ_CHECK(scanned.Description == record.Description);
        K2K_FUZZ_CHECK(scanned.NodeCount == record.NodeCount);
    }
    return 0;
}
