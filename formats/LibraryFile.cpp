#include "formats/LibraryFile.h"

#include "system/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

// Layout of a library file. All integers are little-endian; lengths and sizes unsigned.
//
//   offset  width  content
//        0     12  signature, "KaldeDLL20" (part libraries) or "KaldeSLL20" (symbol,
//                  package and padstack libraries), padded with NULs
//       12      4  format version (2), signed
//       16      4  object count N, signed, never negative
//       20      1  library kind: 0 part, 1 symbol, 2 package, 3 padstack (packages,
//                  symbols and padstacks share a signature; the kernel needs to know which)
//       21      3  zero
//       24      8  D, the size of the description section
//       32      8  W, the size of the drawing section
//       40      D  description section:
//                    8N  per object, in library order: 4 name length (never 0),
//                        4 info length
//                        the names, one after the other, in library order
//                        the info texts, one after the other, in library order
//                        (Windows-1252, no terminators)
//     40+D      W  drawing section: per object, in library order,
//                    4  drawing length
//                       the drawing data
//   40+D+W         end of file; any byte beyond it makes the file invalid
//
// The descriptions come first and in one piece so that a search reads them with one
// read into one buffer and never touches the drawings. The lengths stand together before
// the texts, so the records are found without reading the texts, and the names stand
// together, so a search by name reads little more than the names. Every length is checked
// against its section, so a damaged file is refused instead of being read past its end.

