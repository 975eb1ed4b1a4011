#include "platform/FileOps.h"

#include "platform/SuiteServices.h"
#include "support/TestSupport.h"
#include "system/NativePath.h"
#include "system/ReadLimits.h"
#include "system/Text.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::WriteFile;

class FileOpsTest : public test::ServicesTest {
protected:
    FileOps files{services, boxes};
    int status = -1;
    int number = 0;

    std::string PathOf(std::string_view name) const { return SuitePath(dir / name).Value(); }
    std::size_t EntriesInDir() const { return test::FilesIn(dir.Path()).size(); }
    // "title | text" of the one failure box shown since the last call.
    std::string TakeFailure() {
        if (boxes.shown.size() != 1)
            return std::to_string(boxes.shown.size()) + " boxes";
        const MessageRequest box = boxes.shown.front();
        boxes.shown.clear();
        EXPECT_EQ(box.icon, MsgIcon::Exclamation);
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
        return box.title + " | " + box.text;
    }
};

TEST_F(FileOpsTest, OpeningForInputReportsWhyItFailed) {
    files.OpenForInput(status, number, PathOf("K2KBRWSR.ini"));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(TakeFailure(),
              "File not found | Can't read file: " + (dir / "K2KBRWSR.ini").string());
    files.OpenForInput(status, number, PathOf("NOFOLDER\\A.TXT"));
    EXPECT_EQ(TakeFailure(),
              "Path not found | Can't read file: " + (dir / "NOFOLDER/A.TXT").string());
    files.OpenForInput(status, number, dir.SuitePath());
    EXPECT_EQ(TakeFailure(), "Path/File access error | Can't read file: " + dir.Path().string());
    EXPECT_EQ(files.OpenCount(), 0);

    files.OpenForInputQuiet(status, number, PathOf("K2KBRWSR.ini"));
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(boxes.shown.empty());

    WriteFile(dir / "DE" / "TEXTS.LNG", "99365=Datei nicht lesbar: \r\n");
    services.SetLanguagePath(SuitePath(dir / "DE").Value());
    files.OpenForInput(status, number, "C:\\NOWHERE\\X.TXT");
    EXPECT_EQ(TakeFailure(), "Path not found | Datei nicht lesbar: /NOWHERE/X.TXT");
}

TEST_F(FileOpsTest, WhatIsNoTextFileIsRefusedAtOnceWithWhatItIs) {
    using Kind = test::NotATextFile::Kind;
    const std::string path = (dir / "K2KBRWSR.ini").string();
    const std::string device = "\r\nThis is not a file but a device, a pipe or a socket.";
    for (const Kind kind : test::NotATextFile::kKinds) {
        SCOPED_TRACE(test::NotATextFile::Name(kind));
        const test::NotATextFile file(dir / "K2KBRWSR.ini", kind, kLineFileLimit);
        FileOps::FileExists(status, PathOf("K2KBRWSR.ini"));
        EXPECT_EQ(status, kind == Kind::Oversized ? 0 : 1); // a file, if one too large to read
        files.OpenForInput(status, number, PathOf("K2KBRWSR.ini"));
        EXPECT_EQ(status, 1);
        const std::string expected =
            kind == Kind::Folder ? "Path/File access error | Can't read file: " + path
            : kind == Kind::Oversized
                ? "Out of memory | Can't read file: " + path +
                      "\r\nThe file is larger than 64 MB, the most this program reads of such a "
                      "file."
                : "Path/File access error | Can't read file: " + path + device;
        EXPECT_EQ(TakeFailure(), expected);
    }
    EXPECT_EQ(files.OpenCount(), 0);
}

TEST_F(FileOpsTest, ReadsLinesAndFailsPastTheEnd) {
    WriteFile(dir / "in.txt", "one\r\ntwo\nthree\rfour\r\n\r\nlast \x80");
    files.OpenForInput(status, number, PathOf("in.txt"));
    ASSERT_EQ(status, 0);
    std::vector<std::string> lines;
    for (std::string line; !files.AtEnd(number); lines.push_back(line))
        files.ReadLine(status, number, line);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four", "", "last \x80"}));

    std::string line = "stale";
    files.ReadLine(status, number, line);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(line, "");
    EXPECT_EQ(TakeFailure(),
              "Input past end of file | Can't read file: " + (dir / "in.txt").string());

    WriteFile(dir / "empty.txt", "");
    files.OpenForInput(status, number, PathOf("empty.txt"));
    EXPECT_TRUE(files.AtEnd(number));
}

