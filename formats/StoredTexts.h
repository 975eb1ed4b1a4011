#pragma once
// The names and info texts the suite stores: one rule for every way in. The project
// database checks it at each change and at open, so whatever a change stores, the project
// opens again; the project builder, the library builder's sources and the import check it
// for what they take in, and a copy of a library object into the project (to view it)
// cuts its info text to it.
//
// The kernel hands names and texts over as C strings, so neither holds a NUL byte, and
// finds objects by name, so a name is never empty. A name goes into command texts for the
// other applications, grid cells and file names: at most 255 bytes, the longest file name
// the suite's file systems allow. An info text holds up to eleven fields of a grid row: at
// most 4095 bytes. Both leave room for the C string's NUL in a buffer of a round size,
// and several times the longest of the open-source EDA tool's libraries (95-byte names,
// 671-byte info texts once imported).

#include <cstddef>
#include <string>
#include <string_view>

namespace k2k {

inline constexpr std::size_t kMaxNameLength = 255;
inline constexpr std::size_t kMaxInfoLength = 4095;

// Why a name cannot be stored ("the name is empty", "the name holds a NUL byte", "the name
// is 300 bytes long (at most 255)"), or empty when it can.
std::string NameFault(std::string_view name);
// The same for an info text, which may be empty.
std::string InfoFault(std::string_view info);

// The info text as the project holds a copy of a library object: up to its first NUL byte,
// where the kernel's C string ends, and at most kMaxInfoLength bytes.
std::string_view HeldInfo(std::string_view info) noexcept;

} // namespace k2k
