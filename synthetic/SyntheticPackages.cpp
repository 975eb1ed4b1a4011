// The package families of the synthetic libraries: dual in-line, small-outline and quad
// packages, transistor and diode outlines, chips, pin headers, radial and axial parts, in
// the manner of the sample suite's and drawn with the same shapes (sketch/PackageShapes.h).
// Pads name padstacks that the synthetic padstack families make.

#include "sketch/PackageShapes.h"
#include "synthetic/SyntheticFamily.h"

#include <array>

namespace k2k::synthetic {

namespace {

// A length in hundredths of a millimetre as whole mils.
int HundredthsAsMils(int hundredths) {
    return (hundredths * 1000 + 1270) / 2540;
}

constexpr Style kDensities[] = {
    {"_L", "IPC least density"}, {"_N", "IPC nominal density"}, {"_M", "IPC most density"}};

// Dual in-line packages of 4 to 64 pins, narrow or wide, plain, socketed or with long pads.
class DipFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override { return 31 * 2 * 3; }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const int pins = 4 + 2 * static_cast<int>(Take(c, 31));
        const int span = Take(c, 2) == 1 ? 600 : 300;
        const bool longPads = Take(c, 3) == 2;
        Sketch sketch(DrawingKind::Package);
        // Long pads reach across, away from the body.
        DrawDip(sketch.Origin(0, 0), pins, span, HolePadName('S', 60, 32),
                HolePadName(longPads ? 'O' : 'C', 60, 32), longPads ? 90 : 0);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const int pinIndex = static_cast<int>(Take(c, 31));
        const int pins = 4 + 2 * pinIndex;
        const bool wide = Take(c, 2) == 1;
        constexpr Style kVariants[] = {{"", ""}, {"_SKT", ", in a socket"}, {"_LP", ", long pads"}};
        const Style& variant = kVariants[Take(c, 3)];
        Out(name) << "DIP" << pins << (wide ? "-W" : "") << variant.suffix;
        Out(info) << pins << "-pin plastic dual in-line, " << (wide ? "15.24" : "7.62")
                  << " mm row spacing" << variant.description << kSep << "PMD,DIP" << kSep
                  << (wide ? "MS-011-" : "MS-001-") << static_cast<char>('A' + pinIndex % 26)
                  << static_cast<char>('A' + pinIndex / 26);
    }
};

struct SmdOutline {
    std::string_view prefix;
    std::string_view description; // "small outline"
    std::string_view type;
    std::string_view jedec;
    std::array<int, 10> pins; // 0 ends the list
    int bodyHundredths;
    int pitchHundredths;
};

constexpr SmdOutline kSmdOutlines[] = {
    {"SOIC", "small outline, narrow body", "SMD,SOIC", "MS-012", {8, 14, 16}, 390, 127},
    {"SOIC", "small outline, wide body", "SMD,SOIC", "MS-013", {16, 18, 20, 24, 28}, 750, 127},
    {"SSOP", "shrink small outline", "SMD,SSOP", "MO-150", {14, 16, 20, 24, 28, 48}, 530, 65},
    {"TSSOP",
     "thin shrink small outline",
     "SMD,TSSOP",
     "MO-153",
     {8, 14, 16, 20, 24, 28, 38, 48, 56, 64},
     440,
     65},
    {"MSOP", "mini small outline", "SMD,MSOP", "MO-187", {8, 10}, 300, 50},
};

constexpr int kQfnPins[] = {16, 20, 24, 28, 32, 40, 48, 56, 64};
constexpr int kQfnBodies[] = {3, 4, 5, 6, 7, 8, 9};
constexpr int kQfpPins[] = {32, 44, 48, 64, 80, 100, 128, 144, 176, 208};
constexpr int kQfpBodies[] = {7, 10, 12, 14, 20, 24, 28};
constexpr int kFinePitches[] = {40, 50, 65, 80}; // hundredths of a millimetre

