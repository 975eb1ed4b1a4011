// What the start-up yardsticks share: the time from main's beginning until a window has been
// painted and put on the screen, then every window closed and the figures printed as
// "shown_ms=N closed_ms=N", as `kalde2000 --bench-start` prints them. A yardstick's window
// calls Painted() from its paint event; main calls Run() once its windows are shown.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

class FirstPaint {
public:
    FirstPaint() { m_clock.start(); }

    // The first call takes the time on the next turn of the event loop (the paint's turn
    // also puts it on the screen), then closes every window and ends the event loop.
    void Painted() {
        if (m_painted)
            return;
        m_painted = true;
        QTimer::singleShot(0, qApp, [this] {
            m_shownMs = m_clock.elapsed();
            QApplication::closeAllWindows();
            QApplication::quit();
        });
    }

    // The event loop until the first paint (at most 10 s), then the figures; 1 when the
    // window was never painted.
    int Run(QApplication& application) {
        QTimer::singleShot(kWaitMs, &application, &QApplication::quit);
        application.exec();
        std::printf("shown_ms=%lld closed_ms=%lld\n", static_cast<long long>(m_shownMs),
                    static_cast<long long>(m_clock.elapsed()));
        return m_shownMs >= 0 ? 0 : 1;
    }

private:
    static constexpr int kWaitMs = 10000;
    QElapsedTimer m_clock;
    qint64 m_shownMs = -1;
    bool m_painted = false;
};
