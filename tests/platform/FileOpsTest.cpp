#include "platform/FileOps.h"

#include "platform/NativePath.h"
#include "platform/SuiteServices.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::RecordingMessageBoxes;
using test::TempDir;
using test::WriteFile;

class FileOpsTest : public ::testing::Test {
protected:
    TempDir dir;
    RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
    FileOps files{services, boxes};

    // The suite-form path of a file in the test folder.
    std::string PathOf(std::string_view name) const { return SuitePath(dir / name); }

    void ExpectOneFailure(std::string_view text, std::string_view title) {
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, text);
        EXPECT_EQ(boxes.shown[0].title, title);
        EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
        boxes.shown.clear();
    }

    std::vector<std::string> ReadAll(int fileNumber) {
        std::vector<std::string> lines;
        int status = 0;
        while (!files.AtEnd(fileNumber)) {
            std::string line;
            files.ReadLine(status, fileNumber, line);
            EXPECT_EQ(status, 0);
            lines.push_back(line);
        }
        return lines;
    }
};

TEST_F(FileOpsTest, OpeningAMissingFileShowsTheReadFailure) {
    const std::string path = PathOf("K2KBRWSR.ini");
    int status = 0;
    int number = 0;
    files.OpenForInput(status, number, path);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(files.OpenCount(), 0);
    ExpectOneFailure("Can't read file: " + path, "File not found");

    files.OpenForInput(status, number, PathOf("NOFOLDER\\K2KBRWSR.ini"));
    EXPECT_EQ(status, 1);
    ExpectOneFailure("Can't read file: " + PathOf("NOFOLDER\\K2KBRWSR.ini"), "Path not found");

    // A folder is not a readable file.
    files.OpenForInput(status, number, dir.SuitePath());
    EXPECT_EQ(status, 1);
    ExpectOneFailure("Can't read file: " + dir.SuitePath(), "Path/File access error");

    files.OpenForInputQuiet(status, number, path);
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FileOpsTest, FailureTextsAreLocalised) {
    WriteFile(dir / "DE" / "TEXTS.LNG", "99365=Datei nicht lesbar: \r\n");
    services.SetLanguagePath(SuitePath(dir / "DE"));
    int status = 0;
    int number = 0;
    files.OpenForInput(status, number, "C:\\NOWHERE\\X.TXT");
    ExpectOneFailure("Datei nicht lesbar: C:\\NOWHERE\\X.TXT", "Path not found");
}

TEST_F(FileOpsTest, LinesEndAtCrLfLfOrCr) {
    WriteFile(dir / "in.txt", "one\r\ntwo\nthree\rfour\r\n\r\nlast \x80");
    int status = 1;
    int number = 0;
    files.OpenForInput(status, number, PathOf("in.txt"));
    ASSERT_EQ(status, 0);
    EXPECT_EQ(ReadAll(number),
              (std::vector<std::string>{"one", "two", "three", "four", "", "last \x80"}));

    std::string line = "stale";
    files.ReadLine(status, number, line);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(line, "");
    ExpectOneFailure("Can't read file: " + PathOf("in.txt"), "Input past end of file");
    files.CloseFile(0, number, PathOf("in.txt"));
    EXPECT_TRUE(std::filesystem::exists(dir / "in.txt"));
}

TEST_F(FileOpsTest, AnEmptyFileIsAtItsEndAtOnce) {
    WriteFile(dir / "empty.txt", "");
    int status = 1;
    int number = 0;
    files.OpenForInput(status, number, PathOf("empty.txt"));
    ASSERT_EQ(status, 0);
    EXPECT_TRUE(files.AtEnd(number));
    std::string line;
    files.ReadLine(status, number, line);
    EXPECT_EQ(status, 1);
    ExpectOneFailure("Can't read file: " + PathOf("empty.txt"), "Input past end of file");
}

TEST_F(FileOpsTest, FileNumbersAreTheNextFreeOnes) {
    WriteFile(dir / "a.txt", "a");
    int status = 1;
    int first = 0;
    int second = 0;
    int third = 0;
    files.OpenForInput(status, first, PathOf("a.txt"));
    files.OpenForOutput(status, second, PathOf("b.txt"));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    files.CloseFile(0, first, PathOf("a.txt"));
    files.OpenForInput(status, third, PathOf("a.txt"));
    EXPECT_EQ(third, 1);
    EXPECT_EQ(files.OpenCount(), 2);
}

