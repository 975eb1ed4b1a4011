// The browser profile read as at start, written back as after an editing dialog, and read
// again: the tables are the same, except that a text which ended in blanks before a cut-off
// second ":" now ends the line and loses them (lines are trimmed when read). From then on
// writing and reading change nothing.

#include "FuzzSupport.h"

#include "platform/FileOps.h"
#include "platform/SuiteServices.h"
#include "regtypes/BrowserProfile.h"
#include "system/Text.h"

namespace k2k::fuzz {
namespace {

RegTypeTables WrittenAndRead(RegTypeTables& tables, FileOps& files, SuiteServices& services) {
    const std::string copy = ScratchSuitePath("COPY.ini");
    WriteBrowserProfile(tables, files, services, copy);
    RegTypeTables reread;
    int errorFlag = -1;
    ReadBrowserProfile(reread, files, services, errorFlag, copy);
    K2K_FUZZ_CHECK(errorFlag == 0);
    K2K_FUZZ_CHECK(files.OpenCount() == 0);
    return reread;
}

} // namespace
} // namespace k2k::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    auto& [boxes, services, files] = Services();
    WriteBytes(ScratchFolder() / "K2KBRWSR.ini", BytesOf(data, size));

    RegTypeTables tables;
    int errorFlag = -1;
    ReadBrowserProfile(tables, files, services, errorFlag, ScratchSuitePath("K2KBRWSR.ini"));
    K2K_FUZZ_CHECK(errorFlag == 0);
    K2K_FUZZ_CHECK(files.OpenCount() == 0);

    RegTypeTables reread = WrittenAndRead(tables, files, services);
    for (int table = 1; table <= kRegTypeTableCount; ++table) {
        K2K_FUZZ_CHECK(reread.Count(table) == tables.Count(table));
        for (int i = 1; i <= tables.Count(table); ++i) {
            const RegTypeEntry& before = tables.Table(table)[static_cast<std::size_t>(i)];
            const RegTypeEntry& after = reread.Table(table)[static_cast<std::size_t>(i)];
            K2K_FUZZ_CHECK(after.IsUser == before.IsUser && after.Path == before.Path);
            K2K_FUZZ_CHECK(after.Value == TrimRight(before.Value));
        }
    }
    const RegTypeTables again = WrittenAndRead(reread, files, services);
    for (int table = 1; table <= kRegTypeTableCount; ++table)
        K2K_FUZZ_CHECK(again.Table(table) == reread.Table(table));
    return 0;
}
