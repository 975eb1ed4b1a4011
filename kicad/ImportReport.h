#pragma once
// What an import carried over and what it could not: the report that "k2klib import"
// prints at its end. Objects left out are listed one by one with the reason; names that
// several libraries share are listed with those libraries; everything the suite has no
// place for is counted by kind of loss, with the first few objects of each kind as
// examples. Every text of an imported object passes through ImportedText, which lists the
// object as left out when the suite cannot hold the text, or, for the extras designers find
// parts by, through ImportedExtra, which drops only that extra and counts it.

#include "sources/SourceText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

enum class Loss : std::uint8_t {
    UnholdableExtras,
    ExtrasTooLong,
    OtherProperties,
    PowerFlags,
    BomAndBoardFlags,
    HiddenPinTexts,
    AlternateBodyStyles,
    UnreadItems,
    PinElectricalTypes,
    HiddenPins,
    AlternatePinFunctions,
    PinStyles,
    ZeroLengthPins,
    PinAngles,
    PinTextCharacters,
    Fills,
    LineWidths,
    TextRotations,
    RoundedCoordinates,
    RoundedArcs,
    DegenerateArcs,
    OutOfRange,
    // footprints
    FootprintAttributes,
    FootprintSettings,
    Models,
    Zones,
    FabricationGraphics,
    CourtyardGraphics,
    CopperGraphics,
    OtherLayerGraphics,
    HiddenTexts,
    RoundedPads,
    OtherPadShapes,
    Slots,
    PadSettings,
    PadRotations,
    RoundedMicrometres,
};
inline constexpr std::size_t kLossKinds = static_cast<std::size_t>(Loss::RoundedMicrometres) + 1;

// How a kind of loss is named in the report, and what it counts.
std::string_view LossName(Loss loss) noexcept;
std::string_view LossUnit(Loss loss) noexcept; // "symbols", "pins", ...

class ImportReport final {
public:
    static constexpr std::size_t kExamples = 3;

    // count more of a loss in the object (an example "LIBRARY: OBJECT" when it is among the
    // first objects of that kind of loss).
    void Lose(Loss loss, std::string_view library, std::string_view object, std::size_t count = 1);
    // An object left out of its library: "LIBRARY: kind "NAME": why". A long line (a name
    // of megabytes) is kept shortened (ShortenedLine), as are the examples of a loss.
    void LeaveOut(std::string what);
    // A name that several libraries hold: "kind "NAME": LIBRARY, LIBRARY".
    void ShareName(std::string what) { m_shared.push_back(std::move(what)); }
    // A character replaced by its stand-in: "LIBRARY: kind "NAME": field "F": replaced ...".
    void Replace(std::string what) { m_replaced.push_back(std::move(what)); }
    // A source library written under another name: "LIBRARY: written as NAME, since ...".
    void Rename(std::string what) { m_renamed.push_back(std::move(what)); }
    // A source library that could not be read or written, with the reason.
    void LoseLibrary(std::string what) { m_lostLibraries.push_back(std::move(what)); }
    // A source library that holds nothing to import, and is not written: "SOURCE: why".
    void SkipLibrary(std::string what) { m_skipped.push_back(std::move(what)); }
    // An imported part whose footprint no package library holds:
    // "LIBRARY: part "NAME": its footprint "F" is in no package library".
    void Dangle(std::string what) { m_dangling.push_back(std::move(what)); }

    std::size_t Count(Loss loss) const noexcept { return m_losses[Index(loss)].count; }
    const std::vector<std::string>& Examples(Loss loss) const noexcept {
        return m_losses[Index(loss)].examples;
    }
    const std::vector<std::string>& LeftOut() const noexcept { return m_leftOut; }
    const std::vector<std::string>& SharedNames() const noexcept { return m_shared; }
    const std::vector<std::string>& Replaced() const noexcept { return m_replaced; }
    const std::vector<std::string>& Renamed() const noexcept { return m_renamed; }
    const std::vector<std::string>& LostLibraries() const noexcept { return m_lostLibraries; }
    const std::vector<std::string>& SkippedLibraries() const noexcept { return m_skipped; }
    const std::vector<std::string>& Dangling() const noexcept { return m_dangling; }

    // What was read and written, for the summary.
    struct Totals {
        std::size_t sourceLibraries = 0; // found
        std::size_t symbolsRead = 0;     // symbols of the source libraries
        std::size_t partLibraries = 0;   // written
        std::size_t symbolLibraries = 0; // written
        std::size_t parts = 0;           // written
        std::size_t symbols = 0;         // symbol objects written
        std::size_t registered = 0;      // libraries new to the catalogue
        // the footprint pass
        std::size_t footprintLibraries = 0; // found
        std::size_t footprintsRead = 0;     // footprint files of the source libraries
        std::size_t packageLibraries = 0;   // written
        std::size_t packages = 0;           // written
        std::size_t padstacks = 0;          // written, in the one padstack library
    };
    Totals totals;

    // The lists and the losses, then the summary. Every line names objects and files of
    // the source, so each one is shown with its control characters escaped.
    void Write(std::ostream& out) const;

private:
    static std::size_t Index(Loss loss) noexcept { return static_cast<std::size_t>(loss); }

    struct Tally {
        std::size_t count = 0;
        std::vector<std::string> examples;
    };
    std::array<Tally, kLossKinds> m_losses;
    std::vector<std::string> m_leftOut;
    std::vector<std::string> m_shared;
    std::vector<std::string> m_replaced;
    std::vector<std::string> m_renamed;
    std::vector<std::string> m_lostLibraries;
    std::vector<std::string> m_skipped;
    std::vector<std::string> m_dangling;
};

// Where the losses of one object are counted.
struct LossSink {
    ImportReport& report;
    std::string_view library;
    std::string_view object;
    void operator()(Loss loss, std::size_t count = 1) const {
        report.Lose(loss, library, object, count);
    }
};

// One text of an imported object, what: "LIBRARY: kind "NAME": field "F"". On a character
// the suite cannot hold, or a name or field longer than the suite holds, the object is to
// be left out: nullopt, and the report lists it; each character replaced is listed too.
std::optional<std::string> ImportedText(std::string_view utf8, TextUse use,
                                        const TextOptions& options, const std::string& what,
                                        ImportReport& report);

// One of the extras of an imported object (keywords, a datasheet link, a reference prefix,
// footprint filters), what as for ImportedText. They are what designers find parts by, not
// what makes the object: on a character the suite cannot hold only this extra is dropped
// (empty), counted as a loss, and the object is kept.
std::string ImportedExtra(std::string_view utf8, const TextOptions& options,
                          const std::string& what, const LossSink& lose);

// The info text composed of an object's imported fields, what: "LIBRARY: kind "NAME"".
// False, with the object listed as left out, when it is longer than the suite holds.
bool ImportedInfoFits(std::string_view info, const std::string& what, ImportReport& report);

// The info text of an object with its extras (withExtras) and without them (plain): the
// first when it fits; else the second, the extras counted as a loss, when it fits; else
// nullopt, the object listed as left out as by ImportedInfoFits.
std::optional<std::string> FittingInfo(std::string withExtras, std::string plain,
                                       const std::string& what, const LossSink& lose);

} // namespace k2k
