#pragma once
// Synthetic library objects for large test and benchmark suites: an endless,
// deterministic stream of realistic names and info texts of one kind. The seed decides
// the order in which the families take turns; every name of a stream is different, and
// names of different kinds never coincide.
//
// The families of a kind take turns by their shares in blocks of a thousand objects, so
// the shares hold exactly for every thousand objects and nearly for any run of them.

#include "formats/LibraryFile.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace k2k {

namespace synthetic {
class Family;
struct WeightedFamily;
} // namespace synthetic

class SyntheticObjects final {
public:
    SyntheticObjects(LibraryKind kind, std::uint64_t seed);
    ~SyntheticObjects();
    SyntheticObjects(const SyntheticObjects&) = delete;
    SyntheticObjects& operator=(const SyntheticObjects&) = delete;

    // The next object's name and info text (Windows-1252, fields joined by 0x80).
    void Next(std::string& name, std::string& info) { Next(name, info, nullptr); }
    // The same with its drawing (empty for parts); a family that goes round again draws
    // the same again.
    void Next(std::string& name, std::string& info, std::string& drawing) {
        Next(name, info, &drawing);
    }

private:
    struct Turn {
        const synthetic::Family* family = nullptr;
        std::uint64_t combinations = 0;
        std::uint64_t start = 0; // where the walk through the combinations starts
        std::uint64_t made = 0;  // names made so far
    };

    void Next(std::string& name, std::string& info, std::string* drawing);
    std::uint64_t NextRandom() noexcept;
    void PlanBlock();

    std::vector<synthetic::WeightedFamily> m_families;
    std::vector<Turn> m_turns;
    std::array<std::uint16_t, 1000> m_block{};
    std::size_t m_position = 1000;
    std::uint64_t m_state;
};

} // namespace k2k
