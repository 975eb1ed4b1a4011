#include "regtypes/BrowserProfile.h"

#include "platform/FileOps.h"
#include "platform/SuiteServices.h"
#include "support/TestSupport.h"
#include "system/NativePath.h"

#include <gtest/gtest.h>

#include <random>

namespace k2k {
namespace {

using test::ReadFile;
using test::WriteFile;

using Entries = std::vector<RegTypeEntry>;

class BrowserProfileTest : public test::ServicesTest {
protected:
    FileOps files{services, boxes};
    RegTypeTables tables;
    int errorFlag = -1;
    std::string profile = SuitePath(dir / "K2KBRWSR.ini").Value();

    void Read(std::string_view content) {
        WriteFile(dir / "K2KBRWSR.ini", content);
        ReadBrowserProfile(tables, files, services, errorFlag, profile);
    }
    // The entries of a table, without the unused element 0.
    Entries EntriesOf(int table) const {
        const auto& all = tables.Table(table);
        return Entries(all.begin() + 1, all.end());
    }
    void Fill(int table, const Entries& entries) {
        for (const RegTypeEntry& entry : entries)
            tables.Append(table, entry);
        tables.Count(table) = tables.UpperBound(table);
    }
};

TEST_F(BrowserProfileTest, WritesTheWrittenFormByteForByte) {
    Fill(kPartTypeTable, {{0, "1", "Digital"}, {0, "1,2", "Gates"}, {1, "1,2,4", "Mine"}});
    Fill(kTechnologyTable, {{1, "5,7", "Low power"}});
    tables.Count(kPartTypeTable) = 2;   // the last entry is not written
    tables.Count(kTechnologyTable) = 5; // lowered to the one entry there is
    WriteBrowserProfile(tables, files, services, profile);

    EXPECT_EQ(ReadFile(dir / "K2KBRWSR.ini"), "[PartType]\r\n"
                                              "1,Sys,1:Digital\r\n"
                                              "\t1,Sys,1,2:Gates\r\n"
                                              "[End PartType]\r\n\r\n"
                                              "[Manufacturer]\r\n[End Manufacturer]\r\n\r\n"
                                              "[Technology]\r\n"
                                              "\t3,Usr,5,7:Low power\r\n"
                                              "[End Technology]\r\n\r\n"
                                              "[PartPackageType]\r\n[End PartPackageType]\r\n\r\n"
                                              "[SymbolType]\r\n[End SymbolType]\r\n\r\n"
                                              "[PackageType]\r\n[End PackageType]\r\n\r\n"
                                              "[PadstackType]\r\n[End PadstackType]\r\n\r\n"
                                              "[PadstackShape]\r\n[End PadstackShape]\r\n\r\n"
                                              "\r\n[ENDPROFILE]");
    EXPECT_EQ(tables.Count(kPartTypeTable), 2);
    EXPECT_EQ(tables.Count(kTechnologyTable), 1);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(BrowserProfileTest, WrittenTablesReadBackTheSame) {
    const Entries partTypes = {{0, "1", "Digital"},
                               {0, "1,1", "Gates, buffers"},
                               {1, "1,1,3", " leading"},
                               {0, "2", "Analog \xE4\xFC"},
                               {1, "", ""},
                               {0, "2,5", ""},
                               {1, "10,20,30,40", "deep"},
                               {0, "1,O'Brien", "quote"}};
    Fill(kPartTypeTable, partTypes);
    Fill(kManufacturerTable, {{0, "4", "Acme"}, {1, "4,1", "Acme Dallas"}});
    Fill(kPadstackShapeTable, {{0, "1", "Round"}});
    WriteBrowserProfile(tables, files, services, profile);

    RegTypeTables written = tables;
    tables = RegTypeTables{};
    ReadBrowserProfile(tables, files, services, errorFlag, profile);
    EXPECT_EQ(errorFlag, 0);
    for (int table = 1; table <= kRegTypeTableCount; ++table) {
        EXPECT_EQ(tables.Table(table), written.Table(table)) << RegTypeSection(table);
        EXPECT_EQ(tables.Count(table), tables.UpperBound(table));
    }
    EXPECT_EQ(tables.profilePath, profile);
}

struct LineCase {
    const char* line;
    ProfileLine::Kind kind;
    int table;
    RegTypeEntry entry;
    const char* lost;
};

TEST(ProfileLineTest, TakesEachLineAsTheBrowserDoes) {
    using K = ProfileLine::Kind;
    const LineCase cases[] = {
        {"2,sys,4:Acme", K::Entry, 2, {0, "4", "Acme"}, nullptr},
        {"2,Usr,4,1:Acme:Dallas", K::Entry, 2, {1, "4,1", "Acme"}, "Dallas"},
        {"\t\t1,Sys,1,2,3:NAND", K::Entry, 1, {0, "1,2,3", "NAND"}, nullptr},
        {"   \t 1,SyS,1,2 , 3 :  Gates  ", K::Entry, 1, {0, "1,2 , 3", "  Gates"}, nullptr},
        {" 01 ,Sys,1:Leading zero", K::Entry, 1, {0, "1", "Leading zero"}, nullptr},
        {"5,Sys,1,2:Buffers, 3-state", K::Entry, 5, {0, "1,2", "Buffers, 3-state"}, nullptr},
        {"2,Usr,7:O'Neil", K::Entry, 2, {1, "7", "O'Neil"}, nullptr},
        {"8,,1:Round", K::Entry, 8, {1, "1", "Round"}, nullptr},
        {"4,Sys:PMD", K::Entry, 4, {1, "", "PMD"}, nullptr}, // the kind field is "Sys:PMD"
        {"1,Sys,1", K::Entry, 1, {0, "", ""}, nullptr},
        {"1", K::Entry, 1, {1, "", ""}, nullptr},
        {"3,Usr,1:", K::Entry, 3, {1, "1", ""}, nullptr},
        {"6,Sys,1::", K::Entry, 6, {0, "1", ""}, ""},
        {"'1,Sys,1:Commented out", K::Comment, 0, {}, nullptr},
        {"\tx',Sys,1:Comment", K::Comment, 0, {}, nullptr},
        {"0,Sys,1:X", K::NotATable, 0, {}, nullptr},
        {"9,Sys,1:X", K::NotATable, 0, {}, nullptr},
        {"PartType,Sys,1:X", K::NotATable, 0, {}, nullptr},
        {"1.5,Sys,1:X", K::NotATable, 0, {}, nullptr},
        {"-1,Sys,1:X", K::NotATable, 0, {}, nullptr},
        {"+1,Sys,1:X", K::NotATable, 0, {}, nullptr},
        {"1x,Sys,1:X", K::NotATable, 0, {}, nullptr},
        {"99999999999999999999,Sys,1:X", K::NotATable, 0, {}, nullptr},
        {"[End PartType]", K::NotATable, 0, {}, nullptr},
        {"[ENDPROFILE]", K::NotATable, 0, {}, nullptr},
        {"", K::Empty, 0, {}, nullptr},
        {"  \t  ", K::Empty, 0, {}, nullptr},
        {"1,Sys,1:X\t", K::Empty, 0, {}, nullptr}, // everything up to the last TAB goes
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.line);
        const ProfileLine parsed = ParseProfileLine(c.line);
        EXPECT_EQ(parsed.kind, c.kind);
        if (c.kind != K::Entry)
            continue;
        EXPECT_EQ(parsed.table, c.table);
        EXPECT_EQ(parsed.entry, c.entry);
        EXPECT_EQ(parsed.textLost, c.lost != nullptr);
        if (c.lost) {
            EXPECT_EQ(parsed.lost, c.lost);
        }
    }
}

TEST_F(BrowserProfileTest, OddLinesAreSkippedAndTablesMaySpreadOverTheFile) {
    Read("[PartType]\r\n"
         "' a comment, then a line read normally\r\n"
         "1,Sys,1:Digital\r\n"
         "\r\n"
         "9,Sys,1:Nine\r\n"
         "2,sys,4:Acme\r\n"    // a manufacturer among the part types
         "\t1,Usr,1,2:Gates\n" // a lone LF ends a line too
         "1,Sys,1,3\r\n"       // no colon
         "[End PartType]\r\n"
         "[ENDPROFILE]\r\n"        // does not end reading
         "2,Usr,4,1:Acme:Dallas"); // no line end at the end
    EXPECT_EQ(errorFlag, 0);
    EXPECT_EQ(EntriesOf(kPartTypeTable),
              (Entries{{0, "1", "Digital"}, {1, "1,2", "Gates"}, {0, "", ""}}));
    EXPECT_EQ(EntriesOf(kManufacturerTable), (Entries{{0, "4", "Acme"}, {1, "4,1", "Acme"}}));
    EXPECT_EQ(tables.Count(kPartTypeTable), 3);
    EXPECT_EQ(tables.Count(kManufacturerTable), 2);
    EXPECT_TRUE(boxes.shown.empty());

    // Reading again starts from empty tables: a bare end mark gives eight empty ones.
    Read("[ENDPROFILE]");
    EXPECT_EQ(errorFlag, 0);
    for (int table = 1; table <= kRegTypeTableCount; ++table) {
        EXPECT_EQ(tables.UpperBound(table), 0);
        EXPECT_EQ(tables.Count(table), 0);
    }
}

TEST_F(BrowserProfileTest, AMissingProfileIsReportedAsError8) {
    Fill(kPartTypeTable, {{0, "1", "Old"}});
    ReadBrowserProfile(tables, files, services, errorFlag, profile);
    EXPECT_EQ(errorFlag, 1);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].title, "File not found");
    EXPECT_EQ(boxes.shown[0].text, "Can't read file: " + (dir / "K2KBRWSR.ini").string());
    EXPECT_EQ(boxes.shown[1].text, "Can't Read Browser Profile");
    EXPECT_EQ(boxes.shown[1].icon, MsgIcon::Critical);
    EXPECT_EQ(tables.UpperBound(kPartTypeTable), 0);
    EXPECT_EQ(tables.Count(kPartTypeTable), 0);
    EXPECT_EQ(tables.profilePath, profile);
    EXPECT_EQ(files.OpenCount(), 0);
}

