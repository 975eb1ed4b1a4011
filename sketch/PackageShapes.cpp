#include "sketch/PackageShapes.h"

namespace k2k {

void DrawDualRow(Sketch& s, int count, int pitch, int span, std::string_view first,
                 std::string_view other, int rotation) {
    const int half = count / 2;
    for (int i = 0; i < half; ++i)
        s.Pad(i + 1, i == 0 ? first : other, 0, -pitch * i, rotation);
    for (int i = 0; i < half; ++i)
        s.Pad(half + i + 1, other, span, -pitch * (half - 1 - i), rotation);
}

void DrawInLine(Sketch& s, int count, int pitch, std::string_view first, std::string_view other) {
    for (int i = 0; i < count; ++i)
        s.Pad(i + 1, i == 0 ? first : other, pitch * i, 0);
}

void DrawTwoPads(Sketch& s, int spacing, std::string_view first, std::string_view other) {
    s.Pad(1, first, HalfDown(-spacing), 0).Pad(2, other, HalfDown(spacing), 0);
}

void DrawDip(Sketch& s, int count, int span, std::string_view first, std::string_view other,
             int rotation) {
    s.Rect(50, 50, span - 50, -100 * (count / 2 - 1) - 50).Arc(span / 2, 50, 25, 180, 180);
    DrawDualRow(s, count, 100, span, first, other, rotation);
}

void DrawSmallOutline(Sketch& s, int count, int pitch, int span, std::string_view pad, int body) {
    const int bottom = -pitch * (count / 2 - 1);
    s.Rect(span / 2 - body / 2, 30, span / 2 + body / 2, bottom - 30);
    s.Arc(span / 2 - body / 2 + 25, 5, 8);
    DrawDualRow(s, count, pitch, span, pad, pad, 90);
}

void DrawTo92(Sketch& s, int pitch, std::string_view first, std::string_view other) {
    s.Arc(pitch, -30, 95, -19, 218).Line(pitch - 90, -60, pitch + 90, -60);
    DrawInLine(s, 3, pitch, first, other);
}

void DrawTo18(Sketch& s, std::string_view pad) {
    s.Arc(0, 0, 110).Line(78, 78, 100, 100);
    s.Pad(1, pad, 50, 0).Pad(2, pad, 0, 50).Pad(3, pad, -50, 0);
}

void DrawTo126(Sketch& s, std::string_view pad) {
    s.Rect(-70, 60, 250, -60);
    DrawInLine(s, 3, 90, pad, pad);
}

void DrawTo220(Sketch& s, int leads, int pitch, std::string_view first, std::string_view other) {
    const int widen = leads > 3 ? 34 : 0;
    s.Rect(-100 - widen, 80, 300 + widen, -100).Line(-100, 30, 300, 30);
    DrawInLine(s, leads, pitch, first, other);
}

void DrawSot23(Sketch& s, int leads, std::string_view pad) {
    s.Rect(-60, 30, 60, -30);
    if (leads == 3) {
        s.Pad(1, pad, -37, -45).Pad(2, pad, 37, -45).Pad(3, pad, 0, 45);
        return;
    }
    s.Arc(-45, -15, 6);
    for (int i = 0; i < 3; ++i)
        s.Pad(1 + i, pad, -37 + 37 * i, -50);
    for (int i = 0; i < leads - 3; ++i)
        s.Pad(4 + i, pad, 37 - (leads == 5 ? 74 : 37) * i, 50);
}

void DrawTabbedSot(Sketch& s, int pitch, int leadY, int tabY, int tabNumber, std::string_view lead,
                   std::string_view tab) {
    s.Rect(-pitch - 40, 70, pitch + 40, -70);
    for (int i = 0; i < 3; ++i)
        s.Pad(1 + i, lead, -pitch + pitch * i, leadY);
    s.Pad(tabNumber, tab, 0, tabY);
}

void DrawDpak(Sketch& s, int lead, std::string_view leadPad, std::string_view tab) {
    s.Rect(-130 - (lead - 90), 150, 130 + (lead - 90), -40);
    s.Pad(1, leadPad, -lead, -110).Pad(3, leadPad, lead, -110).Pad(2, tab, 0, 110);
}

void DrawChipBody(Sketch& s, int halfLength, int halfWidth, int bandInset) {
    s.Rect(-halfLength, halfWidth, halfLength, -halfWidth);
    if (bandInset > 0)
        s.Line(-halfLength + bandInset, halfWidth, -halfLength + bandInset, -halfWidth);
}

void DrawAxial(Sketch& s, int spacing, int halfLength, int halfWidth, bool band,
               std::string_view first, std::string_view other) {
    s.Rect(-halfLength, halfWidth, halfLength, -halfWidth);
    s.Line(HalfDown(-spacing) + 40, 0, -halfLength, 0)
        .Line(halfLength, 0, HalfDown(spacing) - 40, 0);
    if (band) // the cathode's
        s.Line(-halfLength + 25, halfWidth, -halfLength + 25, -halfWidth);
    DrawTwoPads(s, spacing, first, other);
}

void DrawRadial(Sketch& s, int spacing, int radius, int halfWidth, RadialMark mark,
                std::string_view first, std::string_view other) {
    if (radius > 0)
        s.Arc(0, 0, radius);
    else
        s.Rect(HalfDown(-spacing) - 50, halfWidth, HalfDown(spacing) + 50, -halfWidth);
    if (mark == RadialMark::Plus)
        s.Text(-radius + 10, 20, 40, "+");
    else if (mark == RadialMark::Flat)
        s.Line(radius - 15, 50, radius - 15, -50);
    DrawTwoPads(s, spacing, first, other);
}

void DrawPinHeader(Sketch& s, int rows, int count, std::string_view first, std::string_view other) {
    s.Rect(-50, rows == 1 ? 50 : 150, 100 * count - 50, -50);
    int number = 1;
    for (int i = 0; i < count; ++i)
        for (int row = 0; row < rows; ++row, ++number)
            s.Pad(number, number == 1 ? first : other, 100 * i, 100 * row);
}

} // namespace k2k
