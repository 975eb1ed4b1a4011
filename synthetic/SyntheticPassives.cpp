// The passive parts of the synthetic libraries: chip and axial resistors, ceramic and
// aluminium electrolytic capacitors with their values in each maker's code, connectors
// and quartz crystals.

#include "synthetic/SyntheticPartFamilies.h"

#include <array>

namespace k2k::synthetic {

namespace {

// --- chip and axial resistors: the value in each maker's code ("RC0805FR-074K7L")

// Values of the E24 series from 1 Ohm to 9.1 MOhm: mantissa 10..91 and decade 0..6, the
// value being mantissa / 10 * 10^decade.
constexpr int kE24[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                        33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
constexpr int kResistorDecades = 7;

struct ResistorSize {
    std::string_view size;      // "0805"
    std::string_view panasonic; // the size in Panasonic's code
    std::string_view power;     // "0.125 W"
};
constexpr ResistorSize kResistorSizes[] = {
    {"0402", "2RK", "0.063 W"},
    {"0603", "3EK", "0.1 W"},
    {"0805", "6EN", "0.125 W"},
    {"1206", "8EN", "0.25 W"},
};

// The value in the letter-for-the-decimal-point notation: "4R7", "470R", "4K7", "1M".
void AppendRkm(std::string& text, int mantissa, int decade) {
    const char first = static_cast<char>('0' + mantissa / 10);
    const char second = static_cast<char>('0' + mantissa % 10);
    const char unit = decade < 3 ? 'R' : decade < 6 ? 'K' : 'M';
    switch (decade % 3) {
    case 0:
        text += first;
        text += unit;
        if (second != '0')
            text += second;
        break;
    case 1:
        text += first;
        text += second;
        text += unit;
        break;
    default:
        text += first;
        text += second;
        text += '0';
        text += unit;
        break;
    }
}

// The value as a person writes it: "4.7 kOhm", "470 Ohm".
void AppendValueText(std::string& text, int mantissa, int decade, bool blank) {
    const char first = static_cast<char>('0' + mantissa / 10);
    const char second = static_cast<char>('0' + mantissa % 10);
    switch (decade % 3) {
    case 0:
        text += first;
        if (second != '0') {
            text += '.';
            text += second;
        }
        break;
    case 1:
        text += first;
        text += second;
        break;
    default:
        text += first;
        text += second;
        text += '0';
        break;
    }
    if (blank)
        text += ' ';
    text += decade < 3 ? "Ohm" : decade < 6 ? "kOhm" : "MOhm";
}

class Resistors final : public Family {
public:
    // Yageo, Vishay and Panasonic chips in four sizes and two tolerances, and Yageo's
    // axial metal-film resistors in two powers.
    static constexpr std::size_t kChipMakers = 3;
    static constexpr std::size_t kLines =
        kChipMakers * std::size(kResistorSizes) * 2 + 2; // + the two axial lines

    std::uint64_t Combinations() const noexcept override {
        return std::size(kE24) * kResistorDecades * kLines;
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const int mantissa = kE24[Take(c, std::size(kE24))];
        const int decade = static_cast<int>(Take(c, kResistorDecades));
        const std::size_t line = Take(c, kLines);
        name.clear();
        std::string_view manufacturer = "Yageo";
        std::string_view package;
        std::string_view power;
        std::string_view tolerance = "1%";
        bool chip = true;
        if (line < kChipMakers * std::size(kResistorSizes) * 2) {
            const ResistorSize& size = kResistorSizes[line % std::size(kResistorSizes)];
            const bool precise = (line / std::size(kResistorSizes)) % 2 == 0;
            const std::size_t maker = line / (std::size(kResistorSizes) * 2);
            package = size.size;
            power = size.power;
            tolerance = precise ? "1%" : "5%";
            if (maker == 0) {
                Out(name) << "RC" << size.size << (precise ? 'F' : 'J') << "R-07";
                AppendRkm(name, mantissa, decade);
                name += 'L';
            } else if (maker == 1) {
                manufacturer = "Vishay";
                Out(name) << "CRCW" << size.size;
                AppendVishayValue(name, mantissa, decade);
                name += precise ? "FKEA" : "JNEA";
            } else {
                manufacturer = "Panasonic";
                Out(name) << "ERJ-" << size.panasonic << (precise ? 'F' : 'J');
                AppendPanasonicValue(name, mantissa, decade, precise);
                name += 'V';
            }
        } else {
            const bool half = line == kLines - 1;
            chip = false;
            package = half ? "AXIAL-0.5" : "AXIAL-0.4";
            power = half ? "0.5 W" : "0.25 W";
            Out(name) << (half ? "MFR-50FBF52-" : "MFR-25FBF52-");
            AppendRkm(name, mantissa, decade);
        }
        Out out(info);
        out << package << " Resistor ";
        AppendValueText(info, mantissa, decade, true);
        out << ", \xB1" << tolerance << ", " << power << ", " << package << kSep << "R-" << package
            << '-';
        AppendValueText(info, mantissa, decade, false);
        out << kSep << "RES" << kSep << manufacturer << kSep
            << (chip ? "Discrete,Resistors,Fixed,Chip" : "Discrete,Resistors,Fixed,Axial") << kSep
            << (chip ? "Thick film" : "Metal film") << kSep << (chip ? "SMD,Chip" : "PMD,Axial")
            << kSep << "-1" << kSep << "R\\RES\\STD" << kSep << "RES";
    }

private:
    // Four characters, three significant digits: "4K70", "47R0", "470R", "1M00".
    static void AppendVishayValue(std::string& text, int mantissa, int decade) {
        const char first = static_cast<char>('0' + mantissa / 10);
        const char second = static_cast<char>('0' + mantissa % 10);
        const char unit = decade < 3 ? 'R' : decade < 6 ? 'K' : 'M';
        switch (decade % 3) {
        case 0:
            text += first;
            text += unit;
            text += second;
            text += '0';
            break;
        case 1:
            text += first;
            text += second;
            text += unit;
            text += '0';
            break;
        default:
            text += first;
            text += second;
            text += '0';
            text += unit;
            break;
        }
    }
    // Significant digits and a power of ten: 1 % "4701", 5 % "472"; where the value needs
    // a decimal point, an R stands for it ("47R0", "4R70", "4R7").
    static void AppendPanasonicValue(std::string& text, int mantissa, int decade, bool precise) {
        const char first = static_cast<char>('0' + mantissa / 10);
        const char second = static_cast<char>('0' + mantissa % 10);
        text += first;
        if (decade == 0) {
            text += 'R';
            text += second;
            if (precise)
                text += '0';
        } else if (precise && decade == 1) {
            text += second;
            text += "R0";
        } else {
            text += second;
            if (precise)
                text += '0';
            text += static_cast<char>('0' + decade - (precise ? 2 : 1));
        }
    }
};

// --- ceramic capacitors: three makers' codes around the value code "104"

constexpr int kE6[] = {10, 15, 22, 33, 47, 68};
constexpr int kCapacitorDecades = 6; // 10 pF to 6.8 uF

struct Dielectric {
    std::string_view name;
    std::string_view murata;
    char samsung;
    char kemet;
};
constexpr Dielectric kDielectrics[] = {
    {"X7R", "R71", 'B', 'R'}, {"C0G", "5C1", 'C', 'G'}, {"X5R", "R61", 'A', 'P'}};

struct Rating {
    std::string_view volts;
    char murata;
    char samsung;
    char kemet;
};
constexpr Rating kRatings[] = {
    {"50 V", 'H', 'B', '5'}, {"25 V", 'E', 'A', '3'}, {"16 V", 'C', 'O', '4'}};

struct ChipSize {
    std::string_view size;
    std::string_view murata;
    std::string_view samsung;
};
constexpr ChipSize kCapacitorSizes[] = {
    {"0402", "155", "05"}, {"0603", "188", "10"}, {"0805", "21B", "21"}, {"1206", "31M", "31"}};

// The mantissa (10 to 68) times 10^decade pF as a person writes it: "47 pF", "4.7 nF",
// "470 nF", "1 uF".
void AppendCapacitance(std::string& text, int mantissa, int decade, bool blank) {
    const char first = static_cast<char>('0' + mantissa / 10);
    const char second = static_cast<char>('0' + mantissa % 10);
    const int digits = decade + 2;           // digits of the value in pF
    const int inUnit = (digits - 1) % 3 + 1; // digits before the point in its unit
    text += first;
    if (inUnit == 1) {
        if (second != '0') {
            text += '.';
            text += second;
        }
    } else {
        text += second;
        if (inUnit == 3)
            text += '0';
    }
    if (blank)
        text += ' ';
    text += digits <= 3 ? "pF" : digits <= 6 ? "nF" : "uF";
}

class CeramicCapacitors final : public Family {
public:
    std::uint64_t Combinations() const noexcept override {
        return std::size(kE6) * kCapacitorDecades * std::size(kDielectrics) * std::size(kRatings) *
               std::size(kCapacitorSizes) * 2 * 3;
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const int mantissa = kE6[Take(c, std::size(kE6))];
        const int decade = static_cast<int>(Take(c, kCapacitorDecades));
        const Dielectric& dielectric = kDielectrics[Take(c, std::size(kDielectrics))];
        const Rating& rating = kRatings[Take(c, std::size(kRatings))];
        const ChipSize& size = kCapacitorSizes[Take(c, std::size(kCapacitorSizes))];
        const bool tight = Take(c, 2) == 1;
        const std::size_t maker = Take(c, 3);
        const char tolerance = tight ? 'J' : 'K';
        std::string value;
        Out(value) << static_cast<char>('0' + mantissa / 10)
                   << static_cast<char>('0' + mantissa % 10) << static_cast<char>('0' + decade);
        std::string_view manufacturer;
        if (maker == 0) {
            manufacturer = "Murata";
            Out(name) << "GRM" << size.murata << dielectric.murata << rating.murata << value
                      << tolerance << "A01D";
        } else if (maker == 1) {
            manufacturer = "Samsung Electro-Mechanics";
            Out(name) << "CL" << size.samsung << dielectric.samsung << value << tolerance
                      << rating.samsung << "NNNC";
        } else {
            manufacturer = "KEMET";
            Out(name) << 'C' << size.size << 'C' << value << tolerance << rating.kemet
                      << dielectric.kemet << "ACTU";
        }
        Out out(info);
        out << size.size << " Capacitor ";
        AppendCapacitance(info, mantissa, decade, true);
        out << ", " << rating.volts << ", " << dielectric.name << ", \xB1" << (tight ? "5%" : "10%")
            << ", " << size.size << kSep << "C-" << size.size << '-';
        AppendCapacitance(info, mantissa, decade, false);
        out << '-' << dielectric.name << kSep << "CAP" << kSep << manufacturer << kSep
            << "Discrete,Capacitors,Ceramic,MLCC" << kSep << "Ceramic " << dielectric.name << kSep
            << "SMD,Chip" << kSep << "-2" << kSep << "C\\CAP\\STD" << kSep << "CAP";
    }
};

// --- aluminium electrolytic capacitors ("EEU-FC1E101", "UVR1H101MDD")

struct ElectrolyticRating {
    std::string_view code;
    std::string_view volts;
};
constexpr ElectrolyticRating kElectrolyticRatings[] = {
    {"1C", "16 V"}, {"1E", "25 V"}, {"1V", "35 V"}, {"1H", "50 V"}};
constexpr std::string_view kRadialCans[] = {"CAPR-5X11", "CAPR-6.3X11", "CAPR-8X12", "CAPR-10X16"};

class Electrolytics final : public Family {
public:
    static constexpr int kDecades = 4; // 1 uF to 6800 uF

    std::uint64_t Combinations() const noexcept override {
        return std::size(kE6) * kDecades * std::size(kElectrolyticRatings) * 2;
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const int mantissa = kE6[Take(c, std::size(kE6))];
        const int decade = static_cast<int>(Take(c, kDecades));
        const auto ratingIndex = Take(c, std::size(kElectrolyticRatings));
        const ElectrolyticRating& rating = kElectrolyticRatings[ratingIndex];
        const bool panasonic = Take(c, 2) == 0;
        const char first = static_cast<char>('0' + mantissa / 10);
        const char second = static_cast<char>('0' + mantissa % 10);
        // Value code in uF: "4R7" for 4.7 uF, "470" for 47 uF, "471" for 470 uF.
        std::string value{first};
        if (decade == 0) {
            value += 'R';
            value += second;
        } else {
            value += second;
            value += static_cast<char>('0' + decade - 1);
        }
        std::string microfarads{first};
        if (decade == 0) {
            if (second != '0') {
                microfarads += '.';
                microfarads += second;
            }
        } else {
            microfarads += second;
            microfarads.append(static_cast<std::size_t>(decade - 1), '0');
        }
        const std::string_view can = kRadialCans[std::min<std::size_t>(
            std::size(kRadialCans) - 1, static_cast<std::size_t>(decade) + ratingIndex / 2)];
        if (panasonic)
            Out(name) << "EEU-FC" << rating.code << value;
        else
            Out(name) << "UVR" << rating.code << value << "MDD";
        Out(info) << can << " Capacitor " << microfarads << " uF, " << rating.volts
                  << ", electrolytic, \xB1"
                     "20%"
                  << kSep << "CE-" << microfarads << "uF-" << rating.code << kSep << "CAP" << kSep
                  << (panasonic ? "Panasonic" : "Nichicon") << kSep
                  << "Discrete,Capacitors,Electrolytic,Aluminium" << kSep
                  << "Aluminium electrolytic" << kSep << "PMD,Radial" << kSep << "-2" << kSep
                  << "C\\CAP\\STD" << kSep << "CAP_POL";
    }
};

// --- connectors: pin headers and wire-to-board headers

struct ConnectorLine {
    std::string_view maker;
    int rows;
    int minPins;
    int maxPins;
    int options;
};

class Connectors final : public Family {
public:
    Connectors() {
        // Samtec headers: rows x pins per row x (gold, tin); JST XH and PH: top or side
        // entry; Molex KK; Wurth single-row headers.
        for (int rows = 1; rows <= 2; ++rows)
            for (int pins = 2; pins <= 40; ++pins)
                for (int option = 0; option < 2; ++option)
                    m_items.push_back({Series::Samtec, rows, pins, option});
        for (int pins = 2; pins <= 16; ++pins)
            for (int option = 0; option < 2; ++option) {
                m_items.push_back({Series::JstXh, 1, pins, option});
                m_items.push_back({Series::JstPh, 1, pins, option});
            }
        for (int pins = 2; pins <= 16; ++pins)
            m_items.push_back({Series::MolexKk, 1, pins, 0});
        for (int pins = 2; pins <= 40; ++pins)
            m_items.push_back({Series::Wurth, 1, pins, 0});
    }
    std::uint64_t Combinations() const noexcept override { return m_items.size(); }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const Item& item = m_items[c];
        const std::string pins = TwoDigits(item.pins);
        const std::string layout = std::to_string(item.rows) + "X" + std::to_string(item.pins);
        Out out(info);
        switch (item.series) {
        case Series::Samtec:
            Out(name) << "TSW-1" << pins << "-07-" << (item.option == 0 ? 'G' : 'T') << '-'
                      << (item.rows == 1 ? 'S' : 'D');
            out << "HDR" << layout << " Pin header " << item.rows << 'x' << item.pins
                << ", 2.54 mm, " << (item.option == 0 ? "gold" : "tin") << ", vertical" << kSep
                << "CON-HDR-" << layout << kSep << kSep << "Samtec" << kSep
                << "Discrete,Connectors,Pin header" << kSep
                << (item.option == 0 ? "Gold plated" : "Tin plated") << kSep << "PMD,Header" << kSep
                << kSep << kSep << "CONN" << layout;
            return;
        case Series::JstXh:
        case Series::JstPh: {
            const bool xh = item.series == Series::JstXh;
            const bool side = item.option == 1;
            Out(name) << (side ? 'S' : 'B') << item.pins << (xh ? "B-XH-A" : "B-PH-K-S");
            out << (xh ? "JST-XH-" : "JST-PH-") << item.pins << (side ? "-RA" : "")
                << " Wire-to-board header, " << item.pins << " pins, "
                << (xh ? "2.50 mm, XH" : "2.00 mm, PH") << " series, "
                << (side ? "side entry" : "top entry") << kSep << "CON-JST-" << (xh ? "XH" : "PH")
                << '-' << item.pins << kSep << kSep << "JST" << kSep
                << "Discrete,Connectors,Wire-to-board" << kSep << "Tin plated" << kSep
                << "PMD,Header" << kSep << kSep << kSep << "CONN1X" << item.pins;
            return;
        }
        case Series::MolexKk:
            Out(name) << "22-27-2" << pins << '1';
            out << "MOLEX-KK-" << item.pins << " KK 254 header, " << item.pins
                << " pins, 2.54 mm, friction lock, vertical" << kSep << "CON-KK-" << item.pins
                << kSep << kSep << "Molex" << kSep << "Discrete,Connectors,Wire-to-board" << kSep
                << "Tin plated" << kSep << "PMD,Header" << kSep << kSep << kSep << "CONN1X"
                << item.pins;
            return;
        case Series::Wurth:
            Out(name) << "6130" << pins << "11121";
            out << "HDR1X" << item.pins << " Pin header 1x" << item.pins
                << ", 2.54 mm, WR-PHD, gold, vertical" << kSep << "CON-HDR-1X" << item.pins << kSep
                << kSep << "Wurth Elektronik" << kSep << "Discrete,Connectors,Pin header" << kSep
                << "Gold plated" << kSep << "PMD,Header" << kSep << kSep << kSep << "CONN1X"
                << item.pins;
            return;
        }
    }

private:
    enum class Series : std::uint8_t { Samtec, JstXh, JstPh, MolexKk, Wurth };
    struct Item {
        Series series;
        int rows;
        int pins;
        int option;
    };
    std::vector<Item> m_items;
};

// --- quartz crystals ("ABL-16.000MHZ-B2")

constexpr std::string_view kFrequencies[] = {"1.8432",   "3.579545", "4.000",  "4.9152",  "6.000",
                                             "7.3728",   "8.000",    "10.000", "11.0592", "12.000",
                                             "14.31818", "16.000",   "18.432", "20.000",  "24.000",
                                             "25.000",   "27.000",   "32.000", "40.000",  "48.000"};

class Crystals final : public Family {
public:
    std::uint64_t Combinations() const noexcept override { return std::size(kFrequencies) * 3; }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const std::string_view frequency = kFrequencies[Take(c, std::size(kFrequencies))];
        const std::size_t line = Take(c, 3);
        constexpr std::string_view kPrefixes[] = {"ABL-", "ABLS-", "ABLS2-"};
        constexpr std::string_view kSuffixes[] = {"MHZ-B2", "MHZ-B4-T", "MHZ-D4Y-T"};
        constexpr std::string_view kPackages[] = {"HC49U", "HC49US", "HC49US-SMD"};
        constexpr std::string_view kLoads[] = {"18 pF", "18 pF", "20 pF"};
        Out(name) << kPrefixes[line] << frequency << kSuffixes[line];
        Out(info) << kPackages[line] << " Quartz crystal " << frequency << " MHz, " << kLoads[line]
                  << ", \xB1"
                     "20 ppm, -20 to +70 \xB0"
                     "C"
                  << kSep << "XTAL-" << frequency << kSep << kSep << "Abracon" << kSep
                  << "Discrete,Crystals" << kSep << "Quartz" << kSep
                  << (line == 2 ? "SMD,Crystal" : "PMD,Crystal") << kSep << kSep << kSep
                  << "CRYSTAL";
    }
};

} // namespace

std::unique_ptr<Family> ResistorFamily() {
    return std::make_unique<Resistors>();
}

std::unique_ptr<Family> CeramicCapacitorFamily() {
    return std::make_unique<CeramicCapacitors>();
}

std::unique_ptr<Family> ElectrolyticFamily() {
    return std::make_unique<Electrolytics>();
}

std::unique_ptr<Family> ConnectorFamily() {
    return std::make_unique<Connectors>();
}

std::unique_ptr<Family> CrystalFamily() {
    return std::make_unique<Crystals>();
}

} // namespace k2k::synthetic