#include "kicad/ImportDrawer.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace k2k {

namespace {

constexpr double kMmPerMil = 0.0254;

} // namespace

ImportDrawer::ImportDrawer(DrawingKind kind, const Axes& axes, const LossSink& lose)
    : m_lose(lose), m_axes(axes), m_sketch(kind, axes.unit) {
}

std::optional<int> ImportDrawer::Length(const Decimal& mm) {
    std::int64_t value = 0;
    bool exact = true;
    if (m_axes.unit == DrawUnit::Mil) {
        const Mils mils = MilsFromMillimetres(mm);
        value = mils.value;
        exact = mils.exact;
    } else {
        const Micrometres um = MicrometresFromMillimetres(mm);
        value = um.value;
        exact = um.exact;
    }
    if (value < -kDrawingLimit || value > kDrawingLimit) {
        m_outOfRange = true;
        return std::nullopt;
    }
    if (!exact)
        ++m_rounded;
    return static_cast<int>(value);
}

std::optional<DrawPoint> ImportDrawer::Point(const kicad::Point& p) {
    const auto x = Length(p.x);
    const auto y = Length(p.y);
    if (!x || !y)
        return std::nullopt;
    return DrawPoint{*x, m_axes.yDown ? -*y : *y};
}

std::pair<double, double> ImportDrawer::Exact(const kicad::Point& p) const {
    const auto units = [this](const Decimal& mm) {
        return m_axes.unit == DrawUnit::Mil ? mm.Value() / kMmPerMil : mm.Value() * 1000.0;
    };
    return {units(p.x), m_axes.yDown ? -units(p.y) : units(p.y)};
}

void ImportDrawer::BeginGraphic(bool text, bool filled, const Decimal& strokeWidth) {
    if (!text) {
        if (filled)
            m_lose(Loss::Fills);
        if (!strokeWidth.IsZero())
            m_lose(Loss::LineWidths);
    }
    m_outOfRange = false;
}

void ImportDrawer::EndGraphic() {
    if (m_outOfRange)
        m_lose(Loss::OutOfRange);
}

void ImportDrawer::Lines(std::span<const kicad::Point> points, bool closed, bool keepRepeats) {
    std::vector<DrawPoint> drawn;
    for (const kicad::Point& p : points)
        if (const auto point = Point(p))
            drawn.push_back(*point);
    if (m_outOfRange)
        return;
    if (closed && drawn.size() > 2)
        drawn.push_back(drawn.front());
    for (std::size_t i = 1; i < drawn.size(); ++i)
        if (keepRepeats || drawn[i] != drawn[i - 1])
            m_sketch.Line(drawn[i - 1], drawn[i]);
}

void ImportDrawer::Rectangle(const kicad::Point& corner1, const kicad::Point& corner2) {
    const auto a = Point(corner1);
    const auto b = Point(corner2);
    if (a && b)
        m_sketch.Rect(*a, *b);
}

void ImportDrawer::ArcThrough(const kicad::Point& start, const kicad::Point& middle,
                              const kicad::Point& end) {
    const auto [sx, sy] = Exact(start);
    const auto [mx, my] = Exact(middle);
    const auto [ex, ey] = Exact(end);
    const auto arc = k2k::ArcThrough(sx, sy, mx, my, ex, ey);
    if (!arc) {
        m_lose(Loss::DegenerateArcs);
        const auto a = Point(start);
        const auto b = Point(end);
        if (a && b)
            m_sketch.Line(*a, *b);
        return;
    }
    Arc(*arc);
}

void ImportDrawer::Arc(const ExactArc& arc) {
    bool rounded = false;
    const auto whole = WholeArc(arc, rounded);
    if (!whole) {
        m_outOfRange = true;
        return;
    }
    if (rounded)
        m_lose(Loss::RoundedArcs);
    m_sketch.Arc(*whole);
}

void ImportDrawer::Text(std::string text, const kicad::Point& anchor, const Decimal& angle,
                        const Decimal& height, kicad::Justify horizontal, kicad::Justify vertical) {
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ';' || byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    if (text.find_first_not_of(' ') == std::string::npos)
        return;
    if (std::fmod(std::abs(angle.Value()), 360.0) != 0)
        m_lose(Loss::TextRotations);
    const auto at = Point(anchor);
    const std::optional<int> h = height.IsZero() ? m_axes.defaultTextHeight : Length(height);
    if (!at || !h)
        return;
    auto placed = PlacedText(*at, std::max(1, std::abs(*h)), std::move(text), horizontal, vertical);
    if (!placed) {
        m_outOfRange = true;
        return;
    }
    m_sketch.Text(std::move(*placed));
}

Drawing ImportDrawer::Finish() {
    m_lose(m_axes.rounding, m_rounded);
    return m_sketch.Take();
}

} // namespace k2k
