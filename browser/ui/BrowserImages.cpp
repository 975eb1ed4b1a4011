#include "browser/ui/BrowserImages.h"

#include "platform/ui/PaintedImages.h"

#include <QPainter>
#include <QPainterPath>

#include <utility>

namespace k2k {
namespace {

constexpr int S = kBrowserImageSize;

// A chip with pins on both sides.
void DrawPart(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1));
    for (int y = 4; y <= 11; y += 3) {
        p.drawLine(1, y, 4, y);
        p.drawLine(11, y, 14, y);
    }
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(4, 2, 7, 11);
    p.setBrush(QColor(200, 200, 200));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(7.5, 3.8), 1.2, 1.2);
}

// A gate symbol, drawn twice for a group.
void DrawSymbolGroups(QPainter& p) {
    const auto gate = [&](int dx, int dy, const QColor& fill) {
        QPainterPath path;
        path.moveTo(dx + 1, dy + 1);
        path.lineTo(dx + 5, dy + 1);
        path.arcTo(QRectF(dx + 2, dy + 1, 7, 8), 90, -180);
        path.lineTo(dx + 1, dy + 9);
        path.closeSubpath();
        p.setBrush(fill);
        p.drawPath(path);
    };
    p.setPen(QPen(QColor(0, 0, 128), 1));
    gate(0, 0, QColor(255, 255, 220));
    gate(5, 5, QColor(255, 255, 160));
}

// A package outline with pads.
void DrawPackage(QPainter& p) {
    p.setPen(QPen(QColor(0, 100, 0), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(3, 1, 9, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 150, 0));
    for (int y = 2; y <= 11; y += 3) {
        p.drawRect(1, y, 3, 2);
        p.drawRect(11, y, 3, 2);
    }
}

// A round pad with its drill hole.
void DrawPadstack(QPainter& p) {
    DrawDrilledPad(p, QRectF(1.5, 1.5, 12, 12), QRectF(5.5, 5.5, 4, 4));
}

void DrawBlankGrey(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(0, 0, S, S);
}

// A book: the object lies in the open project's own library.
void DrawLocalLibrary(QPainter& p) {
    p.setPen(QPen(QColor(0, 0, 128), 1));
    p.setBrush(QColor(90, 140, 230));
    p.drawRect(3, 2, 10, 12);
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(5, 2, 5, 13);
}

// A filled check mark: a component of the project uses the object.
void DrawUsedInProject(QPainter& p) {
    p.setPen(QPen(QColor(0, 110, 0), 1));
    p.setBrush(QColor(60, 180, 60));
    p.drawEllipse(QRectF(1.5, 1.5, 12, 12));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(4.5, 8), QPointF(7, 10.5));
    p.drawLine(QPointF(7, 10.5), QPointF(11, 5));
}

constexpr std::pair<std::string_view, ImagePainter> kImages[] = {
    {"PART", DrawPart},
    {"SYMBOLGROUPS", DrawSymbolGroups},
    {"PACKAGE", DrawPackage},
    {"PADSTACK", DrawPadstack},
    {"BLANKGREY", DrawBlankGrey},
    {"STAT_LOCAL_LIB", DrawLocalLibrary},
    {"STAT_USEDIN_PROJECT", DrawUsedInProject},
};

QPixmap Paint(std::string_view key) {
    for (const auto& [listed, paint] : kImages)
        if (key == listed)
            return PaintImage(S, paint);
    return {};
}

// Drawn once per key; rows ask for their status image on every paint.
PaintedImages& Images() {
    static PaintedImages images(Paint);
    return images;
}

} // namespace

const QStringList& BrowserImageKeys() {
    static const QStringList keys = [] {
        QStringList list;
        for (const auto& [key, paint] : kImages)
            list << QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
        return list;
    }();
    return keys;
}

QPixmap BrowserImage(std::string_view key) {
    return Images().Image(key);
}

QIcon BrowserIcon(std::string_view key) {
    return Images().Icon(key);
}

QPixmap ClearImage() {
    static const QPixmap clear = [] {
        QPixmap pixmap = SharpPixmap(QSize(S, S));
        pixmap.fill(Qt::transparent);
        return pixmap;
    }();
    return clear;
}

} // namespace k2k
