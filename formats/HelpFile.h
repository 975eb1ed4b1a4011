#pragma once
// The help file: the browser's help topics by number, in a text file of our own that the
// help display reads (the suite's help files are not a format of this system). Topic
// numbers are those the help context computes from a place in the menus and tools; topic
// 0 is the contents.
//
// The file is Windows-1252 text, lines ending in CR LF or LF:
//   K2KHELP 1                    the first line that is not blank: signature and version
//   ; a remark                   a line whose first character is ";" is skipped
//   #13436 Search Sequence       "#", the topic number (decimal), a blank, the title
//   text of the topic ...        every other line belongs to the topic above it
//   \#7 is not a topic           a "\" that starts a line is dropped: the rest is text
// A topic's blank lines at its start and end are dropped. Text before the first topic, a
// "#" line without a number or title, a number out of range and a number given twice are
// refused with the line's number, so a broken file is noticed, never half-read.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace k2k {

struct HelpTopicText {
    std::string title; // suite text
    std::string body;  // suite text, lines separated by "\n"
};

// A topic's body as it is shown: the lines of a paragraph run together (joined by a blank),
// so the display wraps them to its own width; a blank line ends a paragraph, and a line
// that starts with a blank starts a line of its own (an indented list item, say).
std::string HelpParagraphs(std::string_view body);

class HelpFile final {
public:
    // An empty string when the text is a help file; otherwise what is wrong, and where.
    std::string Parse(std::string_view text);
    // Parse of the file's bytes; a file that cannot be read says so.
    std::string Read(const std::filesystem::path& path);

    // nullptr when the file has no such topic.
    const HelpTopicText* Topic(int number) const;
    const std::map<int, HelpTopicText>& Topics() const noexcept { return m_topics; }

private:
    std::string ParseInto(std::string_view text);

    std::map<int, HelpTopicText> m_topics;
};

} // namespace k2k
