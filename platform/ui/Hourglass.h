#pragma once
// The hourglass (the wait cursor) over every window of the program for as long as an
// Hourglass lives: a list filled, rows selected or removed. Nested ones stack.

#include <QApplication>

namespace k2k {

class Hourglass final {
public:
    Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QApplication::restoreOverrideCursor(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

} // namespace k2k
