#pragma once
// Image lists of small pictures painted in code rather than read from files: each key is
// painted once, when first asked for, and kept; views ask for their pictures on every paint.

#include <QHash>
#include <QIcon>
#include <QPainterPath>
#include <QPixmap>
#include <QString>

#include <functional>
#include <initializer_list>
#include <string_view>

class QPainter;

namespace k2k {

using ImagePainter = void (*)(QPainter&);

// A picture of size (in the windows' units) with as many pixels as the screens show for it,
// so it is sharp at any scale factor (QT_SCALE_FACTOR=2, a 4K screen); painting on it uses
// the windows' units.
QPixmap SharpPixmap(QSize size);

// A transparent size x size picture, painted antialiased by paint.
QPixmap PaintImage(int size, const std::function<void(QPainter&)>& paint);

// The closed outline through these points, in their order.
QPainterPath ClosedPath(std::initializer_list<QPointF> points);

// A round pad: a disc in pad with the white drill hole in hole.
void DrawDrilledPad(QPainter& painter, const QRectF& pad, const QRectF& hole);

class PaintedImages final {
public:
    // paint gives the picture of a key: a null pixmap for a key the list does not hold.
    explicit PaintedImages(std::function<QPixmap(std::string_view key)> paint);

    // The picture of a key, painted on the first call; null for a key the list lacks.
    QPixmap Image(std::string_view key);
    QIcon Icon(std::string_view key);

private:
    std::function<QPixmap(std::string_view)> m_paint;
    QHash<QString, QPixmap> m_cache;
};

} // namespace k2k
