#include "platform/ui/SymbolViewer.h"

#include "formats/TextMarkup.h"
#include "platform/ui/SuiteText.h"

#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <vector>

namespace k2k {

namespace {

const QColor kPin(150, 30, 30);
const QColor kPinNumber(90, 90, 110);
const QColor kPinName(20, 20, 20);
constexpr int kEndRadius = 8;      // mils
constexpr int kGap = 12;           // between a pin and its number, mils
constexpr int kNameGap = 35;       // between a pin's inner end and its name: clear of a bubble
constexpr int kNameSpace = 15;     // at least between two names, mils
constexpr int kSmallestText = 6;   // mils: crowded texts shrink down to this
constexpr double kTextShare = 0.8; // of the distance to the next pin a text's height takes

// The direction from a pin's outer end towards the body, in the scene (y downwards).
QPointF SceneTowardsBody(PinSide side) {
    const DrawPoint towards = TowardsBody(side);
    return {static_cast<double>(towards.x), static_cast<double>(-towards.y)};
}

bool OnTopOrBottom(PinSide side) {
    return side == PinSide::Top || side == PinSide::Bottom;
}

PinSide Facing(PinSide side) {
    switch (side) {
    case PinSide::Left:
        return PinSide::Right;
    case PinSide::Right:
        return PinSide::Left;
    case PinSide::Top:
        return PinSide::Bottom;
    case PinSide::Bottom:
        return PinSide::Top;
    }
    return PinSide::Right;
}

// Where a pin stands along its side: x on the top and bottom, y on the left and right.
double Along(const DrawPin& pin) {
    return OnTopOrBottom(pin.side) ? pin.at.x : pin.at.y;
}

// Where its inner end stands across its side.
double InnerAcross(const DrawPin& pin) {
    const QPointF inner = QPointF(pin.at.x, pin.at.y) + SceneTowardsBody(pin.side) * pin.length;
    return OnTopOrBottom(pin.side) ? inner.y() : inner.x();
}

double TextWidth(const QString& text, int height) {
    QFont font;
    font.setPixelSize(std::max(1, height));
    return QFontMetricsF(font).horizontalAdvance(text);
}

// How the texts of one pin are drawn.
struct PinTexts {
    QString number;
    QString name;        // the plain text, without its markup; empty: none drawn
    int height = 0;      // mils
    bool turned = false; // the name of a top or bottom pin runs along it, turned 90 degrees
};

// Keeps pin texts apart: a text is no taller than its share of the distance to the next pin
// on its side; the names of a top or bottom side that would run into each other level are
// turned to run along their pins, as schematic symbols show a row of pins; and a name that
// runs along its pin is no longer than half the room to the pin facing it.
std::vector<PinTexts> PlanPinTexts(const std::vector<DrawPin>& pins) {
    std::vector<PinTexts> plan(pins.size());
    for (std::size_t i = 0; i < pins.size(); ++i) {
        plan[i].number = FromSuiteText(pins[i].number);
        plan[i].name = FromSuiteText(PlainText(pins[i].name));
        if (plan[i].name == plan[i].number)
            plan[i].name.clear();
        plan[i].height = std::clamp(pins[i].length / 5, 20, 40);
        double nearest = 0;
        for (std::size_t j = 0; j < pins.size(); ++j) {
            const double distance = std::abs(Along(pins[j]) - Along(pins[i]));
            if (j != i && pins[j].side == pins[i].side && distance > 0 &&
                (nearest == 0 || distance < nearest))
                nearest = distance;
        }
        if (nearest > 0)
            plan[i].height = std::clamp(int(nearest * kTextShare), kSmallestText, plan[i].height);
    }

    for (const PinSide side : {PinSide::Top, PinSide::Bottom}) {
        std::vector<std::size_t> row;
        for (std::size_t i = 0; i < pins.size(); ++i)
            if (pins[i].side == side && !plan[i].name.isEmpty())
                row.push_back(i);
        std::sort(row.begin(), row.end(),
                  [&](std::size_t a, std::size_t b) { return pins[a].at.x < pins[b].at.x; });
        bool crowded = false;
        for (std::size_t k = 1; k < row.size() && !crowded; ++k) {
            const std::size_t a = row[k - 1];
            const std::size_t b = row[k];
            const double halves = (TextWidth(plan[a].name, plan[a].height) +
                                   TextWidth(plan[b].name, plan[b].height)) /
                                  2;
            crowded = halves + kNameSpace > std::abs(pins[b].at.x - pins[a].at.x);
        }
        for (const std::size_t i : row)
            plan[i].turned = crowded;
    }

    for (std::size_t i = 0; i < pins.size(); ++i) {
        if (plan[i].name.isEmpty() || (OnTopOrBottom(pins[i].side) && !plan[i].turned))
            continue;
        for (std::size_t j = 0; j < pins.size(); ++j) {
            if (pins[j].side != Facing(pins[i].side) ||
                std::abs(Along(pins[j]) - Along(pins[i])) >= plan[i].height + plan[j].height)
                continue;
            const double room = (std::abs(InnerAcross(pins[j]) - InnerAcross(pins[i])) -
                                 2 * kNameGap - kNameSpace) /
                                2;
            const double width = TextWidth(plan[i].name, plan[i].height);
            if (room > 0 && width > room)
                plan[i].height = std::max(kSmallestText, int(plan[i].height * room / width));
        }
    }
    return plan;
}

} // namespace

SymbolViewer::SymbolViewer(QWidget* parent)
    : ObjectViewer(QStringLiteral("K2KSMBVIEWER"), DrawingKind::Symbol,
                   QStringLiteral("Symbol Viewer"), parent) {
}

void SymbolViewer::DrawKind(const Drawing& drawing, QStringList& /*problems*/) {
    QPen pen(kPin, 2);
    pen.setCosmetic(true);
    // The texts are planned in mils, the scene's unit.
    std::vector<DrawPin> inMils = drawing.pins;
    for (DrawPin& pin : inMils) {
        pin.at = {int(std::lround(Scaled(pin.at.x))), int(std::lround(Scaled(pin.at.y)))};
        pin.length = int(std::lround(Scaled(pin.length)));
    }
    const std::vector<PinTexts> plan = PlanPinTexts(inMils);
    for (std::size_t i = 0; i < drawing.pins.size(); ++i) {
        const DrawPin& pin = drawing.pins[i];
        const PinTexts& texts = plan[i];
        const QPointF outer = At(pin.at);
        const QPointF direction = SceneTowardsBody(pin.side);
        const QPointF inner = outer + direction * Scaled(pin.length);
        Scene().addLine(QLineF(outer, inner), pen);
        Scene().addEllipse(outer.x() - kEndRadius, outer.y() - kEndRadius, 2 * kEndRadius,
                           2 * kEndRadius, pen);
        const QPointF middle = (outer + inner) / 2;
        if (OnTopOrBottom(pin.side)) {
            AddText(middle + QPointF(-kGap / 2.0, 0), texts.height, texts.number, kPinNumber,
                    Qt::AlignHCenter | Qt::AlignBottom, 90);
        } else {
            AddText(middle + QPointF(0, -kGap / 2.0), texts.height, texts.number, kPinNumber,
                    Qt::AlignHCenter | Qt::AlignBottom);
        }
        if (texts.name.isEmpty())
            continue;
        QPointF at;
        Qt::Alignment alignment;
        switch (pin.side) {
        case PinSide::Left:
            at = inner + QPointF(kNameGap, 0);
            alignment = Qt::AlignLeft | Qt::AlignVCenter;
            break;
        case PinSide::Right:
            at = inner - QPointF(kNameGap, 0);
            alignment = Qt::AlignRight | Qt::AlignVCenter;
            break;
        case PinSide::Top: // read upwards, ending by the pin
            at = inner + QPointF(0, kNameGap);
            alignment =
                texts.turned ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignHCenter | Qt::AlignTop;
            break;
        case PinSide::Bottom: // read upwards, starting by the pin
            at = inner - QPointF(0, kNameGap);
            alignment = texts.turned ? Qt::AlignLeft | Qt::AlignVCenter
                                     : Qt::AlignHCenter | Qt::AlignBottom;
            break;
        }
        AddMarkedText(at, texts.height, pin.name, kPinName, alignment, texts.turned ? 90 : 0);
    }
}

} // namespace k2k
