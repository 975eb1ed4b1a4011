#include "StartBenchmark.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace k2k {

StartBenchmark::StartBenchmark(const QElapsedTimer& clock) : m_clock(clock) {
    qApp->installEventFilter(this);
}

StartBenchmark::~StartBenchmark() {
    qApp->removeEventFilter(this);
}

bool StartBenchmark::WaitForFirstPaint(const QWidget& window, int timeoutMs) {
    if (!m_shown.contains(&window)) {
        QEventLoop loop;
        m_waitingFor = &window;
        m_loop = &loop;
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        m_loop = nullptr;
        m_waitingFor = nullptr;
    }
    m_shownMs = m_shown.value(&window, -1);
    return m_shownMs >= 0;
}

bool StartBenchmark::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || !watched->isWidgetType())
        return false;
    const QWidget* window = static_cast<QWidget*>(watched)->window();
    if (m_painted.contains(window))
        return false;
    m_painted.insert(window);
    // The paint's turn of the event loop also puts it on the screen; the time is taken on
    // the next turn.
    QTimer::singleShot(0, this, [this, window] {
        m_shown.insert(window, m_clock.elapsed());
        if (m_loop && m_waitingFor == window)
            m_loop->quit();
    });
    return false;
}

QString StartBenchmark::FormatLine(qint64 shownMs, qint64 closedMs) {
    return QStringLiteral("shown_ms=%1 closed_ms=%2").arg(shownMs).arg(closedMs);
}

} // namespace k2k
