#pragma once
// The library file. The header is fixed by the suite (all integers 32-bit little-endian):
//   bytes  0-11  signature, "KaldeDLL20" (parts) or "KaldeSLL20" (the other kinds),
//                padded with NULs
//   bytes 12-15  format version
//   bytes 16-19  number of objects
// The body after it is ours; see LibraryFile.cpp for its layout. Per object it stores
// the name, the info text and the drawing data that the viewers show.
//
// Every reader checks the whole structure it reads and refuses, with a clear problem
// ("PATH: problem"), a file that is not a library, is cut off, or holds bytes that do not
// belong to it; a damaged file never makes a reader read outside what it holds. Where the
// system refused an open or a read, the problem carries its errno.

#include "formats/DescriptionBuffer.h"
#include "system/Result.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class AtomicFileWriter;

enum class LibraryKind : std::uint8_t { Part = 0, Symbol = 1, Package = 2, Padstack = 3 };

inline constexpr std::string_view kPartLibrarySignature = "KaldeDLL20";
inline constexpr std::string_view kSymbolLibrarySignature = "KaldeSLL20";

// The format version this program writes and reads (bytes 12-15).
inline constexpr std::int32_t kLibraryFormatVersion = 2;
inline constexpr std::size_t kLibraryHeaderSize = 20;

std::string_view SignatureOf(LibraryKind kind) noexcept;

struct LibraryObject {
    std::string name;    // Windows-1252
    std::string info;    // Windows-1252; fields separated by the byte 0x80
    std::string drawing; // drawing data for the viewers; may be empty
};

struct LibraryHeader {
    std::string signature; // without the NUL padding
    std::int32_t version = 0;
    std::int32_t count = 0;
};

// A whole library: what the kernel holds while a library is open.
struct LibraryContents {
    LibraryHeader header;
    LibraryKind kind = LibraryKind::Part;
    std::vector<LibraryObject> objects;
};

// The description record of one object: three text fields that refer into the buffer
// they were read into. Part libraries: name, unused, info text. The other kinds: name,
// info text, unused.
struct LibraryInfoRecord {
    std::string_view field1;
    std::string_view field2;
    std::string_view field3;
};

// True when the file is a regular file that opens for reading. A FIFO, a device or a
// folder is not a library, and asking never blocks.
bool LibraryFileReadable(const std::filesystem::path& file);

// Reads only the 20 header bytes, as they stand (the signature up to its first NUL).
// Refused when the file cannot be read or is shorter than a header.
Result<LibraryHeader> ReadLibraryHeader(const std::filesystem::path& file);

// Reads and checks the whole library, drawing data included.
Result<LibraryContents> ReadLibrary(const std::filesystem::path& file);

// Reads the names and info texts of all objects, in library order, as one piece of the
// file into one buffer; the records refer into buffer and nothing is allocated per object.
// The drawing data is not read. records is cleared first, so a caller that reuses it
// across libraries allocates nothing once it is large enough. A search that tests only
// names touches only the names: they lie together in the file. wholeTexts: the caller
// expects to read most info texts. Safe on any thread with a buffer of its own; a read
// given up because cancel was set is refused.
Status ReadLibraryDescriptions(const std::filesystem::path& file, LibraryKind& kind,
                               DescriptionBuffer& buffer, std::vector<LibraryInfoRecord>& records,
                               bool wholeTexts = false, const std::atomic<bool>* cancel = nullptr);

// The same for a search, with one opening of the file: NotAFile when it is missing or not
// a regular file that opens, NoObjects when its header, as it stands, is cut off or counts
// no objects, Read when the descriptions were read; refused when they cannot be read as
// above.
enum class LibrarySearchRead { NotAFile, NoObjects, Read };
Result<LibrarySearchRead> ReadLibraryForSearch(const std::filesystem::path& file, LibraryKind& kind,
                                               DescriptionBuffer& buffer,
                                               std::vector<LibraryInfoRecord>& records,
                                               bool wholeTexts,
                                               const std::atomic<bool>* cancel = nullptr);

// Writes a library atomically (beside the old file, flushed, renamed over it). Refused when
// an object cannot be stored (an empty name, a text too long for the format) or the file
// cannot be written (the writer's errno then comes with the problem); the old file is then
// untouched and no new file is left.
Status WriteLibrary(const std::filesystem::path& file, LibraryKind kind,
                    const std::vector<LibraryObject>& objects);
// The same through a writer that the caller prepared (its test hooks); the writer must
// not be open.
Status WriteLibrary(AtomicFileWriter& writer, const std::filesystem::path& file, LibraryKind kind,
                    const std::vector<LibraryObject>& objects);

} // namespace k2k
