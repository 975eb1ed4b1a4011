// The yardstick of the host's start-up: an empty Qt window shown and closed. It starts as
// the host does (the application object, one top-level window of the host's start size),
// waits until the window has been painted and put on the screen, closes it and ends,
// printing "shown_ms=N closed_ms=N" from main's beginning as `kalde2000 --bench-start`
// does. bench/ui/start/start-times.sh runs the two side by side.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class EmptyWindow final : public QWidget {
public:
    explicit EmptyWindow(const QElapsedTimer& clock) : m_clock(clock) {}
    qint64 shownMs = -1;

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        if (m_painted)
            return;
        m_painted = true;
        // The paint's turn of the event loop also puts it on the screen.
        QTimer::singleShot(0, this, [this] {
            shownMs = m_clock.elapsed();
            close();
            QApplication::quit();
        });
    }

private:
    const QElapsedTimer& m_clock;
    bool m_painted = false;
};

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    EmptyWindow window(clock);
    window.resize(800, 600);
    window.show();
    QTimer::singleShot(10000, &application, &QApplication::quit);
    application.exec();
    std::printf("shown_ms=%lld closed_ms=%lld\n", static_cast<long long>(window.shownMs),
                static_cast<long long>(clock.elapsed()));
    return window.shownMs >= 0 ? 0 : 1;
}