namespace k2k {

namespace {

constexpr std::size_t kSignatureWidth = 12;
constexpr std::size_t kBodyStart = 40;
constexpr std::uint64_t kDescriptionRecordMinimum = 8;
constexpr std::uint64_t kDrawingRecordMinimum = 4;
constexpr std::size_t kWriteChunk = 64 * 1024;

std::uint32_t LoadU32(const char* bytes) noexcept {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

std::uint64_t LoadU64(const char* bytes) noexcept {
    return static_cast<std::uint64_t>(LoadU32(bytes)) |
           static_cast<std::uint64_t>(LoadU32(bytes + 4)) << 32;
}

void StoreU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void StoreU64(std::string& out, std::uint64_t value) {
    StoreU32(out, static_cast<std::uint32_t>(value));
    StoreU32(out, static_cast<std::uint32_t>(value >> 32));
}

std::string Number(std::uint64_t value) {
    return std::to_string(value);
}

// A signature as it can be shown: printable ASCII kept, anything else as \xNN.
std::string Printable(std::string_view bytes) {
    std::string text;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F) {
            text += c;
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            text += "\\x";
            text += kHex[u >> 4];
            text += kHex[u & 0xF];
        }
    }
    return text;
}

LibraryHeader DecodeHeader(const char* bytes) {
    LibraryHeader header;
    const std::string_view field(bytes, kSignatureWidth);
    header.signature = std::string(field.substr(0, field.find('\0')));
    header.version = static_cast<std::int32_t>(LoadU32(bytes + 12));
    header.count = static_cast<std::int32_t>(LoadU32(bytes + 16));
    return header;
}

bool SignatureFieldIs(const char* bytes, std::string_view signature) noexcept {
    std::string_view field(bytes, kSignatureWidth);
    return field.substr(0, signature.size()) == signature &&
           field.find_first_not_of('\0', signature.size()) == std::string_view::npos;
}

// What the first 40 bytes say, once checked against the size of the file.
struct Prefix {
    LibraryHeader header;
    LibraryKind kind = LibraryKind::Part;
    std::uint64_t descriptionSize = 0;
    std::uint64_t drawingSize = 0;
};

// bytes holds the first min(fileSize, 40) bytes of the file.
Result<Prefix> CheckPrefix(std::string_view bytes, std::uint64_t fileSize) {
    if (bytes.size() < kLibraryHeaderSize)
        return Problem{"not a library file: it holds " + Number(fileSize) +
                       " bytes, less than a library header"};
    Prefix prefix;
    const bool isPart = SignatureFieldIs(bytes.data(), kPartLibrarySignature);
    if (!isPart && !SignatureFieldIs(bytes.data(), kSymbolLibrarySignature))
        return Problem{"not a library file: unknown signature \"" +
                       Printable(bytes.substr(0, kSignatureWidth)) + "\""};
    prefix.header = DecodeHeader(bytes.data());
    if (prefix.header.version != kLibraryFormatVersion)
        return Problem{"library format version " + std::to_string(prefix.header.version) +
                       " is not supported (this program reads version " +
                       std::to_string(kLibraryFormatVersion) + ")"};
    if (prefix.header.count < 0)
        return Problem{"the header gives a negative object count (" +
                       std::to_string(prefix.header.count) + ")"};
    if (bytes.size() < kBodyStart)
        return Problem{"the library is cut off after " + Number(fileSize) + " bytes"};
    const auto kind = static_cast<unsigned char>(bytes[20]);
    if (kind > static_cast<unsigned char>(LibraryKind::Padstack))
        return Problem{"unknown library kind " + std::to_string(kind)};
    prefix.kind = static_cast<LibraryKind>(kind);
    if ((prefix.kind == LibraryKind::Part) != isPart)
        return Problem{"the signature " + prefix.header.signature + " does not fit a " +
                       (isPart ? "library of symbols, packages or padstacks" : "part library")};
    if (bytes[21] != 0 || bytes[22] != 0 || bytes[23] != 0)
        return Problem{"the reserved bytes 21 to 23 are not zero"};
    prefix.descriptionSize = LoadU64(bytes.data() + 24);
    prefix.drawingSize = LoadU64(bytes.data() + 32);
    const std::uint64_t room = fileSize - kBodyStart;
    if (prefix.descriptionSize > room || prefix.drawingSize > room - prefix.descriptionSize)
        return Problem{"the library is cut off after " + Number(fileSize) + " bytes"};
    const std::uint64_t end = kBodyStart + prefix.descriptionSize + prefix.drawingSize;
    if (end < fileSize)
        return Problem{Number(fileSize - end) + " bytes follow the end of the library"};
    const auto count = static_cast<std::uint64_t>(prefix.header.count);
    if (count > prefix.descriptionSize / kDescriptionRecordMinimum ||
        count > prefix.drawingSize / kDrawingRecordMinimum)
        return Problem{"the header announces " + Number(count) +
                       " objects, more than the library holds"};
    return prefix;
}

// Splits the description section into its records: first the lengths are checked against
// the section, then the records are made. The caller has checked that the count's lengths
// fit in the section. Answers where the info texts start in the section.
Result<std::uint64_t> ParseDescriptions(const char* data, std::uint64_t size, std::int32_t count,
                                        bool parts, std::vector<LibraryInfoRecord>& records) {
    records.clear();
    const auto n = static_cast<std::uint64_t>(count);
    const std::uint64_t texts = size - kDescriptionRecordMinimum * n;
    std::uint64_t namesSize = 0;
    std::uint64_t total = 0;
    for (std::uint64_t i = 0; i < n; ++i) {
        const std::uint32_t nameLength = LoadU32(data + 8 * i);
        const std::uint32_t infoLength = LoadU32(data + 8 * i + 4);
        if (nameLength == 0)
            return Problem{"object " + Number(i + 1) + " has an empty name"};
        namesSize += nameLength;
        total += std::uint64_t{nameLength} + infoLength;
        if (total > texts)
            return Problem{"the description of object " + Number(i + 1) +
                           " runs past the end of its section"};
    }
    if (total != texts)
        return Problem{Number(texts - total) + " bytes follow the description of the last object"};
    records.resize(static_cast<std::size_t>(n));
    const char* name = data + kDescriptionRecordMinimum * n;
    const char* info = name + namesSize;
    for (std::uint64_t i = 0; i < n; ++i) {
        const std::uint32_t nameLength = LoadU32(data + 8 * i);
        const std::uint32_t infoLength = LoadU32(data + 8 * i + 4);
        LibraryInfoRecord& record = records[static_cast<std::size_t>(i)];
        record.field1 = std::string_view(name, nameLength);
        (parts ? record.field3 : record.field2) = std::string_view(info, infoLength);
        (parts ? record.field2 : record.field3) = std::string_view();
        name += nameLength;
        info += infoLength;
    }
    return kDescriptionRecordMinimum * n + namesSize;
}

Status ParseDrawings(const char* data, std::uint64_t size, std::vector<LibraryObject>& objects) {
    std::uint64_t at = 0;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (size - at < kDrawingRecordMinimum)
            return Problem{"the drawing of object " + std::to_string(i + 1) + " is cut off"};
        const std::uint32_t length = LoadU32(data + at);
        at += kDrawingRecordMinimum;
        if (length > size - at)
            return Problem{"the drawing of object " + std::to_string(i + 1) +
                           " runs past the end of its section"};
        objects[i].drawing.assign(data + at, length);
        at += length;
    }
    if (at != size)
        return Problem{Number(size - at) + " bytes follow the drawing of the last object"};
    return {};
}

