// SUBCIR.IDX read as the subcircuit index: a file that can be read to its end is the
// index, read without any message and with the file closed again; every line becomes at
// most one entry.

#include "FuzzSupport.h"

#include "platform/FileOps.h"
#include "platform/SuiteServices.h"
#include "simulation/SubcircuitIndex.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    static QuietMessageBoxes boxes;
    static SuiteServices services(ScratchFolder() / "suite.ini", boxes);
    static FileOps files(services, boxes);
    std::filesystem::create_directories(ScratchFolder() / "SBK");
    const std::string_view bytes = BytesOf(data, size);
    WriteBytes(ScratchFolder() / "SBK" / "SUBCIR.IDX", bytes);

    SimulationTables tables;
    LeftOutFiles leftOut;
    boxes.shown = 0;
    const SubcircuitSource source =
        BuildSubcircuitIndex(tables, files, ScratchSuitePath("SBK"), &leftOut);
    K2K_FUZZ_CHECK(source == SubcircuitSource::IndexFile);
    K2K_FUZZ_CHECK(files.OpenCount() == 0);
    K2K_FUZZ_CHECK(boxes.shown == 0);
    // Lines end at CR LF, LF or CR, so there are at most as many as line ends plus one.
    const auto lineEnds =
        std::count(bytes.begin(), bytes.end(), '\n') + std::count(bytes.begin(), bytes.end(), '\r');
    K2K_FUZZ_CHECK(tables.subcircuits.Count() + static_cast<long>(leftOut.size()) <= lineEnds + 1);
    return 0;
}