TEST_F(BrowserProfileTest, AFailedWriteLeavesTheOldProfileWhole) {
    Fill(kPartTypeTable, {{0, "1", "Digital"}, {0, "1,1", "Gates"}});
    WriteBrowserProfile(tables, files, services, profile);
    const std::string old = ReadFile(dir / "K2KBRWSR.ini");

    Fill(kManufacturerTable, {{1, "1", "In-house"}});
    WriteBrowserProfile(tables, files, services, profile,
                        [this](int fileNumber) { files.FailWritesAfter(fileNumber, 40); });
    EXPECT_EQ(ReadFile(dir / "K2KBRWSR.ini"), old);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].title, "Disk full");
    EXPECT_EQ(boxes.shown[0].text,
              "Can't create/write to file: " + (dir / "K2KBRWSR.ini").string());
    EXPECT_EQ(boxes.shown[1].text, "Can't Read Browser Profile");
    EXPECT_EQ(files.OpenCount(), 0);
    EXPECT_EQ(test::FilesIn(dir.Path()).size(), 1u)
        << "no half-written file is left beside the profile";

    // A folder that is not there: the open fails, and nothing is written.
    boxes.shown.clear();
    WriteBrowserProfile(tables, files, services, SuitePath(dir / "NOSYS" / "K2KBRWSR.ini").Value());
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"Can't create/write to file: " +
                                            (dir / "NOSYS" / "K2KBRWSR.ini").string(),
                                        "Can't Read Browser Profile"}));
    EXPECT_FALSE(std::filesystem::exists(dir / "NOSYS"));
}

