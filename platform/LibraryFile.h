#pragma once
// The library file. The header is fixed by the suite (all integers 32-bit little-endian):
//   bytes  0-11  signature, "KaldeDLL20" (parts) or "KaldeSLL20" (the other kinds),
//                padded with NULs
//   bytes 12-15  format version
//   bytes 16-19  number of objects
// The body after it is ours; see LibraryFile.cpp for its layout. Per object it stores
// the name, the info text and the drawing data that the viewers show.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

enum class LibraryKind : std::uint8_t { Part = 0, Symbol = 1, Package = 2, Padstack = 3 };

inline constexpr std::string_view kPartLibrarySignature = "KaldeDLL20";
inline constexpr std::string_view kSymbolLibrarySignature = "KaldeSLL20";

std::string_view SignatureOf(LibraryKind kind) noexcept;

struct LibraryObject {
    std::string name;     // Windows-1252
    std::string info;     // Windows-1252; fields separated by the byte 0x80
    std::string drawing;  // drawing data for the viewers; may be empty
};

struct LibraryHeader {
    std::string signature;  // without the NUL padding
    std::int32_t version = 0;
    std::int32_t count = 0;
};

}  // namespace k2k
