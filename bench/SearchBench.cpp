// The part search of the engine over a synthetic suite of 100,000 parts in 10 libraries,
// as Find Now runs it: a broad pattern (about 40 % of the parts), a selective one (about
// 0.1 %), one that finds nothing, and a search by description, which reads every info
// text. Reported in objects and bytes of descriptions per second, files in the page cache.
// The whole process against grep on a million parts is scripts/bench-search.sh.

#include "synthetic/SyntheticSuite.h"

#include "platform/Kernel.h"
#include "platform/MessageBoxes.h"
#include "platform/SuiteFolder.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "search/SearchEngine.h"
#include "services/Directories.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace k2k {
namespace {

constexpr int kObjects = 100000;

class BenchSuite final {
public:
    BenchSuite()
        : m_root(std::filesystem::temp_directory_path() /
                 ("k2k-search-bench-" + std::to_string(::getpid()))) {
        SyntheticSuiteOptions options;
        options.suite = m_root;
        options.objects = kObjects;
        options.libraries = 10;
        const auto report = WriteSyntheticSuite(options);
        if (!report)
            throw std::runtime_error(report.Message());
        m_descriptionBytes = static_cast<std::int64_t>(report->descriptionBytes);
    }
    ~BenchSuite() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    BenchSuite(const BenchSuite&) = delete;
    BenchSuite& operator=(const BenchSuite&) = delete;

    const std::filesystem::path& Root() const noexcept { return m_root; }
    std::int64_t DescriptionBytes() const noexcept { return m_descriptionBytes; }

private:
    std::filesystem::path m_root;
    std::int64_t m_descriptionBytes = 0;
};

const BenchSuite& Suite() {
    static const BenchSuite suite;
    return suite;
}

void Search(benchmark::State& state, std::vector<std::string> criteria) {
    const BenchSuite& suite = Suite();
    std::ostringstream messages;
    ConsoleMessageBoxes boxes(messages);
    SuiteServices services(DirectorySettingsOf(suite.Root()), boxes);
    Kernel kernel;
    OpenSuite(suite.Root(), kernel, services);
    Directories directories;
    ReadDirs(services, directories);
    LibraryCatalogue catalogue;
    catalogue.Load(services);
    SearchOptions options;
    SearchFeedback feedback;
    int found = 0;
    for (auto _ : state) {
        SearchState results;
        SearchEngine engine(kernel, services, catalogue, directories.libDir, results, options,
                            feedback);
        engine.FindNow(LibraryKind::Part, criteria);
        found = results.Results(LibraryKind::Part).Count();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
    state.SetItemsProcessed(state.iterations() * kObjects);
    state.SetBytesProcessed(state.iterations() * suite.DescriptionBytes());
}

void BM_SearchBroadName(benchmark::State& state) {
    Search(state, {"*74*"});
}
void BM_SearchSelectiveName(benchmark::State& state) {
    Search(state, {"*PC817*"});
}
void BM_SearchNameFindingNothing(benchmark::State& state) {
    Search(state, {"*NO~MATCH*"});
}
void BM_SearchDescription(benchmark::State& state) {
    Search(state, {"X", "[ALL LIBRARIES]", "*NAND*"});
}

BENCHMARK(BM_SearchBroadName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchSelectiveName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchNameFindingNothing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchDescription)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace k2k
