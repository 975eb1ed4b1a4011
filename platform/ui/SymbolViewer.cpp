#include "platform/ui/SymbolViewer.h"

#include "platform/ui/SuiteText.h"

#include <QGraphicsScene>
#include <QPen>

#include <algorithm>

namespace k2k {

namespace {

const QColor kPin(150, 30, 30);
const QColor kPinNumber(90, 90, 110);
const QColor kPinName(20, 20, 20);
constexpr int kEndRadius = 8; // mils
constexpr int kGap = 12;      // between a pin and its number, mils
constexpr int kNameGap = 35;  // between a pin's inner end and its name: clear of a bubble

// The direction from a pin's outer end towards the body, in the scene (y downwards).
QPointF TowardsBody(PinSide side) {
    switch (side) {
    case PinSide::Left:
        return {1, 0};
    case PinSide::Right:
        return {-1, 0};
    case PinSide::Top:
        return {0, 1};
    case PinSide::Bottom:
        return {0, -1};
    }
    return {1, 0};
}

} // namespace

SymbolViewer::SymbolViewer(QWidget* parent)
    : ObjectViewer(QStringLiteral("K2KSMBVIEWER"), DrawingKind::Symbol,
                   QStringLiteral("Symbol Viewer"), parent) {
}

void SymbolViewer::DrawKind(const Drawing& drawing, QStringList& /*problems*/) {
    QPen pen(kPin, 2);
    pen.setCosmetic(true);
    for (const DrawPin& pin : drawing.pins) {
        const QPointF outer = At(pin.at);
        const QPointF direction = TowardsBody(pin.side);
        const QPointF inner = outer + direction * pin.length;
        Scene().addLine(QLineF(outer, inner), pen);
        Scene().addEllipse(outer.x() - kEndRadius, outer.y() - kEndRadius, 2 * kEndRadius,
                           2 * kEndRadius, pen);
        const int textHeight = std::clamp(pin.length / 5, 20, 40);
        const QPointF middle = (outer + inner) / 2;
        const bool across = pin.side == PinSide::Top || pin.side == PinSide::Bottom;
        const QString number = FromSuiteText(pin.number);
        const QString name = FromSuiteText(pin.name);
        if (across) {
            AddText(middle + QPointF(-kGap / 2.0, 0), textHeight, number, kPinNumber,
                    Qt::AlignHCenter | Qt::AlignBottom, 90);
        } else {
            AddText(middle + QPointF(0, -kGap / 2.0), textHeight, number, kPinNumber,
                    Qt::AlignHCenter | Qt::AlignBottom);
        }
        if (name.isEmpty() || name == number)
            continue;
        switch (pin.side) {
        case PinSide::Left:
            AddText(inner + QPointF(kNameGap, 0), textHeight, name, kPinName,
                    Qt::AlignLeft | Qt::AlignVCenter);
            break;
        case PinSide::Right:
            AddText(inner - QPointF(kNameGap, 0), textHeight, name, kPinName,
                    Qt::AlignRight | Qt::AlignVCenter);
            break;
        case PinSide::Top: // level, centred under the pin, so that names never cross
            AddText(inner + QPointF(0, kNameGap), textHeight, name, kPinName,
                    Qt::AlignHCenter | Qt::AlignTop);
            break;
        case PinSide::Bottom:
            AddText(inner - QPointF(0, kNameGap), textHeight, name, kPinName,
                    Qt::AlignHCenter | Qt::AlignBottom);
            break;
        }
    }
}

} // namespace k2k
