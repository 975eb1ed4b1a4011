#pragma once
// StartBenchmark: the host's measurement of its own start (--bench-start). The clock starts
// when main begins. The start runs as a person's does, on the display there is (or
// offscreen), with its settings and its single-instance lock; the benchmark waits until the
// browser's window has been painted once, then closes the host's window as a person closes
// it (the browser unloads and keeps its settings) and ends.
//
// The figures come back as one line of "key=value" pairs:
//   shown_ms   main's beginning to the browser's window painted once
//   closed_ms  main's beginning to the browser unloaded after the close
// The process's whole time, from its exec to its end, is what bench/ui/start/start-times.sh
// measures around it.

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>

class QEvent;
class QEventLoop;
class QWidget;

namespace k2k {

class StartBenchmark final : public QObject {
    Q_OBJECT
public:
    // clock: started when main began. Notes the first paint of every window from now on.
    explicit StartBenchmark(const QElapsedTimer& clock);
    ~StartBenchmark() override;

    // Runs the events until window has been painted once and what was painted has reached
    // the screen; false when that did not happen within timeoutMs.
    bool WaitForFirstPaint(const QWidget& window, int timeoutMs);
    qint64 ElapsedMs() const { return m_clock.elapsed(); }
    qint64 ShownMs() const noexcept { return m_shownMs; }

    static QString FormatLine(qint64 shownMs, qint64 closedMs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QElapsedTimer m_clock;
    QSet<const QWidget*> m_painted;
    QHash<const QWidget*, qint64> m_shown; // when each window's first paint was on the screen
    const QWidget* m_waitingFor = nullptr;
    QEventLoop* m_loop = nullptr;
    qint64 m_shownMs = -1;
};

} // namespace k2k
