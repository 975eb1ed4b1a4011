// Reading the descriptions of a part library, as every part search does once per library.
// Reported in bytes of library file per second, against a file in the page cache.

#include "platform/KernelLibraries.h"
#include "search/InfoText.h"
#include "system/NativePath.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace k2k {
namespace {

constexpr int kParts = 10000;

// A library of kParts parts with info texts of about 120 bytes, written once per run.
class PartLibrary final {
public:
    PartLibrary() {
        m_folder =
            std::filesystem::temp_directory_path() / ("k2k-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        std::vector<LibraryObject> parts;
        parts.reserve(kParts);
        for (int i = 0; i < kParts; ++i) {
            const std::string number = std::to_string(7400 + i);
            const std::string info =
                ComposePartInfo(i % 3 == 0 ? "DIP14" : "SO14",
                                {"Quad 2-input positive NAND gate " + number, "EIC-" + number, "",
                                 "Acme Logic", "GATE,NAND", "LS", i % 3 == 0 ? "DIL" : "SMD",
                                 "LOGIC", "X\\74" + number + "\\A", "NAND,PWR"});
            parts.push_back({"SN" + number + "N", info, std::string(64, 'd')});
        }
        if (const Status written = WriteLibrary(m_folder / "BENCH.PART", LibraryKind::Part, parts);
            !written)
            throw std::runtime_error(written.Message());
        m_path = JoinPath(SuitePath(m_folder).Value(), "BENCH.PART");
    }
    ~PartLibrary() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    PartLibrary(const PartLibrary&) = delete;
    PartLibrary& operator=(const PartLibrary&) = delete;

    const std::string& Path() const noexcept { return m_path; }
    std::int64_t DescriptionBytes() const {
        // The file less its drawings: what a search reads.
        return static_cast<std::int64_t>(std::filesystem::file_size(NativePath(m_path))) -
               kParts * (4 + 64);
    }

private:
    std::filesystem::path m_folder;
    std::string m_path;
};

const PartLibrary& Library() {
    static const PartLibrary library;
    return library;
}

void BM_GetPartInfo(benchmark::State& state) {
    const PartLibrary& library = Library();
    KernelLibraries kernel;
    LibraryDescriptions records;
    for (auto _ : state) {
        const int filled = kernel.E_GetPartInfo(library.Path(), kParts, records);
        if (filled != kParts)
            state.SkipWithError("the library did not read");
        benchmark::DoNotOptimize(records.records.data());
    }
    state.SetBytesProcessed(state.iterations() * library.DescriptionBytes());
    state.SetItemsProcessed(state.iterations() * kParts);
}
BENCHMARK(BM_GetPartInfo)->Unit(benchmark::kMicrosecond);

// The same with every info text split into its fields, as a search tests each part.
void BM_GetPartInfoAndSplit(benchmark::State& state) {
    const PartLibrary& library = Library();
    KernelLibraries kernel;
    LibraryDescriptions records;
    for (auto _ : state) {
        kernel.E_GetPartInfo(library.Path(), kParts, records);
        std::size_t packages = 0;
        for (const LibraryInfoRecord& record : records.records)
            packages += SplitPartInfo(record.field3).package.size();
        benchmark::DoNotOptimize(packages);
    }
    state.SetBytesProcessed(state.iterations() * library.DescriptionBytes());
    state.SetItemsProcessed(state.iterations() * kParts);
}
BENCHMARK(BM_GetPartInfoAndSplit)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace k2k
