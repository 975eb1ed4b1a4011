#pragma once
// A suite folder filled with synthetic libraries, for tests and benchmarks that need
// far more objects than the sample suite holds. The folder becomes a suite if it is not
// one (directory settings with LIB, SYS and JOB; an initialisation file); the libraries
// of one kind are written to the library folder as GEN001.PART, GEN002.PART, ... and
// replace that kind's list in the catalogue, so the suite is searched exactly as a real
// one. Libraries and catalogue lists of the other kinds are left as they are.
//
// The export file holds the same descriptions as text, one object per line: the name, a
// TAB, and the info text with its field separators shown as TABs (Windows-1252 bytes as
// stored, LF line ends). It is what a text search over the same bytes reads.

#include "formats/LibraryFile.h"
#include "system/Result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace k2k {

struct SyntheticSuiteOptions {
    std::filesystem::path suite;
    LibraryKind kind = LibraryKind::Part;
    std::int64_t objects = 0; // spread evenly, the first libraries taking one more
    int libraries = 0;        // at least 1, at most objects
    std::uint64_t seed = 1;
    std::optional<std::filesystem::path> exportFile;
    std::vector<std::string> countPatterns; // name patterns whose matches are counted
};

struct SyntheticSuiteReport {
    bool createdSuite = false;
    std::string iniFile;                // suite form
    std::string libraryDir;             // suite form
    std::vector<std::string> libraries; // file names, in catalogue order
    std::vector<std::int32_t> counts;   // objects per library
    std::uint64_t descriptionBytes = 0; // all names and info texts
    std::uint64_t exportBytes = 0;
    std::vector<std::int64_t> patternMatches; // per count pattern
    std::vector<std::string> removed;         // generated libraries of the kind left over
};

// The library file name of number n (from 1) of m: "GEN001.PART"; at least three digits.
std::string SyntheticLibraryName(LibraryKind kind, int n, int m);

// What was written, or the problem when the folder cannot be made a suite or a file cannot be
// written.
Result<SyntheticSuiteReport> WriteSyntheticSuite(const SyntheticSuiteOptions& options);

} // namespace k2k
