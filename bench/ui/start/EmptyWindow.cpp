// The yardstick of the host's start-up: an empty Qt window shown and closed. It starts as
// the host does (the application object, one top-level window of the host's start size),
// waits until the window has been painted and put on the screen, closes it and ends,
// printing "shown_ms=N closed_ms=N" from main's beginning as `kalde2000 --bench-start`
// does. bench/ui/start/start-times.sh runs it beside the host.
#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

namespace {

class EmptyWindow final : public QWidget {
public:
    explicit EmptyWindow(FirstPaint& firstPaint) : m_firstPaint(firstPaint) {}

protected:
    void paintEvent(QPaintEvent* /*event*/) override { m_firstPaint.Painted(); }

private:
    FirstPaint& m_firstPaint;
};

} // namespace

int main(int argc, char** argv) {
    FirstPaint firstPaint; // the clock, from main's beginning
    QApplication application(argc, argv);
    EmptyWindow window(firstPaint);
    window.resize(800, 600);
    window.show();
    return firstPaint.Run(application);
}
