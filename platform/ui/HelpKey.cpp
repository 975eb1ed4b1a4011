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
    if (event->type() != QEvent::KeyRelease || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::ControlModifier ||
        static_cast<QWidget*>(watched)->window() != &m_window)
        return false;
    if (m_show)
        m_show();
    return true;
}

} // namespace k2k
