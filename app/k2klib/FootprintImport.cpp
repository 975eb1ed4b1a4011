#include "FootprintImport.h"

#include "ImportGeometry.h"
#include "KicadItems.h"
#include "SymbolDrawing.h"
#include "SymbolImport.h"

#include "search/InfoText.h"
#include "system/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <tuple>
#include <unordered_map>

namespace k2k {

namespace {

using kicad::FootprintGraphic;

constexpr int kDefaultTextHeight = 1000; // micrometres, the source's usual 1 mm
constexpr std::string_view kReference = "REF**";

enum LayerIndex { kTop, kBottom, kInner, kMaskTop, kMaskBottom, kPasteTop, kPasteBottom };
constexpr std::array<std::string_view, 7> kLayerNames = {
    "TOP", "BOTTOM", "INNER", "MASKTOP", "MASKBOTTOM", "PASTETOP", "PASTEBOTTOM"};
constexpr std::array<std::string_view, 7> kLayerCodes = {"T", "B", "I", "MT", "MB", "PT", "PB"};
constexpr std::array<bool, 7> kHoleLayers = {true, true, true, true, true, false, false};
constexpr std::array<bool, 7> kSurfaceLayers = {true, false, false, true, false, true, false};

enum class LayerGroup { Silkscreen, Fabrication, Courtyard, Copper, Other };

LayerGroup GroupOf(std::string_view layer) {
    if (layer == "F.SilkS" || layer == "B.SilkS" || layer == "F.Silkscreen" ||
        layer == "B.Silkscreen")
        return LayerGroup::Silkscreen;
    if (layer == "F.Fab" || layer == "B.Fab")
        return LayerGroup::Fabrication;
    if (layer == "F.CrtYd" || layer == "B.CrtYd" || layer == "F.Courtyard" ||
        layer == "B.Courtyard")
        return LayerGroup::Courtyard;
    if (layer.ends_with(".Cu"))
        return LayerGroup::Copper;
    return LayerGroup::Other;
}

// The suite's layers a pad's layer names: "F.Cu", "*.Cu", "F&B.Cu", "*.Mask", ...
void AddLayers(std::string_view name, std::array<bool, 7>& layers) {
    const auto dot = name.find('.');
    if (dot == std::string_view::npos)
        return;
    const std::string_view side = name.substr(0, dot);
    const std::string_view kind = name.substr(dot + 1);
    const bool front = side == "F" || side == "*" || side == "F&B";
    const bool back = side == "B" || side == "*" || side == "F&B";
    if (kind == "Cu") {
        layers[kTop] = layers[kTop] || front;
        layers[kBottom] = layers[kBottom] || back;
        layers[kInner] = layers[kInner] || side == "*" || side.starts_with("In");
    } else if (kind == "Mask") {
        layers[kMaskTop] = layers[kMaskTop] || front;
        layers[kMaskBottom] = layers[kMaskBottom] || back;
    } else if (kind == "Paste") {
        layers[kPasteTop] = layers[kPasteTop] || front;
        layers[kPasteBottom] = layers[kPasteBottom] || back;
    }
}

// Why a pad cannot be made, if it cannot: its place, size or drill beyond the drawing's
// range, or a size or drill below a micrometre (0 or below in the source, say).
// Its package would lose the pad or have one that is not there, so it is left out.
std::optional<std::string> PadProblem(const kicad::Pad& pad) {
    const auto um = [](const Decimal& mm) { return MicrometresFromMillimetres(mm).value; };
    const auto beyond = [&](const Decimal& mm) {
        return um(mm) < -kDrawingLimit || um(mm) > kDrawingLimit;
    };
    const std::string which =
        "pad " + kicad::Shown(pad.number) + " on line " + std::to_string(pad.line) + ": ";
    if (beyond(pad.at.x) || beyond(pad.at.y) || beyond(pad.size.x) || beyond(pad.size.y) ||
        beyond(pad.drill))
        return which + "its place, size or drill lies beyond +-10,000,000 micrometres";
    if (um(pad.size.x) < 1 || um(pad.size.y) < 1)
        return which + "its width or height is below 1 micrometre";
    if (!pad.drill.IsZero() && um(pad.drill) < 1)
        return which + "its drill is below 1 micrometre";
    return std::nullopt;
}

std::string Millimetres(int micrometres) {
    const int hundredths = (micrometres + 5) / 10;
    std::string text = std::to_string(hundredths / 100) + ".";
    const int rest = hundredths % 100;
    return text + (rest < 10 ? "0" : "") + std::to_string(rest);
}

class FootprintDrawer final {
public:
    FootprintDrawer(const kicad::Footprint& footprint, const LossSink& lose, Padstacks& padstacks)
        : m_footprint(footprint), m_lose(lose), m_padstacks(padstacks) {
        m_drawing.kind = DrawingKind::Package;
        m_drawing.unit = DrawUnit::Micrometre;
        m_drawing.origin = DrawPoint{0, 0};
    }

