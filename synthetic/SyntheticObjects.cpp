#include "synthetic/SyntheticObjects.h"

#include "synthetic/SyntheticFamily.h"

#include <stdexcept>

namespace k2k {

namespace {

// The walk through a family's combinations takes steps of this prime, which shares no
// factor with any family's count, so it visits every combination once before any
// repeats, in an order that mixes all of the name's parts.
constexpr std::uint64_t kStride = 1000003;

// A family that has made all its names goes round again with a "#" and a letter code
// ("#A", "#B", ... "#Z", "#AA"): no base name holds a "#", so these stay unique too.
void AppendRound(std::string& name, std::uint64_t round) {
    char letters[16];
    std::size_t count = 0;
    while (round > 0) {
        --round;
        letters[count++] = static_cast<char>('A' + round % 26);
        round /= 26;
    }
    name += '#';
    while (count > 0)
        name += letters[--count];
}

} // namespace

SyntheticObjects::SyntheticObjects(LibraryKind kind, std::uint64_t seed)
    : m_state(seed ^ 0x6A09E667F3BCC909ULL) {
    switch (kind) {
    case LibraryKind::Part:
        m_families = synthetic::PartFamilies();
        break;
    case LibraryKind::Symbol:
        m_families = synthetic::SymbolFamilies();
        break;
    case LibraryKind::Package:
        m_families = synthetic::PackageFamilies();
        break;
    case LibraryKind::Padstack:
        m_families = synthetic::PadstackFamilies();
        break;
    }
    int total = 0;
    for (const auto& weighted : m_families) {
        const std::uint64_t combinations = weighted.family->Combinations();
        if (combinations == 0 || combinations >= kStride)
            throw std::logic_error("a synthetic family has no or too many combinations");
        m_turns.push_back({weighted.family.get(), combinations, NextRandom() % combinations, 0});
        total += weighted.perMille;
    }
    if (total != static_cast<int>(m_block.size()))
        throw std::logic_error("the shares of the synthetic families do not add up to 1000");
}

SyntheticObjects::~SyntheticObjects() = default;

// SplitMix64: small, fast, and the same on every platform.
std::uint64_t SyntheticObjects::NextRandom() noexcept {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// Each family gets its share of the next thousand places, shuffled.
void SyntheticObjects::PlanBlock() {
    std::size_t at = 0;
    for (std::size_t f = 0; f < m_families.size(); ++f)
        for (int i = 0; i < m_families[f].perMille; ++i)
            m_block[at++] = static_cast<std::uint16_t>(f);
    for (std::size_t i = m_block.size() - 1; i > 0; --i)
        std::swap(m_block[i], m_block[NextRandom() % (i + 1)]);
    m_position = 0;
}

void SyntheticObjects::Next(std::string& name, std::string& info, std::string* drawing) {
    if (m_position == m_block.size())
        PlanBlock();
    Turn& turn = m_turns[m_block[m_position++]];
    const std::uint64_t step = turn.made % turn.combinations;
    const std::uint64_t round = turn.made / turn.combinations;
    ++turn.made;
    const std::uint64_t combination = (turn.start + step * kStride) % turn.combinations;
    turn.family->Make(combination, name, info);
    if (drawing)
        turn.family->Draw(combination, *drawing);
    if (round > 0)
        AppendRound(name, round);
}

} // namespace k2k
