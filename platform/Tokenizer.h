#pragma once
// The suite's text splitter: splits a text at a one-character separator and gives the
// pieces by number, as text or as a number. Every separator ends a piece, so "a,,b" has
// three pieces, "a," two and the empty text one (an empty piece).

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace k2k {

class Tokenizer final {
public:
    Tokenizer() = default;
    Tokenizer(std::string_view text, char separator) { Split(text, separator); }

    // Replaces the pieces of any earlier split.
    void Split(std::string_view text, char separator);

    int Count() const noexcept { return static_cast<int>(m_pieces.size()); }
    // Piece i, counted from 1; empty for any i outside 1 to Count(). The view stays valid
    // until the next Split.
    std::string_view Piece(int i) const noexcept;
    // The leading number of piece i (LeadingNumber); 0 for a piece without one.
    double Number(int i) const noexcept;

private:
    std::string m_text;
    std::vector<std::pair<std::size_t, std::size_t>> m_pieces; // offset, length
};

} // namespace k2k
