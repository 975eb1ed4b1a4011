#pragma once
// When a long walk lets the window's pending events run. A search asks after every object,
// so that Stop is seen at once, but running the event loop costs microseconds and a
// million objects would spend seconds in it: the gate opens at most once per interval
// (15 ms keeps the window responsive), and the question itself costs one clock read.

#include <chrono>

namespace k2k {

class EventGate final {
public:
    using Clock = std::chrono::steady_clock;

    explicit EventGate(Clock::duration interval = std::chrono::milliseconds(15)) noexcept
        : m_interval(interval) {}

    // True at most once per interval; the first call after Reset is true.
    bool Due(Clock::time_point now = Clock::now()) noexcept {
        if (m_open && now - m_last < m_interval)
            return false;
        m_open = true;
        m_last = now;
        return true;
    }
    void Reset() noexcept { m_open = false; }

private:
    Clock::duration m_interval;
    Clock::time_point m_last{};
    bool m_open = false;
};

} // namespace k2k
