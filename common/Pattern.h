#pragma once
// The pattern language of the search criteria. The whole text must match:
//   *        any run of characters, also none
//   ?        exactly one character
//   #        exactly one digit 0 to 9
//   [list]   one character of the list; "A-Z" stands for every character from A to Z
//   [!list]  one character not in the list
//   other    itself, by character code (so case matters)
// Inside brackets *, ? and # stand for themselves, a "-" first or last is itself, and
// "[]" matches no character at all (it is dropped). A "]" outside brackets is itself.
//
// A pattern that cannot be read is refused when it is compiled, with a message: an
// unclosed "[" ("A[B-"), or a range that runs backwards ("[Z-A]").
//
// A pattern is compiled once per search. Matching never backtracks more than one star:
// the pieces between stars are placed leftmost in turn, which is optimal, so a pattern
// such as *A*A*A*A*B against a long text of As costs a few passes, not an explosion.

#include "system/Result.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class Pattern final {
public:
    // The compiled pattern, or a problem whose message is for the user when the text is not
    // a pattern.
    static Result<Pattern> Compile(std::string_view text);

    // The text as it stands.
    bool Matches(std::string_view text) const noexcept { return Match(text, false); }
    // The text as if it were upper-cased first (through the one upper-case table); for a
    // pattern that was upper-cased itself, this is a match without regard to case.
    bool MatchesUpperCased(std::string_view text) const noexcept { return Match(text, true); }

    bool MatchesEverything() const noexcept { return m_everything; }
    const std::string& Text() const noexcept { return m_text; }

private:
    // One character position of a piece: a literal, any character, a digit, or a set.
    struct Element {
        enum class Kind : unsigned char { Literal, Any, Digit, Set } kind;
        unsigned char literal = 0;
        int set = -1; // index into m_sets
    };
    // A run of elements between stars.
    struct Piece {
        std::vector<Element> elements;
        std::string literal; // the piece's text when every element is a literal
        bool allLiteral = true;
        // The bytes a piece can start with, as they stand and once upper-cased: where the
        // first byte does not fit, the piece is not tried.
        std::array<std::uint8_t, 256> starts{};
        std::array<std::uint8_t, 256> startsUpperCased{};
    };

    bool Match(std::string_view text, bool upper) const noexcept;
    bool ElementMatches(const Element& element, unsigned char c) const noexcept;
    bool PieceMatchesAt(const Piece& piece, std::string_view text, std::size_t at,
                        bool upper) const noexcept;
    // The leftmost position at or after from where the piece matches, or npos.
    std::size_t FindPiece(const Piece& piece, std::string_view text, std::size_t from,
                          bool upper) const noexcept;

    std::string m_text;
    std::vector<Piece> m_pieces; // pieces in order; stars sit between them
    bool m_leadingStar = false;  // the text holds a star: first and last runs are anchored
    bool m_everything = false;   // only stars
    std::vector<std::bitset<256>> m_sets;
};

// The characters 0 to 9, * and ? of a text in their order; the rest is dropped
// ("74LS00" gives "7400").
std::string DigitsAndWildcards(std::string_view text);

} // namespace k2k
