#include "formats/IniFile.h"

#include "formats/IniFileCache.h"
#include "system/AtomicFile.h"
#include "system/Text.h"

#include <cerrno>
#include <cstdint>

namespace k2k {

namespace {

// What one line of an INI file is. Anything that is neither a section header nor a
// "key=value" line (comments, blank lines, stray text) is Other and is only carried along.
enum class LineKind { Other, Section, Key };

struct LineInfo {
    LineKind kind = LineKind::Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // key lines: the value, trimmed, quotes not yet removed
};

LineInfo Classify(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';')
        return {};
    if (text.front() == '[') {
        // "[name]"; a header whose closing bracket is missing still opens a section,
        // named by the rest of the line, as the platform's reader does.
        std::string_view name = text.substr(1);
        const std::size_t close = name.find(']');
        if (close != std::string_view::npos)
            name = name.substr(0, close);
        return {LineKind::Section, Trim(name), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return {};
    const std::string_view key = Trim(text.substr(0, equals));
    if (key.empty())
        return {};
    return {LineKind::Key, key, Trim(text.substr(equals + 1))};
}

std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// A CR or LF inside a name or value would end its line when read back, and a key
// with "=" or a leading ";" or "[" would read back as something else.
bool IsStorable(std::string_view section, std::string_view key,
                std::optional<std::string_view> value) {
    auto hasLineBreak = [](std::string_view text) {
        return text.find_first_of("\r\n") != std::string_view::npos;
    };
    const std::string_view trimmedKey = Trim(key);
    if (Trim(section).empty() || hasLineBreak(section) ||
        section.find(']') != std::string_view::npos)
        return false;
    if (trimmedKey.empty() || hasLineBreak(key) || key.find('=') != std::string_view::npos ||
        trimmedKey.front() == ';' || trimmedKey.front() == '[')
        return false;
    return !value || !hasLineBreak(*value);
}

} // namespace

std::size_t IniDocument::NoCaseHash::operator()(std::string_view name) const noexcept {
    const std::uint8_t* upper = UpperTable();
    std::size_t hash = 14695981039346656037ULL; // FNV-1a
    for (const char c : name) {
        hash ^= upper[static_cast<unsigned char>(c)];
        hash *= 1099511628211ULL;
    }
    return hash;
}

bool IniDocument::NoCaseEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    return EqualsNoCase(a, b);
}

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    std::size_t section = kNone; // the indexed section the lines belong to
    while (!text.empty()) {
        const std::string_view line = TakeLine(text);
        const std::size_t at = document.AddLine(std::string(line), document.m_last);
        const LineInfo info = Classify(line);
        if (info.kind == LineKind::Section) {
            // Only the first section of a name is read; the lines of a later one are kept.
            section =
                document.m_sectionIndex.contains(info.name) ? kNone : document.m_sections.size();
            if (section != kNone)
                document.AddSection(info.name, at);
        } else if (info.kind == LineKind::Key && section != kNone) {
            document.AddKey(document.m_sections[section], info.name, at);
        }
    }
    return document;
}

std::string IniDocument::ToText() const {
    std::size_t size = 0;
    for (std::size_t at = m_first; at != kNone; at = m_lines[at].next)
        size += m_lines[at].text.size() + 2;
    std::string text;
    text.reserve(size);
    for (std::size_t at = m_first; at != kNone; at = m_lines[at].next)
        text.append(m_lines[at].text).append("\r\n");
    return text;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    const std::size_t index = SectionAt(section);
    if (index == kNone)
        return std::nullopt;
    const Section* found = &m_sections[index];
    const auto lines = found->keys.find(Trim(key));
    if (lines == found->keys.end())
        return std::nullopt;
    return Unquote(Classify(m_lines[lines->second.first].text).value);
}

bool IniDocument::Set(std::string_view section, std::string_view key,
                      std::optional<std::string_view> value) {
    if (!IsStorable(section, key, value))
        return false;
    const std::size_t index = SectionAt(section);
    if (index == kNone) {
        if (!value)
            return false;
        const std::size_t header = AddLine("[" + std::string(Trim(section)) + "]", m_last);
        AddSection(Trim(section), header);
        const std::size_t line =
            AddLine(std::string(Trim(key)) + "=" + std::string(*value), header);
        AddKey(m_sections.back(), Trim(key), line);
        return true;
    }
    Section& target = m_sections[index];

    const auto lines = target.keys.find(Trim(key));
    if (lines != target.keys.end()) {
        if (!value) {
            RemoveKey(target, lines);
            return true;
        }
        // The key keeps the spelling it has in the file.
        std::string& text = m_lines[lines->second.first].text;
        std::string line = std::string(Classify(text).name) + "=" + std::string(*value);
        if (line == text)
            return false;
        text = std::move(line);
        return true;
    }
    if (!value)
        return false;

    // After the last key of the section, so that comments and blank lines that close the
    // section stay below it.
    const std::size_t after = target.lastKey != kNone ? target.lastKey : target.header;
    const std::size_t line = AddLine(std::string(Trim(key)) + "=" + std::string(*value), after);
    AddKey(target, Trim(key), line);
    return true;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    const std::size_t index = SectionAt(section);
    if (index == kNone)
        return keys;
    const Section* found = &m_sections[index];
    for (std::size_t at = found->firstKey; at != kNone; at = m_lines[at].nextKey) {
        const std::string_view name = Classify(m_lines[at].text).name;
        if (found->keys.find(name)->second.first == at) // a later line of a name is hidden
            keys.emplace_back(name);
    }
    return keys;
}

