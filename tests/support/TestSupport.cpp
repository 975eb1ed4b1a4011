#include "support/TestSupport.h"

#include "formats/ProjectBuilder.h"
#include "platform/KernelProject.h"

#include "system/AtomicFile.h"
#include "system/FileLock.h"
#include "system/NativePath.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
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
    return k2k::SuitePath(m_path).Value();
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
    if (onShow)
        onShow(request);
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

NotATextFile::NotATextFile(std::filesystem::path path, Kind kind, std::uint64_t sizeLimit)
    : m_path(std::move(path)) {
    std::filesystem::create_directories(m_path.parent_path());
    switch (kind) {
    case Kind::Fifo:
        if (::mkfifo(m_path.c_str(), 0600) != 0)
            throw std::runtime_error("cannot make the FIFO " + m_path.string());
        m_releaser = std::thread([this] {
            for (int tick = 0; !m_done; ++tick) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                // Opening the writing end frees a reader blocked in its open; without a
                // reader it fails at once (ENXIO).
                if (tick >= 100) {
                    const int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                    if (fd >= 0)
                        ::close(fd);
                }
            }
        });
        break;
    case Kind::DevZero:
        std::filesystem::create_symlink("/dev/zero", m_path);
        break;
    case Kind::Folder:
        std::filesystem::create_directory(m_path);
        break;
    case Kind::Oversized:
        WriteFile(m_path, "");
        std::filesystem::resize_file(m_path, sizeLimit + 1);
        break;
    }
}

NotATextFile::~NotATextFile() {
    m_done = true;
    if (m_releaser.joinable())
        m_releaser.join();
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

const char* NotATextFile::Name(Kind kind) noexcept {
    switch (kind) {
    case Kind::Fifo:
        return "a FIFO";
    case Kind::DevZero:
        return "a link to /dev/zero";
    case Kind::Folder:
        return "a folder";
    case Kind::Oversized:
        return "a file beyond the limit";
    }
    return "?";
}

void WriteFile(const std::filesystem::path& path, std::string_view content) {
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename() != kLockFileName)
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

LockHeldElsewhere::LockHeldElsewhere(const std::filesystem::path& file) {
    std::promise<bool> taken;
    std::future<bool> answer = taken.get_future();
    m_holder = std::thread([file, &taken, release = m_release.get_future()] {
        FileLock lock;
        taken.set_value(lock.Take(file));
        release.wait();
    });
    m_held = answer.get();
}

LockHeldElsewhere::~LockHeldElsewhere() {
    m_release.set_value();
    m_holder.join();
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
    ASSERT_TRUE(Done(builder.Write(file)));
}

ScopedVariable::ScopedVariable(const char* name, const std::filesystem::path& value)
    : m_name(name) {
    if (const char* old = std::getenv(name))
        m_old = old;
    setenv(name, value.c_str(), 1);
}

ScopedVariable::~ScopedVariable() {
    if (m_old)
        setenv(m_name, m_old->c_str(), 1);
    else
        unsetenv(m_name);
}

} // namespace k2k::test
