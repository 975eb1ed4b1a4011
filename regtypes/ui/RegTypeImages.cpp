#include "regtypes/ui/RegTypeImages.h"

#include "regtypes/RegTypesEditor.h"

#include "platform/ui/PaintedImages.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace k2k {
namespace {

constexpr int S = kRegTypeImageSize;

// A square wave: digital parts.
void DrawDigital(QPainter& p) {
    p.setPen(QPen(QColor(0, 0, 160), 1.5));
    QPainterPath wave;
    wave.moveTo(2, 11);
    wave.lineTo(5, 11);
    wave.lineTo(5, 5);
    wave.lineTo(9, 5);
    wave.lineTo(9, 11);
    wave.lineTo(13, 11);
    wave.lineTo(13, 5);
    p.drawPath(wave);
}

// A sine wave: analog parts.
void DrawAnalog(QPainter& p) {
    p.setPen(QPen(QColor(0, 120, 0), 1.5));
    QPainterPath wave;
    wave.moveTo(2, 8);
    wave.cubicTo(4, 2, 6, 2, 8, 8);
    wave.cubicTo(10, 14, 12, 14, 14, 8);
    p.drawPath(wave);
}

// A resistor: discrete parts.
void DrawDiscrete(QPainter& p) {
    p.setPen(QPen(QColor(120, 60, 0), 1));
    p.drawLine(1, 8, 4, 8);
    p.drawLine(12, 8, 15, 8);
    p.setBrush(QColor(230, 200, 140));
    p.drawRect(4, 5, 8, 6);
}

// A dual-in-line body with legs through the board.
void DrawPinMounted(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    for (int x = 4; x <= 11; x += 3)
        p.drawLine(x, 10, x, 14);
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(2, 4, 12, 6);
}

// A flat body on pads.
void DrawSurfaceMounted(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 150, 0));
    p.drawRect(1, 10, 4, 3);
    p.drawRect(11, 10, 4, 3);
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(3, 6, 10, 5);
}

// A pad with a drill hole.
void DrawThroughHole(QPainter& p) {
    DrawDrilledPad(p, QRectF(2.5, 2.5, 11, 11), QRectF(6, 6, 4, 4));
}

// A square pad without hole.
void DrawSurfacePad(QPainter& p) {
    p.setPen(QPen(QColor(140, 90, 0), 1));
    p.setBrush(QColor(220, 170, 40));
    p.drawRect(3, 3, 10, 10);
}

// A factory: manufacturers.
void DrawManufacturer(QPainter& p) {
    p.setPen(QPen(QColor(80, 40, 40), 1));
    p.setBrush(QColor(200, 90, 70));
    p.drawPath(ClosedPath({{2, 14}, {2, 7}, {6, 9}, {6, 7}, {10, 9}, {10, 3}, {13, 3}, {13, 14}}));
}

// A lightning flash: technologies.
void DrawTechnology(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 0), 1));
    p.setBrush(QColor(250, 210, 40));
    const QPointF flash[] = {{9, 1}, {3, 9}, {7, 9}, {6, 15}, {13, 6}, {9, 6}, {11, 1}};
    p.drawPolygon(flash, 7);
}

// A circle over a square: pad shapes.
void DrawShape(QPainter& p) {
    p.setPen(QPen(QColor(0, 90, 120), 1));
    p.setBrush(QColor(120, 200, 230));
    p.drawRect(2, 6, 8, 8);
    p.drawEllipse(QRectF(7, 2, 7, 7));
}

// A grey dot: a system node of a category with no picture of its own.
void DrawSystem(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(190, 190, 190));
    p.drawEllipse(QRectF(4, 4, 8, 8));
}

// A head and shoulders: the user's own nodes.
void DrawUser(QPainter& p) {
    p.setPen(QPen(QColor(0, 70, 140), 1));
    p.setBrush(QColor(110, 170, 240));
    p.drawEllipse(QRectF(5, 1.5, 6, 6));
    QPainterPath body;
    body.moveTo(2, 15);
    body.cubicTo(2, 8, 14, 8, 14, 15);
    body.closeSubpath();
    p.drawPath(body);
}

// The folder behind a top-level node's picture.
void DrawFolder(QPainter& p) {
    p.setPen(QPen(QColor(150, 120, 30), 1));
    p.setBrush(QColor(250, 225, 130));
    p.drawPath(ClosedPath({{0.5, 3.5}, {5.5, 3.5}, {7, 5}, {15.5, 5}, {15.5, 15.5}, {0.5, 15.5}}));
}

using Drawing = ImagePainter;

Drawing DrawingOf(std::string_view base) {
    static const QHash<QString, Drawing> drawings = {
        {QStringLiteral("DIGITAL"), DrawDigital},
        {QStringLiteral("ANALOG"), DrawAnalog},
        {QStringLiteral("DISCRETE"), DrawDiscrete},
        {QStringLiteral("PMD"), DrawPinMounted},
        {QStringLiteral("SMD"), DrawSurfaceMounted},
        {QStringLiteral("THOLE"), DrawThroughHole},
        {QStringLiteral("SMOUNT"), DrawSurfacePad},
        {QStringLiteral("MANUFACTURER"), DrawManufacturer},
        {QStringLiteral("TECHNOLOGY"), DrawTechnology},
        {QStringLiteral("SHAPE"), DrawShape},
        {QStringLiteral("SYSTEM"), DrawSystem},
        {QStringLiteral("USER"), DrawUser},
    };
    return drawings.value(QString::fromLatin1(base.data(), static_cast<qsizetype>(base.size())));
}

QPixmap Draw(std::string_view key) {
    constexpr std::string_view kMain = "MAIN";
    const bool main = key.size() > kMain.size() && key.ends_with(kMain);
    const Drawing drawing = DrawingOf(main ? key.substr(0, key.size() - kMain.size()) : key);
    if (!drawing || (main && key == "USERMAIN"))
        return {};
    return PaintImage(S, [main, drawing](QPainter& painter) {
        if (main) {
            DrawFolder(painter);
            // The category's picture, smaller, on the folder.
            painter.translate(3, 5);
            painter.scale(0.7, 0.7);
        }
        drawing(painter);
    });
}

// A key the dialogs never give a node has no picture.
QPixmap Paint(std::string_view key) {
    for (const char* listed : RegTypeImageKeys())
        if (key == listed)
            return Draw(key);
    return {};
}

PaintedImages& Images() {
    static PaintedImages images(Paint);
    return images;
}

} // namespace

QPixmap RegTypeImage(std::string_view key) {
    return Images().Image(key);
}

QIcon RegTypeIcon(std::string_view key) {
    return Images().Icon(key);
}

} // namespace k2k
