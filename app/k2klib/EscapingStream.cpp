#include "EscapingStream.h"

#include "system/Text.h"

#include <algorithm>
#include <utility>

namespace k2k::cli {

namespace {

// How many bytes at the end of text start a UTF-8 character that the text does not finish.
std::size_t UnfinishedTail(std::string_view text) noexcept {
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: its lead is further back
        const std::size_t length = (byte & 0xE0) == 0xC0   ? 2
                                   : (byte & 0xF0) == 0xE0 ? 3
                                   : (byte & 0xF8) == 0xF0 ? 4
                                                           : 0;
        return length > back ? back : 0;
    }
    return 0;
}

bool Plain(std::string_view text) noexcept {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= 0x20 && byte < 0x7F) || byte == '\n' || byte == '\t';
    });
}

} // namespace

EscapingStream::EscapingStream(std::ostream& target) : std::ostream(nullptr), m_buffer(target) {
    rdbuf(&m_buffer);
    if (target.flags() & std::ios_base::unitbuf)
        setf(std::ios_base::unitbuf);
}

EscapingStream::~EscapingStream() {
    m_buffer.Close();
}

void EscapingStream::Buffer::Close() {
    // A character that never got its rest is shown as the bytes it has.
    Emit(std::exchange(m_unfinished, std::string()));
    m_target.flush();
}

void EscapingStream::Buffer::Emit(std::string_view text) {
    if (text.empty())
        return;
    if (Plain(text)) {
        m_target.rdbuf()->sputn(text.data(), static_cast<std::streamsize>(text.size()));
        return;
    }
    const std::string shown = EscapeControls(text, true);
    m_target.rdbuf()->sputn(shown.data(), static_cast<std::streamsize>(shown.size()));
}

EscapingStream::Buffer::int_type EscapingStream::Buffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    xsputn(&ch, 1);
    return c;
}

std::streamsize EscapingStream::Buffer::xsputn(const char* s, std::streamsize n) {
    std::string_view text(s, static_cast<std::size_t>(n));
    std::string joined;
    if (!m_unfinished.empty()) {
        joined = std::exchange(m_unfinished, std::string()).append(text);
        text = joined;
    }
    const std::size_t tail = UnfinishedTail(text);
    m_unfinished.assign(text.substr(text.size() - tail));
    Emit(text.substr(0, text.size() - tail));
    return n;
}

int EscapingStream::Buffer::sync() {
    m_target.flush();
    return m_target ? 0 : -1;
}

} // namespace k2k::cli
