#pragma once
// Message boxes and yes-or-no questions. Core and platform code never opens a window:
// it asks this interface, which the Qt side implements with real dialogs, k2klib with
// lines on standard error, and tests with a recording double that answers from a script.

#include <iosfwd>
#include <string>

namespace k2k {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

struct MessageRequest {
    std::string text;  // 8-bit text; "\r\n" separates lines
    std::string title; // empty: the box has no title of its own
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    bool systemModal = false;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer Show(const MessageRequest& request) = 0;
};

// For programs without a window: writes "title: text" (UTF-8, one line per text line)
// to a stream (standard error) and answers OK, or No to a question, so nothing is ever
// changed without a person's yes. A person who said yes beforehand (a command's --yes)
// has questions answered Yes.
class ConsoleMessageBoxes final : public MessageBoxes {
public:
    ConsoleMessageBoxes();
    explicit ConsoleMessageBoxes(std::ostream& out) : m_out(out) {}
    MsgAnswer Show(const MessageRequest& request) override;
    void AnswerQuestionsYes(bool yes) noexcept { m_yes = yes; }

private:
    std::ostream& m_out;
    bool m_yes = false;
};

} // namespace k2k