// A file opened for reading, closed when it goes. Every library is opened here. The open
// never blocks (a FIFO without a writer, a device), and Check refuses what is not a
// regular file before anything is read.
class InputFile final {
public:
    explicit InputFile(const std::filesystem::path& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
        m_openErrno = m_fd < 0 ? errno : 0;
    }
    ~InputFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens and measures the file: its size, or why it is not a readable file.
    Result<std::uint64_t> Check() const {
        if (m_fd < 0)
            return SystemRefused("cannot open the file: ", m_openErrno);
        struct stat status {};
        if (::fstat(m_fd, &status) != 0)
            return SystemRefused("cannot read the file: ", errno);
        if (!S_ISREG(status.st_mode))
            return Problem{"not a library file: not a regular file"};
        return static_cast<std::uint64_t>(status.st_size);
    }

    // Reads size bytes, or fewer when the file ends first: how many it read.
    Result<std::size_t> Read(char* data, std::size_t size) const {
        std::size_t got = 0;
        while (got < size) {
            const ssize_t n = ::read(m_fd, data + got, size - got);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return SystemRefused("cannot read the file: ", errno);
            }
            if (n == 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        return got;
    }

    Status ReadExactly(char* data, std::size_t size) const {
        const Result<std::size_t> got = Read(data, size);
        if (!got)
            return got.Error();
        if (*got < size)
            return Problem{"the library is cut off (it shrank while being read)"};
        return {};
    }

    int Descriptor() const noexcept { return m_fd; }

private:
    static Problem SystemRefused(const char* what, int errorNumber) {
        return Problem{what + std::string(std::strerror(errorNumber)), 0, errorNumber};
    }

    int m_fd;
    int m_openErrno = 0;
};

// A problem of a library file, as its readers and writers report it: "PATH: problem".
Problem InFile(const std::filesystem::path& file, Problem problem) {
    problem.message = file.string() + ": " + problem.message;
    return problem;
}

// Reads and checks the first 40 bytes of file, open as input; a problem names the file.
Result<Prefix> ReadPrefix(const std::filesystem::path& file, const InputFile& input) {
    const Result<std::uint64_t> fileSize = input.Check();
    if (!fileSize)
        return InFile(file, fileSize.Error());
    char bytes[kBodyStart];
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(*fileSize, kBodyStart));
    if (Status read = input.ReadExactly(bytes, wanted); !read)
        return InFile(file, std::move(read).Error());
    Result<Prefix> prefix = CheckPrefix(std::string_view(bytes, wanted), *fileSize);
    if (!prefix)
        return InFile(file, std::move(prefix).Error());
    return prefix;
}

} // namespace

std::string_view SignatureOf(LibraryKind kind) noexcept {
    return kind == LibraryKind::Part ? kPartLibrarySignature : kSymbolLibrarySignature;
}

bool LibraryFileReadable(const std::filesystem::path& file) {
    return InputFile(file).Check().Ok();
}