TEST_F(BrowserProfileTest, TheSampleProfileIsInTheWrittenForm) {
    const auto sample = std::filesystem::path(K2K_SOURCE_DIR) / "sample/suite/SYS/K2KBRWSR.ini";
    ReadBrowserProfile(tables, files, services, errorFlag, SuitePath(sample).Value());
    ASSERT_EQ(errorFlag, 0);
    WriteBrowserProfile(tables, files, services, profile);
    EXPECT_EQ(ReadFile(dir / "K2KBRWSR.ini"), ReadFile(sample));

    // Every table has user entries among its system ones.
    for (int table = 1; table <= kRegTypeTableCount; ++table) {
        const Entries entries = EntriesOf(table);
        EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const RegTypeEntry& e) {
            return e.IsUser == 1;
        })) << RegTypeSection(table);
    }
}

// Whatever the bytes, the read ends with flag 0 and no message, and what it took holds
// no TAB, no ":" and no line end.
TEST_F(BrowserProfileTest, DamagedProfilesNeverFailTheRead) {
    const auto sample = std::filesystem::path(K2K_SOURCE_DIR) / "sample/suite/SYS/K2KBRWSR.ini";
    ReadBrowserProfile(tables, files, services, errorFlag, SuitePath(sample).Value());
    ASSERT_EQ(errorFlag, 0);
    const RegTypeTables full = tables;
    const std::string content = ReadFile(sample);

    const auto expectClean = [&] {
        ASSERT_EQ(errorFlag, 0);
        ASSERT_TRUE(boxes.shown.empty());
        for (int table = 1; table <= kRegTypeTableCount; ++table)
            for (const RegTypeEntry& entry : EntriesOf(table)) {
                ASSERT_EQ(entry.Path.find_first_of("\t:\r\n"), std::string::npos);
                ASSERT_EQ(entry.Value.find_first_of("\t:\r\n"), std::string::npos);
                ASSERT_TRUE(entry.IsUser == 0 || entry.IsUser == 1);
            }
    };

    // Cut off anywhere: never more than the whole file gives; cut after a line end, each
    // table is the start of the whole one.
    for (std::size_t size = 0; size <= content.size(); size += 3) {
        Read(content.substr(0, size));
        expectClean();
        const bool atLineEnd = size == 0 || content[size - 1] == '\n';
        for (int table = 1; table <= kRegTypeTableCount; ++table) {
            const auto& read = tables.Table(table);
            const auto& whole = full.Table(table);
            ASSERT_LE(read.size(), whole.size());
            if (atLineEnd) {
                ASSERT_TRUE(std::equal(read.begin(), read.end(), whole.begin())) << size;
            }
        }
    }

    std::mt19937 random(20240611);
    const std::string alphabet = "\t\r\n :,'[]18SsYyUr\x80\xFF";
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 400, '\0');
        for (char& c : bytes)
            c = random() % 3 == 0 ? static_cast<char>(random() % 256)
                                  : alphabet[random() % alphabet.size()];
        Read(bytes);
        expectClean();
    }
}

} // namespace
} // namespace k2k
