#pragma once
// HelpKey: Ctrl+F1 asks a window for help wherever the focus is inside it. It is heard when
// F1 is released with the Control key alone, or released after Control when it went down
// with Control alone (people let go of the keys in either order). A window's own key
// handler hears only the key releases its controls pass on, and a text box or an editable
// combo box keeps them to itself, so the key is heard here first, for any control of the
// window, and goes no further.

#include <QObject>

#include <functional>

class QWidget;

namespace k2k {

class HelpKey final : public QObject {
public:
    // Listens for the window (its child, as long as it lives); show runs on each Ctrl+F1.
    HelpKey(QWidget& window, std::function<void()> show);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    std::function<void()> m_show;
    bool m_pressedWithControl = false; // F1 went down with Control alone
};

} // namespace k2k
