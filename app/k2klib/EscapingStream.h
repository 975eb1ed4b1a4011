#pragma once
// What k2klib prints for a person passes through an EscapingStream: every control character
// of it is escaped by EscapeControls (system/Text.h), so a name or text taken from a file
// can never send the terminal a control sequence. Line feeds and TABs, which make the
// output's lines and columns, pass. The few bytes a command must print as they are (the
// saved list of a search, which is the window's file byte for byte, and the progress line's
// carriage return) go to the stream underneath.

#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace k2k::cli {

class EscapingStream final : public std::ostream {
public:
    explicit EscapingStream(std::ostream& target);
    ~EscapingStream() override;

private:
    // Writes through to the target's buffer at once, so what goes to the target directly
    // keeps its place; only a character cut between two writes waits for its rest.
    class Buffer final : public std::streambuf {
    public:
        explicit Buffer(std::ostream& target) : m_target(target) {}
        void Close();

    protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* s, std::streamsize n) override;
        int sync() override;

    private:
        void Emit(std::string_view text);
        std::ostream& m_target;
        std::string m_unfinished; // the start of a UTF-8 character whose rest has not come
    };
    Buffer m_buffer;
};

} // namespace k2k::cli
