#include "kicad/SymbolDrawing.h"

#include "kicad/ImportDrawer.h"
#include "kicad/ImportGeometry.h"
#include "sketch/SymbolShapes.h"

#include <algorithm>
#include <cmath>

namespace k2k {

namespace {

constexpr ImportDrawer::Axes kSymbolAxes{.unit = DrawUnit::Mil,
                                         .yDown = false,
                                         .rounding = Loss::RoundedCoordinates,
                                         .defaultTextHeight = 50}; // the source's usual 1.27 mm

class SubSymbolDrawer final : ImportDrawer {
public:
    explicit SubSymbolDrawer(const LossSink& lose)
        : ImportDrawer(DrawingKind::Symbol, kSymbolAxes, lose) {}

    Drawing Draw(const kicad::Unit& unit) {
        for (const kicad::Graphic& graphic : unit.graphics)
            DrawGraphic(graphic);
        for (const kicad::Pin& pin : unit.pins)
            DrawPin(pin);
        return Finish();
    }

private:
    void DrawGraphic(const kicad::Graphic& g) {
        using Shape = kicad::Graphic::Shape;
        BeginGraphic(g.shape == Shape::Text, g.filled, g.strokeWidth);
        switch (g.shape) {
        case Shape::Rectangle:
            Rectangle(g.points[0], g.points[1]);
            break;
        case Shape::Polyline:
            Lines(g.points, false, false);
            break;
        case Shape::Circle: {
            const auto centre = Point(g.points[0]);
            const auto radius = Length(g.radius);
            if (centre && radius)
                Drawn().Arc({*centre, std::max(1, std::abs(*radius)), 0, 360});
            break;
        }
        case Shape::Arc:
            ArcThrough(g.points[0], g.points[1], g.points[2]);
            break;
        case Shape::Text:
            Text(g.text, g.points[0], g.angle, g.textHeight, g.horizontal, g.vertical);
            break;
        }
        EndGraphic();
    }

    // The side a pin's angle gives, counting an angle off the axes.
    PinSide SideOf(const kicad::Pin& pin) {
        // The angle points from the outer end towards the body: 0 means the body lies to the
        // right, so the pin sits on its left side.
        const double degrees = std::fmod(std::fmod(pin.angle.Value(), 360.0) + 360.0, 360.0);
        const int quarter = static_cast<int>(std::lround(degrees / 90.0)) % 4;
        if (std::abs(degrees - quarter * 90.0) > kWhole && std::abs(degrees - 360.0) > kWhole)
            m_lose(Loss::PinAngles);
        static constexpr PinSide kSides[] = {PinSide::Left, PinSide::Bottom, PinSide::Right,
                                             PinSide::Top};
        return kSides[quarter];
    }

    void DrawPin(const kicad::Pin& pin) {
        m_lose(Loss::PinElectricalTypes);
        if (pin.hidden)
            m_lose(Loss::HiddenPins);
        if (pin.alternates > 0)
            m_lose(Loss::AlternatePinFunctions);
        const PinSide side = SideOf(pin);

        const auto at = Point(pin.at);
        auto length = Length(pin.length);
        if (!at || !length) {
            m_lose(Loss::OutOfRange);
            return;
        }
        if (*length <= 0) {
            m_lose(Loss::ZeroLengthPins);
            length = 1;
        }

        bool changed = false;
        std::string number = StatementWord(pin.number, changed);
        // The viewer shows no name when it is the number, which is how "no name" is drawn.
        std::string name = StatementWord(pin.name, changed);
        if (name == "~")
            name = number;
        if (changed)
            m_lose(Loss::PinTextCharacters);

        const DrawPoint towards = TowardsBody(side);
        const DrawPoint inner{at->x + towards.x * *length, at->y + towards.y * *length};
        const int drawnLength = DrawMarks(pin.style, inner, towards, *length);
        Drawn().Pin({std::move(number), std::move(name), side, *at, drawnLength});
    }

    // The marks of an inverted or clocked pin whose inner end meets the body at inner; the
    // length the pin is drawn with.
    int DrawMarks(std::string_view style, DrawPoint inner, DrawPoint towards, int length) {
        const bool inverted = style == "inverted" || style == "inverted_clock";
        const bool clock = style == "clock" || style == "inverted_clock" || style == "clock_low" ||
                           style == "edge_clock_high";
        if (!inverted && !clock && style != "line")
            m_lose(Loss::PinStyles);
        else if (style == "clock_low" || style == "edge_clock_high")
            m_lose(Loss::PinStyles);

        int drawnLength = length;
        const bool marksFit = std::abs(inner.x) <= kDrawingLimit - 2 * kClockSize &&
                              std::abs(inner.y) <= kDrawingLimit - 2 * kClockSize;
        if ((inverted || clock) && !marksFit) {
            m_lose(Loss::OutOfRange);
        } else if (inverted) {
            // The circle between the inner end and the body; the outer end stays.
            const int radius = std::clamp(length / 6, 1, kBubbleRadius);
            if (length > 2 * radius)
                drawnLength = length - 2 * radius;
            Drawn().Bubble(inner, {-towards.x, -towards.y}, radius);
        }
        if (clock && marksFit)
            DrawClockWedge(Drawn(), inner, towards, kClockSize);
        return drawnLength;
    }
};

template <class T>
void Append(std::vector<T>& to, const std::vector<T>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

} // namespace

Drawing DrawSubSymbol(const kicad::Unit& unit, const LossSink& lose) {
    return SubSymbolDrawer(lose).Draw(unit);
}

void AppendDrawing(Drawing& drawing, const Drawing& part) {
    Append(drawing.lines, part.lines);
    Append(drawing.rects, part.rects);
    Append(drawing.arcs, part.arcs);
    Append(drawing.texts, part.texts);
    Append(drawing.pins, part.pins);
}

} // namespace k2k