Result<LibraryHeader> ReadLibraryHeader(const std::filesystem::path& file) {
    InputFile input(file);
    if (const Result<std::uint64_t> fileSize = input.Check(); !fileSize)
        return InFile(file, fileSize.Error());
    char bytes[kLibraryHeaderSize];
    const Result<std::size_t> got = input.Read(bytes, sizeof bytes);
    if (!got)
        return InFile(file, got.Error());
    if (*got < sizeof bytes)
        return InFile(file, Problem{"not a library file: it holds " + Number(*got) +
                                    " bytes, less than a library header"});
    return DecodeHeader(bytes);
}

Result<LibraryContents> ReadLibrary(const std::filesystem::path& file) {
    InputFile input(file);
    Result<Prefix> prefix = ReadPrefix(file, input);
    if (!prefix)
        return std::move(prefix).Error();

    // The prefix has checked both sizes against the file's size.
    std::string body(static_cast<std::size_t>(prefix->descriptionSize + prefix->drawingSize), '\0');
    if (Status read = input.ReadExactly(body.data(), body.size()); !read)
        return InFile(file, std::move(read).Error());
    std::vector<LibraryInfoRecord> records;
    if (auto parsed = ParseDescriptions(body.data(), prefix->descriptionSize, prefix->header.count,
                                        true, records);
        !parsed)
        return InFile(file, std::move(parsed).Error());

    LibraryContents contents;
    contents.objects.resize(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        contents.objects[i].name = records[i].field1;
        contents.objects[i].info = records[i].field3;
    }
    if (Status drawn = ParseDrawings(body.data() + prefix->descriptionSize, prefix->drawingSize,
                                     contents.objects);
        !drawn)
        return InFile(file, std::move(drawn).Error());
    contents.header = std::move(prefix->header);
    contents.kind = prefix->kind;
    return contents;
}

namespace {

// The description section of a library whose prefix has been read and checked.
Status LoadDescriptions(const std::filesystem::path& file, const InputFile& input,
                        const Prefix& prefix, DescriptionBuffer& buffer,
                        std::vector<LibraryInfoRecord>& records, bool wholeTexts,
                        const std::atomic<bool>* cancel) {
    const auto size = static_cast<std::size_t>(prefix.descriptionSize);
    Result<const char*> section =
        buffer.Load(input.Descriptor(), kBodyStart, size, wholeTexts, cancel);
    if (!section)
        return InFile(file, std::move(section).Error());
    Result<std::uint64_t> infoOffset = ParseDescriptions(*section, size, prefix.header.count,
                                                         prefix.kind == LibraryKind::Part, records);
    if (!infoOffset) {
        records.clear();
        return InFile(file, std::move(infoOffset).Error());
    }
    buffer.ExpectScatteredReads(static_cast<std::size_t>(*infoOffset), size);
    return {};
}

} // namespace

Status ReadLibraryDescriptions(const std::filesystem::path& file, LibraryKind& kind,
                               DescriptionBuffer& buffer, std::vector<LibraryInfoRecord>& records,
                               bool wholeTexts, const std::atomic<bool>* cancel) {
    records.clear();
    InputFile input(file);
    Result<Prefix> prefix = ReadPrefix(file, input);
    if (!prefix)
        return std::move(prefix).Error();
    if (Status loaded = LoadDescriptions(file, input, *prefix, buffer, records, wholeTexts, cancel);
        !loaded)
        return loaded;
    kind = prefix->kind;
    return {};
}

