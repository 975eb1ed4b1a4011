#pragma once
// A decimal number exactly as a source text writes it ("2.54", "-0.127", "100"): its
// digits and the number of them after the point, so that a conversion of units can tell
// an exact result from one it has to round. Sources of the open-source EDA tool write
// lengths in millimetres; the suite's drawings are in whole mils or whole micrometres.

#include <cstdint>
#include <optional>
#include <string_view>

namespace k2k {

struct Decimal {
    std::int64_t digits = 0; // the value is digits / 10^scale
    int scale = 0;           // 0 to kMaxScale

    static constexpr int kMaxScale = 18;

    // An optional sign, digits with an optional point and fraction, and an optional
    // exponent ("1e-3"). Nullopt for anything else, or for more significant digits than
    // 18. Trailing zeros of the fraction are dropped, so equal values compare equal.
    static std::optional<Decimal> Parse(std::string_view text) noexcept;

    double Value() const noexcept;
    bool IsZero() const noexcept { return digits == 0; }
    bool operator==(const Decimal&) const = default;
};

// A length in millimetres as whole mils (1 mil = 0.0254 mm). exact is false when the
// length is no whole number of mils; the result is then the nearest, halves away from 0.
struct Mils {
    std::int64_t value = 0;
    bool exact = true;
};
Mils MilsFromMillimetres(Decimal mm) noexcept;

// A length in millimetres as whole micrometres, rounded the same way when it has more than
// three decimals; lengths beyond the int64 range are held at its ends.
struct Micrometres {
    std::int64_t value = 0;
    bool exact = true;
};
Micrometres MicrometresFromMillimetres(Decimal mm) noexcept;

} // namespace k2k