std::vector<std::string> IniDocument::Sections() const {
    std::vector<std::string> sections;
    sections.reserve(m_sections.size());
    for (const Section& section : m_sections)
        sections.emplace_back(Classify(m_lines[section.header].text).name);
    return sections;
}

std::size_t IniDocument::AddLine(std::string text, std::size_t after) {
    const std::size_t at = m_lines.size();
    Line& line = m_lines.emplace_back();
    line.text = std::move(text);
    line.prev = after;
    line.next = after == kNone ? m_first : m_lines[after].next;
    (line.prev == kNone ? m_first : m_lines[line.prev].next) = at;
    (line.next == kNone ? m_last : m_lines[line.next].prev) = at;
    return at;
}

void IniDocument::AddSection(std::string_view name, std::size_t header) {
    m_sectionIndex.emplace(std::string(name), m_sections.size());
    m_sections.emplace_back().header = header;
}

// A key line always comes below every key line of its section that is there already: it
// is read in file order, or added below the last key.
void IniDocument::AddKey(Section& section, std::string_view name, std::size_t line) {
    m_lines[line].prevKey = section.lastKey;
    (section.lastKey == kNone ? section.firstKey : m_lines[section.lastKey].nextKey) = line;
    section.lastKey = line;
    const auto [lines, added] = section.keys.try_emplace(std::string(name), KeyLines{line, line});
    if (!added) {
        m_lines[lines->second.last].nextSame = line;
        lines->second.last = line;
    }
}

void IniDocument::RemoveKey(Section& section, NoCaseMap<KeyLines>::iterator key) {
    const std::size_t at = key->second.first;
    Line& line = m_lines[at];
    (line.prev == kNone ? m_first : m_lines[line.prev].next) = line.next;
    (line.next == kNone ? m_last : m_lines[line.next].prev) = line.prev;
    (line.prevKey == kNone ? section.firstKey : m_lines[line.prevKey].nextKey) = line.nextKey;
    (line.nextKey == kNone ? section.lastKey : m_lines[line.nextKey].prevKey) = line.prevKey;
    if (line.nextSame == kNone)
        section.keys.erase(key);
    else
        key->second.first = line.nextSame;
    line = Line{};
}

std::size_t IniDocument::SectionAt(std::string_view name) const {
    const auto found = m_sectionIndex.find(Trim(name));
    return found == m_sectionIndex.end() ? kNone : found->second;
}

IniEdit::IniEdit(std::filesystem::path file) : m_file(std::move(file)) {
    if (m_file.empty()) {
        m_readErrno = ENOENT;
        return;
    }
    m_lock.Take(m_file, &m_lockErrno);
    // The file as it stands now that this edit has its turn, not as the cache last saw it.
    IniFileCache::Shared().Forget(m_file);
    int readErrno = 0;
    const IniSnapshot document = IniFileCache::Shared().Read(m_file, &readErrno);
    if (readErrno == 0)
        m_document = *document;
    else if (readErrno != ENOENT) // a missing file is an empty one
        m_readErrno = readErrno;
}

std::optional<std::string> IniEdit::Get(std::string_view section, std::string_view key) const {
    return m_document.Get(section, key);
}

void IniEdit::Set(std::string_view section, std::string_view key,
                  std::optional<std::string_view> value) {
    if (!IsStorable(section, key, value)) {
        m_refused = true;
        return;
    }
    if (m_document.Set(section, key, value))
        m_changed = true;
}

bool IniEdit::Commit(int* errorNumber) {
    auto done = [errorNumber](int number) {
        if (errorNumber)
            *errorNumber = number;
        return number == 0;
    };
    if (m_refused)
        return done(EINVAL);
    if (m_readErrno != 0)
        return done(m_readErrno);
    if (!m_changed)
        return done(0); // nothing to change: the file is not touched
    if (m_lockErrno != 0)
        return done(m_lockErrno);
    const Status written = WriteFileAtomically(m_file, m_document.ToText());
    IniFileCache::Shared().Forget(m_file);
    m_lock.Release();
    if (!written)
        return done(written.Error().systemError != 0 ? written.Error().systemError : EIO);
    m_changed = false;
    return done(0);
}

std::string GetProfileString(const std::filesystem::path& file, std::string_view section,
                             std::string_view key, std::string_view defaultValue) {
    if (auto value = ReadIniFile(file)->Get(section, key))
        return *value;
    // The platform cuts trailing blanks off the default as well.
    return std::string(TrimRight(defaultValue));
}

IniSnapshot ReadIniFile(const std::filesystem::path& file) {
    return IniFileCache::Shared().Read(file);
}

bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::optional<std::string_view> value,
                        int* errorNumber) {
    IniEdit edit(file);
    edit.Set(section, key, value);
    return edit.Commit(errorNumber);
}

} // namespace k2k
