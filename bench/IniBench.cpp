// The search sequence of a suite with many part libraries, as the initialisation file holds
// it: the catalogue's Load (the four lists, as a search reads them; the file kept parsed,
// or changed before every Load and so parsed again), its Save (every old key removed and
// every entry written, then one rewrite of the file), the search-sequence dialog's lists
// (the folder's files matched to the catalogue's entries), and the display options read
// from the settings file. Reported per library, so a cost that grows with the number of
// libraries shows as a time per library that grows too.

#include "options/DisplayOptions.h"
#include "platform/MessageBoxes.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "search/SearchSequence.h"
#include "system/NativePath.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace k2k {
namespace {

// A suite folder holding only its initialisation file, with libraries part libraries
// (and a few of the other kinds) and the display options of every kind.
class IniSuite final {
public:
    explicit IniSuite(int libraries)
        : m_root(
              std::filesystem::temp_directory_path() /
              ("k2k-ini-bench-" + std::to_string(::getpid()) + "-" + std::to_string(libraries))) {
        std::filesystem::create_directories(m_root / "LIB");
        for (int i = 1; i <= libraries; ++i)
            std::ofstream(m_root / "LIB" / ("GEN" + std::to_string(i) + ".PART"));
        std::ofstream ini(m_root / "kalde2000.ini", std::ios::binary);
        ini << "[Kalde2000]\r\nProject=JOB\\BENCH.K2K\r\n[DEVLIBS]\r\n";
        for (int i = 1; i <= libraries; ++i)
            ini << i << "=GEN" << i << ".PART\r\n";
        for (const char* section : {"SCHLIBS", "LAYLIBS", "PADLIBS"}) {
            ini << "[" << section << "]\r\n";
            for (int i = 1; i <= 10; ++i)
                ini << i << "=LIB" << i << ".X\r\n";
        }
        std::ofstream settings(m_root / "suite.ini", std::ios::binary);
        settings << "[Kalde2K]\r\nLibDir=LIB\r\n";
        for (const char* section : {"Browser Part Options", "Browser Symbol Options",
                                    "Browser Package Options", "Browser Padstack Options"}) {
            settings << "[" << section << "]\r\nNumber=20\r\n";
            for (int i = 1; i <= 20; ++i)
                settings << i << "=Column " << i << ",1\r\n";
        }
        settings.close();
        ini.close();
        // Files that have not changed for a while, as a suite's usually are.
        for (const char* file : {"kalde2000.ini", "suite.ini"})
            std::filesystem::last_write_time(m_root / file,
                                             std::filesystem::file_time_type::clock::now() -
                                                 std::chrono::hours(1));
    }
    ~IniSuite() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    IniSuite(const IniSuite&) = delete;
    IniSuite& operator=(const IniSuite&) = delete;

    const std::filesystem::path& Root() const noexcept { return m_root; }

private:
    std::filesystem::path m_root;
};

struct Services {
    explicit Services(const IniSuite& suite)
        : boxes(messages), services(suite.Root() / "suite.ini", boxes) {
        services.SetIniFile(SuitePath(suite.Root() / "kalde2000.ini").Value());
    }
    std::ostringstream messages;
    ConsoleMessageBoxes boxes;
    SuiteServices services;
};

// changeFirst: the file changes before every Load, which then reads and parses it again.
void LoadCatalogue(benchmark::State& state, bool changeFirst) {
    const IniSuite suite(static_cast<int>(state.range(0)));
    Services services(suite);
    for (auto _ : state) {
        if (changeFirst) {
            state.PauseTiming();
            std::filesystem::last_write_time(suite.Root() / "kalde2000.ini",
                                             std::filesystem::file_time_type::clock::now());
            state.ResumeTiming();
        }
        LibraryCatalogue catalogue;
        catalogue.Load(services.services);
        benchmark::DoNotOptimize(catalogue.Count(LibraryKind::Part));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CatalogueLoad(benchmark::State& state) {
    LoadCatalogue(state, false);
}
void BM_CatalogueLoadChangedFile(benchmark::State& state) {
    LoadCatalogue(state, true);
}

void BM_CatalogueSave(benchmark::State& state) {
    const IniSuite suite(static_cast<int>(state.range(0)));
    Services services(suite);
    LibraryCatalogue catalogue;
    catalogue.Load(services.services);
    for (auto _ : state) {
        if (!catalogue.Save(services.services))
            state.SkipWithError("the catalogue was not saved");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SearchSequenceFill(benchmark::State& state) {
    const IniSuite suite(static_cast<int>(state.range(0)));
    Services services(suite);
    LibraryCatalogue catalogue;
    catalogue.Load(services.services);
    const std::string libraryDir = SuitePath(suite.Root() / "LIB").Value();
    for (auto _ : state) {
        SearchSequence sequence;
        sequence.Fill(catalogue, libraryDir);
        benchmark::DoNotOptimize(sequence.Entries(LibraryKind::Part).size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_DisplayOptionsLoad(benchmark::State& state) {
    const IniSuite suite(1);
    Services services(suite);
    for (auto _ : state) {
        DisplayOptions options;
        LoadDisplayOptions(options, services.services);
        benchmark::DoNotOptimize(options.UpperBound(LibraryKind::Part));
    }
}

BENCHMARK(BM_CatalogueLoad)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatalogueLoadChangedFile)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatalogueSave)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchSequenceFill)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DisplayOptionsLoad)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace k2k