Result<LibrarySearchRead> ReadLibraryForSearch(const std::filesystem::path& file, LibraryKind& kind,
                                               DescriptionBuffer& buffer,
                                               std::vector<LibraryInfoRecord>& records,
                                               bool wholeTexts, const std::atomic<bool>* cancel) {
    records.clear();
    InputFile input(file);
    const Result<std::uint64_t> fileSize = input.Check();
    if (!fileSize)
        return LibrarySearchRead::NotAFile;
    // The header as it stands: a file too short for one, or one that counts no objects,
    // holds nothing to search, whatever else is wrong with it.
    char bytes[kBodyStart];
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(*fileSize, kBodyStart));
    const Result<std::size_t> got = input.Read(bytes, wanted);
    if (!got || *got < kLibraryHeaderSize || DecodeHeader(bytes).count <= 0)
        return LibrarySearchRead::NoObjects;
    Result<Prefix> prefix = CheckPrefix(std::string_view(bytes, *got), *fileSize);
    if (!prefix)
        return InFile(file, std::move(prefix).Error());
    if (Status loaded = LoadDescriptions(file, input, *prefix, buffer, records, wholeTexts, cancel);
        !loaded)
        return std::move(loaded).Error();
    kind = prefix->kind;
    return LibrarySearchRead::Read;
}

Status WriteLibrary(const std::filesystem::path& file, LibraryKind kind,
                    const std::vector<LibraryObject>& objects) {
    AtomicFileWriter writer;
    return WriteLibrary(writer, file, kind, objects);
}

Status WriteLibrary(AtomicFileWriter& writer, const std::filesystem::path& file, LibraryKind kind,
                    const std::vector<LibraryObject>& objects) {
    constexpr std::uint64_t kMaxLength = std::numeric_limits<std::uint32_t>::max();
    if (kind > LibraryKind::Padstack)
        return InFile(file, Problem{"unknown library kind"});
    if (objects.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        return InFile(file, Problem{"too many objects for one library"});
    std::uint64_t descriptionSize = 0;
    std::uint64_t drawingSize = 0;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const LibraryObject& object = objects[i];
        if (object.name.empty())
            return InFile(file, Problem{"object " + std::to_string(i + 1) + " has an empty name"});
        if (object.name.size() > kMaxLength || object.info.size() > kMaxLength ||
            object.drawing.size() > kMaxLength)
            return InFile(file, Problem{"object " + object.name + " is too large for a library"});
        descriptionSize += kDescriptionRecordMinimum + object.name.size() + object.info.size();
        drawingSize += kDrawingRecordMinimum + object.drawing.size();
    }

    std::string chunk;
    chunk.reserve(kWriteChunk + kBodyStart);
    const std::string_view signature = SignatureOf(kind);
    chunk.append(signature).append(kSignatureWidth - signature.size(), '\0');
    StoreU32(chunk, static_cast<std::uint32_t>(kLibraryFormatVersion));
    StoreU32(chunk, static_cast<std::uint32_t>(objects.size()));
    chunk += static_cast<char>(kind);
    chunk.append(3, '\0');
    StoreU64(chunk, descriptionSize);
    StoreU64(chunk, drawingSize);

    if (Status opened = writer.Open(file); !opened)
        return InFile(file, std::move(opened).Error());
    // Written in sections and chunks, so a failure can strike in the middle of the file.
    Status written;
    const auto flush = [&writer, &chunk, &written](bool always) {
        if (!always && chunk.size() < kWriteChunk)
            return true;
        written = writer.Write(chunk);
        chunk.clear();
        return written.Ok();
    };
    bool ok = flush(true);
    for (const LibraryObject& object : objects) {
        if (!ok)
            break;
        StoreU32(chunk, static_cast<std::uint32_t>(object.name.size()));
        StoreU32(chunk, static_cast<std::uint32_t>(object.info.size()));
        ok = flush(false);
    }
    for (const LibraryObject& object : objects) {
        if (!ok)
            break;
        chunk += object.name;
        ok = flush(false);
    }
    for (const LibraryObject& object : objects) {
        if (!ok)
            break;
        chunk += object.info;
        ok = flush(false);
    }
    ok = ok && flush(true);
    for (const LibraryObject& object : objects) {
        if (!ok)
            break;
        StoreU32(chunk, static_cast<std::uint32_t>(object.drawing.size()));
        chunk += object.drawing;
        ok = flush(false);
    }
    if (ok && flush(true))
        written = writer.Commit();
    if (!written) {
        writer.Abort();
        return InFile(file, std::move(written).Error());
    }
    return {};
}

} // namespace k2k
