#include "search/LibraryCatalogue.h"

#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "search/InfoText.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

class LibraryCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { services.SetIniFile(dir.SuitePath() + "\\kalde2000.ini"); }
    void WriteIni(std::string_view text) { test::WriteFile(dir / "kalde2000.ini", text); }
    std::string Ini() const { return test::ReadFile(dir / "kalde2000.ini"); }

    test::TempDir dir;
    test::RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
    LibraryCatalogue catalogue;
};

TEST_F(LibraryCatalogueTest, LoadStopsAtTheFirstEmptyKeyOfEachKind) {
    WriteIni("[DEVLIBS]\r\n1=TTL.PART\r\n2= CMOS.PART \r\n4=LOST.PART\r\n"
             "[SCHLIBS]\r\n2=ONLY2.SYMBOL\r\n"
             "[laylibs]\r\n1=DIL.PACKAGE\r\n2=\r\n3=AFTER.PACKAGE\r\n");
    catalogue.Load(services);
    EXPECT_EQ(catalogue.Entries(LibraryKind::Part),
              (std::vector<std::string>{"TTL.PART", "CMOS.PART"}));
    EXPECT_EQ(catalogue.Count(LibraryKind::Symbol), 0) << "key 1 missing, key 2 ignored";
    EXPECT_EQ(catalogue.Entries(LibraryKind::Package), (std::vector<std::string>{"DIL.PACKAGE"}));
    EXPECT_EQ(catalogue.Count(LibraryKind::Padstack), 0);
    EXPECT_EQ(catalogue.LibraryPath(LibraryKind::Part, 2, "\\K\\LIB"), "\\K\\LIB\\CMOS.PART");
}

TEST_F(LibraryCatalogueTest, SaveReplacesTheOldKeysAndKeepsTheRestOfTheFile) {
    WriteIni("; libraries\r\n[DEVLIBS]\r\n1=A.PART\r\n2=B.PART\r\n3=C.PART\r\n"
             "[Other]\r\nKeep=yes\r\n");
    catalogue.Load(services);
    catalogue.SetEntries(LibraryKind::Part, {"C.PART"});
    catalogue.SetEntries(LibraryKind::Symbol, {"S1.SYMBOL", "S2.SYMBOL"});
    EXPECT_TRUE(catalogue.Save(services));
    EXPECT_TRUE(boxes.shown.empty());

    LibraryCatalogue again;
    again.Load(services);
    EXPECT_EQ(again.Entries(LibraryKind::Part), (std::vector<std::string>{"C.PART"}));
    EXPECT_EQ(again.Entries(LibraryKind::Symbol),
              (std::vector<std::string>{"S1.SYMBOL", "S2.SYMBOL"}));
    const std::string ini = Ini();
    EXPECT_EQ(ini.find("2=B.PART"), std::string::npos);
    EXPECT_EQ(ini.find("3=C.PART"), std::string::npos);
    EXPECT_NE(ini.find("; libraries"), std::string::npos);
    EXPECT_NE(ini.find("Keep=yes"), std::string::npos);
}

TEST_F(LibraryCatalogueTest, AFailedSaveIsReportedOnceAndKeepsTheOldLists) {
    WriteIni("[DEVLIBS]\r\n1=A.PART\r\n2=B.PART\r\n");
    catalogue.Load(services);
    // A folder where the rewritten file would be created makes the write fail.
    std::filesystem::create_directory(dir / "kalde2000.ini.new~");
    catalogue.SetEntries(LibraryKind::Part, {"B.PART"});
    EXPECT_FALSE(catalogue.Save(services));
    ASSERT_EQ(boxes.shown.size(), 1u) << "the whole save is one write";
    EXPECT_EQ(boxes.shown[0].text,
              "Can't create/write to file: " + (dir / "kalde2000.ini").string());
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(Ini(), "[DEVLIBS]\r\n1=A.PART\r\n2=B.PART\r\n") << "the old file is whole";

    // The next save still deletes both old keys.
    std::filesystem::remove(dir / "kalde2000.ini.new~");
    EXPECT_TRUE(catalogue.Save(services));
    EXPECT_EQ(Ini(), "[DEVLIBS]\r\n1=B.PART\r\n");

    // An entry that cannot be stored refuses the save rather than cut the list there.
    catalogue.SetEntries(LibraryKind::Part, {"A.PART", "TWO\nLINES.PART", "C.PART"});
    EXPECT_FALSE(catalogue.Save(services));
    EXPECT_EQ(Ini(), "[DEVLIBS]\r\n1=B.PART\r\n");
}

// Two browsers (or an import) change the lists between this one's load and its save: what
// each added or removed holds. Entries compare without regard to case.
TEST_F(LibraryCatalogueTest, ASaveKeepsTheChangesOthersSavedSinceItsLoad) {
    WriteIni("[DEVLIBS]\r\n1=A.PART\r\n2=B.PART\r\n3=C.PART\r\n[SCHLIBS]\r\n1=S.SYMBOL\r\n");
    LibraryCatalogue other;
    catalogue.Load(services);
    other.Load(services);
    other.SetEntries(LibraryKind::Part, {"C.PART", "A.PART", "D.PART", "E.PART"});
    other.SetEntries(LibraryKind::Symbol, {});
    ASSERT_TRUE(other.Save(services));

    catalogue.SetEntries(LibraryKind::Part, {"B.PART", "C.PART", "e.part"});
    ASSERT_TRUE(catalogue.Save(services));
    const std::vector<std::string> merged{"C.PART", "e.part", "D.PART"};
    EXPECT_EQ(catalogue.Entries(LibraryKind::Part), merged);
    EXPECT_EQ(catalogue.Count(LibraryKind::Symbol), 0);
    other.Load(services);
    EXPECT_EQ(other.Entries(LibraryKind::Part), merged);
}

