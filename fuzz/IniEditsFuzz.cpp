// An INI file read, then changed by a sequence of writes and removals of keys chosen by
// the input: after each change the document must answer, read and write exactly as a
// plain model of the profile functions' rules does, a model that looks every section
// and key up by walking the lines. The names come from the file (in another letter case,
// with blanks around) or from the input, so that found, missing, duplicate and refused
// names all occur.

#include "FuzzSupport.h"

#include "formats/IniFile.h"
#include "system/AtomicFile.h"
#include "system/Text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <optional>
#include <string>
#include <vector>

namespace k2k::fuzz {
namespace {

// The rules by line walking: a section is the lines from its first header of that name to
// the next header, a key its first line in that range.
class ModelIni final {
public:
    explicit ModelIni(std::string_view text) {
        while (!text.empty())
            m_lines.emplace_back(TakeLine(text));
    }

    std::string ToText() const {
        std::string text;
        for (const std::string& line : m_lines)
            text.append(line).append("\r\n");
        return text;
    }

    std::optional<std::string> Get(std::string_view section, std::string_view key) const {
        const Range range = FindSection(section);
        if (range.begin == kNone)
            return std::nullopt;
        const std::size_t at = FindKey(range, key);
        if (at == kNone)
            return std::nullopt;
        std::string_view value = Classify(m_lines[at]).value;
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }

    bool Set(std::string_view section, std::string_view key,
             std::optional<std::string_view> value) {
        auto breaks = [](std::string_view text) {
            return text.find_first_of("\r\n") != std::string_view::npos;
        };
        const std::string_view trimmedKey = Trim(key);
        if (Trim(section).empty() || breaks(section) ||
            section.find(']') != std::string_view::npos || trimmedKey.empty() || breaks(key) ||
            key.find('=') != std::string_view::npos || trimmedKey.front() == ';' ||
            trimmedKey.front() == '[' || (value && breaks(*value)))
            return false;
        const Range range = FindSection(section);
        if (range.begin == kNone) {
            if (!value)
                return false;
            m_lines.push_back("[" + std::string(Trim(section)) + "]");
            m_lines.push_back(std::string(trimmedKey) + "=" + std::string(*value));
            return true;
        }
        const std::size_t at = FindKey(range, key);
        if (at != kNone) {
            if (!value) {
                m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(at));
                return true;
            }
            std::string line = std::string(Classify(m_lines[at]).name) + "=" + std::string(*value);
            if (line == m_lines[at])
                return false;
            m_lines[at] = std::move(line);
            return true;
        }
        if (!value)
            return false;
        std::size_t insertAt = range.begin + 1;
        for (std::size_t i = range.begin + 1; i < range.end; ++i)
            if (Classify(m_lines[i]).kind == Kind::Key)
                insertAt = i + 1;
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                       std::string(trimmedKey) + "=" + std::string(*value));
        return true;
    }

    std::vector<std::string> Keys(std::string_view section) const {
        std::vector<std::string> keys;
        const Range range = FindSection(section);
        for (std::size_t i = range.begin + 1; range.begin != kNone && i < range.end; ++i) {
            const Info info = Classify(m_lines[i]);
            if (info.kind == Kind::Key && !Contains(keys, info.name))
                keys.emplace_back(info.name);
        }
        return keys;
    }

    std::vector<std::string> Sections() const {
        std::vector<std::string> sections;
        for (const std::string& line : m_lines) {
            const Info info = Classify(line);
            if (info.kind == Kind::Section && !Contains(sections, info.name))
                sections.emplace_back(info.name);
        }
        return sections;
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    enum class Kind { Other, Section, Key };
    struct Info {
        Kind kind = Kind::Other;
        std::string_view name;
        std::string_view value;
    };
    struct Range {
        std::size_t begin = kNone;
        std::size_t end = kNone;
    };

    static Info Classify(std::string_view line) {
        const std::string_view text = Trim(line);
        if (text.empty() || text.front() == ';')
            return {};
        if (text.front() == '[') {
            std::string_view name = text.substr(1);
            name = name.substr(0, name.find(']'));
            return {Kind::Section, Trim(name), {}};
        }
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos || Trim(text.substr(0, equals)).empty())
            return {};
        return {Kind::Key, Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
    }

    static bool Contains(const std::vector<std::string>& names, std::string_view name) {
        for (const std::string& known : names)
            if (EqualsNoCase(known, name))
                return true;
        return false;
    }

    Range FindSection(std::string_view section) const {
        section = Trim(section);
        Range range;
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            const Info info = Classify(m_lines[i]);
            if (info.kind != Kind::Section)
                continue;
            if (range.begin != kNone) {
                range.end = i;
                return range;
            }
            if (EqualsNoCase(info.name, section))
                range.begin = i;
        }
        if (range.begin != kNone)
            range.end = m_lines.size();
        return range;
    }

    std::size_t FindKey(Range range, std::string_view key) const {
        key = Trim(key);
        for (std::size_t i = range.begin + 1; i < range.end; ++i) {
            const Info info = Classify(m_lines[i]);
            if (info.kind == Kind::Key && EqualsNoCase(info.name, key))
                return i;
        }
        return kNone;
    }

    std::vector<std::string> m_lines;
};

// A name as a caller might spell one that is in the file: another letter case, blanks
// around it.
std::string Respelled(FuzzedDataProvider& input, std::string_view name) {
    std::string spelled(name);
    if (input.ConsumeBool())
        for (char& c : spelled)
            c = input.ConsumeBool() ? UpperChar(c)
                                    : (c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
    if (input.ConsumeBool())
        spelled = " " + spelled + "  ";
    return spelled;
}

std::string PickName(FuzzedDataProvider& input, const std::vector<std::string>& known) {
    if (!known.empty() && input.ConsumeIntegralInRange(0, 3) != 0)
        return Respelled(input,
                         known[input.ConsumeIntegralInRange<std::size_t>(0, known.size() - 1)]);
    return input.ConsumeRandomLengthString(12);
}

void CheckSame(const IniDocument& document, const ModelIni& model, std::string_view section,
               std::string_view key) {
    K2K_FUZZ_CHECK(document.ToText() == model.ToText());
    K2K_FUZZ_CHECK(document.Sections() == model.Sections());
    K2K_FUZZ_CHECK(document.Keys(section) == model.Keys(section));
    K2K_FUZZ_CHECK(document.Get(section, key) == model.Get(section, key));
}

} // namespace
} // namespace k2k::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    FuzzedDataProvider input(data, size);
    const std::string text = input.ConsumeRandomLengthString(4096);
    IniDocument document = IniDocument::Parse(text);
    ModelIni model(text);
    CheckSame(document, model, "", "");

    for (int step = 0; step < 200 && input.remaining_bytes() > 0; ++step) {
        const std::string section = PickName(input, model.Sections());
        const std::string key = PickName(input, model.Keys(section));
        std::optional<std::string> value;
        if (input.ConsumeBool())
            value = input.ConsumeRandomLengthString(12);
        K2K_FUZZ_CHECK(document.Set(section, key, value) == model.Set(section, key, value));
        CheckSame(document, model, section, key);
        // A copy is a document of its own.
        if (step == 0) {
            IniDocument copy = document;
            copy.Set(section, "K2KFuzzCopy", "x");
            CheckSame(document, model, section, key);
        }
    }
    for (const std::string& section : model.Sections())
        for (const std::string& key : model.Keys(section))
            K2K_FUZZ_CHECK(document.Get(section, key) == model.Get(section, key));
    return 0;
}
