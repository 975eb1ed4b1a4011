#include "kicad/SymbolImport.h"

#include "kicad/SymbolDrawing.h"
#include "search/InfoText.h"
#include "sources/SourceText.h"
#include "system/Result.h"
#include "system/Text.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace k2k {

namespace {

constexpr std::string_view kSourceTag = "KiCad";
constexpr int kMaxDerivation = 16; // symbols derived from derived symbols, at most
// What separates the words of the source's keywords and footprint filters.
constexpr std::string_view kKeywordSeparators = " \t\r\n,";

// The properties that have a place in the suite or are counted as losses of their own.
constexpr std::string_view kKnownProperties[] = {"Reference",    "Value",          "Footprint",
                                                 "Datasheet",    "ki_description", "ki_keywords",
                                                 "ki_fp_filters"};

// 1 -> A, 26 -> Z, 27 -> AA, as the source letters its units.
std::string UnitLetters(int unit) {
    std::string letters;
    while (unit > 0) {
        --unit;
        letters.insert(letters.begin(), static_cast<char>('A' + unit % 26));
        unit /= 26;
    }
    return letters;
}

std::string_view PropertyOf(const kicad::Symbol& symbol, std::string_view key) {
    const std::string* value = symbol.Property(key);
    return value ? std::string_view(*value) : std::string_view();
}

// The symbol objects a symbol's units are drawn with.
struct DrawnSymbol {
    std::vector<std::string> objects; // their names, UTF-8
};

class LibraryImporter final {
public:
    LibraryImporter(const kicad::SymbolLibrary& source, std::string_view library,
                    const TextOptions& options, ImportedLibrary& imported, ImportReport& report)
        : m_source(source), m_library(library), m_options(options), m_imported(imported),
          m_report(report), m_partType(PartTypeOfLibrary(library)) {}

    void Run() {
        for (const std::string& problem : m_source.problems)
            m_report.LeaveOut(problem);
        const auto& symbols = m_source.symbols;
        for (std::size_t i = 0; i < symbols.size(); ++i)
            m_byName.emplace(symbols[i].name, i);
        for (std::size_t i = 0; i < symbols.size(); ++i)
            if (symbols[i].extends.empty())
                DrawRoot(i);
        for (std::size_t i = 0; i < symbols.size(); ++i)
            AddPart(i);
    }

private:
    LossSink Sink(const kicad::Symbol& symbol) const { return {m_report, m_library, symbol.name}; }

    // "LIBRARY: kind "NAME"", as the report names an object.
    std::string Object(std::string_view kind, std::string_view name) const {
        return std::string(m_library) + ": " + std::string(kind) + " \"" + std::string(name) + "\"";
    }

    // Converts one field of an object; on a character the suite cannot hold, the object
    // is left out and listed.
    bool Convert(std::string_view utf8, TextUse use, std::string_view kind, std::string_view name,
                 std::string_view field, std::string& out) {
        auto text =
            ImportedText(utf8, use, m_options,
                         Object(kind, name) + ": field \"" + std::string(field) + "\"", m_report);
        if (!text)
            return false;
        out = std::move(*text);
        return true;
    }

    // The suite compares names without regard to case: of two that differ only in case,
    // the first is kept.
    bool NewName(std::unordered_map<std::string, std::string>& names, const std::string& name,
                 std::string_view kind, std::string_view utf8) {
        const auto [at, added] = names.emplace(UpperCase(name), std::string(utf8));
        if (added)
            return true;
        m_report.LeaveOut(std::string(m_library) + ": " + std::string(kind) + " \"" +
                          std::string(utf8) + "\": the library already holds " + std::string(kind) +
                          " \"" + at->second +
                          "\" (names are compared without regard to case); the first is kept");
        return false;
    }

    void CountLosses(const kicad::Symbol& symbol) {
        const LossSink lose = Sink(symbol);
        for (const auto& [key, value] : symbol.properties)
            if (std::find(std::begin(kKnownProperties), std::end(kKnownProperties), key) ==
                std::end(kKnownProperties))
                lose(Loss::OtherProperties);
        if (symbol.power)
            lose(Loss::PowerFlags);
        if (symbol.inBom == false || symbol.onBoard == false)
            lose(Loss::BomAndBoardFlags);
        if (symbol.pinNamesHidden || symbol.pinNumbersHidden)
            lose(Loss::HiddenPinTexts);
        std::string unread = symbol.unread.Summary();
        if (!symbol.extends.empty() && !symbol.units.empty())
            unread += std::string(unread.empty() ? "" : ", ") + "units of a derived symbol";
        if (!unread.empty())
            m_report.Lose(Loss::UnreadItems, m_library, symbol.name + " (" + unread + ")");
    }

