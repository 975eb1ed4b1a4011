#include "kicad/KicadSymbols.h"

#include "kicad/KicadItems.h"
#include "kicad/SExpression.h"

#include <charconv>

namespace k2k::kicad {

namespace {

bool YesNo(SNode list) {
    return list.Size() > 1 && list[1].Text() == "yes";
}

// A sub-symbol's name ends in "_UNIT_STYLE".
bool UnitAndStyle(std::string_view name, int& unit, int& style) {
    const auto last = name.rfind('_');
    if (last == std::string_view::npos || last == 0)
        return false;
    const auto before = name.rfind('_', last - 1);
    if (before == std::string_view::npos)
        return false;
    const auto number = [](std::string_view digits, int& value) {
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return !digits.empty() && ec == std::errc() && end == digits.data() + digits.size() &&
               value >= 0;
    };
    return number(name.substr(before + 1, last - before - 1), unit) &&
           number(name.substr(last + 1), style);
}

class SymbolReader final {
public:
    explicit SymbolReader(Symbol& symbol) : m_symbol(symbol) {}

    void Read(SNode node) {
        m_symbol.line = node.Line();
        m_symbol.name = std::string(AtomAt(node, 1, "a symbol"));
        bool first = true;
        for (const SNode item : node) {
            if (first || item.IsAtom()) { // the keyword and the name
                first = false;
                continue;
            }
            const std::string_view head = item.Head();
            if (head == "property") {
                m_symbol.properties.emplace_back(AtomAt(item, 1, "a property"),
                                                 AtomAt(item, 2, "a property"));
            } else if (head == "symbol") {
                ReadUnit(item);
            } else if (head == "extends") {
                m_symbol.extends = std::string(AtomAt(item, 1, "the symbol"));
            } else if (head == "power") {
                m_symbol.power = true;
            } else if (head == "in_bom") {
                m_symbol.inBom = YesNo(item);
            } else if (head == "on_board") {
                m_symbol.onBoard = YesNo(item);
            } else if (head == "pin_names") {
                m_symbol.pinNamesHidden = Hidden(item);
            } else if (head == "pin_numbers") {
                m_symbol.pinNumbersHidden = Hidden(item);
            } else {
                m_symbol.unread.Add(head);
            }
        }
    }

private:
    void ReadUnit(SNode node) {
        Unit unit;
        const std::string_view name = AtomAt(node, 1, "a unit");
        if (!UnitAndStyle(name, unit.unit, unit.style))
            throw Unreadable{node.Line(), "the unit " + Shown(name) +
                                              " does not end in _UNIT_STYLE (two numbers)"};
        for (const SNode item : node) {
            if (!item.IsList())
                continue;
            const std::string_view head = item.Head();
            if (head == "pin")
                unit.pins.push_back(ReadPin(item));
            else if (head == "rectangle" || head == "polyline" || head == "arc" ||
                     head == "circle" || head == "text")
                unit.graphics.push_back(ReadGraphic(item, head));
            else
                m_symbol.unread.Add(head);
        }
        m_symbol.units.push_back(std::move(unit));
    }

    Graphic ReadGraphic(SNode node, std::string_view head) {
        Graphic g;
        g.line = node.Line();
        const std::string what = "a " + std::string(head);
        if (const auto stroke = Find(node, "stroke"))
            if (const auto width = Find(*stroke, "width"))
                g.strokeWidth = NumberAt(*width, 1, what);
        if (const auto fill = Find(node, "fill"))
            if (const auto type = Find(*fill, "type"))
                g.filled = type->Size() > 1 && type->operator[](1).Text() != "none";
        if (head == "rectangle") {
            g.shape = Graphic::Shape::Rectangle;
            g.points = {PointOf(Need(node, "start", what), what),
                        PointOf(Need(node, "end", what), what)};
        } else if (head == "polyline") {
            g.shape = Graphic::Shape::Polyline;
            for (const SNode xy : Need(node, "pts", what))
                if (xy.IsList() && xy.Head() == "xy")
                    g.points.push_back(PointOf(xy, what));
        } else if (head == "arc") {
            g.shape = Graphic::Shape::Arc;
            g.points = {PointOf(Need(node, "start", what), what),
                        PointOf(Need(node, "mid", what), what),
                        PointOf(Need(node, "end", what), what)};
        } else if (head == "circle") {
            g.shape = Graphic::Shape::Circle;
            g.points = {PointOf(Need(node, "center", what), what)};
            g.radius = NumberAt(Need(node, "radius", what), 1, what);
        } else {
            g.shape = Graphic::Shape::Text;
            g.text = TextAt(node, 1, what);
            g.points = {PlaceOf(node, what, g.angle, AngleRule::Optional)};
            if (const auto effects = Find(node, "effects"))
                ReadTextEffects(*effects, g.textHeight, g.horizontal, g.vertical, what);
        }
        return g;
    }

