#pragma once
// What the drawers of imported symbols and footprints share: the source's lengths in
// millimetres turned into whole units of the drawing (mils for symbols, micrometres for
// footprints, y upwards either way), every rounding counted, and a graphic with a number
// beyond the format's range dropped and counted; and the graphics both sources have, drawn
// on a sketch (sketch/Sketch.h): lines from point to point, rectangles, arcs by three
// points or by their centre, and texts placed by their anchors. Fills and line widths,
// which the format cannot carry, are counted as losses of the object.

#include "kicad/Decimal.h"
#include "kicad/ImportGeometry.h"
#include "kicad/ImportReport.h"
#include "kicad/KicadSymbols.h"
#include "sketch/Sketch.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace k2k {

class ImportDrawer {
public:
    // How the source's lengths become the drawing's.
    struct Axes {
        DrawUnit unit = DrawUnit::Mil;
        bool yDown = false;                       // the source's y runs downwards
        Loss rounding = Loss::RoundedCoordinates; // what a rounded length counts as
        int defaultTextHeight = 50;               // units, for a text that gives none
    };

    ImportDrawer(DrawingKind kind, const Axes& axes, const LossSink& lose);

    // A length in whole units; nullopt, and the graphic is out of range, beyond the format's
    // range.
    std::optional<int> Length(const Decimal& mm);
    std::optional<DrawPoint> Point(const kicad::Point& p);
    // A point in units, not yet whole.
    std::pair<double, double> Exact(const kicad::Point& p) const;
    void CountRounded() { ++m_rounded; }

    // Around each graphic: its fill and line width are losses (a text has neither); what
    // lay out of range is counted at its end.
    void BeginGraphic(bool text, bool filled, const Decimal& strokeWidth);
    void EndGraphic();
    void OutOfRange() { m_outOfRange = true; }

    // Lines from each point to the next, back to the first when closed (and more than two);
    // a point equal to the one before draws no line unless repeats are kept.
    void Lines(std::span<const kicad::Point> points, bool closed, bool keepRepeats);
    void Rectangle(const kicad::Point& corner1, const kicad::Point& corner2);
    // The arc from start by the way of middle to end; three points on a line are a line from
    // start to end, counted as a degenerate arc.
    void ArcThrough(const kicad::Point& start, const kicad::Point& middle, const kicad::Point& end);
    // An arc in units, made whole (counted when rounded).
    void Arc(const ExactArc& arc);
    // A text of the source: what would end its statement or is no character of a line becomes
    // a blank; a blank text is not drawn, a rotated one is drawn unrotated and counted.
    void Text(std::string text, const kicad::Point& anchor, const Decimal& angle,
              const Decimal& height, kicad::Justify horizontal, kicad::Justify vertical);

    Sketch& Drawn() noexcept { return m_sketch; }
    // The drawing, the rounded lengths counted.
    Drawing Finish();

protected:
    const LossSink& m_lose;

private:
    Axes m_axes;
    Sketch m_sketch;
    std::size_t m_rounded = 0;
    bool m_outOfRange = false;
};

} // namespace k2k
