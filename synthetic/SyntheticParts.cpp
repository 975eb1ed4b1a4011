// The part families of the synthetic libraries: what a large real parts catalogue holds,
// in roughly its proportions. 74-series logic is the largest family on purpose: with the
// few other names that contain "74" (LM741, TL074, the 1N474x zeners, some resistor and
// capacitor codes), about 40 % of all parts match the name pattern *74*. The PC817
// optocouplers are one part in a thousand, so *PC817* is a selective search.

#include "synthetic/SyntheticPartFamilies.h"
#include "synthetic/SyntheticTables.h"

#include <array>
#include <span>

namespace k2k::synthetic {

namespace {

// --- 74-series logic: prefix, "74", series, function, suffix ("SN74LS00N")

struct LogicSeries {
    std::string_view code;
    std::string_view technology;
};

constexpr LogicSeries kLogicSeries[] = {
    {"LS", "LS TTL"},    {"HC", "HC CMOS"},   {"HCT", "HCT CMOS"}, {"ALS", "ALS TTL"},
    {"AS", "AS TTL"},    {"F", "F TTL"},      {"S", "S TTL"},      {"AC", "AC CMOS"},
    {"ACT", "ACT CMOS"}, {"LVC", "LVC CMOS"}, {"AHC", "AHC CMOS"},
};

constexpr MakerCode kLogicMakers[] = {
    {"SN", "N", "Texas Instruments", &kDip},
    {"SN", "D", "Texas Instruments", &kSoic},
    {"SN", "DR", "Texas Instruments", &kSoic},
    {"SN", "PW", "Texas Instruments", &kTssop},
    {"SN", "NSR", "Texas Instruments", &kSop},
    {"MC", "N", "ON Semiconductor", &kDip},
    {"MC", "D", "ON Semiconductor", &kSoic},
    {"MC", "DR2G", "ON Semiconductor", &kSoic},
    {"MC", "DTR2G", "ON Semiconductor", &kTssop},
    {"CD", "E", "Texas Instruments", &kDip},
    {"CD", "M", "Texas Instruments", &kSoic},
    {"CD", "M96", "Texas Instruments", &kSoic},
    {"CD", "PWR", "Texas Instruments", &kTssop},
    {"M", "B1R", "STMicroelectronics", &kDip},
    {"M", "M1R", "STMicroelectronics", &kSoic},
    {"M", "RM13TR", "STMicroelectronics", &kSoic},
    {"M", "TTR", "STMicroelectronics", &kTssop},
    {"TC", "P", "Toshiba", &kDip},
    {"TC", "F", "Toshiba", &kSop},
    {"TC", "FN", "Toshiba", &kSoic},
    {"TC", "FT", "Toshiba", &kTssop},
    {"", "N", "NXP", &kDip},
    {"", "D", "NXP", &kSoic},
    {"", "PW", "NXP", &kTssop},
    {"", "BQ", "NXP", &kQfn},
    {"DM", "N", "Fairchild", &kDip},
    {"DM", "M", "Fairchild", &kSoic},
    {"MM", "N", "Fairchild", &kDip},
    {"MM", "M", "Fairchild", &kSoic},
    {"MM", "MTC", "Fairchild", &kTssop},
};

class Logic74Family final : public Family {
public:
    std::uint64_t Combinations() const noexcept override {
        return std::size(kSeries74) * std::size(kLogicSeries) * std::size(kLogicMakers);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const LogicFunction& function = kSeries74[Take(c, std::size(kSeries74))];
        const LogicSeries& series = kLogicSeries[Take(c, std::size(kLogicSeries))];
        const MakerCode& maker = kLogicMakers[Take(c, std::size(kLogicMakers))];
        const std::string package = PackageName(*maker.body, function.pins);
        Out(name) << maker.prefix << "74" << series.code << function.code << maker.suffix;
        Out out(info);
        out << package << ' ' << function.description << kSep << "IC-74" << series.code
            << function.code << '-' << package << kSep << "74" << series.code << function.code
            << kSep << maker.manufacturer << kSep << function.type << kSep << series.technology
            << kSep << maker.body->packageType << kSep << function.simFunction << kSep;
        if (!function.model.empty())
            out << "A\\" << function.model << '\\' << series.code;
        out << kSep << "74" << function.code << ",PWR2";
    }
};

// --- 4000-series CMOS: prefix, number, "B", suffix ("CD4011BE", "MC14011BCP")

constexpr MakerCode kCmosMakers[] = {
    {"CD", "BE", "Texas Instruments", &kDip},
    {"CD", "BM", "Texas Instruments", &kSoic},
    {"CD", "BM96", "Texas Instruments", &kSoic},
    {"CD", "BPW", "Texas Instruments", &kTssop},
    {"CD", "BNSR", "Texas Instruments", &kSop},
    {"MC1", "BCP", "ON Semiconductor", &kDip},
    {"MC1", "BD", "ON Semiconductor", &kSoic},
    {"MC1", "BDR2G", "ON Semiconductor", &kSoic},
    {"HEF", "BP", "NXP", &kDip},
    {"HEF", "BT", "NXP", &kSoic},
    {"HEF", "BTT", "NXP", &kTssop},
    {"HCF", "BEY", "STMicroelectronics", &kDip},
    {"HCF", "BM1", "STMicroelectronics", &kSoic},
    {"HCF", "BM013TR", "STMicroelectronics", &kSoic},
};

class Cmos4000Family final : public Family {
public:
    std::uint64_t Combinations() const noexcept override {
        return std::size(kSeries4000) * std::size(kCmosMakers);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const LogicFunction& function = kSeries4000[Take(c, std::size(kSeries4000))];
        const MakerCode& maker = kCmosMakers[Take(c, std::size(kCmosMakers))];
        const std::string package = PackageName(*maker.body, function.pins);
        Out(name) << maker.prefix << function.code << maker.suffix;
        Out out(info);
        out << package << ' ' << function.description << kSep << "IC-" << function.code << '-'
            << package << kSep << "CD" << function.code << kSep << maker.manufacturer << kSep
            << function.type << kSep << "CMOS" << kSep << maker.body->packageType << kSep
            << function.simFunction << kSep;
        if (!function.model.empty())
            out << "A\\" << function.model << "\\CMOS";
        out << kSep << function.code << ",PWR_CMOS";
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

class ConnectorFamily final : public Family {
public:
    ConnectorFamily() {
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

class CrystalFamily final : public Family {
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

// --- PC817 optocouplers: the rare family

class OptocouplerFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override { return 4 * 3; }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        constexpr char kRanks[] = {'A', 'B', 'C', 'D'};
        constexpr std::string_view kRatios[] = {"80-160%", "130-260%", "200-400%", "300-600%"};
        constexpr std::string_view kOptions[] = {"", "S", "I"};
        constexpr std::string_view kPackages[] = {"DIP4", "SMD4", "DIP4-W"};
        const std::size_t rank = Take(c, 4);
        const std::size_t option = Take(c, 3);
        Out(name) << "PC817" << kRanks[rank] << kOptions[option];
        Out(info) << kPackages[option] << " Optocoupler, phototransistor output, CTR "
                  << kRatios[rank] << kSep << "OPTO-PC817" << kRanks[rank] << kSep << "PC817"
                  << kSep << "Sharp" << kSep << "Analog,Optocouplers" << kSep << "Bipolar" << kSep
                  << (option == 1 ? "SMD,DIP" : "PMD,DIP") << kSep << "-4,-7" << kSep
                  << "D\\LED_IR\\STD,Q\\PHOTO\\NPN" << kSep << "OPTO_TR";
    }
};

} // namespace

std::vector<WeightedFamily> PartFamilies() {
    return Families(Weighted<Logic74Family>(380), Weighted<Cmos4000Family>(60),
                    WeightedFamily{95, LinearIcFamily()}, WeightedFamily{80, TransistorFamily()},
                    WeightedFamily{65, DiodeFamily()}, WeightedFamily{140, ResistorFamily()},
                    WeightedFamily{95, CeramicCapacitorFamily()},
                    WeightedFamily{30, ElectrolyticFamily()}, Weighted<ConnectorFamily>(45),
                    Weighted<CrystalFamily>(9), Weighted<OptocouplerFamily>(1));
}

} // namespace k2k::synthetic