// Small-outline, QFN and LQFP packages in the three IPC densities.
class SmdIcFamily final : public Family {
public:
    SmdIcFamily() {
        for (std::size_t outline = 0; outline < std::size(kSmdOutlines); ++outline)
            for (int pins : kSmdOutlines[outline].pins)
                if (pins != 0)
                    m_items.push_back({Shape::Outline, static_cast<int>(outline), pins, 0, 0});
        for (int pins : kQfnPins)
            for (int body : kQfnBodies)
                for (int pitch = 0; pitch < 3; ++pitch)
                    m_items.push_back({Shape::Qfn, 0, pins, body, kFinePitches[pitch]});
        for (int pins : kQfpPins)
            for (int body : kQfpBodies)
                for (int pitch : kFinePitches)
                    m_items.push_back({Shape::Qfp, 0, pins, body, pitch});
    }
    std::uint64_t Combinations() const noexcept override {
        return m_items.size() * std::size(kDensities);
    }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const Item& item = m_items[Take(c, m_items.size())];
        const int density = static_cast<int>(Take(c, std::size(kDensities))); // L, N, M
        Sketch sketch(DrawingKind::Package);
        sketch.Origin(0, 0);
        if (item.shape == Shape::Outline) {
            const SmdOutline& outline = kSmdOutlines[item.outline];
            const int pitch = HundredthsAsMils(outline.pitchHundredths);
            const int body = HundredthsAsMils(outline.bodyHundredths);
            const std::string pad = SurfacePadName(pitch * 12 / 25, 50 + 10 * density);
            DrawSmallOutline(sketch, item.pins, pitch, body + 60, pad, body);
            sketch.WriteTo(drawing);
            return;
        }
        // Four sides, pin 1 at the top of the left side, counted anticlockwise.
        const bool qfn = item.shape == Shape::Qfn;
        const int pitch = HundredthsAsMils(item.pitchHundredths);
        const int body = HundredthsAsMils(item.body * 100);
        const int perSide = item.pins / 4;
        const int reach = qfn ? body / 2 - 10 : body / 2 + 40;
        const std::string pad = SurfacePadName(pitch * 12 / 25, (qfn ? 30 : 60) + 8 * density);
        sketch.Rect(-body / 2, body / 2, body / 2, -body / 2);
        sketch.Arc(-body / 2 + 30, body / 2 - 30, 10);
        const int first = (perSide - 1) * pitch / 2;
        for (int i = 0; i < perSide; ++i) {
            const int along = first - pitch * i;
            sketch.Pad(1 + i, pad, -reach, along, 90);
            sketch.Pad(1 + perSide + i, pad, -along, -reach, 0);
            sketch.Pad(1 + 2 * perSide + i, pad, reach, -along, 90);
            sketch.Pad(1 + 3 * perSide + i, pad, along, reach, 0);
        }
        if (qfn)
            sketch.Pad("EP", SurfacePadName(body / 2, body / 2), 0, 0);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const Item& item = m_items[Take(c, m_items.size())];
        const Style& density = kDensities[Take(c, std::size(kDensities))];
        Out out(info);
        if (item.shape == Shape::Outline) {
            const SmdOutline& outline = kSmdOutlines[item.outline];
            const bool wide = outline.bodyHundredths == 750;
            Out(name) << outline.prefix << item.pins << (wide ? "W" : "") << density.suffix;
            out << item.pins << "-pin " << outline.description << ", "
                << Hundredths(outline.bodyHundredths) << " mm body, "
                << Hundredths(outline.pitchHundredths) << " mm pitch, " << density.description
                << kSep << outline.type << kSep << outline.jedec;
            return;
        }
        const bool qfn = item.shape == Shape::Qfn;
        const std::string pitch = Hundredths(item.pitchHundredths);
        Out(name) << (qfn ? "QFN" : "LQFP") << item.pins << '_' << item.body << 'X' << item.body
                  << "_P" << pitch << density.suffix;
        out << item.pins << (qfn ? "-pin quad flat no-lead, " : "-pin low-profile quad flat, ")
            << item.body << " x " << item.body << " mm body, " << pitch << " mm pitch, "
            << density.description << kSep << (qfn ? "SMD,QFN" : "SMD,QFP") << kSep
            << (qfn ? "MO-220" : "MS-026");
    }

private:
    enum class Shape : std::uint8_t { Outline, Qfn, Qfp };
    struct Item {
        Shape shape;
        int outline;
        int pins;
        int body;
        int pitchHundredths;
    };
    std::vector<Item> m_items;
};

struct Outline {
    std::string_view name;
    std::string_view description;
    std::string_view type;
    std::string_view jedec;
};