    // A property of a symbol, or of the symbol it derives from when it has none of its own.
    static std::string_view Own(const kicad::Symbol& symbol, const kicad::Symbol& base,
                                std::string_view key) {
        const std::string_view value = PropertyOf(symbol, key);
        return value.empty() ? PropertyOf(base, key) : value;
    }

    // The first count extras of an object (keywords, datasheet, reference prefix, footprint
    // filters) in the suite's encoding; an extra the suite cannot hold is dropped and counted.
    std::array<std::string, kPartExtraFields> Extras(const kicad::Symbol& symbol,
                                                     const kicad::Symbol& base,
                                                     std::string_view kind, const std::string& name,
                                                     std::size_t count) {
        static constexpr std::string_view kFields[] = {"keywords", "datasheet", "reference",
                                                       "footprint_filters"};
        std::string_view datasheet = Own(symbol, base, "Datasheet");
        if (datasheet == "~") // the source's word for none
            datasheet = {};
        const std::array<std::string, kPartExtraFields> utf8 = {
            KeywordList(Own(symbol, base, "ki_keywords")), std::string(datasheet),
            std::string(Own(symbol, base, "Reference")),
            KeywordList(Own(symbol, base, "ki_fp_filters"))};
        const LossSink lose{m_report, m_library, name};
        std::array<std::string, kPartExtraFields> extras;
        for (std::size_t i = 0; i < count && i < extras.size(); ++i)
            extras[i] = ImportedExtra(
                utf8[i], m_options,
                Object(kind, name) + ": field \"" + std::string(kFields[i]) + "\"", lose);
        return extras;
    }

    // Draws each unit of a symbol that derives from none, and makes a symbol object of each
    // distinct drawing.
    void DrawRoot(std::size_t index) {
        const kicad::Symbol& symbol = m_source.symbols[index];
        const LossSink lose = Sink(symbol);
        Drawing common;
        std::map<int, Drawing> own;
        bool alternate = false;
        for (const kicad::Unit& unit : symbol.units) {
            if (unit.style > 1) {
                alternate = true;
                continue;
            }
            const Drawing drawn = DrawSubSymbol(unit, lose);
            AppendDrawing(unit.unit == 0 ? common : own[unit.unit], drawn);
        }
        if (alternate)
            lose(Loss::AlternateBodyStyles);

        // The units are 1 to the highest number; those without a sub-symbol of their own
        // look alike (unit 0 only), so the first of them stands for all.
        std::vector<int> units;
        for (const auto& entry : own)
            units.push_back(entry.first);
        if (units.empty()) {
            units.push_back(0);
        } else {
            int gap = 1;
            for (const int unit : units)
                if (unit == gap)
                    ++gap;
            if (gap < units.back())
                units.insert(std::lower_bound(units.begin(), units.end(), gap), gap);
        }
        struct Distinct {
            std::string text;
            int firstUnit;
        };
        std::vector<Distinct> distinct;
        std::unordered_set<std::string> seen;
        for (const int u : units) {
            Drawing drawing = common;
            if (const auto it = own.find(u); it != own.end())
                AppendDrawing(drawing, it->second);
            std::string text = FormatDrawing(drawing);
            if (seen.insert(text).second)
                distinct.push_back({std::move(text), u});
        }

        DrawnSymbol& drawn = m_drawn[index];
        for (const Distinct& d : distinct) {
            const std::string name =
                distinct.size() == 1 ? symbol.name : symbol.name + "_" + UnitLetters(d.firstUnit);
            drawn.objects.push_back(name);
            AddSymbolObject(symbol, name, d.text);
        }
    }

    // The symbol object of one drawing of a symbol's units, named name.
    void AddSymbolObject(const kicad::Symbol& symbol, const std::string& name,
                         const std::string& drawing) {
        LibraryObject object;
        std::string description;
        std::string type;
        if (!Convert(name, TextUse::Name, "symbol", name, "name", object.name) ||
            !Convert(PropertyOf(symbol, "ki_description"), TextUse::Field, "symbol", name,
                     "description", description) ||
            !Convert(m_partType, TextUse::Field, "symbol", name, "symbol_type", type) ||
            !Convert(drawing, TextUse::Drawing, "symbol", name, "drawing", object.drawing))
            return;
        if (object.name.empty()) {
            m_report.LeaveOut(std::string(m_library) + ": a symbol without a name");
            return;
        }
        if (!NewName(m_symbolNames, object.name, "symbol", name))
            return;
        const auto e = Extras(symbol, symbol, "symbol", name, kSymbolExtraFields);
        auto info = FittingInfo(ComposeInfo({description, type, "", ""}, {e[0], e[1], e[2]}),
                                ComposeInfo({description, type, "", ""}), Object("symbol", name),
                                {m_report, m_library, name});
        if (!info)
            return;
        object.info = std::move(*info);
        m_imported.symbols.push_back(std::move(object));
    }

