#include "sketch/Sketch.h"

#include <algorithm>

namespace k2k {

Sketch& Sketch::Line(int x1, int y1, int x2, int y2) {
    m_drawing.lines.push_back({{x1, y1}, {x2, y2}});
    return *this;
}

Sketch& Sketch::Polyline(std::initializer_list<DrawPoint> points) {
    for (auto p = points.begin(); p + 1 < points.end(); ++p)
        m_drawing.lines.push_back({p[0], p[1]});
    return *this;
}

Sketch& Sketch::Rect(int x1, int y1, int x2, int y2) {
    m_drawing.rects.push_back({{x1, y1}, {x2, y2}});
    return *this;
}

Sketch& Sketch::Arc(int cx, int cy, int radius, int start, int sweep) {
    m_drawing.arcs.push_back({{cx, cy}, radius, start, sweep});
    return *this;
}

Sketch& Sketch::Text(int x, int y, int height, std::string_view text) {
    m_drawing.texts.push_back({{x, y}, height, std::string(text)});
    return *this;
}

Sketch& Sketch::Pin(std::string_view number, std::string_view name, PinSide side, int x, int y,
                    int length) {
    m_drawing.pins.push_back({std::string(number), std::string(name), side, {x, y}, length});
    return *this;
}

Sketch& Sketch::Pad(std::string_view number, std::string_view padstack, int x, int y,
                    int rotation) {
    m_drawing.pads.push_back({std::string(number), std::string(padstack), {x, y}, rotation});
    return *this;
}

Sketch& Sketch::Pad(int number, std::string_view padstack, int x, int y, int rotation) {
    return Pad(std::to_string(number), padstack, x, y, rotation);
}

Sketch& Sketch::Origin(int x, int y) {
    m_drawing.origin = DrawPoint{x, y};
    return *this;
}

Sketch& Sketch::Layer(std::string_view layer, PadShape shape, int width, int height) {
    m_drawing.layers.push_back({std::string(layer), shape, width, height});
    return *this;
}

Sketch& Sketch::Drill(int diameter, bool plated) {
    m_drawing.drill = diameter;
    m_drawing.plated = plated;
    return *this;
}

void DrawBox(Sketch& s, std::string_view name, const BoxPins& pins, int width) {
    constexpr int kPitch = 100;
    const int rows = static_cast<int>(std::max({pins.left.size(), pins.right.size(), size_t{1}}));
    const int columns = static_cast<int>(std::max(pins.top.size(), pins.bottom.size()));
    width = std::max(width, (columns + 1) * kPitch);
    // The top edge on the 100 mil grid, so the pins are on it too.
    const int x1 = -width / 2;
    const int x2 = width / 2;
    const int y1 = (rows + 2) / 2 * kPitch;
    const int y2 = y1 - (rows + 1) * kPitch;
    s.Rect(x1, y1, x2, y2).Text(x1, y1 + 30, 50, name);
    for (std::size_t i = 0; i < pins.left.size(); ++i)
        if (!pins.left[i].number.empty())
            s.Pin(pins.left[i].number, pins.left[i].name, PinSide::Left, x1 - 200,
                  y1 - kPitch * static_cast<int>(i + 1));
    for (std::size_t i = 0; i < pins.right.size(); ++i)
        if (!pins.right[i].number.empty())
            s.Pin(pins.right[i].number, pins.right[i].name, PinSide::Right, x2 + 200,
                  y1 - kPitch * static_cast<int>(i + 1));
    const auto across = [&](const std::vector<BoxPin>& side, PinSide where, int y) {
        const int start = -(static_cast<int>(side.size()) - 1) * kPitch / 2;
        for (std::size_t i = 0; i < side.size(); ++i)
            if (!side[i].number.empty())
                s.Pin(side[i].number, side[i].name, where, start + kPitch * static_cast<int>(i), y);
    };
    across(pins.top, PinSide::Top, y1 + 200);
    across(pins.bottom, PinSide::Bottom, y2 - 200);
}

void DrawDualRow(Sketch& s, int count, int pitch, int span, std::string_view first,
                 std::string_view other, int rotation) {
    const int half = count / 2;
    for (int i = 0; i < half; ++i)
        s.Pad(i + 1, i == 0 ? first : other, 0, -pitch * i, rotation);
    for (int i = 0; i < half; ++i)
        s.Pad(half + i + 1, other, span, -pitch * (half - 1 - i), rotation);
}

} // namespace k2k
