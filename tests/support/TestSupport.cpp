#include "support/TestSupport.h"

#include "platform/KernelProject.h"
#include "platform/ProjectBuilder.h"

#include "platform/AtomicFile.h"
#include "platform/NativePath.h"

#include "platform/FileLock.h"

#include <atomic>
#include <csignal>
#include <fstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace k2k::test {

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path()) {
}

TempDir::TempDir(const std::filesystem::path& base) {
    static std::atomic<int> counter{0};
    m_path = base / ("k2k-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::SuitePath() const {
    return k2k::SuitePath(m_path).value();
}

bool RunInChild(long killAt, const std::function<void()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        SetKillAtFileStep(killAt);
        work();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) {
        EXPECT_EQ(WTERMSIG(status), SIGKILL);
        return true;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return false;
}

std::map<std::string, std::string> FilesUnder(const std::filesystem::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file() && entry.path().filename() != kLockFileName)
            files[std::filesystem::relative(entry.path(), root).string()] = ReadFile(entry.path());
    return files;
}

MsgAnswer RecordingMessageBoxes::Show(const MessageRequest& request) {
    shown.push_back(request);
    if (request.buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (answers.empty())
        return MsgAnswer::No;
    const MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::vector<std::string> RecordingMessageBoxes::Texts() const {
    std::vector<std::string> texts;
    for (const auto& request : shown)
        texts.push_back(request.text);
    return texts;
}

void WriteFile(const std::filesystem::path& path, std::string_view content) {
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFile(const std::filesystem::path& path) {
    std::string content;
    if (!ReadWholeFile(path, content))
        throw std::runtime_error("cannot read " + path.string());
    return content;
}

void WriteDemoProject(const std::filesystem::path& file) {
    ProjectBuilder builder("DEMO");
    builder.AddPart("7400", "DIP14 \x80Quad NAND");
    builder.AddPart("7402", "DIP14 \x80Quad NOR");
    builder.AddPart("LM358", "DIP14 \x80"
                             "Dual op-amp");
    builder.AddPart("UNUSED", "");
    builder.AddSymbol("7400", "NAND gate", "draw-nand", kSymbolFlags);
    builder.AddSymbol("DIP14", "14-pin DIP", "draw-dip", kPackageFlags);
    builder.AddSymbol("DIP14", "DIP14 block", "draw-block", kSymbolFlags);
    builder.AddSymbol("PAD60", "round 60", "", kPadstackFlags);
    builder.AddSymbol("SO8", "8-pin SO", "", kPackageFlags);
    const int top = builder.AddHierarchy("TOP");
    const int sub = builder.AddHierarchy("SUB");
    builder.AddPage(top, "Sheet1");
    builder.AddPage(top, "Sheet2");
    builder.AddPage(sub, "SubSheet");
    builder.AddComponent(top, ComponentEditor::Schematic, "U1", 1, {1});
    builder.AddComponent(top, ComponentEditor::Schematic, "U2", 2, {1});
    builder.AddComponent(top, ComponentEditor::Schematic, "U3", 0, {5});
    builder.AddComponent(top, ComponentEditor::Layout, "U1", 1, {2, 4});
    builder.AddComponent(sub, ComponentEditor::Layout, "IC1", 3, {2});
    builder.SetCurrent(top, 2);
    std::string error;
    ASSERT_TRUE(builder.Write(file, error)) << error;
}

} // namespace k2k::test