    // The drawing, its texts in UTF-8. The silkscreen is drawn; when it has no outline (texts
    // at most), the fabrication layers' outline is drawn with it.
    Drawing Draw() {
        const bool outline = std::any_of(m_footprint.graphics.begin(), m_footprint.graphics.end(),
                                         [](const FootprintGraphic& g) {
                                             return GroupOf(g.layer) == LayerGroup::Silkscreen &&
                                                    g.shape != FootprintGraphic::Shape::Text;
                                         });
        for (const FootprintGraphic& g : m_footprint.graphics) {
            const LayerGroup group = GroupOf(g.layer);
            if (group == LayerGroup::Silkscreen || (group == LayerGroup::Fabrication && !outline &&
                                                    g.shape != FootprintGraphic::Shape::Text)) {
                DrawGraphic(g);
                continue;
            }
            switch (group) {
            case LayerGroup::Fabrication:
                m_lose(Loss::FabricationGraphics);
                break;
            case LayerGroup::Courtyard:
                m_lose(Loss::CourtyardGraphics);
                break;
            case LayerGroup::Copper:
                m_lose(Loss::CopperGraphics);
                break;
            default:
                m_lose(Loss::OtherLayerGraphics);
                break;
            }
        }
        for (const kicad::Pad& pad : m_footprint.pads)
            DrawPad(pad);
        m_lose(Loss::RoundedMicrometres, m_rounded);
        return std::move(m_drawing);
    }

private:
    // A length in whole micrometres; nullopt (and the graphic is dropped) beyond the range.
    std::optional<int> Micro(const Decimal& mm) {
        const Micrometres um = MicrometresFromMillimetres(mm);
        if (um.value < -kDrawingLimit || um.value > kDrawingLimit) {
            m_outOfRange = true;
            return std::nullopt;
        }
        if (!um.exact)
            ++m_rounded;
        return static_cast<int>(um.value);
    }

    // A source point in the drawing's axes: y upwards.
    std::optional<DrawPoint> Point(const kicad::Point& p) {
        const auto x = Micro(p.x);
        const auto y = Micro(p.y);
        if (!x || !y)
            return std::nullopt;
        return DrawPoint{*x, -*y};
    }

    static std::pair<double, double> Exact(const kicad::Point& p) {
        return {p.x.Value() * 1000.0, -p.y.Value() * 1000.0};
    }

