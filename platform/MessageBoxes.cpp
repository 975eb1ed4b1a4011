#include "platform/MessageBoxes.h"

#include "system/Text.h"

#include <iostream>

namespace k2k {

ConsoleMessageBoxes::ConsoleMessageBoxes() : m_out(std::cerr) {
}

MsgAnswer ConsoleMessageBoxes::Show(const MessageRequest& request) {
    std::string text = request.text;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.replace(at, 2, "\n  ");
    // A message may name what a file holds: its control characters are shown escaped.
    if (!request.title.empty())
        m_out << EscapeControls(Cp1252ToUtf8(request.title)) << ": ";
    m_out << EscapeControls(Cp1252ToUtf8(text), true) << '\n';
    if (request.buttons != MsgButtons::YesNo)
        return MsgAnswer::Ok;
    return m_yes ? MsgAnswer::Yes : MsgAnswer::No;
}

} // namespace k2k
