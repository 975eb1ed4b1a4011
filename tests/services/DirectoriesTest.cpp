#include "services/Directories.h"

#include "platform/SuiteServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(DirectoriesTest, DefaultsWithoutAnySettings) {
    test::TempDir dir;
    test::RecordingMessageBoxes boxes;
    SuiteServices services(dir / "suite.ini", boxes);
    Directories d;
    ReadDirs(services, d);
    EXPECT_EQ(d.sysDir, "\\Kalde 2000\\SYS");
    EXPECT_EQ(d.BrowserProfilePath(), "\\Kalde 2000\\SYS\\K2KBRWSR.ini");
    EXPECT_EQ(d.kdsSbk, "C:\\Kalde 2000\\KDS_SBK");
    EXPECT_EQ(d.prv3JobDir, "\\CADJOB");
    EXPECT_EQ(d.libraryFolders[2], "\\Kalde 2000\\LIB");
}

TEST(DirectoriesTest, SettingsAreResolvedAndTheLibraryFolderSavedBack) {
    test::TempDir dir;
    test::RecordingMessageBoxes boxes;
    test::WriteFile(dir / "suite.ini", "[Kalde2K]\r\nLibDir=LIB\r\nSysDir=D:\\K2K\\SYS\r\n");
    SuiteServices services(dir / "suite.ini", boxes);
    Directories d;
    ReadDirs(services, d);
    EXPECT_EQ(d.libDir, dir.SuitePath() + "\\LIB");
    EXPECT_EQ(d.sysDir, "D:\\K2K\\SYS");
    EXPECT_EQ(d.libraryFolders[0], d.libDir);

    d.libDir = "E:\\OTHER\\LIB";
    SaveDirs(services, d);
    Directories again;
    ReadDirs(services, again);
    EXPECT_EQ(again.libDir, "E:\\OTHER\\LIB");
    EXPECT_EQ(again.sysDir, "D:\\K2K\\SYS");
}

} // namespace
} // namespace k2k
