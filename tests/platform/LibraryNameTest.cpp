#include "platform/LibraryName.h"

#include "platform/SuiteServices.h"
#include "support/TestSupport.h"
#include "system/FolderListing.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using Fault = LibraryNameFault;

// Every way a name could reach past its folder or meet another file, and names that look
// odd but are plain.
TEST(LibraryNameTest, OnlyAPlainFileNameOfTheFolderPasses) {
    const struct {
        std::string_view name;
        Fault fault;
    } cases[] = {
        {"TTL.PART", Fault::None},
        {"Amplifier_Operational.PART", Fault::None},
        {"a b.PART", Fault::None},
        {"...PART", Fault::None},
        {"\xe4\x80x.PART", Fault::None}, // a letter and the field separator's byte
        {"", Fault::Empty},
        {"   ", Fault::Empty},
        {"..\\..\\evil.PART", Fault::Separator},
        {"../evil.PART", Fault::Separator},
        {"LIB\\TTL.PART", Fault::Separator},
        {"C:TTL.PART", Fault::Separator},
        {"TTL.PART:stream", Fault::Separator},
        {".", Fault::Folder},
        {"..", Fault::Folder},
        {"A\tB.PART", Fault::Control},
        {"A\x1b.PART", Fault::Control},
        {"A\x7f.PART", Fault::Control},
        {"A\x81.PART", Fault::Control}, // undefined in Windows-1252: a C1 control
        {"A\nB.PART", Fault::Control},
        {" TTL.PART", Fault::Edge}, // a catalogue entry is trimmed: another file
        {"TTL.PART ", Fault::Edge},
        {"TTL.PART.", Fault::Edge},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckLibraryName(c.name), c.fault) << "\"" << c.name << "\"";
        EXPECT_EQ(LibraryFilePath("\\S\\LIB", c.name).has_value(), c.fault == Fault::None)
            << "\"" << c.name << "\"";
    }
    EXPECT_EQ(LibraryFilePath("\\S\\LIB", "TTL.PART"), "\\S\\LIB\\TTL.PART");
}

// A file "..\..\x.so" in a folder would name another folder's file once joined to it.
TEST(LibraryNameTest, AFolderListingLeavesOutNamesTheSuiteCannotJoin) {
    test::TempDir dir;
    for (const char* name : {"..\\..\\X.PART", "A.PART", "..\\model.so"})
        test::WriteFile(dir / name, "x");
    EXPECT_EQ(ListFiles(dir.SuitePath()), std::vector<std::string>{"A.PART"});
}

TEST(LibraryNameTest, TheRefusalNamesTheNameAndWhy) {
    test::TempDir dir;
    test::RecordingMessageBoxes boxes;
    const SuiteServices services(dir / "suite.ini", boxes);
    EXPECT_EQ(LibraryNameRefusal(services, "..", Fault::Folder),
              "The library name \"..\" is not a plain file name in the library folder: it names "
              "a folder");
    EXPECT_EQ(LibraryNameRefusal(services, "TTL.PART", Fault::None), "");
}

} // namespace
} // namespace k2k
