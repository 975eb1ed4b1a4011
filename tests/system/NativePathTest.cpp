#include "system/NativePath.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

namespace fs = std::filesystem;

TEST(NativePathTest, DrivesAndBackslashesBecomeThisFileSystem) {
    EXPECT_EQ(NativePath("C:\\Kalde 2000\\LIB\\TTL.PART").string(), "/Kalde 2000/LIB/TTL.PART");
    EXPECT_EQ(NativePath("\\Kalde 2000\\SYS").string(), "/Kalde 2000/SYS");
    EXPECT_EQ(NativePath("C:\\").string(), "/");
    EXPECT_EQ(NativePath("LIB\\A.PART").string(), "LIB/A.PART");
    EXPECT_EQ(NativePath(JoinPath("C:\\", "A.PART")).string(), "/A.PART");
    EXPECT_TRUE(IsAbsoluteSuitePath("d:LIB"));
    EXPECT_FALSE(IsAbsoluteSuitePath("LIB"));
}

// Suite texts are Windows-1252, this file system's names UTF-8: "ü" is one byte in the one,
// two in the other, and must never be carried over byte for byte.
TEST(NativePathTest, NamesChangeEncodingBetweenTheSuiteAndThisSystem) {
    EXPECT_EQ(NativePath("C:\\home\\j\xFCrgen\\LIB").string(), "/home/j\xC3\xBCrgen/LIB");
    EXPECT_EQ(SuitePath("/home/j\xC3\xBCrgen/suite").Value(), "\\home\\j\xFCrgen\\suite");
    EXPECT_EQ(SuitePath("/work/suite").Value(), "\\work\\suite");
    // What a person reads is this system's form, still 8-bit until the edge converts it.
    EXPECT_EQ(DisplayPath("C:\\home\\j\xFCrgen\\\\LIB\\TTL74.PART"),
              "/home/j\xFCrgen/LIB/TTL74.PART");
    EXPECT_EQ(DisplayPath("LIB\\A.PART"), "LIB/A.PART");

    const auto cyrillic = SuitePath("/home/\xD1\x8E"); // a Cyrillic letter
    ASSERT_FALSE(cyrillic);
    EXPECT_EQ(cyrillic.Message(),
              "the path \"/home/\xD1\x8E\" holds \"\xD1\x8E\", which the suite's "
              "Windows-1252 names cannot hold");
    const auto notUtf8 = SuitePath("/home/\xFFx");
    ASSERT_FALSE(notUtf8);
    EXPECT_NE(notUtf8.Message().find("holds bytes that are not UTF-8"), std::string::npos)
        << notUtf8.Message();
}

class NativePathCaseTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string suite = dir.SuitePath();
};

TEST_F(NativePathCaseTest, EachComponentIsFoundWithoutRegardToCase) {
    test::WriteFile(dir / "Lib" / "Ttl74.Part", "");
    test::WriteFile(dir / "J\xC3\xBCrgen" / "texts.lng", ""); // "Jürgen"
    EXPECT_EQ(NativePath(suite + "\\LIB\\TTL74.PART"), dir / "Lib" / "Ttl74.Part");
    EXPECT_EQ(NativePath(suite + "\\lib"), dir / "Lib");
    // Folded with the suite's own table: "Ü" is the upper case of "ü".
    EXPECT_EQ(NativePath(suite + "\\J\xDCRGEN\\TEXTS.LNG"), dir / "J\xC3\xBCrgen" / "texts.lng");

    // A file written new keeps its name in the folder that was found; below a folder that
    // is not there at all, the path stays as given.
    EXPECT_EQ(NativePath(suite + "\\LIB\\NEW.PART"), dir / "Lib" / "NEW.PART");
    EXPECT_EQ(NativePath(suite + "\\NOFOLDER\\lib\\X"), dir / "NOFOLDER" / "lib" / "X");

    // Among names alike but for case the exact one comes first, then the first in byte order.
    test::WriteFile(dir / "a.ini", "");
    test::WriteFile(dir / "A.INI", "");
    test::WriteFile(dir / "a.INI", "");
    EXPECT_EQ(NativePath(suite + "\\a.ini"), dir / "a.ini");
    EXPECT_EQ(NativePath(suite + "\\a.INI"), dir / "a.INI");
    EXPECT_EQ(NativePath(suite + "\\A.ini"), dir / "A.INI");
}

} // namespace
} // namespace k2k
