#include "sketch/Sketch.h"

#include <utility>

namespace k2k {

Sketch& Sketch::Line(int x1, int y1, int x2, int y2) {
    return Line({x1, y1}, {x2, y2});
}

Sketch& Sketch::Line(DrawPoint from, DrawPoint to) {
    m_drawing.lines.push_back({from, to});
    return *this;
}

Sketch& Sketch::Polyline(std::initializer_list<DrawPoint> points) {
    return Polyline(std::span<const DrawPoint>(points.begin(), points.size()));
}

Sketch& Sketch::Polyline(std::span<const DrawPoint> points) {
    for (std::size_t i = 1; i < points.size(); ++i)
        Line(points[i - 1], points[i]);
    return *this;
}

Sketch& Sketch::Rect(int x1, int y1, int x2, int y2) {
    return Rect({x1, y1}, {x2, y2});
}

Sketch& Sketch::Rect(DrawPoint corner1, DrawPoint corner2) {
    m_drawing.rects.push_back({corner1, corner2});
    return *this;
}

Sketch& Sketch::Arc(int cx, int cy, int radius, int start, int sweep) {
    return Arc({{cx, cy}, radius, start, sweep});
}

Sketch& Sketch::Arc(const DrawArc& arc) {
    m_drawing.arcs.push_back(arc);
    return *this;
}

Sketch& Sketch::Text(int x, int y, int height, std::string_view text) {
    return Text({{x, y}, height, std::string(text)});
}

Sketch& Sketch::Text(DrawText text) {
    m_drawing.texts.push_back(std::move(text));
    return *this;
}

Sketch& Sketch::Note(std::string_view text) {
    m_drawing.notes.emplace_back(text);
    return *this;
}

Sketch& Sketch::Pin(std::string_view number, std::string_view name, PinSide side, int x, int y,
                    int length) {
    return Pin({std::string(number), std::string(name), side, {x, y}, length});
}

Sketch& Sketch::Pin(DrawPin pin) {
    m_drawing.pins.push_back(std::move(pin));
    return *this;
}

Sketch& Sketch::Pad(std::string_view number, std::string_view padstack, int x, int y,
                    int rotation) {
    return Pad({std::string(number), std::string(padstack), {x, y}, rotation});
}

Sketch& Sketch::Pad(int number, std::string_view padstack, int x, int y, int rotation) {
    return Pad(std::to_string(number), padstack, x, y, rotation);
}

Sketch& Sketch::Pad(DrawPad pad) {
    m_drawing.pads.push_back(std::move(pad));
    return *this;
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

Sketch& Sketch::Bubble(DrawPoint edge, DrawPoint outward, int radius) {
    return Arc(edge.x + outward.x * radius, edge.y + outward.y * radius, radius);
}

} // namespace k2k
