#pragma once
// The simulation references the browser holds for as long as it runs: the Spice element
// profiles with their parameters (read from elements.spc by ReadElementProfiles), the
// subcircuit index (SUBCIR.IDX or the scanned "*.SBC" files, BuildSubcircuitIndex), the
// mixed-mode simulator models (the model libraries, CollectSimulatorModels), and the flag
// that says the Spice references were read. One SimulationTables belongs to the component;
// the start-up sequence fills it and the simulation-reference dialog lists from it.
//
// Every table keeps the suite's layout: element 0 unused, entries 1 to Count(), and an
// upper bound that may run ahead of the count (a table that fills up grows to its new
// count + 10; a finished read shrinks it to its count).

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace k2k {

struct ElementProfile {
    std::string Code; // the element letter: "R", "Q", "A" (code model), ...
    std::string Description;
    std::string Model;
    std::string Variant;
    std::int32_t ParamCount = 0;
    std::int32_t FirstParam = 0; // in the parameter table; set only when ParamCount > 0
    std::int32_t ExtraCount = 0;
    std::int32_t FirstExtra = 0; // reserved for the extra lines; only when ExtraCount > 0
};

struct ElementParameter {
    std::int32_t Index = 0;
    std::string Name;
};

struct SubcircuitRef {
    std::string ElementCode; // "X" for every scanned entry
    std::string Name;        // upper case
    std::string Kind;        // "library" for every scanned entry
    std::string Description;
    std::string Family; // the subfolder that holds the file, upper case; empty at the top
    std::int32_t NodeCount = 0;
    std::int32_t Reserved1 = 0;
    std::int32_t Reserved2 = 0;
    std::int32_t Reserved3 = 0;
};

// One model of a simulator model library.
struct SimulatorModel {
    std::int32_t Number = 0; // the simulation function: negative analog, positive digital
    std::string ModelName;
    std::int32_t PinCount = 0;
    std::string Pins;    // the pin names joined with ","
    std::string Library; // the library's file name, without folder
};

template <typename Entry>
class SpiceTable {
public:
    // Drops every entry and makes room for capacity of them.
    void Reset(int capacity) {
        m_slots.assign(static_cast<std::size_t>(capacity) + 1, Entry{});
        m_count = 0;
    }
    // Grows the upper bound to newCount + 10 when newCount does not fit.
    void MakeRoomFor(int newCount) {
        if (newCount > UpperBound())
            m_slots.resize(static_cast<std::size_t>(newCount) + 11);
    }
    // Appends after the last entry; answers its index.
    int Append(Entry entry) {
        MakeRoomFor(m_count + 1);
        m_slots[static_cast<std::size_t>(++m_count)] = std::move(entry);
        return m_count;
    }
    // Counts entries up to newCount (room made first); the new ones are empty until set.
    void SetCount(int newCount) {
        MakeRoomFor(newCount);
        m_count = newCount;
    }
    void ShrinkToCount() { m_slots.resize(static_cast<std::size_t>(m_count) + 1); }

    int Count() const noexcept { return m_count; }
    int UpperBound() const noexcept { return m_slots.empty() ? 0 : int(m_slots.size()) - 1; }
    // Entry 1 to UpperBound(); element 0 is never used.
    Entry& operator[](int index) { return m_slots.at(static_cast<std::size_t>(index)); }
    const Entry& operator[](int index) const { return m_slots.at(static_cast<std::size_t>(index)); }
    // Entries 1 to Count(), in table order.
    std::span<const Entry> Entries() const noexcept {
        return m_slots.empty() ? std::span<const Entry>()
                               : std::span<const Entry>(m_slots).subspan(1, m_count);
    }

private:
    std::vector<Entry> m_slots;
    int m_count = 0;
};

// The extra lines of the elements are read past and not stored: only their index counter
// and the table's bounds are kept.
struct ReservedLines {
    int count = 0;
    int upperBound = 0;
};

struct SimulationTables {
    static constexpr int kElementCapacity = 300;
    static constexpr int kParameterCapacity = 3000;
    static constexpr int kExtraCapacity = 6000;

    SpiceTable<ElementProfile> elements;
    SpiceTable<ElementParameter> parameters;
    ReservedLines extras;
    SpiceTable<SubcircuitRef> subcircuits;
    SpiceTable<SimulatorModel> models;
    // True once elements.spc was read without error.
    bool spiceReferencesReady = false;

    // The Spice tables, before they are read again.
    void ClearSpiceTables() {
        elements = {};
        parameters = {};
        extras = {};
        subcircuits = {};
    }
    void ClearSimulatorModels() { models = {}; }

    // The parameters of one element, in file order.
    std::span<const ElementParameter> ParametersOf(const ElementProfile& element) const {
        if (element.ParamCount <= 0 || element.FirstParam <= 0 ||
            element.FirstParam + element.ParamCount - 1 > parameters.Count())
            return {};
        return parameters.Entries().subspan(static_cast<std::size_t>(element.FirstParam) - 1,
                                            static_cast<std::size_t>(element.ParamCount));
    }
};

// Why a file was left out of a table: for tools that report it. The browser passes none.
struct LeftOutFile {
    std::string path; // the suite's form
    std::string reason;
};
using LeftOutFiles = std::vector<LeftOutFile>;

// A number read from a file, rounded (halves to even, as the suite rounds) and held to
// the 32-bit range.
inline std::int32_t RoundedInt32(double value) noexcept {
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    const double rounded = std::nearbyint(value);
    if (!(rounded >= kLowest))
        return std::numeric_limits<std::int32_t>::min();
    if (rounded > kHighest)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(rounded);
}

} // namespace k2k