    // The symbol that a symbol derives from in the end (itself when it derives from none),
    // or why there is none.
    Result<std::size_t> Root(std::size_t index) const {
        std::size_t at = index;
        for (int depth = 0; depth <= kMaxDerivation; ++depth) {
            const std::string& parent = m_source.symbols[at].extends;
            if (parent.empty())
                return at;
            const auto found = m_byName.find(parent);
            if (found == m_byName.end())
                return Problem{"it extends \"" + parent + "\", which the library does not hold"};
            at = found->second;
        }
        return Problem{"it extends symbols that extend each other in a circle, or more than " +
                       std::to_string(kMaxDerivation) + " deep"};
    }

    void AddPart(std::size_t index) {
        const kicad::Symbol& symbol = m_source.symbols[index];
        CountLosses(symbol);
        const std::string& name = symbol.name;
        const auto root = Root(index);
        if (!root) {
            m_report.LeaveOut(std::string(m_library) + ": part \"" + name +
                              "\": " + root.Message());
            return;
        }
        const kicad::Symbol& base = m_source.symbols[*root];
        const auto own = [&](std::string_view key) { return Own(symbol, base, key); };
        const std::string_view footprint = own("Footprint");
        const auto colon = footprint.find(':');
        const std::string_view package =
            Trim(colon == std::string_view::npos ? footprint : footprint.substr(colon + 1));
        // The package type is the footprint library's type path, as its packages have it.
        const std::string packageType = colon == std::string_view::npos
                                            ? std::string()
                                            : PartTypeOfLibrary(footprint.substr(0, colon));
        std::string symbols;
        for (const std::string& object : m_drawn[*root].objects)
            symbols += (symbols.empty() ? "" : ",") + object;
        const std::string externalCode =
            std::string(kSourceTag) + ":" + std::string(m_library) + ":" + name;

        std::string n, p, description, code, type, pType, s;
        if (!Convert(name, TextUse::Name, "part", name, "name", n) ||
            !Convert(package, TextUse::Field, "part", name, "package", p) ||
            !Convert(own("ki_description"), TextUse::Field, "part", name, "description",
                     description) ||
            !Convert(externalCode, TextUse::Field, "part", name, "external_index_code", code) ||
            !Convert(m_partType, TextUse::Field, "part", name, "part_type", type) ||
            !Convert(packageType, TextUse::Field, "part", name, "package_type", pType) ||
            !Convert(symbols, TextUse::Field, "part", name, "symbols", s))
            return;
        if (n.empty()) {
            m_report.LeaveOut(std::string(m_library) + ": a part without a name");
            return;
        }
        if (p.find(' ') != std::string::npos) {
            m_report.LeaveOut(std::string(m_library) + ": part \"" + name +
                              "\": the package name \"" + std::string(package) +
                              "\" holds a blank, which ends the package name of a part");
            return;
        }
        if (!NewName(m_partNames, n, "part", name))
            return;
        const auto e = Extras(symbol, base, "part", name, kPartExtraFields);
        const std::array<std::string_view, kPartInfoFields> fields = {
            description, code, "", "", type, "", pType, "", "", s};
        auto info = FittingInfo(ComposePartInfo(p, fields, {e[0], e[1], e[2], e[3]}),
                                ComposePartInfo(p, fields), Object("part", name), Sink(symbol));
        if (!info)
            return;
        LibraryObject part;
        part.name = std::move(n);
        part.info = std::move(*info);
        m_imported.parts.push_back(std::move(part));
    }

    const kicad::SymbolLibrary& m_source;
    std::string_view m_library;
    const TextOptions& m_options;
    ImportedLibrary& m_imported;
    ImportReport& m_report;
    const std::string m_partType;
    std::unordered_map<std::string, std::size_t> m_byName;
    std::unordered_map<std::size_t, DrawnSymbol> m_drawn;
    std::unordered_map<std::string, std::string> m_partNames;   // upper case -> as written
    std::unordered_map<std::string, std::string> m_symbolNames; // the same for symbols
};

} // namespace

std::string KeywordList(std::string_view words) {
    std::string list;
    std::size_t at = 0;
    while (at < words.size()) {
        const std::size_t end = std::min(words.find_first_of(kKeywordSeparators, at), words.size());
        if (end > at)
            list.append(list.empty() ? "" : ",").append(words.substr(at, end - at));
        at = end + 1;
    }
    return list;
}

std::string PartTypeOfLibrary(std::string_view library) {
    std::string type;
    for (const std::string_view piece : SplitAt(library, '_'))
        if (!piece.empty())
            type += (type.empty() ? "" : ",") + std::string(piece);
    return type;
}

void ImportSymbolLibrary(const kicad::SymbolLibrary& source, std::string_view library,
                         const TextOptions& options, ImportedLibrary& imported,
                         ImportReport& report) {
    imported = {};
    LibraryImporter(source, library, options, imported, report).Run();
}

} // namespace k2k
