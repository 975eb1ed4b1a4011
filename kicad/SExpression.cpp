#include "kicad/SExpression.h"

#include "system/AtomicFile.h"

#include <array>
#include <limits>

namespace k2k {

namespace {

// What ends a bare atom: blanks, line ends and the characters of the syntax.
constexpr std::array<bool, 256> MakeDelimiters() {
    std::array<bool, 256> table{};
    for (unsigned char c : {' ', '\t', '\n', '\r', '\f', '\v', '(', ')', '"'})
        table[c] = true;
    return table;
}
constexpr std::array<bool, 256> kDelimiter = MakeDelimiters();

} // namespace

// Reads the document's text in one pass; the open lists are a stack of their own, so deep
// nesting costs memory, never the call stack.
class SParser final {
public:
    SParser(SDocument& document, std::string_view fileName)
        : m_doc(document), m_fileName(fileName) {}

    Status Run() {
        std::string& text = m_doc.m_text;
        m_doc.m_nodes.clear();
        if (text.size() >= std::numeric_limits<std::uint32_t>::max())
            return Fail(1, "the file is too large (4 GiB or more)");
        m_doc.m_nodes.push_back({0, 0, 1, 0, SNodeKind::List});
        m_open.clear();
        m_open.push_back({0, 0});

        char* s = text.data();
        const std::size_t n = text.size();
        std::size_t line = 1;
        std::size_t i = 0;
        while (i < n) {
            const char c = s[i];
            if (c == '\n') {
                ++line;
                ++i;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++i;
            } else if (c == '(') {
                if (m_open.size() > kMaxSDepth)
                    return Fail(line, "lists are nested deeper than " + std::to_string(kMaxSDepth));
                const std::uint32_t list = Add(SNodeKind::List, 0, 0, line);
                m_open.push_back({list, 0});
                ++i;
            } else if (c == ')') {
                if (m_open.size() == 1)
                    return Fail(line, "\")\" closes no list");
                m_open.pop_back();
                ++i;
            } else if (c == '"') {
                if (auto read = ReadString(i, line); !read)
                    return read;
            } else {
                const std::size_t start = i;
                while (i < n && !kDelimiter[static_cast<unsigned char>(s[i])])
                    ++i;
                Add(SNodeKind::Symbol, start, i - start, line);
            }
        }
        if (m_open.size() > 1)
            return Fail(m_doc.m_nodes[m_open.back().list].line,
                        "a list that starts here is not closed");
        return {};
    }

private:
    // Reads the string whose quote is at i, resolving its escapes in place, and moves i and
    // line past it.
    Status ReadString(std::size_t& i, std::size_t& line) {
        char* s = m_doc.m_text.data();
        const std::size_t n = m_doc.m_text.size();
        const std::size_t startLine = line;
        const std::size_t start = i + 1;
        std::size_t w = start;
        std::size_t r = start;
        while (r < n && s[r] != '"') {
            char ch = s[r];
            if (ch == '\\' && r + 1 < n) {
                const char next = s[r + 1];
                switch (next) {
                case 'n':
                    ch = '\n';
                    break;
                case 'r':
                    ch = '\r';
                    break;
                case 't':
                    ch = '\t';
                    break;
                case '\\':
                case '"':
                    ch = next;
                    break;
                default:
                    // Any other escape stands for itself, backslash included.
                    s[w++] = '\\';
                    ch = next;
                    break;
                }
                r += 2;
                if (next == '\n')
                    ++line;
                s[w++] = ch;
                continue;
            }
            if (ch == '\n')
                ++line;
            s[w++] = ch;
            ++r;
        }
        if (r >= n)
            return Fail(startLine, "a string that starts here is not closed");
        Add(SNodeKind::String, start, w - start, startLine);
        i = r + 1;
        return {};
    }

    struct Open {
        std::uint32_t list;
        std::uint32_t last; // its last item so far (0: none yet)
    };