    void DrawGraphic(const FootprintGraphic& g) {
        using Shape = FootprintGraphic::Shape;
        if (g.shape != Shape::Text) {
            if (g.filled)
                m_lose(Loss::Fills);
            if (!g.strokeWidth.IsZero())
                m_lose(Loss::LineWidths);
        }
        m_outOfRange = false;
        switch (g.shape) {
        case Shape::Line:
        case Shape::Polygon: {
            std::vector<DrawPoint> points;
            for (const kicad::Point& p : g.points)
                if (const auto point = Point(p))
                    points.push_back(*point);
            if (m_outOfRange)
                break;
            if (g.shape == Shape::Polygon && points.size() > 2)
                points.push_back(points.front());
            for (std::size_t i = 1; i < points.size(); ++i)
                if (points[i] != points[i - 1] || g.shape == Shape::Line)
                    m_drawing.lines.push_back({points[i - 1], points[i]});
            break;
        }
        case Shape::Rectangle: {
            const auto a = Point(g.points[0]);
            const auto b = Point(g.points[1]);
            if (a && b)
                m_drawing.rects.push_back({*a, *b});
            break;
        }
        case Shape::Circle: {
            const auto centre = Point(g.points[0]);
            const auto [cx, cy] = Exact(g.points[0]);
            const auto [px, py] = Exact(g.points[1]);
            const double radius = std::hypot(px - cx, py - cy);
            if (!centre || !InDrawingRange(radius)) {
                m_outOfRange = true;
                break;
            }
            if (!Whole(radius))
                ++m_rounded;
            m_drawing.arcs.push_back(
                {*centre, std::max(1, static_cast<int>(std::lround(radius))), 0, 360});
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

    // An arc by three points, or in the older form by its centre, start and the angle it
    // sweeps clockwise on the screen (y downwards), which is clockwise in the drawing too.
    void DrawArc(const FootprintGraphic& g) {
        ExactArc arc;
        if (g.centred) {
            std::tie(arc.cx, arc.cy) = Exact(g.points[0]);
            const auto [sx, sy] = Exact(g.points[1]);
            arc.radius = std::hypot(sx - arc.cx, sy - arc.cy);
            const double from = DegreesOf(sy - arc.cy, sx - arc.cx);
            const double angle = std::clamp(g.angle.Value(), -360.0, 360.0);
            arc.sweep = std::abs(angle);
            arc.start = angle > 0 ? from - angle : from;
        } else {
            const auto [sx, sy] = Exact(g.points[0]);
            const auto [mx, my] = Exact(g.points[1]);
            const auto [ex, ey] = Exact(g.points[2]);
            const auto through = ArcThrough(sx, sy, mx, my, ex, ey);
            if (!through) {
                m_lose(Loss::DegenerateArcs);
                const auto a = Point(g.points[0]);
                const auto b = Point(g.points[2]);
                if (a && b)
                    m_drawing.lines.push_back({*a, *b});
                return;
            }
            arc = *through;
        }
        bool rounded = false;
        const auto whole = WholeArc(arc, rounded);
        if (!whole) {
            m_outOfRange = true;
            return;
        }
        if (rounded)
            m_lose(Loss::RoundedArcs);
        m_drawing.arcs.push_back(*whole);
    }

    void DrawText(const FootprintGraphic& g) {
        if (g.hidden) {
            m_lose(Loss::HiddenTexts);
            return;
        }
        std::string text = g.textKind == "reference" || g.text == "${REFERENCE}"
                               ? std::string(kReference)
                               : g.text;
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
        const std::optional<int> height =
            g.textHeight.IsZero() ? kDefaultTextHeight : Micro(g.textHeight);
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

    // A pad's size or drill in whole micrometres, which PadProblem found in range.
    int Size(const Decimal& mm) { return Micro(mm).value_or(0); }

    PadstackShape ShapeOf(const kicad::Pad& pad) {
        PadstackShape s;
        s.width = Size(pad.size.x);
        s.height = Size(pad.size.y);
        const std::string_view shape = pad.shape;
        if (shape == "circle") {
            s.shape = PadShape::Round;
        } else if (shape == "oval") {
            s.shape = s.width == s.height ? PadShape::Round : PadShape::Oblong;
        } else {
            if (shape == "roundrect")
                m_lose(Loss::RoundedPads);
            else if (shape != "rect")
                m_lose(Loss::OtherPadShapes);
            s.shape = s.width == s.height ? PadShape::Square : PadShape::Rect;
        }
        if (s.shape == PadShape::Round || s.shape == PadShape::Square)
            s.height = s.width;
        const bool hole = pad.type == "thru_hole" || pad.type == "np_thru_hole";
        if (hole && !pad.drill.IsZero()) {
            s.drill = Size(pad.drill);
            s.plated = pad.type == "thru_hole";
        }
        for (const std::string& layer : pad.layers)
            AddLayers(layer, s.layers);
        return s;
    }

    void DrawPad(const kicad::Pad& pad) {
        const PadstackShape shape = ShapeOf(pad);
        if (pad.slot)
            m_lose(Loss::Slots);
        if (pad.settings > 0)
            m_lose(Loss::PadSettings);
        const double degrees = pad.angle.Value();
        if (!Whole(degrees))
            m_lose(Loss::PadRotations);
        const int rotation = static_cast<int>(std::lround(std::fmod(degrees, 360.0)));
        bool changed = false;
        std::string number = StatementWord(pad.number, changed);
        if (changed)
            m_lose(Loss::PinTextCharacters);
        const auto at = Point(pad.at);
        if (!at)
            return;
        std::string name = PadstackName(shape);
        if (m_padstacks.find(name) == m_padstacks.end())
            m_padstacks.emplace(name, PadstackObject(shape));
        m_drawing.pads.push_back({std::move(number), std::move(name), *at, rotation});
    }

    const kicad::Footprint& m_footprint;
    const LossSink& m_lose;
    Padstacks& m_padstacks;
    Drawing m_drawing;
    std::size_t m_rounded = 0;
    bool m_outOfRange = false;
};

class LibraryImporter final {
public:
    LibraryImporter(std::string_view library, const TextOptions& options,
                    std::vector<LibraryObject>& packages, Padstacks& padstacks,
                    ImportReport& report)
        : m_library(library), m_options(options), m_packages(packages), m_padstacks(padstacks),
          m_report(report), m_type(PartTypeOfLibrary(library)) {}

    void Add(const kicad::Footprint& footprint) {
        for (const kicad::Pad& pad : footprint.pads)
            if (const auto problem = PadProblem(pad)) {
                m_report.LeaveOut(std::string(m_library) + ": package \"" + footprint.name +
                                  "\": " + *problem);
                return;
            }
        const LossSink lose{m_report, m_library, footprint.name};
        CountLosses(footprint, lose);
        LibraryObject package;
        std::string description, type;
        if (!Convert(footprint.name, TextUse::Name, footprint.name, "name", package.name) ||
            !Convert(footprint.description, TextUse::Field, footprint.name, "description",
                     description) ||
            !Convert(m_type, TextUse::Field, footprint.name, "package_type", type))
            return;
        if (package.name.empty()) {
            m_report.LeaveOut(std::string(m_library) + ": a package without a name");
            return;
        }
        package.info = ComposeInfo({description, type, ""});
        if (!ImportedInfoFits(package.info,
                              std::string(m_library) + ": package \"" + footprint.name + "\"",
                              m_report))
            return;
        const auto [at, added] = m_names.emplace(UpperCase(package.name), footprint.name);
        if (!added) {
            m_report.LeaveOut(std::string(m_library) + ": package \"" + footprint.name +
                              "\": the library already holds package \"" + at->second +
                              "\" (names are compared without regard to case); the first is kept");
            return;
        }
        // The padstacks of a footprint left out stay out too.
        Padstacks padstacks;
        const Drawing drawing = FootprintDrawer(footprint, lose, padstacks).Draw();
        if (!Convert(FormatDrawing(drawing), TextUse::Drawing, footprint.name, "drawing",
                     package.drawing)) {
            m_names.erase(at);
            return;
        }
        m_packages.push_back(std::move(package));
        m_padstacks.merge(padstacks);
    }

private:
    bool Convert(std::string_view utf8, TextUse use, std::string_view name, std::string_view field,
                 std::string& out) {
        auto text = ImportedText(utf8, use, m_options,
                                 std::string(m_library) + ": package \"" + std::string(name) +
                                     "\": field \"" + std::string(field) + "\"",
                                 m_report);
        if (!text)
            return false;
        out = std::move(*text);
        return true;
    }

    void CountLosses(const kicad::Footprint& footprint, const LossSink& lose) {
        if (footprint.keywords)
            lose(Loss::FootprintKeywords);
        if (footprint.attributes)
            lose(Loss::FootprintAttributes);
        if (footprint.settings > 0)
            lose(Loss::FootprintSettings);
        lose(Loss::Models, footprint.models);
        lose(Loss::Zones, footprint.zones);
        if (!footprint.unread.Empty())
            m_report.Lose(Loss::UnreadItems, m_library,
                          footprint.name + " (" + footprint.unread.Summary() + ")");
    }

    std::string_view m_library;
    const TextOptions& m_options;
    std::vector<LibraryObject>& m_packages;
    Padstacks& m_padstacks;
    ImportReport& m_report;
    const std::string m_type;
    std::unordered_map<std::string, std::string> m_names; // upper case -> as written
};

} // namespace

std::string PadstackName(const PadstackShape& s) {
    static constexpr std::string_view kLetters[] = {"C", "S", "R", "O"};
    std::string name(kLetters[static_cast<std::size_t>(s.shape)]);
    name += std::to_string(s.width);
    if (s.shape == PadShape::Rect || s.shape == PadShape::Oblong)
        name += "X" + std::to_string(s.height);
    if (s.drill > 0)
        name += (s.plated ? "H" : "U") + std::to_string(s.drill);
    if (s.layers != (s.drill > 0 ? kHoleLayers : kSurfaceLayers)) {
        name += "_";
        const std::size_t bare = name.size();
        for (std::size_t i = 0; i < s.layers.size(); ++i)
            if (s.layers[i])
                name += kLayerCodes[i];
        if (name.size() == bare)
            name += "NONE";
    }
    return name;
}

LibraryObject PadstackObject(const PadstackShape& s) {
    Drawing drawing;
    drawing.kind = DrawingKind::Padstack;
    drawing.unit = DrawUnit::Micrometre;
    for (std::size_t i = 0; i < s.layers.size(); ++i)
        if (s.layers[i])
            drawing.layers.push_back({std::string(kLayerNames[i]), s.shape, s.width, s.height});
    drawing.drill = s.drill;
    drawing.plated = s.plated;

    static constexpr std::string_view kShapeNames[] = {"Round", "Square", "Rectangular", "Oblong"};
    const std::string_view shape = kShapeNames[static_cast<std::size_t>(s.shape)];
    std::string description = std::string(shape) + " pad " + Millimetres(s.width);
    if (s.shape == PadShape::Rect || s.shape == PadShape::Oblong)
        description += " x " + Millimetres(s.height);
    description += " mm";
    if (s.drill > 0)
        description += std::string(", drill ") + Millimetres(s.drill) + " mm" +
                       (s.plated ? ", plated" : ", not plated");
    const std::string type =
        std::string(s.drill > 0 ? "Through-hole," : "Surface-mount,") + std::string(shape);

    // Plain ASCII, which the suite always holds.
    UnholdableCharacter bad;
    LibraryObject object;
    object.name = ToSuiteText(PadstackName(s), TextUse::Field, bad).value_or("");
    object.info = ComposeInfo({ToSuiteText(description, TextUse::Field, bad).value_or(""),
                               ToSuiteText(type, TextUse::Field, bad).value_or(""),
                               ToSuiteText(shape, TextUse::Field, bad).value_or("")});
    object.drawing = ToSuiteText(FormatDrawing(drawing), TextUse::Drawing, bad).value_or("");
    return object;
}

void ImportFootprintLibrary(const std::vector<kicad::Footprint>& footprints,
                            std::string_view library, const TextOptions& options,
                            std::vector<LibraryObject>& packages, Padstacks& padstacks,
                            ImportReport& report) {
    packages.clear();
    LibraryImporter importer(library, options, packages, padstacks, report);
    for (const kicad::Footprint& footprint : footprints)
        importer.Add(footprint);
}

} // namespace k2k