TEST_F(FileOpsTest, FileNumbersAreTheNextFreeOnes) {
    WriteFile(dir / "a.txt", "a");
    int second = 0;
    files.OpenForInput(status, number, PathOf("a.txt"));
    files.OpenForOutput(status, second, PathOf("b.txt"));
    EXPECT_EQ(number, 1);
    EXPECT_EQ(second, 2);
    files.CloseFile(0, number, PathOf("a.txt"));
    files.OpenForInput(status, number, PathOf("a.txt"));
    EXPECT_EQ(number, 1);
}

TEST_F(FileOpsTest, OutputReplacesTheOldFileOnlyOnACleanClose) {
    WriteFile(dir / "out.txt", "old\r\n");
    files.OpenForOutput(status, number, PathOf("out.txt"));
    files.WriteLine(status, number, "[PartType]\r\n");
    files.WriteLine(status, number, "[ENDPROFILE]");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(dir / "out.txt"), "old\r\n");
    files.CloseFile(0, number, PathOf("out.txt"));
    EXPECT_EQ(ReadFile(dir / "out.txt"), "[PartType]\r\n[ENDPROFILE]");

    { // interrupted: never closed
        FileOps other{services, boxes};
        other.OpenForOutput(status, number, PathOf("out.txt"));
        other.WriteLine(status, number, "half a li");
    }
    EXPECT_EQ(ReadFile(dir / "out.txt"), "[PartType]\r\n[ENDPROFILE]");

    files.OpenForOutput(status, number, PathOf("out.txt"));
    files.FailWritesAfter(number, 4);
    files.WriteLine(status, number, "more than four");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(TakeFailure(),
              "Disk full | Can't create/write to file: " + (dir / "out.txt").string());
    files.CloseFile(0, number, PathOf("out.txt"));
    EXPECT_EQ(ReadFile(dir / "out.txt"), "[PartType]\r\n[ENDPROFILE]");
    EXPECT_EQ(EntriesInDir(), 1u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FileOpsTest, OutputThatCannotStartShowsTheWriteFailure) {
    WriteFile(dir / "out.txt", "old\r\n");
    std::filesystem::create_directory(dir / "out.txt.new~"); // where the new file goes
    files.OpenForOutput(status, number, PathOf("out.txt"));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(TakeFailure(),
              "Path/File access error | Can't create/write to file: " + (dir / "out.txt").string());
    EXPECT_EQ(ReadFile(dir / "out.txt"), "old\r\n");

    // Two outputs to one file would mix their lines.
    files.OpenForOutput(status, number, PathOf("b.txt"));
    files.OpenForOutput(status, number, PathOf("b.txt"));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(TakeFailure(),
              "File already open | Can't create/write to file: " + (dir / "b.txt").string());
}

TEST_F(FileOpsTest, TheDeleteFlagRemovesTheFile) {
    WriteFile(dir / "in.txt", "x\r\n");
    files.OpenForInput(status, number, PathOf("in.txt"));
    files.CloseFile(1, number, PathOf("in.txt"));
    EXPECT_EQ(EntriesInDir(), 0u);

    WriteFile(dir / "out.txt", "old\r\n");
    files.OpenForOutput(status, number, PathOf("out.txt"));
    files.WriteLine(status, number, "new\r\n");
    files.CloseFile(1, number, PathOf("out.txt"));
    EXPECT_EQ(EntriesInDir(), 0u);
    EXPECT_EQ(files.OpenCount(), 0);
}

TEST_F(FileOpsTest, FileAndFolderTests) {
    WriteFile(dir / "there.txt", "");
    std::filesystem::create_directory(dir / "Lib");
    for (const auto& [path, expected] :
         {std::pair{PathOf("there.txt"), 0}, {PathOf("THERE.TXT"), 0}, {dir.SuitePath(), 1}}) {
        FileOps::FileExists(status, path);
        EXPECT_EQ(status, expected) << path;
    }
    // Drives A to Y always exist; other folders are found without regard to case, and the
    // path comes back upper-cased.
    for (const auto& [given, expected] : {std::pair{std::string("c:"), 0},
                                          {"Y:\\", 0},
                                          {PathOf("Lib"), 0},
                                          {PathOf("lib"), 0},
                                          {PathOf("LIB\\NOT"), 1},
                                          {PathOf("there.txt"), 1},
                                          {"C:\\NOWHERE", 1}}) {
        std::string path = given;
        FileOps::FolderExists(path, status);
        EXPECT_EQ(status, expected) << given;
        EXPECT_EQ(path, UpperCase(given));
    }
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace k2k
