#include "platform/ui/PaintedImages.h"

#include <QGuiApplication>
#include <QPainter>

#include <cmath>

namespace k2k {

QPixmap SharpPixmap(QSize size) {
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(static_cast<int>(std::ceil(size.width() * ratio)),
                   static_cast<int>(std::ceil(size.height() * ratio)));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QPixmap PaintImage(int size, const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap = SharpPixmap(QSize(size, size));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return pixmap;
}

QPainterPath ClosedPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    path.closeSubpath();
    return path;
}

void DrawDrilledPad(QPainter& painter, const QRectF& pad, const QRectF& hole) {
    painter.setPen(QPen(QColor(140, 90, 0), 1));
    painter.setBrush(QColor(220, 170, 40));
    painter.drawEllipse(pad);
    painter.setBrush(Qt::white);
    painter.drawEllipse(hole);
}

PaintedImages::PaintedImages(std::function<QPixmap(std::string_view)> paint)
    : m_paint(std::move(paint)) {
}

QPixmap PaintedImages::Image(std::string_view key) {
    const QString name = QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
    const auto found = m_cache.constFind(name);
    if (found != m_cache.constEnd())
        return *found;
    return *m_cache.insert(name, m_paint(key));
}

QIcon PaintedImages::Icon(std::string_view key) {
    const QPixmap pixmap = Image(key);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

} // namespace k2k
