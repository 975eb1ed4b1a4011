#include "platform/ui/DialogPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace k2k {

void CentreOver(QWidget& window, const QWidget* owner) {
    const QScreen* screen =
        owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect over = owner && owner->isVisible() ? owner->frameGeometry() : area;
    // The frame a window manager adds, as the window's own or, before its first showing,
    // the owner's.
    const QWidget& framed = window.isVisible() || !owner ? window : *owner;
    const int frameWidth = framed.frameGeometry().width() - framed.width();
    const int frameHeight = framed.frameGeometry().height() - framed.height();
    const QSize minimum = window.minimumSizeHint().expandedTo(window.minimumSize());
    const QSize size(
        std::max(std::min(window.width(), area.width() - frameWidth), minimum.width()),
        std::max(std::min(window.height(), area.height() - frameHeight), minimum.height()));
    if (size != window.size())
        window.resize(size);
    const int width = size.width() + frameWidth;
    const int height = size.height() + frameHeight;
    int left = over.center().x() - width / 2;
    int top = over.center().y() - height / 2;
    left = std::max(area.left(), std::min(left, area.right() + 1 - width));
    top = std::max(area.top(), std::min(top, area.bottom() + 1 - height));
    window.move(left, top);
}

void CentreOverParent(QWidget& dialog) {
    CentreOver(dialog, dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr);
}

} // namespace k2k