TEST_F(FileOpsTest, OutputReplacesTheFileOnlyWhenClosed) {
    WriteFile(dir / "out.txt", "old content\r\n");
    int status = 1;
    int number = 0;
    files.OpenForOutput(status, number, PathOf("out.txt"));
    ASSERT_EQ(status, 0);
    files.WriteLine(status, number, "[PartType]\r\n");
    EXPECT_EQ(status, 0);
    files.WriteLine(status, number, "1,Sys,1:Digital\r\n[ENDPROFILE]");
    EXPECT_EQ(ReadFile(dir / "out.txt"), "old content\r\n");

    files.CloseFile(0, number, PathOf("out.txt"));
    EXPECT_EQ(ReadFile(dir / "out.txt"), "[PartType]\r\n1,Sys,1:Digital\r\n[ENDPROFILE]");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FileOpsTest, AnInterruptedOutputLeavesTheOldFile) {
    WriteFile(dir / "out.txt", "old content\r\n");
    {
        FileOps interrupted{services, boxes};
        int status = 1;
        int number = 0;
        interrupted.OpenForOutput(status, number, PathOf("out.txt"));
        interrupted.WriteLine(status, number, "half a profi");
    }
    EXPECT_EQ(ReadFile(dir / "out.txt"), "old content\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST_F(FileOpsTest, AFailedWriteKeepsTheOldFile) {
    WriteFile(dir / "out.txt", "old content\r\n");
    int status = 1;
    int number = 0;
    files.OpenForOutput(status, number, PathOf("out.txt"));
    files.FailWritesAfter(number, 4);
    files.WriteLine(status, number, "new\r\n");
    EXPECT_EQ(status, 1);
    ExpectOneFailure("Can't create/write to file: " + PathOf("out.txt"), "Disk full");
    files.CloseFile(0, number, PathOf("out.txt"));
    EXPECT_EQ(ReadFile(dir / "out.txt"), "old content\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FileOpsTest, OutputThatCannotBeCreatedShowsTheWriteFailure) {
    WriteFile(dir / "out.txt", "old content\r\n");
    std::filesystem::create_directory(dir / "out.txt.new~");
    int status = 0;
    int number = 0;
    files.OpenForOutput(status, number, PathOf("out.txt"));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(files.OpenCount(), 0);
    ExpectOneFailure("Can't create/write to file: " + PathOf("out.txt"), "Path/File access error");
    EXPECT_EQ(ReadFile(dir / "out.txt"), "old content\r\n");

    files.OpenForOutput(status, number, PathOf("NOFOLDER\\out.txt"));
    EXPECT_EQ(status, 1);
    ExpectOneFailure("Can't create/write to file: " + PathOf("NOFOLDER\\out.txt"),
                     "Path not found");

    // Two outputs to one file would mix their lines.
    files.OpenForOutput(status, number, PathOf("other.txt"));
    ASSERT_EQ(status, 0);
    int second = 0;
    files.OpenForOutput(status, second, PathOf("other.txt"));
    EXPECT_EQ(status, 1);
    ExpectOneFailure("Can't create/write to file: " + PathOf("other.txt"), "File already open");
}

TEST_F(FileOpsTest, TheDeleteFlagRemovesTheFile) {
    WriteFile(dir / "in.txt", "x\r\n");
    int status = 1;
    int number = 0;
    files.OpenForInput(status, number, PathOf("in.txt"));
    files.CloseFile(1, number, PathOf("in.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "in.txt"));
    EXPECT_EQ(files.OpenCount(), 0);

    WriteFile(dir / "out.txt", "old\r\n");
    files.OpenForOutput(status, number, PathOf("out.txt"));
    files.WriteLine(status, number, "new\r\n");
    files.CloseFile(1, number, PathOf("out.txt"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FileOpsTest, WrongFileNumbersFailWithoutHarm) {
    WriteFile(dir / "in.txt", "x\r\n");
    int status = 1;
    int number = 0;
    files.OpenForInput(status, number, PathOf("in.txt"));
    files.WriteLine(status, number, "y");
    EXPECT_EQ(status, 1);
    ExpectOneFailure("Can't create/write to file: " + PathOf("in.txt"), "Bad file name or number");

    std::string line;
    files.ReadLine(status, 42, line);
    EXPECT_EQ(status, 1);
    ExpectOneFailure("Can't read file: ", "Bad file name or number");
    EXPECT_TRUE(files.AtEnd(42));
    files.CloseFile(0, 42, PathOf("in.txt"));
    EXPECT_EQ(ReadFile(dir / "in.txt"), "x\r\n");
}

TEST_F(FileOpsTest, FileExistsOpensQuietly) {
    WriteFile(dir / "there.txt", "");
    int status = 1;
    FileOps::FileExists(status, PathOf("there.txt"));
    EXPECT_EQ(status, 0);
    FileOps::FileExists(status, PathOf("THERE.TXT"));
    EXPECT_EQ(status, 1);
    FileOps::FileExists(status, dir.SuitePath());
    EXPECT_EQ(status, 1);
    FileOps::FileExists(status, "");
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FileOpsTest, FolderExistsKnowsDrivesAndTestsTheGivenPath) {
    for (std::string drive : {"a:", "C:\\", "y:\\", "Y:"}) {
        int status = 1;
        FileOps::FolderExists(drive, status);
        EXPECT_EQ(status, 0) << drive;
    }
    std::string drive = "c:";
    int status = 1;
    FileOps::FolderExists(drive, status);
    EXPECT_EQ(drive, "C:");

    std::filesystem::create_directory(dir / "Lib");
    std::string path = PathOf("Lib");
    FileOps::FolderExists(path, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(path, UpperCase(PathOf("Lib")));

    WriteFile(dir / "plain.txt", "");
    for (std::string missing : {PathOf("lib2"), PathOf("Lib\\sub"), std::string("C:\\x")}) {
        FileOps::FolderExists(missing, status);
        EXPECT_EQ(status, 1) << missing;
    }
    std::string file = PathOf("plain.txt");
    FileOps::FolderExists(file, status);
    EXPECT_EQ(status, 1);
}

} // namespace
} // namespace k2k
