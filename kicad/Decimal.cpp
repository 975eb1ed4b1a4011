#include "kicad/Decimal.h"

#include <algorithm>
#include <limits>

namespace k2k {

namespace {

constexpr std::int64_t kPowers[] = {1,
                                    10,
                                    100,
                                    1'000,
                                    10'000,
                                    100'000,
                                    1'000'000,
                                    10'000'000,
                                    100'000'000,
                                    1'000'000'000,
                                    10'000'000'000,
                                    100'000'000'000,
                                    1'000'000'000'000,
                                    10'000'000'000'000,
                                    100'000'000'000'000,
                                    1'000'000'000'000'000,
                                    10'000'000'000'000'000,
                                    100'000'000'000'000'000,
                                    1'000'000'000'000'000'000};
constexpr int kMaxDigits = 18;

} // namespace

std::optional<Decimal> Decimal::Parse(std::string_view text) noexcept {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t digits = 0;
    int significant = 0;
    int scale = 0;
    bool anyDigit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        anyDigit = true;
        if (significant == 0 && c == '0') {
            if (point)
                ++scale;
            continue;
        }
        if (++significant > kMaxDigits)
            return std::nullopt;
        digits = digits * 10 + (c - '0');
        if (point)
            ++scale;
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E')
            return std::nullopt;
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        if (i == text.size())
            return std::nullopt;
        int exponent = 0;
        for (; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9' || exponent > 1000)
                return std::nullopt;
            exponent = exponent * 10 + (text[i] - '0');
        }
        scale += negativeExponent ? exponent : -exponent;
    }
    if (digits == 0)
        return Decimal{};
    while (scale > 0 && digits % 10 == 0) {
        digits /= 10;
        --scale;
    }
    // A positive exponent left over moves into the digits, as far as they hold it.
    while (scale < 0) {
        if (significant >= kMaxDigits)
            return std::nullopt;
        digits *= 10;
        ++significant;
        ++scale;
    }
    if (scale > kMaxScale)
        return std::nullopt;
    return Decimal{negative ? -digits : digits, scale};
}

double Decimal::Value() const noexcept {
    return static_cast<double>(digits) / static_cast<double>(kPowers[scale]);
}

Mils MilsFromMillimetres(Decimal mm) noexcept {
    // mils = digits / 10^scale / 0.0254 = digits * 10^(4 - scale) / 254, in whole numbers
    // that cannot overflow: the magnitude is split at multiples of 254 first.
    constexpr std::uint64_t kMilInTenThousandthMm = 254;
    constexpr std::uint64_t kLargest = std::numeric_limits<std::int64_t>::max();
    const bool negative = mm.digits < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(mm.digits)
                                             : static_cast<std::uint64_t>(mm.digits);
    std::uint64_t quotient = 0;
    std::uint64_t remainder = 0;
    std::uint64_t denominator = kMilInTenThousandthMm;
    if (mm.scale <= 4) {
        const auto power = static_cast<std::uint64_t>(kPowers[4 - mm.scale]);
        const std::uint64_t whole = magnitude / kMilInTenThousandthMm;
        const std::uint64_t rest = magnitude % kMilInTenThousandthMm * power;
        // Beyond any drawing's range; kept from wrapping around.
        quotient = whole > kLargest / power ? kLargest : whole * power + rest / denominator;
        remainder = rest % denominator;
    } else {
        denominator *= static_cast<std::uint64_t>(kPowers[mm.scale - 4]);
        quotient = magnitude / denominator;
        remainder = magnitude % denominator;
    }
    if (remainder * 2 >= denominator && quotient < kLargest)
        ++quotient;
    const auto value = static_cast<std::int64_t>(std::min(quotient, kLargest));
    return {negative ? -value : value, remainder == 0};
}

Micrometres MicrometresFromMillimetres(Decimal mm) noexcept {
    constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max() / 10;
    const bool negative = mm.digits < 0;
    const std::int64_t magnitude = negative ? -mm.digits : mm.digits;
    if (mm.scale <= 3) {
        const std::int64_t power = kPowers[3 - mm.scale];
        const std::int64_t value = magnitude > kLargest / power ? kLargest : magnitude * power;
        return {negative ? -value : value, true};
    }
    const std::int64_t power = kPowers[mm.scale - 3];
    std::int64_t value = magnitude / power;
    const std::int64_t remainder = magnitude % power;
    if (remainder * 2 >= power)
        ++value;
    return {negative ? -value : value, remainder == 0};
}

} // namespace k2k
