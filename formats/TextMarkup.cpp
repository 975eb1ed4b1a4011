#include "formats/TextMarkup.h"

namespace k2k {

namespace {

void Append(std::vector<TextRun>& runs, std::string_view text, bool overbar) {
    if (text.empty())
        return;
    if (!overbar && !runs.empty() && !runs.back().overbar)
        runs.back().text.append(text);
    else
        runs.push_back({std::string(text), overbar});
}

} // namespace

std::vector<TextRun> MarkupRuns(std::string_view text) {
    std::vector<TextRun> runs;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find("~{", at);
        const std::size_t close =
            open == std::string_view::npos ? std::string_view::npos : text.find('}', open + 2);
        if (close == std::string_view::npos) {
            Append(runs, text.substr(at), false);
            break;
        }
        Append(runs, text.substr(at, open - at), false);
        Append(runs, text.substr(open + 2, close - open - 2), true);
        at = close + 1;
    }
    return runs;
}

std::string PlainText(std::string_view text) {
    if (text.find("~{") == std::string_view::npos)
        return std::string(text);
    std::string plain;
    for (const TextRun& run : MarkupRuns(text))
        plain += run.text;
    return plain;
}

} // namespace k2k
