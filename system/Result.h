#pragma once
// What a step that reads, parses or writes a file gives back: the value it made, or the
// problem that stopped it. There is one way to say that something failed and why: a
// caller that cannot go on returns the problem as it came (adding where, when it knows
// more than the callee did); a caller that shows it shows the message as it stands.
//
// A problem's message is written for a person: the file, the line or the object, and what
// is wrong with it ("PARTS.CSV line 4: 3 fields, 5 expected"). Where the person sees the
// failure as one of the suite's numbered messages, the problem carries that number; where
// the system refused (an open, a write, a rename), it carries the errno, so a caller can
// tell a full disk from a locked file. Both are 0 otherwise.
//
// Outcomes that callers branch on (not there, nothing to read, done) are values, an enum
// in the Result; a Result's problem is only ever passed on or shown. Asking a failed
// Result for its value, or a good one for its problem, is a broken precondition and throws.

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>

namespace k2k {

struct Problem {
    std::string message;
    int messageNumber = 0; // the suite's numbered message a person sees, or 0
    int systemError = 0;   // the errno of a refused system call, or 0
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Problem problem) : m_state(std::in_place_index<1>, std::move(problem)) {}

    bool Ok() const noexcept { return m_state.index() == 0; }
    explicit operator bool() const noexcept { return Ok(); }

    T& Value() & { return std::get<0>(Checked()); }
    const T& Value() const& { return std::get<0>(Checked()); }
    T&& Value() && { return std::get<0>(std::move(Checked())); }
    T* operator->() { return &Value(); }
    const T* operator->() const { return &Value(); }
    T& operator*() & { return Value(); }
    const T& operator*() const& { return Value(); }

    // The problem; only of a failed Result.
    const Problem& Error() const& { return std::get<1>(m_state); }
    Problem&& Error() && { return std::get<1>(std::move(m_state)); }
    const std::string& Message() const { return Error().message; }

private:
    std::variant<T, Problem>& Checked() const {
        if (!Ok())
            throw std::logic_error("the value of a failed step was asked for: " +
                                   std::get<1>(m_state).message);
        return const_cast<std::variant<T, Problem>&>(m_state);
    }

    std::variant<T, Problem> m_state;
};

// A step that makes nothing but may fail: `return {};` is done.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Problem problem) : m_problem(std::move(problem)) {}

    bool Ok() const noexcept { return !m_problem; }
    explicit operator bool() const noexcept { return Ok(); }

    const Problem& Error() const& { return m_problem.value(); }
    Problem&& Error() && { return std::move(m_problem).value(); }
    const std::string& Message() const { return Error().message; }

private:
    std::optional<Problem> m_problem;
};

using Status = Result<void>;

} // namespace k2k
