#include "formats/LibraryFile.h"
#include "system/AtomicFile.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>

#include <sys/stat.h>

namespace k2k {
namespace {

using test::Done;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

using namespace std::string_literals;

std::vector<LibraryObject> SampleObjects() {
    return {
        {"74LS00",
         "DIP14 Quad NAND\x80"
         "7400\x80\x80TI",
         "lines\0and\0NULs"s},
        {"R\xE9sistance", "", ""}, // an empty info text and no drawing
        {"X", "\x80\x80\x80", std::string(300, '\xFF')},
    };
}

std::string LittleEndian(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

// Replaces a file without truncating it in place, which this file system would flush.
void Replace(const std::filesystem::path& file, std::string_view content) {
    std::filesystem::remove(file);
    WriteFile(file, content);
}

// Reads the file both ways: why a reader refuses it (the whole read's reason first), or
// nothing when both accept it.
std::string Refusal(const std::filesystem::path& file) {
    LibraryKind kind{};
    DescriptionBuffer buffer;
    std::vector<LibraryInfoRecord> descriptions;
    const Result<LibraryContents> whole = ReadLibrary(file);
    const Status partial = ReadLibraryDescriptions(file, kind, buffer, descriptions);
    if (!partial) {
        EXPECT_TRUE(descriptions.empty());
        EXPECT_FALSE(partial.Message().empty());
    }
    if (!whole) {
        EXPECT_FALSE(whole.Message().empty());
        return whole.Message();
    }
    return partial ? std::string() : partial.Message();
}

TEST(LibraryFileTest, EveryKindRoundTripsByteForByte) {
    TempDir dir;
    for (LibraryKind kind :
         {LibraryKind::Part, LibraryKind::Symbol, LibraryKind::Package, LibraryKind::Padstack}) {
        const auto file = dir / "A.LIB";
        ASSERT_TRUE(Done(WriteLibrary(file, kind, SampleObjects())));

        const Result<LibraryContents> read = ReadLibrary(file);
        ASSERT_TRUE(Done(read));
        const LibraryContents& contents = *read;
        EXPECT_EQ(contents.kind, kind);
        EXPECT_EQ(contents.header.signature, SignatureOf(kind));
        EXPECT_EQ(contents.header.version, kLibraryFormatVersion);
        ASSERT_EQ(contents.objects.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(contents.objects[i].name, SampleObjects()[i].name);
            EXPECT_EQ(contents.objects[i].info, SampleObjects()[i].info);
            EXPECT_EQ(contents.objects[i].drawing, SampleObjects()[i].drawing);
        }

        LibraryKind readKind{};
        DescriptionBuffer buffer;
        std::vector<LibraryInfoRecord> descriptions;
        ASSERT_TRUE(Done(ReadLibraryDescriptions(file, readKind, buffer, descriptions)));
        EXPECT_EQ(readKind, kind);
        ASSERT_EQ(descriptions.size(), 3u);
        const bool parts = kind == LibraryKind::Part;
        EXPECT_EQ(descriptions[0].field1, "74LS00");
        EXPECT_EQ(parts ? descriptions[2].field3 : descriptions[2].field2, "\x80\x80\x80");
        EXPECT_EQ(parts ? descriptions[2].field2 : descriptions[2].field3, "");
        EXPECT_EQ(parts ? descriptions[0].field3 : descriptions[0].field2, SampleObjects()[0].info);
    }
}

TEST(LibraryFileTest, HeaderHasTheSuitesLayout) {
    TempDir dir;
    ASSERT_TRUE(Done(WriteLibrary(dir / "P.PART", LibraryKind::Part, SampleObjects())));
    ASSERT_TRUE(Done(WriteLibrary(dir / "S.PACKAGE", LibraryKind::Package, {})));

    const std::string part = ReadFile(dir / "P.PART");
    EXPECT_EQ(part.substr(0, 12), std::string("KaldeDLL20\0\0", 12));
    EXPECT_EQ(part.substr(12, 4), LittleEndian(kLibraryFormatVersion));
    EXPECT_EQ(part.substr(16, 4), LittleEndian(3));
    EXPECT_EQ(ReadFile(dir / "S.PACKAGE").substr(0, 20), std::string("KaldeSLL20\0\0", 12) +
                                                             LittleEndian(kLibraryFormatVersion) +
                                                             LittleEndian(0));

    const Result<LibraryHeader> header = ReadLibraryHeader(dir / "P.PART");
    ASSERT_TRUE(Done(header));
    EXPECT_EQ(header->signature, "KaldeDLL20");
    EXPECT_EQ(header->count, 3);

    // The header reader reads the bytes as they stand, valid or not; only its size matters.
    WriteFile(dir / "odd", std::string("ABC\0\0\0\0\0\0\0\0\0", 12) + LittleEndian(7) +
                               LittleEndian(0xFFFFFFFF));
    const Result<LibraryHeader> odd = ReadLibraryHeader(dir / "odd");
    ASSERT_TRUE(Done(odd));
    EXPECT_EQ(odd->signature, "ABC");
    EXPECT_EQ(odd->version, 7);
    EXPECT_EQ(odd->count, -1);
    WriteFile(dir / "short", "KaldeDLL20");
    const Result<LibraryHeader> cut = ReadLibraryHeader(dir / "short");
    ASSERT_FALSE(cut);
    EXPECT_NE(cut.Message().find("less than a library header"), std::string::npos) << cut.Message();
    const Result<LibraryHeader> missing = ReadLibraryHeader(dir / "missing");
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.Message().find("missing: cannot open"), std::string::npos)
        << missing.Message();
    EXPECT_EQ(missing.Error().systemError, ENOENT);
}

struct Damage {
    const char* what;
    std::function<void(std::string&)> apply;
    const char* expected; // a piece of the error text
};

TEST(LibraryFileTest, DamagedFilesAreRefusedWithAClearReason) {
    TempDir dir;
    const auto good = dir / "good";
    ASSERT_TRUE(Done(WriteLibrary(good, LibraryKind::Part, SampleObjects())));
    const std::string bytes = ReadFile(good);
    // The lengths of the first object's name and info text are at 40 and 44.
    const std::vector<Damage> damages = {
        {"another signature", [](std::string& b) { b.replace(0, 5, "Other"); },
         "unknown signature \"OtherDLL20\\x00\\x00\""},
        {"garbage in the signature's padding", [](std::string& b) { b[11] = 'x'; },
         "unknown signature"},
        {"another version", [](std::string& b) { b.replace(12, 4, LittleEndian(3)); },
         "version 3 is not supported"},
        {"a negative count", [](std::string& b) { b.replace(16, 4, LittleEndian(0x80000000)); },
         "negative object count"},
        {"a count larger than the body",
         [](std::string& b) { b.replace(16, 4, LittleEndian(1000000)); },
         "announces 1000000 objects"},
        {"one object more than stored", [](std::string& b) { b.replace(16, 4, LittleEndian(4)); },
         "runs past the end of its section"},
        {"one object fewer than stored", [](std::string& b) { b.replace(16, 4, LittleEndian(2)); },
         "bytes follow the description of the last object"},
        {"the last byte cut off", [](std::string& b) { b.pop_back(); }, "cut off after"},
        {"only the header", [](std::string& b) { b.resize(20); }, "cut off after 20 bytes"},
        {"trailing garbage", [](std::string& b) { b += "junk"; }, "4 bytes follow the end"},
        {"a symbol kind under the part signature", [](std::string& b) { b[20] = 1; },
         "does not fit a library of symbols"},
        {"an unknown kind", [](std::string& b) { b[20] = 9; }, "unknown library kind 9"},
        {"reserved bytes in use", [](std::string& b) { b[22] = 1; }, "reserved bytes"},
        {"a name running past its section",
         [](std::string& b) { b.replace(40, 4, LittleEndian(0x7FFFFFF0)); },
         "description of object 1 runs past"},
        {"an info text running past its section",
         [](std::string& b) { b.replace(44, 4, LittleEndian(0xFFFFFFFF)); },
         "description of object 1 runs past"},
        {"an empty name", [](std::string& b) { b.replace(40, 4, LittleEndian(0)); },
         "object 1 has an empty name"},
        {"a description section larger than the file", [](std::string& b) { b[31] = 1; },
         "cut off after"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        std::string damaged = bytes;
        damage.apply(damaged);
        const auto file = dir / "damaged";
        Replace(file, damaged);
        const std::string refusal = Refusal(file);
        EXPECT_NE(refusal.find(file.string() + ": "), std::string::npos) << refusal;
        EXPECT_NE(refusal.find(damage.expected), std::string::npos) << refusal;
    }
}

TEST(LibraryFileTest, DamagedDrawingsAreFoundByTheWholeReadOnly) {
    TempDir dir;
    const auto file = dir / "L";
    ASSERT_TRUE(Done(WriteLibrary(file, LibraryKind::Symbol, SampleObjects())));
    std::string bytes = ReadFile(file);
    // The last drawing record: 4 length bytes and 300 bytes of data at the end of the file.
    bytes.replace(bytes.size() - 304, 4, LittleEndian(301));
    WriteFile(file, bytes);

    const Result<LibraryContents> whole = ReadLibrary(file);
    ASSERT_FALSE(whole);
    EXPECT_NE(whole.Message().find("drawing of object 3 runs past"), std::string::npos)
        << whole.Message();
    // A search never reads the drawings, so it still sees the descriptions.
    LibraryKind kind{};
    DescriptionBuffer buffer;
    std::vector<LibraryInfoRecord> descriptions;
    EXPECT_TRUE(Done(ReadLibraryDescriptions(file, kind, buffer, descriptions)));
    EXPECT_EQ(descriptions.size(), 3u);
}

TEST(LibraryFileTest, DescriptionsWithoutTextBytesReadIntoAFreshBuffer) {
    TempDir dir;
    ASSERT_TRUE(Done(WriteLibrary(dir / "EMPTY.PART", LibraryKind::Part, {})));
    ASSERT_TRUE(Done(WriteLibrary(dir / "BARE.SYMBOL", LibraryKind::Symbol,
                                  {{"A", "", ""}, {"B", "", "drawn"}})));
    for (const bool wholeTexts : {false, true}) {
        // A buffer that never held bytes, as in a fresh engine.
        DescriptionBuffer fresh;
        LibraryKind kind = LibraryKind::Padstack;
        std::vector<LibraryInfoRecord> records(1);
        EXPECT_TRUE(
            Done(ReadLibraryDescriptions(dir / "EMPTY.PART", kind, fresh, records, wholeTexts)));
        EXPECT_EQ(kind, LibraryKind::Part);
        EXPECT_TRUE(records.empty());

        DescriptionBuffer another;
        ASSERT_TRUE(
            Done(ReadLibraryDescriptions(dir / "BARE.SYMBOL", kind, another, records, wholeTexts)));
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[1].field1, "B");
        EXPECT_EQ(records[1].field2, "");
    }
}

// A library large enough to be mapped, and a small one that is read: the texts copied out
// of either are the ones the records show, also when a buffer is reused.
TEST(LibraryFileTest, TextsCopiedOutOfAMappedOrReadLibraryAreTheRecordsTexts) {
    TempDir dir;
    std::vector<LibraryObject> large;
    for (int i = 0; i < 6000; ++i)
        large.push_back({"PART" + std::to_string(i),
                         "PKG" + std::to_string(i % 7) + " text of part " + std::to_string(i) +
                             std::string(static_cast<std::size_t>(i % 40), 'x'),
                         ""});
    ASSERT_TRUE(Done(WriteLibrary(dir / "LARGE.PART", LibraryKind::Part, large)));
    ASSERT_TRUE(Done(WriteLibrary(dir / "SMALL.PART", LibraryKind::Part,
                                  {{"A", "DIP8 first", ""}, {"B", "SO8 second", ""}})));
    DescriptionBuffer buffer;
    for (const char* name : {"LARGE.PART", "SMALL.PART", "LARGE.PART"}) {
        LibraryKind kind{};
        std::vector<LibraryInfoRecord> records;
        const Result<LibrarySearchRead> read =
            ReadLibraryForSearch(dir / name, kind, buffer, records, false);
        ASSERT_TRUE(Done(read));
        ASSERT_EQ(*read, LibrarySearchRead::Read);
        for (std::size_t r = 0; r < records.size(); r += 997) {
            const std::string_view text = records[r].field3;
            std::string copy(text.size(), '?');
            buffer.CopyOut(text, copy.data());
            EXPECT_EQ(copy, text) << name << " record " << r;
        }
        const std::string_view last = records.back().field3;
        std::string copy(last.size(), '?');
        buffer.CopyOut(last, copy.data());
        EXPECT_EQ(copy, last) << name;
    }
}

TEST(LibraryFileTest, NonLibrariesAreRefused) {
    TempDir dir;
    EXPECT_NE(Refusal(dir / "missing").find("cannot open the file"), std::string::npos);
    EXPECT_NE(Refusal(dir.Path()).find("not a regular file"), std::string::npos);
    WriteFile(dir / "empty", "");
    EXPECT_NE(Refusal(dir / "empty").find("it holds 0 bytes"), std::string::npos);
    EXPECT_TRUE(LibraryFileReadable(dir / "empty"));

    // Nothing writes to the FIFO: opening it must not wait for a writer.
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_NE(Refusal(dir / "fifo").find("not a regular file"), std::string::npos);
    EXPECT_FALSE(ReadLibraryHeader(dir / "fifo"));
    for (const auto& path : {dir / "fifo", dir.Path(), dir / "missing"})
        EXPECT_FALSE(LibraryFileReadable(path)) << path;
}

TEST(LibraryFileTest, FailedWriteLeavesTheOldLibraryAndNoNewFile) {
    TempDir dir;
    const auto file = dir / "L.PART";
    ASSERT_TRUE(Done(WriteLibrary(file, LibraryKind::Part, SampleObjects())));
    const std::string before = ReadFile(file);

    std::vector<LibraryObject> bigger = SampleObjects();
    bigger.push_back({"NEW", std::string(100000, 'i'), std::string(100000, 'd')});
    for (std::size_t failAfter : {0, 30, 50, 70000, 150000}) {
        AtomicFileWriter writer;
        writer.FailAfterBytes(failAfter);
        const Status full = WriteLibrary(writer, file, LibraryKind::Part, bigger);
        ASSERT_FALSE(full);
        EXPECT_NE(full.Message().find("No space left"), std::string::npos) << full.Message();
        EXPECT_EQ(full.Error().systemError, ENOSPC);
        EXPECT_EQ(ReadFile(file), before);
    }
    // An object the format cannot hold is refused before anything is written.
    const Status unnamed = WriteLibrary(file, LibraryKind::Part, {{"A", "", ""}, {"", "x", ""}});
    ASSERT_FALSE(unnamed);
    EXPECT_NE(unnamed.Message().find("object 2 has an empty name"), std::string::npos)
        << unnamed.Message();
    EXPECT_EQ(ReadFile(file), before);
    // A read-only library is the suite's "do not change".
    ::chmod(file.c_str(), 0444);
    const Status readOnly = WriteLibrary(file, LibraryKind::Part, SampleObjects());
    ASSERT_FALSE(readOnly);
    EXPECT_NE(readOnly.Message().find("read-only"), std::string::npos) << readOnly.Message();
    EXPECT_EQ(ReadFile(file), before);
    EXPECT_EQ(test::FilesIn(dir.Path()).size(), 1u);
}

// Whatever the bytes, a reader answers with a valid library or a clear error, and never
// reads outside what it holds (run under the sanitizers to be sure).
TEST(LibraryFileTest, DamagedBytesNeverCrashTheReaders) {
    TempDir dir;
    const auto good = dir / "good";
    ASSERT_TRUE(Done(WriteLibrary(good, LibraryKind::Package, SampleObjects())));
    const std::string bytes = ReadFile(good);
    const auto file = dir / "damaged";

    for (std::size_t length = 0; length < bytes.size(); ++length) {
        Replace(file, bytes.substr(0, length));
        EXPECT_FALSE(Refusal(file).empty()) << "prefix of " << length << " bytes";
    }

    std::mt19937 random(20000);
    std::uniform_int_distribution<std::size_t> position(0, bytes.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = bytes;
        const int flips = 1 + round % 4;
        for (int i = 0; i < flips; ++i)
            damaged[position(random)] = static_cast<char>(byte(random));
        Replace(file, damaged);
        if (Refusal(file).empty())
            ++accepted; // a flip inside a text or a drawing still makes a valid library
    }
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 3000);

    for (int round = 0; round < 200; ++round) {
        std::string noise(static_cast<std::size_t>(byte(random)) * 3, '\0');
        for (char& c : noise)
            c = static_cast<char>(byte(random));
        if (round % 2 == 0 && noise.size() >= 20)
            noise.replace(0, 20, bytes.substr(0, 20)); // a valid header over random bytes
        Replace(file, noise);
        EXPECT_FALSE(Refusal(file).empty());
    }
}

} // namespace
} // namespace k2k
