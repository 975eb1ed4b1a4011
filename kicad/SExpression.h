#pragma once
// S-expression texts, the form in which the open-source EDA tool keeps its symbol and
// footprint libraries: nested lists in parentheses whose items are lists, bare atoms
// (keywords, numbers: "symbol", "-2.54", "hide") and quoted strings ("Footprint", with
// backslash escapes).
//
// SDocument reads a whole text in one pass, without recursion, into a flat table of
// nodes: an atom refers into the document's copy of the text (a string is unescaped in
// place, where it stood), so reading allocates nothing per node, and a document reused
// from file to file reuses its memory. Numbers keep the text they were written with; the
// reader of a format converts them where it uses them. Every node knows the line it
// starts on, for messages.
//
// A text that is not well formed (a list or string that is not closed, a ")" that closes
// nothing, lists nested deeper than kMaxSDepth) is refused with "FILE:LINE: problem".

#include "system/Result.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

inline constexpr std::size_t kMaxSDepth = 256;

enum class SNodeKind : std::uint8_t { List, Symbol, String };

class SDocument;

// A node of a document: a small handle, valid while the document is neither read again nor
// destroyed.
class SNode final {
public:
    class Iterator final {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = SNode;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = SNode;

        Iterator() = default;
        Iterator(const SDocument* document, std::uint32_t index) : m_doc(document), m_at(index) {}
        SNode operator*() const { return {m_doc, m_at}; }
        Iterator& operator++();
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return m_at == other.m_at; }

    private:
        const SDocument* m_doc = nullptr;
        std::uint32_t m_at = 0; // 0: past the last child
    };

    SNode(const SDocument* document, std::uint32_t index) : m_doc(document), m_index(index) {}

    SNodeKind Kind() const noexcept;
    bool IsList() const noexcept { return Kind() == SNodeKind::List; }
    bool IsAtom() const noexcept { return !IsList(); }
    // The text of an atom (a string without its quotes, its escapes resolved); empty for a
    // list.
    std::string_view Text() const noexcept;
    // The line (from 1) the node starts on.
    std::size_t Line() const noexcept;

    // The items of a list (none for an atom), in order.
    Iterator begin() const noexcept;
    Iterator end() const noexcept { return {m_doc, 0}; }
    std::size_t Size() const noexcept;
    // Item i of a list, walking from the first; the caller checks i < Size().
    SNode operator[](std::size_t i) const noexcept;

    // The text of a list's first item when that is a bare atom, its keyword: "pin" for
    // (pin input line ...); empty otherwise.
    std::string_view Head() const noexcept;
    // Whether the list holds the bare atom word among its items.
    bool HasAtom(std::string_view word) const noexcept;

    const SDocument& Document() const noexcept { return *m_doc; }
    std::uint32_t Index() const noexcept { return m_index; }

private:
    const SDocument* m_doc;
    std::uint32_t m_index;
};

class SDocument final {
public:
    SDocument() = default;
    SDocument(const SDocument&) = delete;
    SDocument& operator=(const SDocument&) = delete;

    // Reads a text; fileName names it in the problem. On failure the document is empty.
    Status Parse(std::string text, std::string_view fileName);
    // Reads a file; a file that cannot be read is a problem naming it.
    Status Load(const std::filesystem::path& file);

    // The top-level expressions, as the items of one list that no text encloses.
    SNode Root() const noexcept { return {this, 0}; }
    std::size_t NodeCount() const noexcept { return m_nodes.size(); }

private:
    friend class SNode;
    friend class SNode::Iterator;
    friend class SParser;

    struct Node {
        std::uint32_t a = 0; // an atom: where its text starts; a list: its first item (0: none)
        std::uint32_t b = 0; // an atom: the length of its text; a list: its item count
        std::uint32_t line = 0;
        std::uint32_t next = 0; // the next item of the enclosing list (0: none)
        SNodeKind kind = SNodeKind::List;
    };

    std::string m_text;
    std::vector<Node> m_nodes;
};

// The canonical text of a node: lists in parentheses with their items separated by one
// blank, bare atoms as they are, strings quoted with \\, \", \n, \r and \t escaped. It reads
// back to the same tree. Written without recursion.
std::string WriteSExpression(SNode node);

} // namespace k2k
