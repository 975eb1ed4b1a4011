#include "platform/ui/PadstackViewer.h"

#include <algorithm>
#include <cmath>

namespace k2k {

namespace {

QColor LayerColour(const std::string& layer) {
    if (layer == "TOP")
        return {200, 60, 50};
    if (layer == "BOTTOM")
        return {50, 90, 200};
    if (layer == "INNER")
        return {60, 150, 70};
    if (layer.starts_with("MASK"))
        return {150, 80, 170};
    return {140, 140, 140}; // paste
}

bool IsCopper(const std::string& layer) {
    return layer == "TOP" || layer == "BOTTOM" || layer == "INNER";
}

QString ShapeName(PadShape shape) {
    switch (shape) {
    case PadShape::Round:
        return QStringLiteral("round");
    case PadShape::Square:
        return QStringLiteral("square");
    case PadShape::Rect:
        return QStringLiteral("rect");
    case PadShape::Oblong:
        return QStringLiteral("oblong");
    }
    return {};
}

} // namespace

PadstackViewer::PadstackViewer(QWidget* parent)
    : ObjectViewer(QStringLiteral("K2KPSTACKVIEWER"), DrawingKind::Padstack,
                   QStringLiteral("Padstack Viewer"), parent) {
}

void PadstackViewer::DrawKind(const Drawing& drawing, QStringList& problems) {
    if (drawing.layers.empty()) {
        problems << QStringLiteral("the padstack has no layers");
        return;
    }
    // The layout is in mils, as the scene; the sizes shown are the drawing's own numbers.
    const double unit = Unit();
    const QString unitName =
        drawing.unit == DrawUnit::Micrometre ? QStringLiteral("\u00B5m") : QStringLiteral("mils");
    int widest = 1;
    int tallest = 1;
    for (const DrawLayer& layer : drawing.layers) {
        widest = std::max(widest, int(std::lround(layer.width * unit)));
        tallest = std::max(tallest, int(std::lround(layer.height * unit)));
        if (layer.shape == PadShape::Round || layer.shape == PadShape::Square)
            tallest = std::max(tallest, int(std::lround(layer.width * unit)));
    }
    // The copper layers in the first row, masks and paste in the second; each layer in a
    // cell of the widest pad's size, its name and shape under it.
    const int label = std::max(8, widest / 5);
    const double cellWidth = widest + std::max(40, widest / 2);
    const double rowHeight = tallest + label * 4.5;
    int column[2] = {0, 0};
    for (const DrawLayer& layer : drawing.layers) {
        const int row = IsCopper(layer.layer) ? 0 : 1;
        const int width = std::max(1, layer.width);
        const int height = layer.shape == PadShape::Round || layer.shape == PadShape::Square
                               ? width
                               : std::max(1, layer.height);
        const QPointF centre(column[row]++ * cellWidth, row * rowHeight);
        AddPad(centre, layer, 0, IsCopper(layer.layer) ? drawing.drill : 0,
               LayerColour(layer.layer), unit);
        AddText(centre + QPointF(0, tallest / 2.0 + label / 2.0), label,
                QString::fromStdString(layer.layer), Qt::black, Qt::AlignHCenter | Qt::AlignTop);
        AddText(centre + QPointF(0, tallest / 2.0 + label * 1.8), label * 4 / 5,
                QStringLiteral("%1 %2 x %3").arg(ShapeName(layer.shape)).arg(width).arg(height),
                Qt::darkGray, Qt::AlignHCenter | Qt::AlignTop);
    }
    const QString drill = drawing.drill > 0 ? QStringLiteral("Drill %1 %2, %3")
                                                  .arg(drawing.drill)
                                                  .arg(unitName)
                                                  .arg(drawing.plated ? QStringLiteral("plated")
                                                                      : QStringLiteral("unplated"))
                                            : QStringLiteral("No drill: a surface pad");
    AddText(QPointF(-widest / 2.0, -tallest / 2.0 - label), label, drill, Qt::black,
            Qt::AlignLeft | Qt::AlignBottom);
}

} // namespace k2k
