#pragma once
// What every fuzz harness shares: a message-box double that shows nothing, one scratch
// folder per process for readers that take a path, and a check that stops the run (so
// that libFuzzer saves the input) when a property of a reader does not hold.
//
// A harness is one LLVMFuzzerTestOneInput per file. It hands the bytes to a reader
// through its in-memory entry point where there is one, otherwise through a file in the
// scratch folder, and then checks what must hold for any input: that the reader comes to
// an end within its memory, and that what it read survives a write and a second read.

#include "platform/MessageBoxes.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace k2k::fuzz {

class QuietMessageBoxes final : public MessageBoxes {
public:
    // OK to a message, No to a question: nothing is changed without a person's yes.
    MsgAnswer Show(const MessageRequest& request) override;

    int shown = 0; // boxes shown so far
};

// A folder of this process under the system's temporary folder, emptied at exit.
const std::filesystem::path& ScratchFolder();
// The suite-form path of a file in the scratch folder.
std::string ScratchSuitePath(std::string_view name);

void WriteBytes(const std::filesystem::path& file, std::string_view bytes);
inline std::string_view BytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Prints what failed and aborts, which libFuzzer reports as a crash with the input.
[[noreturn]] void Fail(const char* file, int line, const char* condition);

} // namespace k2k::fuzz

#define K2K_FUZZ_CHECK(condition)                                                                  \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::k2k::fuzz::Fail(__FILE__, __LINE__, #condition);                                     \
    } while (false)
