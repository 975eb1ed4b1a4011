#include "formats/HelpFile.h"

#include "system/AtomicFile.h"
#include "system/Text.h"

#include <charconv>
#include <vector>

namespace k2k {

namespace {

constexpr std::string_view kSignature = "K2KHELP 1";

std::string AtLine(int line, std::string_view what) {
    return "line " + std::to_string(line) + ": " + std::string(what);
}

// Drops the whole blank lines at the start and the end; the lines are joined by "\n".
std::string JoinWithoutOuterBlankLines(const std::vector<std::string_view>& lines) {
    std::size_t first = 0;
    std::size_t last = lines.size();
    while (first < last && Trim(lines[first]).empty())
        ++first;
    while (last > first && Trim(lines[last - 1]).empty())
        --last;
    std::string body;
    for (std::size_t i = first; i < last; ++i) {
        if (i > first)
            body += '\n';
        body.append(lines[i]);
    }
    return body;
}

} // namespace

std::string HelpParagraphs(std::string_view body) {
    std::string shown;
    bool paragraphOpen = false;
    for (std::string_view line : SplitAt(body, '\n')) {
        if (Trim(line).empty()) {
            if (paragraphOpen)
                shown += "\n\n";
            paragraphOpen = false;
            continue;
        }
        if (paragraphOpen)
            shown += line.front() == ' ' ? '\n' : ' ';
        shown.append(paragraphOpen && line.front() != ' ' ? TrimLeft(line) : line);
        paragraphOpen = true;
    }
    return shown;
}

std::string HelpFile::Parse(std::string_view text) {
    m_topics.clear();
    std::string error = ParseInto(text);
    if (!error.empty())
        m_topics.clear();
    return error;
}

std::string HelpFile::ParseInto(std::string_view text) {
    bool haveSignature = false;
    HelpTopicText* current = nullptr;
    std::vector<std::string_view> lines; // the current topic's
    const auto close = [&] {
        if (current)
            current->body = JoinWithoutOuterBlankLines(lines);
        lines.clear();
    };
    for (int line = 1; !text.empty(); ++line) {
        std::string_view content = TakeLine(text);
        if (!haveSignature) {
            if (Trim(content).empty())
                continue;
            if (TrimRight(content) != kSignature)
                return AtLine(line, "not a help file (it does not begin with \"K2KHELP 1\")");
            haveSignature = true;
            continue;
        }
        if (!content.empty() && content.front() == ';')
            continue;
        if (!content.empty() && content.front() == '#') {
            const char* first = content.data() + 1;
            const char* last = content.data() + content.size();
            int number = 0;
            const auto [end, error] = std::from_chars(first, last, number);
            if (error == std::errc::result_out_of_range || (error == std::errc() && number < 0))
                return AtLine(line, "the topic number is out of range");
            if (error != std::errc() || end == last || *end != ' ' ||
                Trim(std::string_view(end, last - end)).empty())
                return AtLine(line, "a topic line is \"#\", its number, a blank and its title");
            const auto [topic, added] = m_topics.try_emplace(number);
            if (!added)
                return AtLine(line, "topic " + std::to_string(number) + " is given twice");
            close();
            topic->second.title = std::string(Trim(std::string_view(end, last - end)));
            current = &topic->second;
            continue;
        }
        if (!content.empty() && content.front() == '\\')
            content.remove_prefix(1);
        if (!current) {
            if (Trim(content).empty())
                continue;
            return AtLine(line, "text before the first topic");
        }
        lines.push_back(content);
    }
    if (!haveSignature)
        return "not a help file (it is empty)";
    close();
    return {};
}

std::string HelpFile::Read(const std::filesystem::path& path) {
    std::string content;
    int errorNumber = 0;
    if (!ReadWholeFile(path, content, &errorNumber, kHelpFileLimit)) {
        m_topics.clear();
        return "cannot read " + path.string() + ": " +
               ReadFailureReason(errorNumber, kHelpFileLimit);
    }
    return Parse(content);
}

const HelpTopicText* HelpFile::Topic(int number) const {
    const auto found = m_topics.find(number);
    return found == m_topics.end() ? nullptr : &found->second;
}

} // namespace k2k
