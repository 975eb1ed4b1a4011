#include "platform/ui/DialogPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace k2k {

void CentreOverParent(QWidget& dialog) {
    const QWidget* owner = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    const QScreen* screen =
        owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect over = owner && owner->isVisible() ? owner->frameGeometry() : area;
    // The frame a window manager adds, as the dialog's own or, before its first showing,
    // the owner's.
    const QWidget& framed = dialog.isVisible() || !owner ? dialog : *owner;
    const int frameWidth = framed.frameGeometry().width() - framed.width();
    const int frameHeight = framed.frameGeometry().height() - framed.height();
    const int width = dialog.width() + frameWidth;
    const int height = dialog.height() + frameHeight;
    int left = over.center().x() - width / 2;
    int top = over.center().y() - height / 2;
    left = std::max(area.left(), std::min(left, area.right() + 1 - width));
    top = std::max(area.top(), std::min(top, area.bottom() + 1 - height));
    dialog.move(left, top);
}

} // namespace k2k
