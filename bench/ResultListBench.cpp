// The part result list at the size a broad search over a million parts leaves: 400,000
// results in 100 libraries. Find In List filters it (a name pattern keeping some 40 %), a
// removal takes every second result (as Delete From List with half the rows selected),
// and the view sorts its rows by the name and by a column read from the info texts. The
// window waits on each of them, so each must stay well under a second. The removals run
// on a sorted list, so the row order is brought in step too.

#include "platform/Kernel.h"
#include "platform/MessageBoxes.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "search/SearchEngine.h"
#include "synthetic/SyntheticObjects.h"
#include "synthetic/SyntheticSuite.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

namespace k2k {
namespace {

constexpr int kResults = 400000;
constexpr int kLibraries = 100;

void Fill(ResultList& results) {
    SyntheticObjects objects(LibraryKind::Part, 1);
    std::string name;
    std::string info;
    std::string library;
    for (int i = 0; i < kResults; ++i) {
        if (i % (kResults / kLibraries) == 0)
            library = SyntheticLibraryName(LibraryKind::Part, i / (kResults / kLibraries) + 1,
                                           kLibraries);
        objects.Next(name, info);
        results.Append(library, name, info, 0, i % kResultColours);
    }
}

std::string_view Manufacturer(const ResultList& results, int i) {
    return results.Part(i).manufacturer;
}

void BM_FindInList(benchmark::State& state) {
    std::ostringstream messages;
    ConsoleMessageBoxes boxes(messages);
    SuiteServices services(std::filesystem::temp_directory_path() / "k2k-no-suite" / "suite.ini",
                           boxes);
    Kernel kernel;
    LibraryCatalogue catalogue;
    const std::string libraryDir;
    const SearchOptions options;
    SearchFeedback feedback;
    int kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SearchState results;
        SearchEngine engine(kernel, services, catalogue, libraryDir, results, options, feedback);
        Fill(results.Results(LibraryKind::Part));
        state.ResumeTiming();
        engine.FindInList(LibraryKind::Part, {"*74*"});
        kept = results.Results(LibraryKind::Part).Count();
        benchmark::DoNotOptimize(kept);
    }
    state.counters["kept"] = kept;
    state.SetItemsProcessed(state.iterations() * kResults);
}

void BM_RemoveHalf(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        ResultList results(LibraryKind::Part);
        Fill(results);
        results.SortRowsByName(true);
        state.ResumeTiming();
        results.RemoveIf([](int i) { return i % 2 == 0; });
        benchmark::DoNotOptimize(results.Count());
    }
    state.SetItemsProcessed(state.iterations() * kResults);
}

void Sort(benchmark::State& state, const ResultList::ColumnText& column) {
    ResultList results(LibraryKind::Part);
    Fill(results);
    for (auto _ : state) {
        results.UnsortRows();
        results.SortRows(column, true);
        benchmark::DoNotOptimize(results.Rows().Result(1));
    }
    state.SetItemsProcessed(state.iterations() * kResults);
}

void BM_SortByName(benchmark::State& state) {
    Sort(state, [](const ResultList& results, int i) { return results.Name(i); });
}
void BM_SortByManufacturer(benchmark::State& state) {
    Sort(state, Manufacturer);
}

BENCHMARK(BM_FindInList)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RemoveHalf)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByManufacturer)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace k2k
