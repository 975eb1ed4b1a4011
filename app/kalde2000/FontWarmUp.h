#pragma once
// FontWarmUp: the font configuration read on a second core while the application object
// connects to the display. Qt's font database asks fontconfig for it when the first window
// with text is made, and reading it (some sixty files) costs that window some 6 ms on the
// project's machine, a tenth of a start; fontconfig makes it once a process, so a reading
// finished beforehand is simply taken. Wait before anything uses a font; going waits too.
// Without a thread to read on, the first window reads it, as before.

#include <thread>

namespace k2k {

class FontWarmUp final {
public:
    FontWarmUp();
    ~FontWarmUp() { Wait(); }
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    void Wait() {
        if (m_reader.joinable())
            m_reader.join();
    }

private:
    std::thread m_reader;
};

} // namespace k2k
