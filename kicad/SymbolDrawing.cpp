#include "kicad/SymbolDrawing.h"

#include "kicad/ImportGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>

namespace k2k {

namespace {

constexpr double kMmPerMil = 0.0254;
constexpr int kDefaultTextHeight = 50; // mils, the source's usual 1.27 mm

class SubSymbolDrawer final {
public:
    explicit SubSymbolDrawer(const LossSink& lose) : m_lose(lose) {
        m_drawing.kind = DrawingKind::Symbol;
    }

    Drawing Draw(const kicad::Unit& unit) {
        for (const kicad::Graphic& graphic : unit.graphics)
            DrawGraphic(graphic);
        for (const kicad::Pin& pin : unit.pins)
            DrawPin(pin);
        m_lose(Loss::RoundedCoordinates, m_rounded);
        return std::move(m_drawing);
    }

private:
    // A length in whole mils; nullopt (and the graphic is dropped) beyond the format's range.
    std::optional<int> Mil(const Decimal& mm) {
        const Mils mils = MilsFromMillimetres(mm);
        if (mils.value < -kDrawingLimit || mils.value > kDrawingLimit) {
            m_outOfRange = true;
            return std::nullopt;
        }
        if (!mils.exact)
            ++m_rounded;
        return static_cast<int>(mils.value);
    }

    std::optional<DrawPoint> Point(const kicad::Point& p) {
        const auto x = Mil(p.x);
        const auto y = Mil(p.y);
        if (!x || !y)
            return std::nullopt;
        return DrawPoint{*x, *y};
    }

    void DrawGraphic(const kicad::Graphic& g) {
        using Shape = kicad::Graphic::Shape;
        if (g.shape != Shape::Text) {
            if (g.filled)
                m_lose(Loss::Fills);
            if (!g.strokeWidth.IsZero())
                m_lose(Loss::LineWidths);
        }
        m_outOfRange = false;
        switch (g.shape) {
        case Shape::Rectangle: {
            const auto a = Point(g.points[0]);
            const auto b = Point(g.points[1]);
            if (a && b)
                m_drawing.rects.push_back({*a, *b});
            break;
        }
        case Shape::Polyline: {
            std::vector<DrawPoint> points;
            for (const kicad::Point& p : g.points)
                if (const auto point = Point(p))
                    points.push_back(*point);
            if (m_outOfRange)
                break;
            for (std::size_t i = 1; i < points.size(); ++i)
                if (points[i] != points[i - 1])
                    m_drawing.lines.push_back({points[i - 1], points[i]});
            break;
        }
        case Shape::Circle: {
            const auto centre = Point(g.points[0]);
            const auto radius = Mil(g.radius);
            if (centre && radius)
                m_drawing.arcs.push_back({*centre, std::max(1, std::abs(*radius)), 0, 360});
            break;
        }
        case Shape::Arc:
            DrawArc(g);
            break;
        case Shape::Text:
            DrawText(g);
            break;
        }
        if (m_outOfRange)
            m_lose(Loss::OutOfRange);
    }

    // The circle through the three points, swept from start to end by the way of the middle
    // one, written counter-clockwise.
    void DrawArc(const kicad::Graphic& g) {
        const auto mils = [](const Decimal& mm) { return mm.Value() / kMmPerMil; };
        const auto arc = ArcThrough(mils(g.points[0].x), mils(g.points[0].y), mils(g.points[1].x),
                                    mils(g.points[1].y), mils(g.points[2].x), mils(g.points[2].y));
        if (!arc) {
            m_lose(Loss::DegenerateArcs);
            const auto a = Point(g.points[0]);
            const auto b = Point(g.points[2]);
            if (a && b)
                m_drawing.lines.push_back({*a, *b});
            return;
        }
        bool rounded = false;
        const auto whole = WholeArc(*arc, rounded);
        if (!whole) {
            m_outOfRange = true;
            return;
        }
        if (rounded)
            m_lose(Loss::RoundedArcs);
        m_drawing.arcs.push_back(*whole);
    }

