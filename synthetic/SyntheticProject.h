#pragma once
// A project database to go with a synthetic suite, for benchmarks of opening a large
// project. Its part map holds the same parts, in the same order, as the suite's part
// libraries of the same seed; its symbol map a symbol and a package per thousand parts
// (at least one of each); one hierarchy, "TOP", places a component on every hundredth
// part (at least one), in the schematic with a symbol and in the layout with a package,
// a page for every hundred components. The same arguments always write the same bytes.

#include "system/Result.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace k2k {

struct SyntheticProjectReport {
    std::int64_t parts = 0;
    int symbols = 0; // and as many packages
    int pages = 0;
    int components = 0; // in each editor
};

// What was written, or the problem when the project cannot be written.
Result<SyntheticProjectReport> WriteSyntheticProject(const std::filesystem::path& file,
                                                     std::int64_t parts, std::uint64_t seed);

} // namespace k2k
