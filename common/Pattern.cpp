#include "common/Pattern.h"

#include "system/Text.h"

namespace k2k {

namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// The bracket list whose "[" is at text[i], into set (flipped for "[!list]"); i is left at
// its "]". A problem when the list is never closed or holds a range that runs backwards.
// matchesSome is false for "[]", which matches no character at all.
Status ReadList(std::string_view text, std::size_t& i, std::bitset<256>& set, bool& matchesSome) {
    const std::size_t open = i;
    std::size_t j = i + 1;
    const bool negated = j < text.size() && text[j] == '!';
    if (negated)
        ++j;
    bool any = false;
    bool closed = false;
    while (j < text.size()) {
        const auto first = static_cast<unsigned char>(text[j]);
        if (first == ']') {
            closed = true;
            break;
        }
        if (j + 2 < text.size() && text[j + 1] == '-' && text[j + 2] != ']') {
            const auto last = static_cast<unsigned char>(text[j + 2]);
            if (last < first)
                return Problem{"Invalid pattern " + Quoted(text) + ": the range " +
                               std::string(text.substr(j, 3)) + " at position " +
                               std::to_string(j + 1) + " runs backwards"};
            for (unsigned v = first; v <= last; ++v)
                set.set(v);
            j += 3;
        } else {
            set.set(first);
            ++j;
        }
        any = true;
    }
    if (!closed)
        return Problem{"Invalid pattern " + Quoted(text) + ": the \"[\" at position " +
                       std::to_string(open + 1) + " is never closed"};
    i = j;
    if (negated)
        set.flip();
    matchesSome = any || negated;
    return {};
}

} // namespace

Result<Pattern> Pattern::Compile(std::string_view text) {
    Pattern pattern;
    pattern.m_text = std::string(text);
    std::vector<Piece> segments(1); // the runs around every star, empty ones included

    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        Piece& piece = segments.back();
        switch (c) {
        case '*':
            segments.emplace_back();
            continue;
        case '?':
            piece.elements.push_back({Element::Kind::Any});
            piece.allLiteral = false;
            continue;
        case '#':
            piece.elements.push_back({Element::Kind::Digit});
            piece.allLiteral = false;
            continue;
        case '[':
            break;
        default:
            piece.elements.push_back({Element::Kind::Literal, c});
            piece.literal += static_cast<char>(c);
            continue;
        }

        std::bitset<256> set;
        bool matchesSome = false;
        if (auto list = ReadList(text, i, set, matchesSome); !list)
            return std::move(list).Error();
        if (!matchesSome)
            continue;
        pattern.m_sets.push_back(set);
        piece.elements.push_back(
            {Element::Kind::Set, 0, static_cast<int>(pattern.m_sets.size() - 1)});
        piece.allLiteral = false;
    }

    const std::uint8_t* table = UpperTable();
    for (Piece& piece : segments) {
        if (piece.elements.empty())
            continue;
        for (unsigned c = 0; c < 256; ++c) {
            piece.starts[c] =
                pattern.ElementMatches(piece.elements.front(), static_cast<unsigned char>(c));
            piece.startsUpperCased[c] = pattern.ElementMatches(piece.elements.front(), table[c]);
        }
    }

    const bool hasStar = segments.size() > 1;
    if (!hasStar) {
        pattern.m_pieces = std::move(segments);
        return pattern;
    }
    pattern.m_leadingStar = true;
    // First and last runs are anchored at the ends; the runs between stars float.
    pattern.m_pieces.push_back(std::move(segments.front()));
    for (std::size_t k = 1; k + 1 < segments.size(); ++k)
        if (!segments[k].elements.empty())
            pattern.m_pieces.push_back(std::move(segments[k]));
    pattern.m_pieces.push_back(std::move(segments.back()));
    pattern.m_everything = pattern.m_pieces.size() == 2 &&
                           pattern.m_pieces.front().elements.empty() &&
                           pattern.m_pieces.back().elements.empty();
    return pattern;
}

bool Pattern::ElementMatches(const Element& element, unsigned char c) const noexcept {
    switch (element.kind) {
    case Element::Kind::Literal:
        return c == element.literal;
    case Element::Kind::Any:
        return true;
    case Element::Kind::Digit:
        return c >= '0' && c <= '9';
    case Element::Kind::Set:
        return m_sets[static_cast<std::size_t>(element.set)].test(c);
    }
    return false;
}

bool Pattern::PieceMatchesAt(const Piece& piece, std::string_view text, std::size_t at,
                             bool upper) const noexcept {
    const std::uint8_t* table = UpperTable();
    const std::size_t n = piece.elements.size();
    if (at + n > text.size())
        return false;
    for (std::size_t k = 0; k < n; ++k) {
        auto c = static_cast<unsigned char>(text[at + k]);
        if (upper)
            c = table[c];
        if (!ElementMatches(piece.elements[k], c))
            return false;
    }
    return true;
}

std::size_t Pattern::FindPiece(const Piece& piece, std::string_view text, std::size_t from,
                               bool upper) const noexcept {
    if (piece.allLiteral && !upper)
        return text.find(piece.literal, from);
    const std::size_t n = piece.elements.size();
    if (n == 0)
        return from <= text.size() ? from : std::string_view::npos;
    const std::array<std::uint8_t, 256>& starts = upper ? piece.startsUpperCased : piece.starts;
    const char* data = text.data();
    if (piece.allLiteral) {
        // Upper-cased literal text: compared byte by byte through the table.
        const std::uint8_t* table = UpperTable();
        const char* literal = piece.literal.data();
        for (std::size_t at = from; at + n <= text.size(); ++at) {
            if (!starts[static_cast<unsigned char>(data[at])])
                continue;
            std::size_t k = 1;
            while (k < n && table[static_cast<unsigned char>(data[at + k])] ==
                                static_cast<unsigned char>(literal[k]))
                ++k;
            if (k == n)
                return at;
        }
        return std::string_view::npos;
    }
    for (std::size_t at = from; at + n <= text.size(); ++at)
        if (starts[static_cast<unsigned char>(data[at])] && PieceMatchesAt(piece, text, at, upper))
            return at;
    return std::string_view::npos;
}

bool Pattern::Match(std::string_view text, bool upper) const noexcept {
    if (m_everything)
        return true;
    if (!m_leadingStar) {
        const Piece& only = m_pieces.front();
        return only.elements.size() == text.size() && PieceMatchesAt(only, text, 0, upper);
    }
    const Piece& first = m_pieces.front();
    const Piece& last = m_pieces.back();
    if (first.elements.size() + last.elements.size() > text.size())
        return false;
    if (!first.elements.empty() && !PieceMatchesAt(first, text, 0, upper))
        return false;
    const std::size_t lastAt = text.size() - last.elements.size();
    if (!last.elements.empty() && !PieceMatchesAt(last, text, lastAt, upper))
        return false;
    // Each floating run goes to its leftmost place; that leaves the most room for the rest.
    const std::string_view middle = text.substr(0, lastAt);
    std::size_t position = first.elements.size();
    for (std::size_t k = 1; k + 1 < m_pieces.size(); ++k) {
        const std::size_t at = FindPiece(m_pieces[k], middle, position, upper);
        if (at == std::string_view::npos)
            return false;
        position = at + m_pieces[k].elements.size();
    }
    return true;
}

std::string DigitsAndWildcards(std::string_view text) {
    std::string out;
    for (char c : text)
        if ((c >= '0' && c <= '9') || c == '*' || c == '?')
            out += c;
    return out;
}

} // namespace k2k
