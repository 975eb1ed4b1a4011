#include "kicad/KicadFootprints.h"

#include "kicad/KicadItems.h"
#include "kicad/SExpression.h"

#include <algorithm>

namespace k2k::kicad {

namespace {

// Items that say nothing a drawing or an info field could show: the file's version and
// stamps, the footprint's place on a board.
constexpr std::string_view kQuiet[] = {"version", "generator", "generator_version",
                                       "layer",   "tedit",     "tstamp",
                                       "uuid",    "at",        "path",
                                       "locked",  "placed",    "group"};
// Items of a pad that its padstack or its PAD statement carries, or that only describe its
// shape further (a loss of the shape already).
constexpr std::string_view kPadItems[] = {
    "at",         "size",       "drill",   "layers", "tstamp",      "uuid",   "roundrect_rratio",
    "rect_delta", "primitives", "options", "net",    "pinfunction", "pintype"};

template <std::size_t N>
bool Among(const std::string_view (&words)[N], std::string_view word) {
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

std::string LayerOf(SNode node) {
    const auto layer = Find(node, "layer");
    return layer && layer->Size() > 1 ? std::string(layer->operator[](1).Text()) : std::string();
}

// (width W) as older files write it, (stroke (width W)) as later ones do.
Decimal StrokeWidth(SNode node, std::string_view what) {
    if (const auto width = Find(node, "width"))
        return NumberAt(*width, 1, what);
    if (const auto stroke = Find(node, "stroke"))
        if (const auto width = Find(*stroke, "width"))
            return NumberAt(*width, 1, what);
    return {};
}

// (fill solid), (fill yes), (fill (type solid)) fill; none and no do not.
bool Filled(SNode node) {
    const auto fill = Find(node, "fill");
    if (!fill || fill->Size() < 2)
        return false;
    std::string_view kind = (*fill)[1].Text();
    if (const auto type = Find(*fill, "type"))
        kind = type->Size() > 1 ? (*type)[1].Text() : std::string_view();
    return !kind.empty() && kind != "none" && kind != "no";
}

// Whether the text is hidden, its height and justification.
void ReadTextLook(SNode node, FootprintGraphic& g, std::string_view what) {
    g.hidden = Hidden(node);
    const auto effects = Find(node, "effects");
    if (!effects)
        return;
    g.hidden = g.hidden || Hidden(*effects);
    ReadTextEffects(*effects, g.textHeight, g.horizontal, g.vertical, what);
}

// (fp_text KIND "TEXT" (at X Y [ANGLE]) ...) or (property "Reference" "TEXT" (at ...) ...).
FootprintGraphic ReadText(SNode node, std::string kind, std::string_view text) {
    FootprintGraphic g;
    g.shape = FootprintGraphic::Shape::Text;
    g.line = node.Line();
    g.layer = LayerOf(node);
    g.textKind = std::move(kind);
    g.text = std::string(text);
    g.points = {PlaceOf(node, "a text", g.angle, AngleRule::OptionalOrUnlocked)};
    ReadTextLook(node, g, "a text");
    return g;
}

FootprintGraphic ReadGraphic(SNode node, std::string_view head) {
    using Shape = FootprintGraphic::Shape;
    FootprintGraphic g;
    g.line = node.Line();
    g.layer = LayerOf(node);
    const std::string what = "an " + std::string(head);
    g.strokeWidth = StrokeWidth(node, what);
    g.filled = Filled(node);
    const auto point = [&](std::string_view key) { return PointOf(Need(node, key, what), what); };
    if (head == "fp_line") {
        g.points = {point("start"), point("end")};
    } else if (head == "fp_rect") {
        g.shape = Shape::Rectangle;
        g.points = {point("start"), point("end")};
    } else if (head == "fp_circle") {
        g.shape = Shape::Circle;
        g.points = {point("center"), point("end")};
    } else if (head == "fp_arc") {
        g.shape = Shape::Arc;
        if (Find(node, "mid")) {
            g.points = {point("start"), point("mid"), point("end")};
        } else {
            g.centred = true;
            g.points = {point("start"), point("end")};
            g.angle = NumberAt(Need(node, "angle", what), 1, what);
        }
    } else {
        g.shape = Shape::Polygon;
        for (const SNode xy : Need(node, "pts", what))
            if (xy.IsList() && xy.Head() == "xy")
                g.points.push_back(PointOf(xy, what));
    }
    return g;
}

Pad ReadPad(SNode node) {
    Pad pad;
    pad.number = TextAt(node, 1, "a pad");
    pad.type = TextAt(node, 2, "a pad");
    pad.shape = TextAt(node, 3, "a pad");
    pad.at = PlaceOf(node, "a pad", pad.angle, AngleRule::OptionalOrUnlocked);
    pad.size = PointOf(Need(node, "size", "a pad"), "a pad");
    if (const auto layers = Find(node, "layers"))
        for (std::size_t i = 1; i < layers->Size(); ++i)
            pad.layers.emplace_back((*layers)[i].Text());
    if (const auto drill = Find(node, "drill")) {
        // (drill D), (drill oval W [H]), either with (offset X Y)
        std::vector<Decimal> sizes;
        bool oval = false;
        for (std::size_t i = 1; i < drill->Size(); ++i) {
            const SNode item = (*drill)[i];
            if (item.IsList())
                ++pad.settings; // an offset
            else if (item.Text() == "oval")
                oval = true;
            else
                sizes.push_back(NumberAt(*drill, i, "a pad's drill"));
        }
        if (!sizes.empty()) {
            pad.drill = sizes[0];
            if (oval && sizes.size() > 1 && !(sizes[0] == sizes[1])) {
                pad.slot = true;
                pad.drill = sizes[0].Value() < sizes[1].Value() ? sizes[0] : sizes[1];
            }
        }
    }
    for (const SNode item : node)
        if (item.IsList() && !Among(kPadItems, item.Head()))
            ++pad.settings;
    pad.line = node.Line();
    return pad;
}

void ReadItem(SNode item, Footprint& footprint) {
    const std::string_view head = item.Head();
    if (head == "fp_line" || head == "fp_rect" || head == "fp_circle" || head == "fp_arc" ||
        head == "fp_poly") {
        footprint.graphics.push_back(ReadGraphic(item, head));
    } else if (head == "fp_text") {
        footprint.graphics.push_back(
            ReadText(item, std::string(AtomAt(item, 1, "a text")), AtomAt(item, 2, "a text")));
    } else if (head == "pad") {
        footprint.pads.push_back(ReadPad(item));
    } else if (head == "descr") {
        footprint.description = std::string(AtomAt(item, 1, "a description"));
    } else if (head == "tags") {
        if (item.Size() > 1 && item[1].IsAtom()) // "(tags)" says none
            footprint.tags = std::string(item[1].Text());
    } else if (head == "attr") {
        footprint.attributes = true;
    } else if (head == "model") {
        ++footprint.models;
    } else if (head == "zone") {
        ++footprint.zones;
    } else if (head == "property") {
        const std::string_view key = AtomAt(item, 1, "a property");
        const std::string_view value = AtomAt(item, 2, "a property");
        if ((key == "Reference" || key == "Value") && Find(item, "at"))
            footprint.graphics.push_back(
                ReadText(item, key == "Reference" ? "reference" : "value", value));
        else if (key == "Description")
            footprint.description = std::string(value);
        else
            ++footprint.settings;
    } else if (head.starts_with("solder_") || head.starts_with("autoplace_") ||
               head.starts_with("thermal_") || head == "clearance" || head == "zone_connect" ||
               head == "net_tie_pad_groups" || head == "private_layers") {
        ++footprint.settings;
    } else if (!Among(kQuiet, head)) {
        footprint.unread.Add(head);
    }
}

} // namespace

Result<Footprint> ReadFootprint(const SDocument& document, std::string_view fileName) {
    std::optional<SNode> top;
    for (const SNode item : document.Root())
        if (item.IsList() && (item.Head() == "footprint" || item.Head() == "module")) {
            top = item;
            break;
        }
    if (!top)
        return Problem{std::string(fileName) + ":1: not a footprint: (footprint ...) is missing"};
    Footprint footprint;
    try {
        footprint.line = top->Line();
        footprint.name = std::string(AtomAt(*top, 1, "a footprint"));
        bool first = true;
        for (const SNode item : *top) {
            if (first || item.IsAtom()) { // the keyword, the name, flags such as "locked"
                first = false;
                continue;
            }
            ReadItem(item, footprint);
        }
    } catch (const Unreadable& problem) {
        return Problem{std::string(fileName) + ":" + std::to_string(problem.line) + ": " +
                       problem.problem};
    }
    return footprint;
}

} // namespace k2k::kicad
