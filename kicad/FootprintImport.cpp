#include "kicad/FootprintImport.h"

#include "kicad/FootprintOutline.h"
#include "kicad/ImportDrawer.h"
#include "kicad/ImportGeometry.h"
#include "kicad/KicadItems.h"
#include "kicad/SymbolImport.h"
#include "search/InfoText.h"
#include "system/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <set>
#include <tuple>
#include <unordered_map>

namespace k2k {

namespace {

using kicad::FootprintGraphic;

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

constexpr ImportDrawer::Axes kFootprintAxes{.unit = DrawUnit::Micrometre,
                                            .yDown = true,
                                            .rounding = Loss::RoundedMicrometres,
                                            .defaultTextHeight = 1000}; // the usual 1 mm

class FootprintDrawer final : ImportDrawer {
public:
    FootprintDrawer(const kicad::Footprint& footprint, const LossSink& lose, Padstacks& padstacks)
        : ImportDrawer(DrawingKind::Package, kFootprintAxes, lose), m_footprint(footprint),
          m_padstacks(padstacks) {
        Drawn().Origin(0, 0);
    }

    // The drawing, its texts in UTF-8. The silkscreen is drawn; when it closes no outline of
    // its own (FootprintOutline.h), the fabrication layers' graphics are drawn too, as the
    // body, and a note says so. Their texts are never drawn.
    Drawing Draw() {
        std::vector<const FootprintGraphic*> silkscreen;
        for (const FootprintGraphic& g : m_footprint.graphics)
            if (GroupOf(g.layer) == LayerGroup::Silkscreen &&
                g.shape != FootprintGraphic::Shape::Text)
                silkscreen.push_back(&g);
        const bool outline = ClosesAnOutline(silkscreen);
        std::set<std::string> fabrication; // the layers drawn from
        for (const FootprintGraphic& g : m_footprint.graphics) {
            const LayerGroup group = GroupOf(g.layer);
            if (group == LayerGroup::Silkscreen || (group == LayerGroup::Fabrication && !outline &&
                                                    g.shape != FootprintGraphic::Shape::Text)) {
                DrawGraphic(g);
                if (group == LayerGroup::Fabrication)
                    fabrication.insert(g.layer);
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
        if (!fabrication.empty()) {
            std::string layers;
            for (const std::string& layer : fabrication)
                layers += (layers.empty() ? "" : ", ") + layer;
            Drawn().Note("body outline from the fabrication layer" +
                         std::string(fabrication.size() > 1 ? "s (" : " (") + layers + ")");
        }
        for (const kicad::Pad& pad : m_footprint.pads)
            DrawPad(pad);
        return Finish();
    }

private:
    void DrawGraphic(const FootprintGraphic& g) {
        using Shape = FootprintGraphic::Shape;
        BeginGraphic(g.shape == Shape::Text, g.filled, g.strokeWidth);
        switch (g.shape) {
        case Shape::Line:
        case Shape::Polygon:
            Lines(g.points, g.shape == Shape::Polygon, g.shape == Shape::Line);
            break;
        case Shape::Rectangle:
            Rectangle(g.points[0], g.points[1]);
            break;
        case Shape::Circle:
            DrawCircle(g);
            break;
        case Shape::Arc:
            DrawArc(g);
            break;
        case Shape::Text:
            DrawText(g);
            break;
        }
        EndGraphic();
    }

    // A circle by its centre and a point on it.
    void DrawCircle(const FootprintGraphic& g) {
        const auto centre = Point(g.points[0]);
        const auto [cx, cy] = Exact(g.points[0]);
        const auto [px, py] = Exact(g.points[1]);
        const double radius = std::hypot(px - cx, py - cy);
        if (!centre || !InDrawingRange(radius)) {
            OutOfRange();
            return;
        }
        if (!Whole(radius))
            CountRounded();
        Drawn().Arc({*centre, std::max(1, static_cast<int>(std::lround(radius))), 0, 360});
    }

    // An arc by three points, or in the older form by its centre, start and the angle it
    // sweeps clockwise on the screen (y downwards), which is clockwise in the drawing too.
    void DrawArc(const FootprintGraphic& g) {
        if (!g.centred) {
            ArcThrough(g.points[0], g.points[1], g.points[2]);
            return;
        }
        ExactArc arc;
        std::tie(arc.cx, arc.cy) = Exact(g.points[0]);
        const auto [sx, sy] = Exact(g.points[1]);
        arc.radius = std::hypot(sx - arc.cx, sy - arc.cy);
        const double from = DegreesOf(sy - arc.cy, sx - arc.cx);
        const double angle = std::clamp(g.angle.Value(), -360.0, 360.0);
        arc.sweep = std::abs(angle);
        arc.start = angle > 0 ? from - angle : from;
        Arc(arc);
    }

    void DrawText(const FootprintGraphic& g) {
        if (g.hidden) {
            m_lose(Loss::HiddenTexts);
            return;
        }
        Text(g.textKind == "reference" || g.text == "${REFERENCE}" ? std::string(kReference)
                                                                   : g.text,
             g.points[0], g.angle, g.textHeight, g.horizontal, g.vertical);
    }

    // A pad's size or drill in whole micrometres, which PadProblem found in range.
    int Size(const Decimal& mm) { return Length(mm).value_or(0); }

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
        Drawn().Pad({std::move(number), std::move(name), *at, rotation});
    }

    const kicad::Footprint& m_footprint;
    Padstacks& m_padstacks;
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
        const std::string what = std::string(m_library) + ": package \"" + footprint.name + "\"";
        const std::string keywords = ImportedExtra(KeywordList(footprint.tags), m_options,
                                                   what + ": field \"keywords\"", lose);
        const std::string_view jedec = JedecName(description);
        auto info = FittingInfo(ComposeInfo({description, type, jedec}, {keywords}),
                                ComposeInfo({description, type, jedec}), what, lose);
        if (!info)
            return;
        package.info = std::move(*info);
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

std::string_view JedecName(std::string_view description) {
    constexpr std::string_view kWord = "JEDEC ";
    const auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const auto wordCharacter = [&](char c) {
        return upper(c) || digit(c) || (c >= 'a' && c <= 'z');
    };
    const std::string_view d = description;
    for (std::size_t at = d.find(kWord); at != std::string_view::npos; at = d.find(kWord, at + 1)) {
        if (at > 0 && wordCharacter(d[at - 1])) // the end of a longer word
            continue;
        const std::size_t start = at + kWord.size();
        std::size_t i = start;
        while (i < d.size() && upper(d[i]))
            ++i;
        if (i == start || i == d.size() || d[i] != '-')
            continue;
        const std::size_t digits = ++i;
        while (i < d.size() && digit(d[i]))
            ++i;
        if (i == digits)
            continue;
        while (i < d.size() && upper(d[i]))
            ++i;
        if (i < d.size() && wordCharacter(d[i]))
            continue;
        return d.substr(start, i - start);
    }
    return {};
}

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
    Sketch drawing(DrawingKind::Padstack, DrawUnit::Micrometre);
    for (std::size_t i = 0; i < s.layers.size(); ++i)
        if (s.layers[i])
            drawing.Layer(kLayerNames[i], s.shape, s.width, s.height);
    drawing.Drill(s.drill, s.plated);

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
    object.drawing =
        ToSuiteText(FormatDrawing(drawing.Result()), TextUse::Drawing, bad).value_or("");
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
