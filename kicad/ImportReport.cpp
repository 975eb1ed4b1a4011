#include "kicad/ImportReport.h"

#include "formats/StoredTexts.h"
#include "system/Text.h"

#include <algorithm>
#include <ostream>

namespace k2k {

namespace {

struct LossFacts {
    std::string_view name;
    std::string_view unit;
};

constexpr std::array<LossFacts, kLossKinds> kLossFacts = {{
    {"keywords, datasheet links, reference prefixes and footprint filters with a character "
     "the suite cannot hold (dropped)",
     "fields"},
    {"keywords, datasheet and filters that did not fit (the object kept without them)", "objects"},
    {"other properties (ki_locked, Spice_Model, ...)", "properties"},
    {"power symbol flags", "symbols"},
    {"exclusions from the bill of materials or the board", "symbols"},
    {"hidden pin names or numbers (shown here)", "symbols"},
    {"alternate body styles (left out)", "symbols"},
    {"items this import does not read", "symbols"},
    {"pin electrical types", "pins"},
    {"hidden pins (shown here)", "pins"},
    {"alternate pin functions", "pins"},
    {"pin styles not drawn (low-active, non-logic, ...)", "pins"},
    {"pins of length 0 (drawn 1 mil long)", "pins"},
    {"pins at other angles than 0, 90, 180, 270 (put on the nearest side)", "pins"},
    {"pin names and numbers whose blanks or \";\" became \"_\"", "pins"},
    {"fills (drawn as outlines)", "graphics"},
    {"line widths", "graphics"},
    {"text rotations (drawn level)", "texts"},
    {"coordinates and lengths rounded to whole mils", "values"},
    {"arcs rounded to whole units (mils, micrometres) and degrees", "arcs"},
    {"arcs through three points on a line (drawn as lines)", "arcs"},
    {"graphics beyond +-10,000,000 units (mils, micrometres; left out)", "graphics"},
    {"footprint attributes (attr: smd, through_hole, exclusions, ...)", "footprints"},
    {"footprint settings (clearances, solder margins, zone connections, ...)", "footprints"},
    {"3D models (model)", "models"},
    {"zones and keep-outs", "zones"},
    {"fabrication texts (F.Fab, B.Fab), and their graphics beside a closed silkscreen outline",
     "graphics"},
    {"courtyard graphics (F.CrtYd, B.CrtYd)", "graphics"},
    {"copper graphics", "graphics"},
    {"graphics on other layers (user, mask, paste, edge cuts, ...)", "graphics"},
    {"hidden texts", "texts"},
    {"rounded-rectangle pads (drawn as rectangles)", "pads"},
    {"trapezoid and custom pads (drawn as the nearest shape)", "pads"},
    {"oval drills, slots (drilled round by their smaller side)", "pads"},
    {"pad settings (margins, clearances, drill offsets, chamfers, ...)", "pads"},
    {"pad rotations rounded to whole degrees", "pads"},
    {"coordinates and lengths rounded to whole micrometres", "values"},
}};

void WriteList(std::ostream& out, std::string_view title, const std::vector<std::string>& lines) {
    if (lines.empty())
        return;
    out << title << " (" << lines.size() << "):\n";
    for (const std::string& line : lines)
        out << "  " << EscapeControls(line) << '\n';
}

} // namespace

std::string_view LossName(Loss loss) noexcept {
    return kLossFacts[static_cast<std::size_t>(loss)].name;
}

std::string_view LossUnit(Loss loss) noexcept {
    return kLossFacts[static_cast<std::size_t>(loss)].unit;
}

void ImportReport::Lose(Loss loss, std::string_view library, std::string_view object,
                        std::size_t count) {
    if (count == 0)
        return;
    Tally& tally = m_losses[Index(loss)];
    tally.count += count;
    if (tally.examples.size() >= kExamples)
        return;
    std::string example = ShortenedLine(std::string(library) + ": " + std::string(object));
    if (std::find(tally.examples.begin(), tally.examples.end(), example) == tally.examples.end())
        tally.examples.push_back(std::move(example));
}

void ImportReport::LeaveOut(std::string what) {
    m_leftOut.push_back(ShortenedLine(std::move(what)));
}

void ImportReport::Write(std::ostream& out) const {
    WriteList(out, "Libraries not imported", m_lostLibraries);
    WriteList(out, "Libraries with nothing to import, not written", m_skipped);
    WriteList(out, "Renamed", m_renamed);
    WriteList(out, "Left out", m_leftOut);
    WriteList(out, "Characters replaced", m_replaced);
    WriteList(out, "Names that several libraries hold (each library keeps its object)", m_shared);
    WriteList(out, "Footprints that no package library holds", m_dangling);
    bool any = false;
    for (std::size_t i = 0; i < kLossKinds; ++i) {
        const Tally& tally = m_losses[i];
        if (tally.count == 0)
            continue;
        if (!any)
            out << "Not carried over (the suite has no place for them):\n";
        any = true;
        out << "  " << kLossFacts[i].name << ": " << tally.count << ' ' << kLossFacts[i].unit;
        for (std::size_t e = 0; e < tally.examples.size(); ++e)
            out << (e == 0 ? ", e.g. " : "; ") << EscapeControls(tally.examples[e]);
        out << '\n';
    }
    const Totals& t = totals;
    out << "Read: " << t.sourceLibraries << " symbol libraries, " << t.symbolsRead << " symbols";
    if (t.footprintLibraries > 0)
        out << "; " << t.footprintLibraries << " footprint libraries, " << t.footprintsRead
            << " footprints";
    out << "\nWritten: " << t.partLibraries << " part libraries (" << t.parts << " parts), "
        << t.symbolLibraries << " symbol libraries (" << t.symbols << " symbols)";
    if (t.footprintLibraries > 0)
        out << ", " << t.packageLibraries << " package libraries (" << t.packages << " packages), "
            << (t.padstacks > 0 ? 1 : 0) << " padstack library (" << t.padstacks << " padstacks)";
    out << "; " << t.registered << " libraries new in the catalogue\n"
        << "Left out: " << m_leftOut.size() << " objects, " << m_lostLibraries.size()
        << " libraries\n";
}

namespace {

// Lists each character replaced in a text of an object that is kept.
void ListReplaced(const std::vector<Replacement>& replaced, const std::string& what,
                  ImportReport& report) {
    for (const Replacement& replacement : replaced)
        report.Replace(what + ": replaced " + DescribeReplacement(replacement));
}

} // namespace

std::optional<std::string> ImportedText(std::string_view utf8, TextUse use,
                                        const TextOptions& options, const std::string& what,
                                        ImportReport& report) {
    UnholdableCharacter bad;
    std::vector<Replacement> replaced;
    auto text = ToSuiteText(utf8, use, bad, options.replaceCharacters ? &replaced : nullptr);
    if (!text) {
        report.LeaveOut(what + " holds " + DescribeUnholdable(bad));
        return std::nullopt;
    }
    if (const std::size_t limit = LengthLimit(use); text->size() > limit) {
        report.LeaveOut(what + " is " + std::to_string(text->size()) + " bytes long (at most " +
                        std::to_string(limit) + ")");
        return std::nullopt;
    }
    ListReplaced(replaced, what, report);
    return text;
}

std::string ImportedExtra(std::string_view utf8, const TextOptions& options,
                          const std::string& what, const LossSink& lose) {
    UnholdableCharacter bad;
    std::vector<Replacement> replaced;
    auto text =
        ToSuiteText(utf8, TextUse::Field, bad, options.replaceCharacters ? &replaced : nullptr);
    if (!text) {
        lose(Loss::UnholdableExtras);
        return {};
    }
    ListReplaced(replaced, what, lose.report);
    return std::move(*text); // one too long for the info text is FittingInfo's to drop
}

bool ImportedInfoFits(std::string_view info, const std::string& what, ImportReport& report) {
    if (std::string fault = InfoFault(info); !fault.empty()) {
        report.LeaveOut(what + ": " + fault);
        return false;
    }
    return true;
}

std::optional<std::string> FittingInfo(std::string withExtras, std::string plain,
                                       const std::string& what, const LossSink& lose) {
    if (InfoFault(withExtras).empty())
        return withExtras;
    if (!ImportedInfoFits(plain, what, lose.report))
        return std::nullopt;
    lose(Loss::ExtrasTooLong);
    return plain;
}

} // namespace k2k