constexpr Outline kDiscreteOutlines[] = {
    {"TO-92", "3-lead plastic TO-92, in-line leads 1.27 mm", "PMD,TO-92", "TO-226AA"},
    {"TO-92-W", "3-lead plastic TO-92, leads formed to 2.54 mm", "PMD,TO-92", "TO-226AA"},
    {"TO-18", "3-lead metal can TO-18", "PMD,Metal can", "TO-206AA"},
    {"TO-126", "3-lead plastic TO-126, vertical", "PMD,TO-126", "TO-225AA"},
    {"TO-220", "3-lead plastic TO-220, vertical mounting", "PMD,TO-220", "TO-220AB"},
    {"TO-220-5", "5-lead plastic TO-220, staggered leads", "PMD,TO-220", "TO-220"},
    {"TO-247", "3-lead plastic TO-247, vertical mounting", "PMD,TO-247", "TO-247AC"},
    {"DPAK", "3-lead plastic DPAK, tab soldered", "SMD,DPAK", "TO-252AA"},
    {"D2PAK", "3-lead plastic D2PAK, tab soldered", "SMD,D2PAK", "TO-263AB"},
    {"SOT-23", "3-lead small outline transistor", "SMD,SOT-23", "TO-236AB"},
    {"SOT-23-5", "5-lead small outline transistor", "SMD,SOT-23", "MO-178AA"},
    {"SOT-23-6", "6-lead small outline transistor", "SMD,SOT-23", "MO-178AB"},
    {"SOT-89", "3-lead small outline with heat tab", "SMD,SOT-89", "TO-243AA"},
    {"SOT-223", "4-lead small outline with heat tab", "SMD,SOT-223", "TO-261AA"},
    {"SOD-123", "2-lead small outline diode", "SMD,SOD", ""},
    {"SOD-323", "2-lead small outline diode, very small", "SMD,SOD", ""},
    {"SMA", "2-lead moulded diode SMA", "SMD,SMA", "DO-214AC"},
    {"SMB", "2-lead moulded diode SMB", "SMD,SMA", "DO-214AA"},
    {"SMC", "2-lead moulded diode SMC", "SMD,SMA", "DO-214AB"},
    {"DO-35", "Axial glass diode DO-35, 7.62 mm lead spacing", "PMD,Axial", "DO-204AH"},
    {"DO-41", "Axial plastic diode DO-41, 10.16 mm lead spacing", "PMD,Axial", "DO-204AL"},
    {"DO-201AD", "Axial plastic diode DO-201AD, 15.24 mm lead spacing", "PMD,Axial", "DO-201AD"},
};

// The pads and outline of a transistor or diode package by its name.
void DrawDiscrete(Sketch& s, std::string_view name) {
    if (name == "TO-92") {
        DrawTo92(s, 50, HolePadName('O', 40, 25), HolePadName('O', 40, 25));
    } else if (name == "TO-92-W") {
        DrawTo92(s, 100, HolePadName('S', 60, 32), HolePadName('C', 60, 32));
    } else if (name == "TO-18") {
        DrawTo18(s, HolePadName('C', 55, 29));
    } else if (name == "TO-126") {
        DrawTo126(s, HolePadName('O', 60, 40));
    } else if (name == "TO-220") {
        DrawTo220(s, 3, 100, HolePadName('S', 70, 40), HolePadName('C', 70, 40));
    } else if (name == "TO-220-5") {
        DrawTo220(s, 5, 67, HolePadName('O', 55, 35), HolePadName('O', 55, 35));
    } else if (name == "TO-247") {
        s.Rect(-100, 100, 530, -120);
        DrawInLine(s, 3, 215, HolePadName('S', 100, 60), HolePadName('C', 100, 60));
    } else if (name == "DPAK" || name == "D2PAK") {
        DrawDpak(s, name == "DPAK" ? 90 : 100, SurfacePadName(60, 80), SurfacePadName(220, 240));
    } else if (name.starts_with("SOT-23")) {
        const int leads = name == "SOT-23" ? 3 : name == "SOT-23-5" ? 5 : 6;
        DrawSot23(s, leads, SurfacePadName(leads == 3 ? 35 : 24, 44));
    } else if (name == "SOT-89") {
        DrawTabbedSot(s, 59, -80, 60, 2, SurfacePadName(24, 48), SurfacePadName(70, 80));
    } else if (name == "SOT-223") {
        DrawTabbedSot(s, 90, -125, 125, 4, SurfacePadName(60, 80), SurfacePadName(130, 80));
    } else if (name.starts_with("SOD")) { // SOD-123, SOD-323
        const bool small = name == "SOD-323";
        DrawChipBody(s, small ? 35 : 60, small ? 25 : 32, kBandInset);
        const std::string pad = SurfacePadName(small ? 24 : 35, 44);
        DrawTwoPads(s, small ? 100 : 146, pad, pad);
    } else if (name.starts_with("SM")) { // SMA, SMB, SMC
        const int grow = name == "SMA" ? 0 : name == "SMB" ? 20 : 60;
        DrawChipBody(s, 85 + grow, 55 + grow / 2, kBandInset);
        const std::string pad = SurfacePadName(60, 80 + grow);
        DrawTwoPads(s, 160 + 2 * grow, pad, pad);
    } else { // DO-35, DO-41, DO-201AD: axial
        const int spacing = name == "DO-35" ? 300 : name == "DO-41" ? 400 : 600;
        const int half = spacing / 4;
        const int pad = name == "DO-201AD" ? 80 : 60;
        DrawAxial(s, spacing, half, half / 2, true, HolePadName('S', pad, pad / 2 + 2),
                  HolePadName('C', pad, pad / 2 + 2));
    }
}

