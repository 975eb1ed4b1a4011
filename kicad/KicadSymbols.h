#pragma once
// The symbol libraries of the open-source EDA tool (".kicad_sym", its version 6 format and
// later), read into a plain model of what they say: per symbol its properties, the symbol
// it extends, flags, and its units with their graphics and pins. Nothing here knows the
// suite; SymbolImport maps the model into it.
//
// A symbol's drawing is kept in sub-symbols named "NAME_U_S": unit U (0: common to every
// unit) in body style S (0: common to both styles, 1: the normal one, 2: the alternate
// one). Coordinates are millimetres, y upwards, kept exactly as written (Decimal).
//
// A symbol that cannot be read (a pin without a position, a coordinate that is not a
// number, a sub-symbol name without unit and style) is left out with a problem naming file,
// line and symbol; the others are read. A text that is no symbol library at all is an
// error.

#include "kicad/Decimal.h"
#include "system/Result.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace k2k {

class SDocument;

namespace kicad {

struct Point {
    Decimal x;
    Decimal y;
    bool operator==(const Point&) const = default;
};

enum class Justify { Start, Centre, End }; // left/bottom, centre, right/top

struct Graphic {
    enum class Shape { Rectangle, Polyline, Arc, Circle, Text };
    Shape shape = Shape::Polyline;
    // Rectangle: two opposite corners. Polyline: its points. Arc: start, a point on the
    // way, end. Circle: the centre. Text: its anchor.
    std::vector<Point> points;
    Decimal radius;      // circle
    Decimal strokeWidth; // 0: the default width
    bool filled = false; // a fill other than none
    std::string text;    // text, UTF-8
    Decimal textHeight;  // text: the font's height
    Decimal angle;       // text: its rotation in degrees
    Justify horizontal = Justify::Centre;
    Justify vertical = Justify::Centre;
    std::size_t line = 0;
};

struct Pin {
    std::string electricalType; // "input", "power_in", ...
    std::string style;          // "line", "inverted", "clock", ...
    Point at;                   // the end a net connects to
    Decimal angle;              // the direction from that end towards the body
    Decimal length;
    std::string name; // "~": none
    std::string number;
    bool hidden = false;
    std::size_t alternates = 0; // alternate functions of the pin
    std::size_t line = 0;
};

struct Unit {
    int unit = 0;
    int style = 0;
    std::vector<Graphic> graphics;
    std::vector<Pin> pins;
};

// The keywords of the items a reader does not know, each once, in the order first met,
// with the number of items that had it. Adding an item costs the same however many
// keywords there are already.
class UnreadKeywords final {
public:
    struct Keyword {
        std::string keyword;
        std::size_t items = 0;
    };

    void Add(std::string_view keyword);
    bool Empty() const noexcept { return m_keywords.empty(); }
    const std::vector<Keyword>& Keywords() const noexcept { return m_keywords; }
    // The first few keywords for a report, "uuid, pin_map (3 items) and 12 more".
    std::string Summary() const;

private:
    std::vector<Keyword> m_keywords;
    std::unordered_map<std::string, std::size_t> m_places; // keyword -> index
};

struct Symbol {
    std::string name;
    std::string extends; // the symbol it is derived from; empty: none
    std::vector<std::pair<std::string, std::string>> properties; // key, value; file order
    bool power = false;
    std::optional<bool> inBom;
    std::optional<bool> onBoard;
    bool pinNamesHidden = false;
    bool pinNumbersHidden = false;
    std::vector<Unit> units;
    UnreadKeywords unread; // items this reader does not know
    std::size_t line = 0;

    // The value of a property; nullptr when the symbol has none of that key.
    const std::string* Property(std::string_view key) const noexcept;
};

struct SymbolLibrary {
    std::vector<Symbol> symbols;
    // Symbols left out: "FILE:LINE: symbol "NAME": problem".
    std::vector<std::string> problems;
};

// Reads a parsed library, or the problem "FILE:LINE: problem" when the document is not a
// symbol library.
Result<SymbolLibrary> ReadSymbolLibrary(const SDocument& document, std::string_view fileName);

} // namespace kicad
} // namespace k2k
