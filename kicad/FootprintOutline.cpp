#include "kicad/FootprintOutline.h"

#include "kicad/Decimal.h"

#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <optional>
#include <set>
#include <tuple>
#include <utility>

namespace k2k {

namespace {

using kicad::FootprintGraphic;
using Where = std::pair<std::int64_t, std::int64_t>; // whole micrometres

Where At(const kicad::Point& p) {
    return {MicrometresFromMillimetres(p.x).value, MicrometresFromMillimetres(p.y).value};
}

// The end of an arc of the older form: its start turned about its centre by its angle, in
// the source's axes.
Where CentredArcEnd(const FootprintGraphic& g) {
    const double radians = g.angle.Value() * std::numbers::pi / 180;
    const double cx = g.points[0].x.Value(), cy = g.points[0].y.Value();
    const double dx = g.points[1].x.Value() - cx, dy = g.points[1].y.Value() - cy;
    const auto um = [](double mm) { return static_cast<std::int64_t>(std::llround(mm * 1000)); };
    return {um(cx + dx * std::cos(radians) - dy * std::sin(radians)),
            um(cy + dx * std::sin(radians) + dy * std::cos(radians))};
}

// The points where lines and arcs end, joined into groups as the lines and arcs join them:
// one that joins two points of the same group closes a chain.
class Chains final {
public:
    // Adds a line (no via) or an arc by the way of via from a to b; answers whether it
    // closes a chain.
    bool Join(Where a, Where b, std::optional<Where> via = std::nullopt) {
        if (a == b)
            return false;
        if (b < a)
            std::swap(a, b);
        if (!m_seen.insert({a, b, via.value_or(a)}).second)
            return false;
        const Where rootA = Root(a);
        const Where rootB = Root(b);
        if (rootA == rootB)
            return true;
        m_parent[rootA] = rootB;
        return false;
    }

private:
    Where Root(Where p) {
        auto found = m_parent.try_emplace(p, p).first;
        while (found->second != found->first)
            found = m_parent.find(found->second);
        return found->first;
    }

    std::map<Where, Where> m_parent;
    std::set<std::tuple<Where, Where, Where>> m_seen;
};

} // namespace

bool ClosesAnOutline(std::span<const FootprintGraphic* const> graphics) {
    using Shape = FootprintGraphic::Shape;
    Chains chains;
    for (const FootprintGraphic* g : graphics) {
        switch (g->shape) {
        case Shape::Rectangle:
        case Shape::Circle:
            if (!g->filled)
                return true;
            break;
        case Shape::Polygon:
            if (!g->filled && g->points.size() > 2)
                return true;
            break;
        case Shape::Line:
            if (chains.Join(At(g->points[0]), At(g->points[1])))
                return true;
            break;
        case Shape::Arc:
            if (g->centred && std::abs(g->angle.Value()) >= 360)
                return true;
            if (g->centred ? chains.Join(At(g->points[1]), CentredArcEnd(*g), At(g->points[0]))
                           : chains.Join(At(g->points[0]), At(g->points[2]), At(g->points[1])))
                return true;
            break;
        case Shape::Text:
            break;
        }
    }
    return false;
}

} // namespace k2k
