#include "platform/Tokenizer.h"

#include "platform/Text.h"

namespace k2k {

void Tokenizer::Split(std::string_view text, char separator) {
    m_text.assign(text);
    m_pieces.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = m_text.find(separator, start);
        if (at == std::string::npos) {
            m_pieces.emplace_back(start, m_text.size() - start);
            return;
        }
        m_pieces.emplace_back(start, at - start);
        start = at + 1;
    }
}

std::string_view Tokenizer::Piece(int i) const noexcept {
    if (i < 1 || i > Count())
        return {};
    const auto& [offset, length] = m_pieces[static_cast<std::size_t>(i - 1)];
    return std::string_view(m_text).substr(offset, length);
}

double Tokenizer::Number(int i) const noexcept {
    return LeadingNumber(Piece(i));
}

} // namespace k2k