    Pin ReadPin(SNode node) {
        Pin pin;
        pin.electricalType = TextAt(node, 1, "a pin");
        pin.style = TextAt(node, 2, "a pin");
        pin.at = PlaceOf(node, "a pin", pin.angle, AngleRule::Needed);
        pin.length = NumberAt(Need(node, "length", "a pin"), 1, "a pin");
        pin.name = TextAt(Need(node, "name", "a pin"), 1, "a pin");
        pin.number = TextAt(Need(node, "number", "a pin"), 1, "a pin");
        pin.hidden = Hidden(node);
        for (const SNode item : node)
            if (item.IsList() && item.Head() == "alternate")
                ++pin.alternates;
        pin.line = node.Line();
        return pin;
    }

    Symbol& m_symbol;
};

} // namespace

void UnreadKeywords::Add(std::string_view keyword) {
    std::string key(keyword.empty() ? "(a list without a keyword)" : keyword);
    const auto [place, added] = m_places.try_emplace(key, m_keywords.size());
    if (added)
        m_keywords.push_back({std::move(key), 0});
    ++m_keywords[place->second].items;
}

std::string UnreadKeywords::Summary() const {
    constexpr std::size_t kShown = 5;
    std::string text;
    for (std::size_t i = 0; i < m_keywords.size() && i < kShown; ++i) {
        text += (i == 0 ? "" : ", ") + m_keywords[i].keyword;
        if (m_keywords[i].items > 1)
            text += " (" + std::to_string(m_keywords[i].items) + " items)";
    }
    if (m_keywords.size() > kShown)
        text += " and " + std::to_string(m_keywords.size() - kShown) + " more";
    return text;
}

const std::string* Symbol::Property(std::string_view key) const noexcept {
    for (const auto& [k, v] : properties)
        if (k == key)
            return &v;
    return nullptr;
}

Result<SymbolLibrary> ReadSymbolLibrary(const SDocument& document, std::string_view fileName) {
    std::vector<SNode> tops;
    for (const SNode item : document.Root())
        if (item.IsList() && item.Head() == "kicad_symbol_lib")
            tops.push_back(item);
    if (tops.empty())
        return Problem{std::string(fileName) +
                       ":1: not a symbol library: (kicad_symbol_lib ...) is missing"};
    SymbolLibrary library;
    const auto at = [&](SNode node) {
        return std::string(fileName) + ":" + std::to_string(node.Line()) + ": ";
    };
    const auto nameOf = [](SNode symbol) {
        return symbol.Size() > 1 && symbol[1].IsAtom() ? std::string(symbol[1].Text()) : "?";
    };
    for (const SNode item : tops.front()) {
        if (!item.IsList() || item.Head() != "symbol")
            continue;
        Symbol symbol;
        try {
            SymbolReader(symbol).Read(item);
            library.symbols.push_back(std::move(symbol));
        } catch (const Unreadable& problem) {
            library.problems.push_back(std::string(fileName) + ":" + std::to_string(problem.line) +
                                       ": symbol \"" + nameOf(item) + "\": " + problem.problem);
        }
    }
    // A file is one library: the symbols of a second one are listed, not read.
    for (std::size_t n = 1; n < tops.size(); ++n) {
        bool any = false;
        for (const SNode item : tops[n])
            if (item.IsList() && item.Head() == "symbol") {
                any = true;
                library.problems.push_back(at(item) + "symbol \"" + nameOf(item) +
                                           "\": it lies in a second (kicad_symbol_lib ...) of "
                                           "the file, which is not read");
            }
        if (!any)
            library.problems.push_back(at(tops[n]) +
                                       "a second (kicad_symbol_lib ...) of the file is not read");
    }
    return library;
}

} // namespace k2k::kicad
