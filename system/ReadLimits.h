#pragma once
// How large a file of each kind may be for the readers that take it into memory whole
// (ReadWholeFile). Each limit lies far above what such a file holds (the largest real one
// is noted beside it) and far below what would exhaust the memory: a larger file is
// refused before a byte of it is read, as is anything that is not a regular file (a FIFO,
// a device such as /dev/zero, a socket), with one of the codes below in place of an errno.

#include <cstdint>

namespace k2k {

inline constexpr std::uint64_t kMegabyte = 1024 * 1024;

// The suite's language texts, TEXTS.LNG: a few thousand short lines, some 100 KB.
inline constexpr std::uint64_t kLanguageTextsLimit = 16 * kMegabyte;
// INI files: the suite's initialisation file and directory settings, the user settings. A
// catalogue of ten thousand libraries is some 300 KB.
inline constexpr std::uint64_t kIniFileLimit = 16 * kMegabyte;
// The text files read line by line through FileOps: the browser profile, elements.spc,
// SUBCIR.IDX and the subcircuit files. An index of 100,000 subcircuits is some 10 MB.
inline constexpr std::uint64_t kLineFileLimit = 64 * kMegabyte;
// The help file: a full one is a few MB.
inline constexpr std::uint64_t kHelpFileLimit = 64 * kMegabyte;
// A CSV source of the library tool: a million parts are some 170 MB; read, a source takes
// about six times its size.
inline constexpr std::uint64_t kCsvSourceLimit = 512 * kMegabyte;
// A file of the open-source EDA tool read as S-expressions: its largest symbol library is
// 9.1 MB, its largest footprint 270 KB; read, a file takes about seven times its size.
inline constexpr std::uint64_t kSExpressionFileLimit = 64 * kMegabyte;
// Any other file read whole (the library tool's list of the libraries it imported).
inline constexpr std::uint64_t kDefaultReadLimit = 64 * kMegabyte;

// The codes of a refused whole-file read that have no errno: the run time's numbers for
// "Path/File access error" and "Out of memory", negated, as FileOps keeps its own. A folder
// is refused with EISDIR.
inline constexpr int kErrNotRegularFile = -75;
inline constexpr int kErrFileTooLarge = -7;

} // namespace k2k
