#pragma once
// The pieces the synthetic libraries are made of. A family is one kind of real-world
// catalogue entry (74-series logic, chip resistors, pin headers, round pads, ...) with a
// fixed number of distinct names it can make; SyntheticObjects mixes the families of a
// kind by their shares and walks through each family's names. Everything here is
// deterministic: the same combination always gives the same name and info text.

#include "system/Text.h"

#include <charconv>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace k2k::synthetic {

class Family {
public:
    virtual ~Family() = default;
    // How many distinct names the family makes; combinations are 0 to this minus one.
    virtual std::uint64_t Combinations() const noexcept = 0;
    // Writes the name and the info text of one combination (both are cleared first).
    virtual void Make(std::uint64_t combination, std::string& name, std::string& info) const = 0;
    // Writes the drawing of one combination, drawn with the shapes of sketch/; parts have
    // none.
    virtual void Draw(std::uint64_t /*combination*/, std::string& drawing) const {
        drawing.clear();
    }
};

// A family and its share of the objects of its kind, in objects per thousand.
struct WeightedFamily {
    int perMille = 0;
    std::unique_ptr<Family> family;
};

std::vector<WeightedFamily> PartFamilies();
std::vector<WeightedFamily> SymbolFamilies();
std::vector<WeightedFamily> PackageFamilies();
std::vector<WeightedFamily> PadstackFamilies();

// --- helpers of the family files

// A family of type F, made of args, with its share.
template <typename F, typename... Args>
WeightedFamily Weighted(int perMille, Args&&... args) {
    return {perMille, std::make_unique<F>(std::forward<Args>(args)...)};
}

// The families of a kind, in the order given.
template <typename... W>
std::vector<WeightedFamily> Families(W... families) {
    std::vector<WeightedFamily> list;
    list.reserve(sizeof...(families));
    (list.push_back(std::move(families)), ...);
    return list;
}

// A variant of a family's objects: the suffix of its names, its words in their descriptions.
struct Style {
    std::string_view suffix;
    std::string_view description;
};

inline constexpr char kSep = kFieldSeparator;

// Appends pieces to a text: strings, single characters and whole numbers.
class Out final {
public:
    explicit Out(std::string& text) : m_text(text) { m_text.clear(); }
    Out& operator<<(std::string_view piece) {
        m_text.append(piece);
        return *this;
    }
    Out& operator<<(char c) {
        m_text.push_back(c);
        return *this;
    }
    Out& operator<<(int number) {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        m_text.append(digits, end);
        return *this;
    }

private:
    std::string& m_text;
};

// Takes the next digit of a mixed-radix number: combination % radix, and divides.
inline std::size_t Take(std::uint64_t& combination, std::size_t radix) noexcept {
    const auto digit = static_cast<std::size_t>(combination % radix);
    combination /= radix;
    return digit;
}

// A combination of the header families (symbols and packages): 1 or 2 rows of 1 to 40
// pins, in one of three variants.
struct Header {
    int rows = 1;
    int pins = 1;
    std::size_t variant = 0;
};
inline constexpr std::uint64_t kHeaderCombinations = 2 * 40 * 3;
inline Header TakeHeader(std::uint64_t combination) noexcept {
    Header header;
    header.rows = static_cast<int>(Take(combination, 2)) + 1;
    header.pins = static_cast<int>(Take(combination, 40)) + 1;
    header.variant = Take(combination, 3);
    return header;
}

// A whole number of hundredths as a decimal text: 152 gives "1.52".
std::string Hundredths(int value);
// A length in mils as millimetres with two decimals: 60 gives "1.52".
std::string MilsAsMillimetres(int mils);
// A two-digit text: 7 gives "07".
std::string TwoDigits(int value);

// Pad names the synthetic padstack families make, the sizes rounded to theirs.
std::string SurfacePadName(int width, int length);
std::string HolePadName(char shape, int pad, int hole); // shape 'C', 'S' or 'O'

} // namespace k2k::synthetic