    std::uint32_t Add(SNodeKind kind, std::size_t a, std::size_t b, std::size_t line) {
        auto& nodes = m_doc.m_nodes;
        const auto index = static_cast<std::uint32_t>(nodes.size());
        nodes.push_back({static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b),
                         static_cast<std::uint32_t>(line), 0, kind});
        Open& top = m_open.back();
        if (top.last != 0)
            nodes[top.last].next = index;
        else
            nodes[top.list].a = index;
        ++nodes[top.list].b;
        top.last = index;
        return index;
    }

    Problem Fail(std::size_t line, const std::string& problem) {
        m_doc.m_text.clear();
        m_doc.m_nodes.clear();
        m_doc.m_nodes.push_back({0, 0, 1, 0, SNodeKind::List});
        return {std::string(m_fileName) + ":" + std::to_string(line) + ": " + problem};
    }

    SDocument& m_doc;
    std::string_view m_fileName;
    std::vector<Open> m_open;
};

SNode::Iterator& SNode::Iterator::operator++() {
    m_at = m_doc->m_nodes[m_at].next;
    return *this;
}

SNodeKind SNode::Kind() const noexcept {
    return m_doc->m_nodes[m_index].kind;
}

std::string_view SNode::Text() const noexcept {
    const SDocument::Node& node = m_doc->m_nodes[m_index];
    if (node.kind == SNodeKind::List)
        return {};
    return {m_doc->m_text.data() + node.a, node.b};
}

std::size_t SNode::Line() const noexcept {
    return m_doc->m_nodes[m_index].line;
}

SNode::Iterator SNode::begin() const noexcept {
    const SDocument::Node& node = m_doc->m_nodes[m_index];
    return {m_doc, node.kind == SNodeKind::List ? node.a : 0};
}

std::size_t SNode::Size() const noexcept {
    const SDocument::Node& node = m_doc->m_nodes[m_index];
    return node.kind == SNodeKind::List ? node.b : 0;
}

SNode SNode::operator[](std::size_t i) const noexcept {
    auto it = begin();
    while (i-- > 0)
        ++it;
    return *it;
}

std::string_view SNode::Head() const noexcept {
    const SDocument::Node& node = m_doc->m_nodes[m_index];
    if (node.kind != SNodeKind::List || node.a == 0)
        return {};
    const SNode first(m_doc, node.a);
    return first.Kind() == SNodeKind::Symbol ? first.Text() : std::string_view();
}

bool SNode::HasAtom(std::string_view word) const noexcept {
    for (const SNode item : *this)
        if (item.Kind() == SNodeKind::Symbol && item.Text() == word)
            return true;
    return false;
}

Status SDocument::Parse(std::string text, std::string_view fileName) {
    m_text = std::move(text);
    return SParser(*this, fileName).Run();
}

Status SDocument::Load(const std::filesystem::path& file) {
    int errorNumber = 0;
    if (!ReadWholeFile(file, m_text, &errorNumber, kSExpressionFileLimit)) {
        m_text.clear();
        m_nodes.assign(1, Node{});
        return Problem{file.string() + ": cannot read the file: " +
                           ReadFailureReason(errorNumber, kSExpressionFileLimit),
                       0, errorNumber};
    }
    return SParser(*this, file.string()).Run();
}

namespace {

void WriteAtom(std::string& out, SNode atom) {
    const std::string_view text = atom.Text();
    if (atom.Kind() == SNodeKind::Symbol) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    out += '"';
}

} // namespace

std::string WriteSExpression(SNode node) {
    std::string out;
    if (node.IsAtom()) {
        WriteAtom(out, node);
        return out;
    }
    struct Level {
        SNode::Iterator next;
        bool first = true;
    };
    std::vector<Level> levels;
    out += '(';
    levels.push_back({node.begin()});
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == node.end()) {
            out += ')';
            levels.pop_back();
            continue;
        }
        const SNode item = *level.next;
        ++level.next;
        if (!level.first)
            out += ' ';
        level.first = false;
        if (item.IsList()) {
            out += '(';
            levels.push_back({item.begin()});
        } else {
            WriteAtom(out, item);
        }
    }
    return out;
}

} // namespace k2k
