#include "platform/ui/HelpKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace k2k {

HelpKey::HelpKey(QWidget& window, std::function<void()> show)
    : QObject(&window), m_window(window), m_show(std::move(show)) {
    qApp->installEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->isAutoRepeat() ||
        static_cast<QWidget*>(watched)->window() != &m_window)
        return false;
    const bool control = key->modifiers() == Qt::ControlModifier;
    if (type == QEvent::KeyPress) {
        m_pressedWithControl = control;
        return false;
    }
    // A person may let go of Control a moment before F1.
    if (!control && !m_pressedWithControl)
        return false;
    m_pressedWithControl = false;
    if (m_show)
        m_show();
    return true;
}

} // namespace k2k