// Transistor and diode outlines, as they are and in the three IPC densities.
class DiscretePackageFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override {
        return std::size(kDiscreteOutlines) * (std::size(kDensities) + 1);
    }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const std::string_view name = kDiscreteOutlines[Take(c, std::size(kDiscreteOutlines))].name;
        Sketch sketch(DrawingKind::Package);
        sketch.Origin(0, 0);
        DrawDiscrete(sketch, name);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const Outline& outline = kDiscreteOutlines[Take(c, std::size(kDiscreteOutlines))];
        const std::size_t density = Take(c, std::size(kDensities) + 1);
        Out(name) << outline.name;
        Out out(info);
        out << outline.description;
        if (density > 0) {
            name += kDensities[density - 1].suffix;
            out << ", " << kDensities[density - 1].description;
        }
        out << kSep << outline.type << kSep << outline.jedec;
    }
};

constexpr std::string_view kChipSizes[] = {"0201", "0402", "0603", "0805", "1206",
                                           "1210", "1812", "2010", "2512"};
constexpr std::string_view kChipMetric[] = {"0603", "1005", "1608", "2012", "3216",
                                            "3225", "4532", "5025", "6332"};

// The land pattern of a chip size: pad centres apart, pad size, half the body.
struct ChipSize {
    int spacing;
    int padWidth;
    int padLength;
    int halfLength;
    int halfWidth;
};
constexpr ChipSize kChipLayouts[] = {
    {22, 12, 14, 12, 6},    {36, 20, 24, 20, 10},   {60, 32, 36, 31, 16},
    {76, 40, 56, 39, 25},   {120, 60, 72, 63, 31},  {120, 60, 104, 63, 49},
    {180, 60, 136, 89, 63}, {190, 60, 104, 98, 49}, {240, 60, 132, 124, 63}};
static_assert(std::size(kChipLayouts) == std::size(kChipSizes));

// Two-terminal chips: resistors, capacitors, inductors, diodes.
class ChipFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override {
        return 4 * std::size(kChipSizes) * std::size(kDensities);
    }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const bool diode = Take(c, 4) == 3;
        const ChipSize& size = kChipLayouts[Take(c, std::size(kChipSizes))];
        const int density = static_cast<int>(Take(c, std::size(kDensities)));
        Sketch sketch(DrawingKind::Package);
        DrawChipBody(sketch.Origin(0, 0), size.halfLength, size.halfWidth,
                     diode ? size.halfWidth / 2 : 0);
        const std::string pad = SurfacePadName(size.padWidth, size.padLength + 4 * density);
        DrawTwoPads(sketch, size.spacing, pad, pad);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        constexpr char kPrefixes[] = {'R', 'C', 'L', 'D'};
        constexpr std::string_view kWhat[] = {"resistor", "capacitor", "inductor", "diode"};
        const std::size_t what = Take(c, 4);
        const std::size_t size = Take(c, std::size(kChipSizes));
        const Style& density = kDensities[Take(c, std::size(kDensities))];
        Out(name) << kPrefixes[what] << kChipSizes[size] << density.suffix;
        Out(info) << "Chip " << kWhat[what] << ' ' << kChipSizes[size] << " (" << kChipMetric[size]
                  << " metric), " << density.description << kSep << "SMD,Chip" << kSep;
    }
};

