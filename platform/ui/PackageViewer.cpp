#include "platform/ui/PackageViewer.h"

#include "platform/ui/SuiteText.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QPen>

#include <algorithm>
#include <map>

namespace k2k {

namespace {

const QColor kCopper(200, 120, 50);
const QColor kPadNumber(40, 20, 0);
const QColor kOrigin(190, 0, 160);
constexpr int kDefaultPad = 60; // mils, the round pad of an unknown padstack
constexpr int kOriginSize = 30; // mils, half the cross
// The origin marker lies over the copper, and the pad numbers over both, so that pad 1 of a
// through-hole package, which often sits on the origin, keeps its number readable.
constexpr double kOriginLevel = 1;
constexpr double kPadNumberLevel = 2;

// The layer a package's pad shows: the top, else the bottom, else an inner, else the first.
const DrawLayer* ShownLayer(const Drawing& padstack) {
    for (const char* name : {"TOP", "BOTTOM", "INNER"})
        for (const DrawLayer& layer : padstack.layers)
            if (layer.layer == name)
                return &layer;
    return padstack.layers.empty() ? nullptr : &padstack.layers.front();
}

} // namespace

PackageViewer::PackageViewer(QWidget* parent)
    : ObjectViewer(QStringLiteral("K2KPACKAGEVIEWER"), DrawingKind::Package,
                   QStringLiteral("Package Viewer"), parent) {
}

void PackageViewer::DrawKind(const Drawing& drawing, QStringList& problems) {
    std::map<std::string, std::optional<Drawing>> padstacks;
    const auto padstackOf = [&](const std::string& name) -> const Drawing* {
        auto found = padstacks.find(name);
        if (found == padstacks.end()) {
            std::optional<Drawing> shape;
            if (const auto text = m_padstacks ? m_padstacks(name) : std::nullopt) {
                ParsedDrawing parsed = ParseDrawing(*text);
                if (parsed.drawing && parsed.drawing->kind == DrawingKind::Padstack &&
                    ShownLayer(*parsed.drawing) != nullptr)
                    shape = std::move(parsed.drawing);
            }
            if (!shape)
                problems << QStringLiteral("padstack %1 unknown, its pads drawn round")
                                .arg(FromSuiteText(name));
            found = padstacks.emplace(name, std::move(shape)).first;
        }
        return found->second ? &*found->second : nullptr;
    };

    for (const DrawPad& pad : drawing.pads) {
        DrawLayer layer{"TOP", PadShape::Round, kDefaultPad, kDefaultPad};
        int drill = 0;
        double unit = 1.0; // mils per unit of the padstack
        if (const Drawing* padstack = padstackOf(pad.padstack)) {
            layer = *ShownLayer(*padstack);
            drill = padstack->drill;
            unit = MilsPerUnit(padstack->unit);
        }
        const QPointF centre = At(pad.at);
        AddPad(centre, layer, pad.rotation, drill, kCopper, unit);
        const int smaller =
            std::min(layer.width, layer.shape == PadShape::Rect || layer.shape == PadShape::Oblong
                                      ? layer.height
                                      : layer.width);
        AddText(centre, std::clamp(int(smaller * unit / 3), 10, 50), FromSuiteText(pad.number),
                kPadNumber, Qt::AlignHCenter | Qt::AlignVCenter)
            ->setZValue(kPadNumberLevel);
    }

    QPen pen(kOrigin, 1);
    pen.setCosmetic(true);
    const QPointF origin = At(drawing.origin.value_or(DrawPoint{}));
    Scene()
        .addLine(QLineF(origin - QPointF(kOriginSize, 0), origin + QPointF(kOriginSize, 0)), pen)
        ->setZValue(kOriginLevel);
    Scene()
        .addLine(QLineF(origin - QPointF(0, kOriginSize), origin + QPointF(0, kOriginSize)), pen)
        ->setZValue(kOriginLevel);
    const double radius = kOriginSize / 3.0;
    Scene()
        .addEllipse(origin.x() - radius, origin.y() - radius, 2 * radius, 2 * radius, pen)
        ->setZValue(kOriginLevel);
}

} // namespace k2k
