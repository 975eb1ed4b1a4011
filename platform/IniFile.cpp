#include "platform/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/Text.h"

#include <cerrno>
#include <system_error>

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

// The half-open line range [begin, end) of the first section named section: begin is the
// header line. npos when the section is missing.
struct SectionRange {
    std::size_t begin = std::string_view::npos;
    std::size_t end = std::string_view::npos;
};

SectionRange FindSection(const std::vector<std::string>& lines, std::string_view section) {
    section = Trim(section);
    SectionRange range;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineInfo info = Classify(lines[i]);
        if (info.kind != LineKind::Section)
            continue;
        if (range.begin != std::string_view::npos) {
            range.end = i;
            return range;
        }
        if (EqualsNoCase(info.name, section))
            range.begin = i;
    }
    if (range.begin != std::string_view::npos)
        range.end = lines.size();
    return range;
}

std::size_t FindKey(const std::vector<std::string>& lines, SectionRange range,
                    std::string_view key) {
    key = Trim(key);
    for (std::size_t i = range.begin + 1; i < range.end; ++i) {
        const LineInfo info = Classify(lines[i]);
        if (info.kind == LineKind::Key && EqualsNoCase(info.name, key))
            return i;
    }
    return std::string_view::npos;
}

} // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    while (!text.empty())
        document.m_lines.emplace_back(TakeLine(text));
    return document;
}

std::string IniDocument::ToText() const {
    std::size_t size = 0;
    for (const auto& line : m_lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : m_lines)
        text.append(line).append("\r\n");
    return text;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    const SectionRange range = FindSection(m_lines, section);
    if (range.begin == std::string_view::npos)
        return std::nullopt;
    const std::size_t at = FindKey(m_lines, range, key);
    if (at == std::string_view::npos)
        return std::nullopt;
    return Unquote(Classify(m_lines[at]).value);
}

bool IniDocument::Set(std::string_view section, std::string_view key,
                      std::optional<std::string_view> value) {
    if (!IsStorable(section, key, value))
        return false;
    const SectionRange range = FindSection(m_lines, section);
    if (range.begin == std::string_view::npos) {
        if (!value)
            return false;
        m_lines.push_back("[" + std::string(Trim(section)) + "]");
        m_lines.push_back(std::string(Trim(key)) + "=" + std::string(*value));
        return true;
    }

    const std::size_t at = FindKey(m_lines, range, key);
    if (at != std::string_view::npos) {
        if (!value) {
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(at));
            return true;
        }
        // The key keeps the spelling it has in the file.
        std::string line = std::string(Classify(m_lines[at]).name) + "=" + std::string(*value);
        if (line == m_lines[at])
            return false;
        m_lines[at] = std::move(line);
        return true;
    }
    if (!value)
        return false;

    // After the last key of the section, so that comments and blank lines that close the
    // section stay below it.
    std::size_t insertAt = range.begin + 1;
    for (std::size_t i = range.begin + 1; i < range.end; ++i)
        if (Classify(m_lines[i]).kind == LineKind::Key)
            insertAt = i + 1;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   std::string(Trim(key)) + "=" + std::string(*value));
    return true;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    const SectionRange range = FindSection(m_lines, section);
    if (range.begin == std::string_view::npos)
        return keys;
    for (std::size_t i = range.begin + 1; i < range.end; ++i) {
        const LineInfo info = Classify(m_lines[i]);
        if (info.kind != LineKind::Key)
            continue;
        bool seen = false;
        for (const auto& known : keys)
            seen = seen || EqualsNoCase(known, info.name);
        if (!seen)
            keys.emplace_back(info.name);
    }
    return keys;
}

std::vector<std::string> IniDocument::Sections() const {
    std::vector<std::string> sections;
    for (const auto& line : m_lines) {
        const LineInfo info = Classify(line);
        if (info.kind != LineKind::Section)
            continue;
        bool seen = false;
        for (const auto& known : sections)
            seen = seen || EqualsNoCase(known, info.name);
        if (!seen)
            sections.emplace_back(info.name);
    }
    return sections;
}

IniEdit::IniEdit(std::filesystem::path file) : m_file(std::move(file)) {
    std::error_code ignored;
    if (m_file.empty()) {
        m_readErrno = ENOENT;
        return;
    }
    if (std::filesystem::is_directory(m_file, ignored)) {
        m_readErrno = EISDIR;
        return;
    }
    std::string text;
    int readErrno = 0;
    if (ReadWholeFile(m_file, text, &readErrno))
        m_document = IniDocument::Parse(text);
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
    int writeErrno = 0;
    if (!WriteFileAtomically(m_file, m_document.ToText(), nullptr, &writeErrno))
        return done(writeErrno != 0 ? writeErrno : EIO);
    m_changed = false;
    return done(0);
}

std::string GetProfileString(const std::filesystem::path& file, std::string_view section,
                             std::string_view key, std::string_view defaultValue) {
    if (auto value = IniEdit(file).Get(section, key))
        return *value;
    // The platform cuts trailing blanks off the default as well.
    return std::string(TrimRight(defaultValue));
}

bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::optional<std::string_view> value,
                        int* errorNumber) {
    IniEdit edit(file);
    edit.Set(section, key, value);
    return edit.Commit(errorNumber);
}

} // namespace k2k
