#pragma once
// The one markup a drawing's texts carry: "~{TEXT}" draws TEXT with a bar over it, the way
// schematic symbols mark a low-active signal ("~{RESET}", "~{CS}/A0", "~{WR}~{RD}"). A pin's
// name and a TEXT statement may hold it; a viewer draws the plain text and a line over each
// marked run.
//
// A marked run starts at "~{" and ends at the next "}". Markup that is not closed ("~{A"), a
// "~" without "{" after it and a "}" that closes nothing are ordinary characters and shown as
// they stand. A run marks the characters inside it as they are, braces and "~" included: there
// is no nesting. An empty run ("~{}") shows nothing.
//
// Texts are bytes (8-bit or UTF-8 alike): the markup is ASCII, so a run never splits a
// character.

#include <string>
#include <string_view>
#include <vector>

namespace k2k {

struct TextRun {
    std::string text;
    bool overbar = false;
    bool operator==(const TextRun&) const = default;
};

// The text split into runs, in order, none empty: each marked run is one of its own (so that
// "~{WR}~{RD}" keeps two bars), the plain text between them one run.
std::vector<TextRun> MarkupRuns(std::string_view text);

// The text without its markup: what a person reads when no bar can be drawn.
std::string PlainText(std::string_view text);

} // namespace k2k
