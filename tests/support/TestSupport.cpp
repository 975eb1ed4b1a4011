#include "support/TestSupport.h"

#include "platform/AtomicFile.h"
#include "platform/NativePath.h"

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace k2k::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("k2k-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
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

} // namespace k2k::test