// Pin headers of one or two rows, straight, right-angled or surface-mount.
class HeaderPackageFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override { return kHeaderCombinations; }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const auto [rows, pins, mount] = TakeHeader(c); // mount: vertical, right angle, SMD
        Sketch sketch(DrawingKind::Package);
        const std::string first = mount == 2 ? SurfacePadName(40, 100) : HolePadName('S', 65, 40);
        const std::string other = mount == 2 ? first : HolePadName('C', 65, 40);
        DrawPinHeader(sketch.Origin(0, 0), rows, pins, first, other);
        if (mount == 1) // the pins bend over the board's edge
            sketch.Rect(-50, -100, 100 * pins - 50, -350);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const auto [rows, pins, variant] = TakeHeader(c);
        constexpr Style kMounts[] = {{"", "vertical"}, {"_RA", "right angle"}, {"_SMD", "SMD"}};
        const Style& mount = kMounts[variant];
        Out(name) << "HDR" << rows << 'X' << pins << mount.suffix;
        Out(info) << "Pin header " << rows << 'x' << pins << ", 2.54 mm pitch, "
                  << mount.description << kSep
                  << (mount.suffix == "_SMD" ? "SMD,Header" : "PMD,Header") << kSep;
    }
};

constexpr int kCanDiameters[] = {400, 500, 630, 800, 1000, 1250, 1600, 1800}; // hundredths
constexpr int kCanHeights[] = {5, 7, 11, 12, 16, 20, 25, 31, 35, 40};
constexpr int kLeadSpacings[] = {150, 200, 250, 350, 500, 500, 750, 750}; // hundredths

// Radial electrolytic cans and axial components of every lead spacing.
class LeadedPackageFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override {
        return std::size(kCanDiameters) * std::size(kCanHeights) + 8 * 2;
    }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        Sketch sketch(DrawingKind::Package);
        sketch.Origin(0, 0);
        const std::uint64_t cans = std::size(kCanDiameters) * std::size(kCanHeights);
        if (c < cans) {
            const std::size_t d = Take(c, std::size(kCanDiameters));
            const int radius = HundredthsAsMils(kCanDiameters[d]) / 2;
            const int spacing = HundredthsAsMils(kLeadSpacings[d]);
            const int pad = std::min(60, spacing - 15);
            DrawRadial(sketch, spacing, radius, 0, RadialMark::Plus, HolePadName('S', pad, 32),
                       HolePadName('C', pad, 32));
        } else {
            c -= cans;
            const int spacing = (static_cast<int>(Take(c, 8)) + 3) * 100;
            const bool vertical = Take(c, 2) == 1;
            if (vertical) {
                sketch.Arc(-50, 0, 60);
                DrawTwoPads(sketch, 100, HolePadName('C', 60, 32), HolePadName('C', 60, 32));
            } else {
                DrawAxial(sketch, spacing, spacing / 2 - 60, 45, false, HolePadName('C', 60, 32),
                          HolePadName('C', 60, 32));
            }
        }
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const std::uint64_t cans = std::size(kCanDiameters) * std::size(kCanHeights);
        if (c < cans) {
            const std::size_t d = Take(c, std::size(kCanDiameters));
            const int height = kCanHeights[Take(c, std::size(kCanHeights))];
            std::string diameter = Hundredths(kCanDiameters[d]);
            while (diameter.back() == '0')
                diameter.pop_back();
            if (diameter.back() == '.')
                diameter.pop_back();
            Out(name) << "CAPR-" << diameter << 'X' << height;
            Out(info) << "Radial electrolytic capacitor, " << diameter << " mm dia., " << height
                      << " mm high, " << Hundredths(kLeadSpacings[d]) << " mm lead spacing" << kSep
                      << "PMD,Radial" << kSep;
            return;
        }
        c -= cans;
        const int tenths = static_cast<int>(Take(c, 8)) + 3; // 0.3 to 1.0 inch
        const bool vertical = Take(c, 2) == 1;
        Out(name) << "AXIAL-" << tenths / 10 << '.' << tenths % 10 << (vertical ? "_V" : "");
        Out(info) << "Axial component, " << Hundredths(tenths * 254) << " mm lead spacing"
                  << (vertical ? ", mounted upright" : "") << kSep << "PMD,Axial" << kSep;
    }
};

} // namespace

std::vector<WeightedFamily> PackageFamilies() {
    return Families(Weighted<DipFamily>(120), Weighted<SmdIcFamily>(450),
                    Weighted<DiscretePackageFamily>(120), Weighted<ChipFamily>(100),
                    Weighted<HeaderPackageFamily>(130), Weighted<LeadedPackageFamily>(80));
}

} // namespace k2k::synthetic
