#include "kicad/ImportGeometry.h"

#include "system/Text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace k2k {

namespace {

constexpr double kTextWidthShare = 0.6; // an average character's width, of the height

double ShareOf(kicad::Justify justify) {
    return justify == kicad::Justify::Start ? 0.0 : justify == kicad::Justify::Centre ? 0.5 : 1.0;
}

} // namespace

double DegreesOf(double y, double x) {
    return std::atan2(y, x) * 180.0 / std::numbers::pi;
}

double CounterClockwise(double from, double to) {
    return std::fmod(to - from + 720.0, 360.0);
}

bool Whole(double value) {
    return std::abs(value - std::round(value)) < kWhole;
}

bool InDrawingRange(double value) {
    return std::abs(value) <= static_cast<double>(kDrawingLimit);
}

std::size_t CodePoints(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string StatementWord(std::string_view text, bool& changed) {
    std::string word(Trim(text));
    if (word.empty())
        return "~";
    for (char& c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ' ' || c == ';' || byte < 0x20 || byte == 0x7F) {
            c = '_';
            changed = true;
        }
    }
    return word;
}

std::optional<DrawText> PlacedText(DrawPoint anchor, int h, std::string text,
                                   kicad::Justify horizontal, kicad::Justify vertical) {
    const double width = static_cast<double>(CodePoints(text)) * h * kTextWidthShare;
    const double x = anchor.x - width * ShareOf(horizontal);
    const double y = anchor.y - h * ShareOf(vertical);
    if (!InDrawingRange(x) || !InDrawingRange(y))
        return std::nullopt;
    return DrawText{
        {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))}, h, std::move(text)};
}

std::optional<ExactArc> ArcThrough(double sx, double sy, double mx, double my, double ex,
                                   double ey) {
    const double d = 2 * (sx * (my - ey) + mx * (ey - sy) + ex * (sy - my));
    if (std::abs(d) < kWhole)
        return std::nullopt;
    const double s2 = sx * sx + sy * sy, m2 = mx * mx + my * my, e2 = ex * ex + ey * ey;
    ExactArc arc;
    arc.cx = (s2 * (my - ey) + m2 * (ey - sy) + e2 * (sy - my)) / d;
    arc.cy = (s2 * (ex - mx) + m2 * (sx - ex) + e2 * (mx - sx)) / d;
    arc.radius = std::hypot(sx - arc.cx, sy - arc.cy);
    const double a0 = DegreesOf(sy - arc.cy, sx - arc.cx);
    const double am = DegreesOf(my - arc.cy, mx - arc.cx);
    const double a1 = DegreesOf(ey - arc.cy, ex - arc.cx);
    arc.sweep = CounterClockwise(a0, a1);
    if (arc.sweep == 0)
        arc.sweep = 360;
    arc.start = a0;
    if (CounterClockwise(a0, am) > arc.sweep) { // the way leads clockwise
        arc.start = a1;
        arc.sweep = 360 - arc.sweep;
    }
    return arc;
}

std::optional<DrawArc> WholeArc(const ExactArc& arc, bool& rounded) {
    if (!InDrawingRange(arc.cx) || !InDrawingRange(arc.cy) || !InDrawingRange(arc.radius))
        return std::nullopt;
    const double start = std::fmod(std::fmod(arc.start, 360.0) + 360.0, 360.0);
    rounded = !Whole(arc.cx) || !Whole(arc.cy) || !Whole(arc.radius) || !Whole(start) ||
              !Whole(arc.sweep);
    return DrawArc{{static_cast<int>(std::lround(arc.cx)), static_cast<int>(std::lround(arc.cy))},
                   std::max(1, static_cast<int>(std::lround(arc.radius))),
                   static_cast<int>(std::lround(start)) % 360,
                   std::clamp(static_cast<int>(std::lround(arc.sweep)), 1, 360)};
}

} // namespace k2k
