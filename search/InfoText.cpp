#include "search/InfoText.h"

#include "system/Text.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace k2k {

namespace {

static_assert(std::endian::native == std::endian::little, "a word's first byte is its lowest");

// The bytes of a word equal to the field separator, as the high bit of each such byte:
// exact, with no carry from one byte into the next.
std::uint64_t SeparatorBytes(std::uint64_t word) noexcept {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr std::uint64_t kEach = 0x0101010101010101ull;
    const std::uint64_t x = word ^ (kEach * static_cast<unsigned char>(kFieldSeparator));
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// Fills up to N fields from the text; missing ones stay empty.
template <std::size_t N>
std::array<std::string_view, N> SplitInfo(std::string_view info) noexcept {
    // One pass over the bytes, eight at a time: an info text of ten fields is split with a
    // look at each word and at each separator, not at each byte.
    std::array<std::string_view, N> fields{};
    const char* data = info.data();
    const std::size_t size = info.size();
    std::size_t start = 0;
    std::size_t field = 0;
    const auto cut = [&](std::size_t at) {
        fields[field++] = std::string_view(data + start, at - start);
        start = at + 1;
        return field == N - 1;
    };
    bool full = N == 1;
    std::size_t at = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time where the processor compares them in one step.
    const __m128i separator = _mm_set1_epi8(kFieldSeparator);
    for (; !full && at + 16 <= size; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        for (auto found =
                 static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, separator)));
             found != 0 && !full; found &= found - 1)
            full = cut(at + static_cast<std::size_t>(std::countr_zero(found)));
    }
#endif
    for (; !full && at + 8 <= size; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + at, sizeof word);
        for (std::uint64_t found = SeparatorBytes(word); found != 0 && !full; found &= found - 1)
            full = cut(at + static_cast<std::size_t>(std::countr_zero(found)) / 8);
    }
    for (; !full && at < size; ++at)
        if (data[at] == kFieldSeparator)
            full = cut(at);
    // The last field runs to the next separator, or to the end.
    const std::string_view rest(data + start, size - start);
    fields[field] = rest.substr(0, full ? rest.find(kFieldSeparator) : rest.size());
    return fields;
}

} // namespace

std::string_view InfoField(std::string_view info, int n) noexcept {
    std::size_t start = 0;
    for (int i = 1; i < n; ++i) {
        const std::size_t at = info.find(kFieldSeparator, start);
        if (at == std::string_view::npos)
            return {};
        start = at + 1;
    }
    const std::size_t end = info.find(kFieldSeparator, start);
    return info.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

bool FieldsArePlainAscii(std::string_view info) noexcept {
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    const char* data = info.data();
    const std::size_t size = info.size();
    std::size_t at = 0;
#if defined(__SSE2__)
    const __m128i separator = _mm_set1_epi8(kFieldSeparator);
    for (; at + 16 <= size; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const int high = _mm_movemask_epi8(bytes);
        if (high & ~_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, separator)))
            return false;
    }
#endif
    for (; at + 8 <= size; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + at, sizeof word);
        if ((word & kHigh) & ~SeparatorBytes(word))
            return false;
    }
    for (; at < size; ++at)
        if ((data[at] & 0x80) && data[at] != kFieldSeparator)
            return false;
    return true;
}

PartInfo SplitPartInfo(std::string_view info) noexcept {
    PartInfo part;
    std::string_view rest = info;
    const std::size_t blank = info.find(' ');
    if (blank == std::string_view::npos) {
        // No blank: the whole trimmed text is the package, and the whole text the fields.
        part.package = Trim(info);
    } else {
        part.package = info.substr(0, blank);
        rest = info.substr(blank + 1);
    }
    const auto f = SplitInfo<kPartInfoFields + kPartExtraFields>(rest);
    part.description = f[0];
    part.externalIndexCode = f[1];
    part.simulationRef = f[2];
    part.manufacturer = f[3];
    part.partType = f[4];
    part.technology = f[5];
    part.packageType = f[6];
    part.simulationFunction = f[7];
    part.simulationReferences = f[8];
    part.symbols = f[9];
    part.keywords = f[10];
    part.datasheet = f[11];
    part.referencePrefix = f[12];
    part.footprintFilters = f[13];
    part.firstSymbol = part.symbols.substr(0, part.symbols.find(','));
    return part;
}

SymbolInfo SplitSymbolInfo(std::string_view info) noexcept {
    const auto f = SplitInfo<4 + kSymbolExtraFields>(info);
    return {f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
}

PackageInfo SplitPackageInfo(std::string_view info) noexcept {
    const auto f = SplitInfo<3 + kPackageExtraFields>(info);
    return {f[0], f[1], f[2], f[3]};
}

namespace {

// Appends the extra fields, each after a separator, up to the last one that is not empty.
template <class Fields>
void AppendExtras(std::string& info, const Fields& extras) {
    std::size_t used = 0;
    std::size_t i = 0;
    for (std::string_view extra : extras) {
        ++i;
        if (!extra.empty())
            used = i;
    }
    i = 0;
    for (std::string_view extra : extras) {
        if (i++ == used)
            break;
        info += kFieldSeparator;
        info += extra;
    }
}

} // namespace

std::string ComposePartInfo(std::string_view package,
                            const std::array<std::string_view, kPartInfoFields>& fields,
                            const std::array<std::string_view, kPartExtraFields>& extras) {
    std::string info(package);
    info += ' ';
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            info += kFieldSeparator;
        info += fields[i];
    }
    AppendExtras(info, extras);
    return info;
}

std::string ComposeInfo(std::initializer_list<std::string_view> fields,
                        std::initializer_list<std::string_view> extras) {
    std::string info;
    bool first = true;
    for (std::string_view field : fields) {
        if (!first)
            info += kFieldSeparator;
        info += field;
        first = false;
    }
    AppendExtras(info, extras);
    return info;
}

} // namespace k2k