    // The source places a text by an anchor and its justification; the format by the start
    // of its baseline, which is estimated from an average character width.
    void DrawText(const kicad::Graphic& g) {
        // A text runs to the end of its statement: what would end it, or is no character
        // of a line, becomes a blank.
        std::string text = g.text;
        for (char& c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == ';' || byte < 0x20 || byte == 0x7F)
                c = ' ';
        }
        if (text.find_first_not_of(' ') == std::string::npos)
            return;
        if (std::fmod(std::abs(g.angle.Value()), 360.0) != 0)
            m_lose(Loss::TextRotations);
        const auto anchor = Point(g.points[0]);
        std::optional<int> height = g.textHeight.IsZero() ? kDefaultTextHeight : Mil(g.textHeight);
        if (!anchor || !height)
            return;
        auto placed = PlacedText(*anchor, std::max(1, std::abs(*height)), std::move(text),
                                 g.horizontal, g.vertical);
        if (!placed) {
            m_outOfRange = true;
            return;
        }
        m_drawing.texts.push_back(std::move(*placed));
    }

    void DrawPin(const kicad::Pin& pin) {
        m_lose(Loss::PinElectricalTypes);
        if (pin.hidden)
            m_lose(Loss::HiddenPins);
        if (pin.alternates > 0)
            m_lose(Loss::AlternatePinFunctions);

        // The angle points from the outer end towards the body: 0 means the body lies to the
        // right, so the pin sits on its left side.
        const double degrees = std::fmod(std::fmod(pin.angle.Value(), 360.0) + 360.0, 360.0);
        const int quarter = static_cast<int>(std::lround(degrees / 90.0)) % 4;
        if (std::abs(degrees - quarter * 90.0) > kWhole && std::abs(degrees - 360.0) > kWhole)
            m_lose(Loss::PinAngles);
        static constexpr PinSide kSides[] = {PinSide::Left, PinSide::Bottom, PinSide::Right,
                                             PinSide::Top};
        const PinSide side = kSides[quarter];

        m_outOfRange = false;
        const auto at = Point(pin.at);
        auto length = Mil(pin.length);
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
        const std::string_view style = pin.style;
        const bool inverted = style == "inverted" || style == "inverted_clock";
        const bool clock = style == "clock" || style == "inverted_clock" || style == "clock_low" ||
                           style == "edge_clock_high";
        if (!inverted && !clock && style != "line")
            m_lose(Loss::PinStyles);
        else if (style == "clock_low" || style == "edge_clock_high")
            m_lose(Loss::PinStyles);

        int drawnLength = *length;
        const bool marksFit = std::abs(inner.x) <= kDrawingLimit - 2 * kClockSize &&
                              std::abs(inner.y) <= kDrawingLimit - 2 * kClockSize;
        if ((inverted || clock) && !marksFit) {
            m_lose(Loss::OutOfRange);
        } else if (inverted) {
            const int radius = std::clamp(*length / 6, 1, kInversionRadius);
            if (*length > 2 * radius)
                drawnLength = *length - 2 * radius;
            m_drawing.arcs.push_back(
                {{inner.x - towards.x * radius, inner.y - towards.y * radius}, radius, 0, 360});
        }
        if (clock && marksFit) {
            const DrawPoint across{-towards.y, towards.x};
            const DrawPoint tip{inner.x + towards.x * kClockSize, inner.y + towards.y * kClockSize};
            const DrawPoint one{inner.x + across.x * kClockSize, inner.y + across.y * kClockSize};
            const DrawPoint other{inner.x - across.x * kClockSize, inner.y - across.y * kClockSize};
            m_drawing.lines.push_back({one, tip});
            m_drawing.lines.push_back({tip, other});
        }
        m_drawing.pins.push_back({std::move(number), std::move(name), side, *at, drawnLength});
    }

    const LossSink& m_lose;
    Drawing m_drawing;
    std::size_t m_rounded = 0;
    bool m_outOfRange = false;
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