// A stray CR inside a line of the file once became part of a value that the writer then
// refused, so saving the lists unchanged dropped that entry and all after it.
TEST_F(LibraryCatalogueTest, SavingTheListsAsLoadedKeepsEveryEntry) {
    WriteIni("[DEVLIBS]\r\n1=A.PART\r\n2=B.PART\rjunk\r\n3=C.PART\r\n"
             "[SCHLIBS]\r1=S.SYMBOL\r2=T.SYMBOL\r");
    catalogue.Load(services);
    const auto parts = catalogue.Entries(LibraryKind::Part);
    const auto symbols = catalogue.Entries(LibraryKind::Symbol);
    EXPECT_EQ(parts, (std::vector<std::string>{"A.PART", "B.PART", "C.PART"}));
    EXPECT_EQ(symbols, (std::vector<std::string>{"S.SYMBOL", "T.SYMBOL"}));
    EXPECT_TRUE(catalogue.Save(services));
    EXPECT_TRUE(boxes.shown.empty());

    LibraryCatalogue again;
    again.Load(services);
    EXPECT_EQ(again.Entries(LibraryKind::Part), parts);
    EXPECT_EQ(again.Entries(LibraryKind::Symbol), symbols);
}

TEST_F(LibraryCatalogueTest, ManyEntriesGoAndComeBackInOrder) {
    WriteIni("[Kalde2000]\r\nProject=X.K2K\r\n[DEVLIBS]\r\n1=OLD.PART\r\n; parts\r\n");
    catalogue.Load(services);
    std::vector<std::string> parts;
    std::string expected = "[Kalde2000]\r\nProject=X.K2K\r\n[DEVLIBS]\r\n";
    for (int i = 1; i <= 5000; ++i) {
        parts.push_back("GEN" + std::to_string(5000 - i) + ".PART");
        expected += std::to_string(i) + "=" + parts.back() + "\r\n";
    }
    expected += "; parts\r\n[SCHLIBS]\r\n1=S.SYMBOL\r\n";
    catalogue.SetEntries(LibraryKind::Part, parts);
    catalogue.SetEntries(LibraryKind::Symbol, {"S.SYMBOL"});
    ASSERT_TRUE(catalogue.Save(services));
    EXPECT_EQ(Ini(), expected);

    LibraryCatalogue again;
    again.Load(services);
    EXPECT_EQ(again.Entries(LibraryKind::Part), parts);
    parts.resize(10);
    again.SetEntries(LibraryKind::Part, parts);
    ASSERT_TRUE(again.Save(services));
    catalogue.Load(services);
    EXPECT_EQ(catalogue.Entries(LibraryKind::Part), parts) << "the keys after 10 are gone";
}

TEST_F(LibraryCatalogueTest, ReadingALibraryForASearch) {
    Kernel kernel;
    const std::string libDir = dir.SuitePath();
    ASSERT_TRUE(test::Done(WriteLibrary(dir / "TTL.PART", LibraryKind::Part,
                                        {{"74LS00", ComposePartInfo("DIP14", {"Quad NAND"}), ""},
                                         {"74LS02", ComposePartInfo("DIP14", {"Quad NOR"}), ""}})));
    ASSERT_TRUE(test::Done(WriteLibrary(dir / "EMPTY.PART", LibraryKind::Part, {})));
    EXPECT_EQ(ReadObjectCount(libDir + "\\TTL.PART"), 2);

    LibraryDescriptions descriptions;
    EXPECT_EQ(ReadLibraryDescriptions(kernel, services, LibraryKind::Part, libDir + "\\TTL.PART",
                                      descriptions),
              LibraryReadOutcome::Read);
    ASSERT_EQ(descriptions.records.size(), 2u);
    EXPECT_EQ(descriptions.records[1].field1, "74LS02");
    EXPECT_EQ(SplitPartInfo(descriptions.records[1].field3).description, "Quad NOR");

    EXPECT_EQ(ReadLibraryDescriptions(kernel, services, LibraryKind::Part, libDir + "\\EMPTY.PART",
                                      descriptions),
              LibraryReadOutcome::Empty);
    EXPECT_TRUE(boxes.shown.empty()) << "an empty library is skipped without a word";

    EXPECT_EQ(ReadLibraryDescriptions(kernel, services, LibraryKind::Part, libDir + "\\GONE.PART",
                                      descriptions),
              LibraryReadOutcome::Missing);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Library File: " + (dir / "GONE.PART").string() + " not found");

    test::WriteFile(dir / "BAD.PART", std::string("KaldeDLL20\0\0", 12) + std::string(8, '\x05'));
    EXPECT_EQ(ReadLibraryDescriptions(kernel, services, LibraryKind::Part, libDir + "\\BAD.PART",
                                      descriptions),
              LibraryReadOutcome::Unreadable);
    EXPECT_EQ(boxes.shown.back().text, "Can't open library: " + (dir / "BAD.PART").string());
    EXPECT_EQ(ReadLibraryDescriptions(kernel, services, LibraryKind::Symbol, libDir + "\\TTL.PART",
                                      descriptions),
              LibraryReadOutcome::Unreadable)
        << "a part library listed as a symbol library";

    test::WriteFile(dir / "SHORT.PART", "KaldeDLL20");
    EXPECT_FALSE(ReadObjectCount(libDir + "\\SHORT.PART").has_value());
    EXPECT_EQ(ReadLibraryDescriptions(kernel, services, LibraryKind::Part, libDir + "\\SHORT.PART",
                                      descriptions),
              LibraryReadOutcome::Empty);
}

} // namespace
} // namespace k2k
