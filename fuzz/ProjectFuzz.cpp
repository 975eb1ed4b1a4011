// A project database file as the kernel opens it, then listed as the searches list it:
// every part and every object of each kind of the symbol map, read, found again by its
// name and given its project status (which walks the components of every hierarchy).
// The file is taken as it is, SQLite pages and all; a file that is not a project is
// refused with a reason.

#include "FuzzSupport.h"

#include "platform/Kernel.h"
#include "search/ProjectStatus.h"
#include "search/ResultList.h"

#include <cstring>

namespace k2k::fuzz {
namespace {

// Objects beyond this many per map are not checked, so that one input stays quick.
constexpr int kMostChecked = 200;

void ListMap(Kernel& kernel, LibraryKind kind) {
    const bool parts = kind == LibraryKind::Part;
    const int map = parts ? kernel.DB_DeviceMap() : kernel.DB_SymbMap();
    K2K_FUZZ_CHECK(map > 0);
    const KindMasks masks = MasksOf(kind);
    int cursor = kernel.OM_GetFirst(map);
    for (int checked = 0; checked < kMostChecked; ++checked) {
        const int index = kernel.OM_SearchMask(map, cursor, masks.a, masks.b);
        if (index == 0)
            break;
        if (index < 0)
            continue;
        std::string name;
        if (parts) {
            DeviceRecord record;
            K2K_FUZZ_CHECK(kernel.D_ReadDevice(index, record) != 0);
            K2K_FUZZ_CHECK(record.name != nullptr && record.info != nullptr);
            name = record.name;
            K2K_FUZZ_CHECK(std::strlen(record.info) < (std::size_t(1) << 30));
        } else {
            SymbolRecord record;
            K2K_FUZZ_CHECK(kernel.S_ReadSymbol(index, record) != 0);
            K2K_FUZZ_CHECK(record.name != nullptr && record.info != nullptr);
            K2K_FUZZ_CHECK((record.flags & masks.b) == masks.a);
            name = record.name;
            K2K_FUZZ_CHECK(std::strlen(record.info) < (std::size_t(1) << 30));
        }
        const std::string fullName =
            kernel.O_GetName(parts ? kernel.D_Device(index) : kernel.S_Symbol(index));
        K2K_FUZZ_CHECK(fullName == name);
        K2K_FUZZ_CHECK(FindInProject(kernel, kind, name) != 0);
        const std::int32_t status = ProjectStatus(kernel, kind, name);
        K2K_FUZZ_CHECK((status & kInProject) != 0);
    }
}

} // namespace
} // namespace k2k::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    // No journal of an earlier input may be replayed into this one.
    for (const char* leftOver : {"FUZZ.K2K-journal", "FUZZ.K2K-wal", "FUZZ.K2K-shm"})
        std::filesystem::remove(ScratchFolder() / leftOver);
    WriteBytes(ScratchFolder() / "FUZZ.K2K", BytesOf(data, size));

    Kernel kernel;
    const Status opened = kernel.OpenProject(ScratchSuitePath("FUZZ.K2K"));
    if (!opened) {
        K2K_FUZZ_CHECK(!opened.Message().empty());
        return 0;
    }
    K2K_FUZZ_CHECK(kernel.DB_DataBase() > 0);
    for (const LibraryKind kind :
         {LibraryKind::Part, LibraryKind::Symbol, LibraryKind::Package, LibraryKind::Padstack})
        ListMap(kernel, kind);
    kernel.CloseProject();
    return 0;
}
