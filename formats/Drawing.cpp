#include "formats/Drawing.h"

#include "system/Text.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace k2k {

namespace {

constexpr long long kCoordinateLimit = 10'000'000;
constexpr long long kAngleLimit = 360;

bool IsBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view TrimBlanks(std::string_view text) noexcept {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A statement ends at ";" or at the end of its line: LF, CR LF or a CR alone.
constexpr std::string_view kStatementEnds = ";\r\n";

// Where the statement after the one that ends at end starts (past the end of data when
// none does).
std::size_t StatementAfter(std::string_view data, std::size_t end) noexcept {
    if (end + 1 < data.size() && data[end] == '\r' && data[end + 1] == '\n')
        return end + 2;
    return end + 1;
}

// A word of the input as a message shows it: quoted, and cut short when it is long.
std::string Quoted(std::string_view word) {
    constexpr std::size_t kShown = 24;
    std::string text = "\"";
    text.append(word.substr(0, kShown));
    if (word.size() > kShown)
        text += "...";
    return text + "\"";
}

constexpr std::array<std::string_view, 3> kKindNames = {"SYMBOL", "PACKAGE", "PADSTACK"};
constexpr std::array<std::string_view, 2> kUnitNames = {"MIL", "UM"};
constexpr std::array<std::string_view, 4> kSideNames = {"L", "R", "T", "B"};
constexpr std::array<std::string_view, 4> kShapeNames = {"ROUND", "SQUARE", "RECT", "OBLONG"};
constexpr std::array<std::string_view, 7> kLayerNames = {
    "TOP", "BOTTOM", "INNER", "MASKTOP", "MASKBOTTOM", "PASTETOP", "PASTEBOTTOM"};

template <std::size_t N>
std::optional<std::size_t> IndexOf(const std::array<std::string_view, N>& names,
                                   std::string_view word) {
    for (std::size_t i = 0; i < N; ++i)
        if (EqualsNoCase(names[i], word))
            return i;
    return std::nullopt;
}

template <std::size_t N>
std::string ListOf(const std::array<std::string_view, N>& names) {
    std::string text;
    for (std::size_t i = 0; i < N; ++i)
        text.append(i == 0 ? "" : i + 1 == N ? " or " : ", ").append(names[i]);
    return text;
}

std::string LowerKindPlural(DrawingKind kind) {
    switch (kind) {
    case DrawingKind::Symbol:
        return "symbols";
    case DrawingKind::Package:
        return "packages";
    case DrawingKind::Padstack:
        break;
    }
    return "padstacks";
}

// The statement being read: its keyword and fields, and what went wrong with it.
class Statement final {
public:
    explicit Statement(std::string_view text) : m_text(text) {
        std::size_t at = 0;
        while (at < text.size()) {
            while (at < text.size() && IsBlank(text[at]))
                ++at;
            const std::size_t start = at;
            while (at < text.size() && !IsBlank(text[at]))
                ++at;
            if (at > start)
                m_words.push_back({start, at - start});
        }
    }

    std::string_view Keyword() const { return Word(0); }
    std::size_t FieldCount() const { return m_words.empty() ? 0 : m_words.size() - 1; }
    std::string_view Field(std::size_t i) const { return Word(i + 1); }
    // The fields from field i to the end of the statement, as they stand between them.
    std::string_view Rest(std::size_t i) const {
        return TrimBlanks(m_text.substr(m_words[i + 1].first));
    }

    // A whole number of field i within -limit .. limit, and above 0 when positive says so.
    std::optional<int> Number(std::size_t i, std::string_view what, long long limit,
                              bool positive = false) {
        if (m_problem)
            return std::nullopt;
        const std::string_view word = Field(i);
        long long value = 0;
        const char* first = word.data();
        const char* last = word.data() + word.size();
        // One sign at most: from_chars takes a "-" but not a "+", so "+-5" would read as -5.
        if (first != last && *first == '+')
            ++first;
        const auto [end, ec] = std::from_chars(first, last, value);
        if (first == last || end != last || (first != word.data() && *first == '-') ||
            (ec != std::errc() && ec != std::errc::result_out_of_range)) {
            m_problem = std::string(what) + " " + Quoted(word) + " is not a whole number";
            return std::nullopt;
        }
        if (ec == std::errc::result_out_of_range || value < -limit || value > limit) {
            m_problem = std::string(what) + " " + Quoted(word) + " is out of range (-" +
                        std::to_string(limit) + " to " + std::to_string(limit) + ")";
            return std::nullopt;
        }
        if (positive && value <= 0) {
            m_problem = std::string(what) + " must be above 0, is " + Quoted(word);
            return std::nullopt;
        }
        return static_cast<int>(value);
    }
    std::optional<int> Coordinate(std::size_t i, std::string_view what) {
        return Number(i, what, kCoordinateLimit);
    }
    std::optional<int> Size(std::size_t i, std::string_view what) {
        return Number(i, what, kCoordinateLimit, true);
    }
    std::optional<int> Angle(std::size_t i, std::string_view what) {
        return Number(i, what, kAngleLimit);
    }
    std::optional<DrawPoint> Point(std::size_t i, std::string_view x, std::string_view y) {
        const auto px = Coordinate(i, x);
        const auto py = Coordinate(i + 1, y);
        if (!px || !py)
            return std::nullopt;
        return DrawPoint{*px, *py};
    }
    template <std::size_t N>
    std::optional<std::size_t> Choice(std::size_t i, std::string_view what,
                                      const std::array<std::string_view, N>& names) {
        if (m_problem)
            return std::nullopt;
        const auto index = IndexOf(names, Field(i));
        if (!index)
            m_problem = std::string(what) + " " + Quoted(Field(i)) + " is not " + ListOf(names);
        return index;
    }

    void Fail(std::string message) {
        if (!m_problem)
            m_problem = std::move(message);
    }
    const std::optional<std::string>& Problem() const { return m_problem; }

private:
    std::string_view Word(std::size_t i) const {
        return i < m_words.size() ? m_text.substr(m_words[i].first, m_words[i].second)
                                  : std::string_view();
    }

    std::string_view m_text;
    std::vector<std::pair<std::size_t, std::size_t>> m_words; // start and length
    std::optional<std::string> m_problem;
};

class Reader final {
public:
    ParsedDrawing Read(std::string_view data) {
        int number = 0;
        for (std::size_t at = 0; at <= data.size();) {
            const std::size_t end = std::min(data.find_first_of(kStatementEnds, at), data.size());
            ReadStatement(++number, TrimBlanks(data.substr(at, end - at)));
            at = StatementAfter(data, end);
        }
        if (!m_result.drawing && m_result.problems.empty())
            m_result.problems.push_back({0, "no drawing"});
        return std::move(m_result);
    }

private:
    void ReadStatement(int number, std::string_view text) {
        if (text.empty() || text.front() == '#')
            return;
        Statement statement(text);
        if (!m_result.drawing) {
            // Without a format line nothing else is read; its problem says why.
            if (!m_seenFirst)
                ReadFormat(statement);
            m_seenFirst = true;
        } else {
            ReadGraphics(statement);
        }
        if (statement.Problem())
            m_result.problems.push_back({number, *statement.Problem()});
    }

    void ReadFormat(Statement& s) {
        const std::string kinds = "\"K2KDRAW 1 " + ListOf(kKindNames) + "\"";
        if (!EqualsNoCase(s.Keyword(), "K2KDRAW") || s.FieldCount() != 2) {
            s.Fail("a drawing starts with " + kinds + ", not " + Quoted(s.Keyword()));
            return;
        }
        if (s.Field(0) != "1") {
            s.Fail("drawing format " + Quoted(s.Field(0)) + " is not known (this program reads 1)");
            return;
        }
        const auto kind = IndexOf(kKindNames, s.Field(1));
        if (!kind) {
            s.Fail("drawing kind " + Quoted(s.Field(1)) + " is not " + ListOf(kKindNames));
            return;
        }
        m_result.drawing.emplace();
        m_result.drawing->kind = static_cast<DrawingKind>(*kind);
    }

    bool Fields(Statement& s, std::string_view keyword, std::size_t count) {
        if (s.FieldCount() == count)
            return true;
        s.Fail(std::string(keyword) + " needs " + std::to_string(count) + " fields, has " +
               std::to_string(s.FieldCount()));
        return false;
    }

    bool OfKind(Statement& s, std::string_view keyword, DrawingKind kind) {
        if (m_result.drawing->kind == kind)
            return true;
        s.Fail(std::string(keyword) + " belongs to " + LowerKindPlural(kind) + ", not to " +
               LowerKindPlural(m_result.drawing->kind));
        return false;
    }

    void ReadGraphics(Statement& s) {
        const std::string keyword = UpperCase(s.Keyword());
        if (ReadFigure(s, keyword) || ReadPinOrPad(s, keyword) || ReadPadstackItem(s, keyword))
            return;
        if (keyword == "UNIT") {
            if (!Fields(s, keyword, 1))
                return;
            const auto unit = s.Choice(0, "the unit", kUnitNames);
            if (unit && m_seenUnit)
                s.Fail("UNIT is given twice");
            else if (unit)
                m_result.drawing->unit = static_cast<DrawUnit>(*unit);
            m_seenUnit = m_seenUnit || unit.has_value();
        } else if (keyword == "NOTE") {
            if (s.FieldCount() == 0)
                s.Fail("NOTE needs a text");
            else
                m_result.drawing->notes.emplace_back(s.Rest(0));
        } else if (keyword == "K2KDRAW") {
            s.Fail("K2KDRAW may only be the first statement");
        } else {
            s.Fail("unknown statement " + Quoted(s.Keyword()));
        }
    }

    // The figures every kind has: LINE, RECT, ARC and TEXT. False for another keyword.
    bool ReadFigure(Statement& s, const std::string& keyword) {
        Drawing& d = *m_result.drawing;
        if (keyword == "LINE") {
            if (!Fields(s, keyword, 4))
                return true;
            const auto from = s.Point(0, "x1", "y1");
            const auto to = s.Point(2, "x2", "y2");
            if (from && to)
                d.lines.push_back({*from, *to});
        } else if (keyword == "RECT") {
            if (!Fields(s, keyword, 4))
                return true;
            const auto c1 = s.Point(0, "x1", "y1");
            const auto c2 = s.Point(2, "x2", "y2");
            if (c1 && c2)
                d.rects.push_back({*c1, *c2});
        } else if (keyword == "ARC") {
            if (!Fields(s, keyword, 5))
                return true;
            const auto centre = s.Point(0, "cx", "cy");
            const auto radius = s.Size(2, "the radius");
            const auto start = s.Angle(3, "the start angle");
            const auto sweep = s.Angle(4, "the sweep");
            if (sweep && *sweep == 0)
                s.Fail("the sweep must not be 0");
            if (centre && radius && start && sweep && !s.Problem())
                d.arcs.push_back({*centre, *radius, *start, *sweep});
        } else if (keyword == "TEXT") {
            if (s.FieldCount() < 4) {
                s.Fail("TEXT needs a position, a height and a text (4 fields or more), has " +
                       std::to_string(s.FieldCount()));
                return true;
            }
            const auto at = s.Point(0, "x", "y");
            const auto height = s.Size(2, "the height");
            if (at && height)
                d.texts.push_back({*at, *height, std::string(s.Rest(3))});
        } else {
            return false;
        }
        return true;
    }

    // A symbol's PIN, a package's PAD and ORIGIN. False for another keyword.
    bool ReadPinOrPad(Statement& s, const std::string& keyword) {
        Drawing& d = *m_result.drawing;
        if (keyword == "PIN") {
            if (!OfKind(s, keyword, DrawingKind::Symbol) || !Fields(s, keyword, 6))
                return true;
            const auto side = s.Choice(2, "the side", kSideNames);
            const auto at = s.Point(3, "x", "y");
            const auto length = s.Size(5, "the length");
            if (side && at && length)
                d.pins.push_back({std::string(s.Field(0)), std::string(s.Field(1)),
                                  static_cast<PinSide>(*side), *at, *length});
        } else if (keyword == "PAD") {
            if (!OfKind(s, keyword, DrawingKind::Package) || !Fields(s, keyword, 5))
                return true;
            const auto at = s.Point(2, "x", "y");
            const auto rotation = s.Angle(4, "the rotation");
            if (at && rotation)
                d.pads.push_back(
                    {std::string(s.Field(0)), std::string(s.Field(1)), *at, *rotation});
        } else if (keyword == "ORIGIN") {
            if (!OfKind(s, keyword, DrawingKind::Package) || !Fields(s, keyword, 2))
                return true;
            const auto at = s.Point(0, "x", "y");
            if (at && d.origin)
                s.Fail("ORIGIN is given twice");
            else if (at)
                d.origin = *at;
        } else {
            return false;
        }
        return true;
    }

    // A padstack's LAYER and DRILL. False for another keyword.
    bool ReadPadstackItem(Statement& s, const std::string& keyword) {
        Drawing& d = *m_result.drawing;
        if (keyword == "LAYER") {
            if (!OfKind(s, keyword, DrawingKind::Padstack) || !Fields(s, keyword, 4))
                return true;
            const auto layer = s.Choice(0, "the layer", kLayerNames);
            const auto shape = s.Choice(1, "the shape", kShapeNames);
            const auto width = s.Size(2, "the width");
            const auto height = s.Size(3, "the height");
            if (!layer || !shape || !width || !height)
                return true;
            const std::string name(kLayerNames[*layer]);
            for (const DrawLayer& given : d.layers)
                if (given.layer == name) {
                    s.Fail("layer " + name + " is given twice");
                    return true;
                }
            d.layers.push_back({name, static_cast<PadShape>(*shape), *width, *height});
        } else if (keyword == "DRILL") {
            if (!OfKind(s, keyword, DrawingKind::Padstack) || !Fields(s, keyword, 2))
                return true;
            const auto diameter = s.Size(0, "the diameter");
            const bool plated = EqualsNoCase(s.Field(1), "PLATED");
            if (!plated && !EqualsNoCase(s.Field(1), "UNPLATED"))
                s.Fail("the drill is PLATED or UNPLATED, not " + Quoted(s.Field(1)));
            else if (diameter && d.drill > 0)
                s.Fail("DRILL is given twice");
            else if (diameter) {
                d.drill = *diameter;
                d.plated = plated;
            }
        } else {
            return false;
        }
        return true;
    }

    ParsedDrawing m_result;
    bool m_seenFirst = false;
    bool m_seenUnit = false;
};

// Texts are read up to the end of their statement, so a separator in one is written as a
// blank.
std::string TextField(std::string_view text) {
    std::string field(TrimBlanks(text));
    for (char& c : field)
        if (kStatementEnds.find(c) != std::string_view::npos)
            c = ' ';
    return field;
}

class Writer final {
public:
    Writer& operator<<(std::string_view piece) {
        m_text.append(piece);
        return *this;
    }
    Writer& operator<<(int number) {
        m_text.append(std::to_string(number));
        return *this;
    }
    Writer& operator<<(DrawPoint point) { return *this << ' ' << point.x << ' ' << point.y; }
    Writer& operator<<(char c) {
        m_text.push_back(c);
        return *this;
    }
    std::string Take() { return std::move(m_text); }

private:
    std::string m_text;
};

} // namespace

DrawPoint TowardsBody(PinSide side) noexcept {
    switch (side) {
    case PinSide::Left:
        return {1, 0};
    case PinSide::Right:
        return {-1, 0};
    case PinSide::Top:
        return {0, -1};
    case PinSide::Bottom:
        break;
    }
    return {0, 1};
}

double MilsPerUnit(DrawUnit unit) noexcept {
    return unit == DrawUnit::Micrometre ? 1 / 25.4 : 1.0;
}

std::string_view DrawingKindName(DrawingKind kind) noexcept {
    return kKindNames[static_cast<std::size_t>(kind)];
}

ParsedDrawing ParseDrawing(std::string_view data) {
    return Reader().Read(data);
}

std::size_t StatementStart(std::string_view data, int number) noexcept {
    std::size_t at = 0;
    for (int n = 1; n < number && at < data.size(); ++n)
        at = std::min(
            StatementAfter(data, std::min(data.find_first_of(kStatementEnds, at), data.size())),
            data.size());
    return at;
}

std::string FormatDrawing(const Drawing& drawing) {
    Writer out;
    out << "K2KDRAW 1 " << DrawingKindName(drawing.kind) << '\n';
    if (drawing.unit != DrawUnit::Mil)
        out << "UNIT " << kUnitNames[static_cast<std::size_t>(drawing.unit)] << '\n';
    for (const std::string& note : drawing.notes)
        if (const std::string text = TextField(note); !text.empty())
            out << "NOTE " << text << '\n';
    if (drawing.kind == DrawingKind::Package && drawing.origin)
        out << "ORIGIN" << *drawing.origin << '\n';
    if (drawing.kind == DrawingKind::Padstack) {
        for (const DrawLayer& layer : drawing.layers)
            out << "LAYER " << layer.layer << ' '
                << kShapeNames[static_cast<std::size_t>(layer.shape)] << ' ' << layer.width << ' '
                << layer.height << '\n';
        if (drawing.drill > 0)
            out << "DRILL " << drawing.drill << (drawing.plated ? " PLATED" : " UNPLATED") << '\n';
    }
    for (const DrawLine& line : drawing.lines)
        out << "LINE" << line.from << line.to << '\n';
    for (const DrawRect& rect : drawing.rects)
        out << "RECT" << rect.corner1 << rect.corner2 << '\n';
    for (const DrawArc& arc : drawing.arcs)
        out << "ARC" << arc.centre << ' ' << arc.radius << ' ' << arc.startDegrees << ' '
            << arc.sweepDegrees << '\n';
    for (const DrawText& text : drawing.texts)
        out << "TEXT" << text.at << ' ' << text.height << ' ' << TextField(text.text) << '\n';
    if (drawing.kind == DrawingKind::Symbol)
        for (const DrawPin& pin : drawing.pins)
            out << "PIN " << pin.number << ' ' << pin.name << ' '
                << kSideNames[static_cast<std::size_t>(pin.side)] << pin.at << ' ' << pin.length
                << '\n';
    if (drawing.kind == DrawingKind::Package)
        for (const DrawPad& pad : drawing.pads)
            out << "PAD " << pad.number << ' ' << pad.padstack << pad.at << ' ' << pad.rotation
                << '\n';
    return out.Take();
}

} // namespace k2k
