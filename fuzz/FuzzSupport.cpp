#include "FuzzSupport.h"

#include "system/NativePath.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace k2k::fuzz {

namespace {

class Scratch final {
public:
    Scratch()
        : m_path(std::filesystem::temp_directory_path() /
                 ("k2k-fuzz-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::filesystem::path& Path() const noexcept { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace

ScratchServices::ScratchServices()
    : services(ScratchFolder() / "suite.ini", boxes), files(services, boxes) {
}

ScratchServices& Services() {
    static ScratchServices scratch;
    return scratch;
}

MsgAnswer QuietMessageBoxes::Show(const MessageRequest& request) {
    ++shown;
    return request.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
}

const std::filesystem::path& ScratchFolder() {
    static const Scratch scratch;
    return scratch.Path();
}

std::string ScratchSuitePath(std::string_view name) {
    return SuitePath(ScratchFolder() / name).Value(); // the scratch folder is ASCII
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        Fail(__FILE__, __LINE__, "the input could not be written to the scratch folder");
}

void Fail(const char* file, int line, const char* condition) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

} // namespace k2k::fuzz
