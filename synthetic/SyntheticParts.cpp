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

constexpr MakerCode kIcCodes[] = {
    {"", "P", "Texas Instruments", &kDip},     {"", "D", "Texas Instruments", &kSoic},
    {"", "DR", "Texas Instruments", &kSoic},   {"", "PW", "Texas Instruments", &kTssop},
    {"", "N", "ON Semiconductor", &kDip},      {"", "DR2G", "ON Semiconductor", &kSoic},
    {"", "IN", "STMicroelectronics", &kDip},   {"", "DT", "STMicroelectronics", &kSoic},
    {"", "PT", "STMicroelectronics", &kTssop},
};
constexpr MakerCode kRegulatorCodes[] = {
    {"", "CT", "Texas Instruments", &kTo220},    {"", "CV", "STMicroelectronics", &kTo220},
    {"", "BTG", "ON Semiconductor", &kTo220},    {"", "CDT", "ON Semiconductor", &kDpak},
    {"", "CD2T", "STMicroelectronics", &kD2pak},
};
constexpr MakerCode kSmallLinearCodes[] = {
    {"", "ACZ", "STMicroelectronics", &kTo92}, {"", "ACLP", "Texas Instruments", &kTo92},
    {"", "AILP", "Texas Instruments", &kTo92}, {"", "ACDBZR", "Texas Instruments", &kSot23},
    {"", "BZ", "ON Semiconductor", &kTo92},
};
constexpr MakerCode kLdoCodes[] = {
    {"", "", "Advanced Monolithic Systems", &kSot223},
    {"", "-TR", "Advanced Monolithic Systems", &kSot223},
};
constexpr MakerCode kTo92Codes[] = {
    {"", "", "ON Semiconductor", &kTo92}, {"", "TA", "ON Semiconductor", &kTo92},
    {"", "BU", "Fairchild", &kTo92},      {"", "-AP", "Micro Commercial Components", &kTo92},
    {"", "TFR", "Diotec", &kTo92},
};
constexpr MakerCode kSot23Codes[] = {
    {"", "", "Nexperia", &kSot23},
    {"", "LT1G", "ON Semiconductor", &kSot23},
    {"", "-7-F", "Diodes Incorporated", &kSot23},
};
constexpr MakerCode kTo220Codes[] = {
    {"", "", "STMicroelectronics", &kTo220},
    {"", "G", "ON Semiconductor", &kTo220},
    {"", "PBF", "Infineon", &kTo220},
    {"", "TU", "Fairchild", &kTo220},
};
constexpr MakerCode kTo126Codes[] = {
    {"", "", "STMicroelectronics", &kTo126},
    {"", "G", "ON Semiconductor", &kTo126},
    {"", "-16", "STMicroelectronics", &kTo126},
    {"", "STU", "Fairchild", &kTo126},
};
constexpr MakerCode kDo35Codes[] = {
    {"", "", "Vishay", &kDo35},
    {"", "-TAP", "Vishay", &kDo35},
    {"", "-TR", "Vishay", &kDo35},
    {"", "TR", "Diotec", &kDo35},
    {"", "_T50R", "ON Semiconductor", &kDo35},
};
constexpr MakerCode kDo41Codes[] = {
    {"", "", "Vishay", &kDo41},
    {"", "-E3/54", "Vishay", &kDo41},
    {"", "RLG", "ON Semiconductor", &kDo41},
    {"", "-T", "Diodes Incorporated", &kDo41},
    {"", "G", "Taiwan Semiconductor", &kDo41},
};
constexpr MakerCode kDo201Codes[] = {
    {"", "", "Vishay", &kDo201},
    {"", "-E3/54", "Vishay", &kDo201},
    {"", "RLG", "ON Semiconductor", &kDo201},
    {"", "-T", "Diodes Incorporated", &kDo201},
};
constexpr MakerCode kLed5Codes[] = {{"", "", "Kingbright", &kLed5}};
constexpr MakerCode kLed3Codes[] = {{"", "", "Kingbright", &kLed3}};

struct Device {
    std::string base;
    int pins = 0;
    std::span<const MakerCode> codes;
    std::string description;
    std::string_view indexPrefix; // of the external index code: "IC", "TR", "D"
    std::string_view type;
    std::string_view technology;
    std::string_view simFunction;
    std::string simRef;  // the KDSpice simulation reference
    std::string simRefs; // element\model\variant items
    std::string_view symbols;
};

// Devices that share the shape of their info text: a table of base names, each sold under
// the order codes of its class.
class DeviceFamily final : public Family {
public:
    explicit DeviceFamily(std::vector<Device> devices) : m_devices(std::move(devices)) {
        for (std::size_t d = 0; d < m_devices.size(); ++d)
            for (std::size_t code = 0; code < m_devices[d].codes.size(); ++code)
                m_combinations.push_back(
                    {static_cast<std::uint32_t>(d), static_cast<std::uint32_t>(code)});
    }
    std::uint64_t Combinations() const noexcept override { return m_combinations.size(); }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const auto [deviceIndex, codeIndex] = m_combinations[c];
        const Device& device = m_devices[deviceIndex];
        const MakerCode& code = device.codes[codeIndex];
        const std::string package = PackageName(*code.body, device.pins);
        Out(name) << code.prefix << device.base << code.suffix;
        Out(info) << package << ' ' << device.description << kSep << device.indexPrefix << '-'
                  << device.base << '-' << package << kSep << device.simRef << kSep
                  << code.manufacturer << kSep << device.type << kSep << device.technology << kSep
                  << code.body->packageType << kSep << device.simFunction << kSep << device.simRefs
                  << kSep << device.symbols;
    }

private:
    std::vector<Device> m_devices;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_combinations;
};

// A linear IC modelled by a subcircuit of its own name.
Device LinearIc(std::string base, int pins, std::span<const MakerCode> codes,
                std::string description, std::string_view type, std::string_view simFunction,
                std::string_view symbols, std::string_view technology = "Bipolar") {
    return Device{.base = base,
                  .pins = pins,
                  .codes = codes,
                  .description = std::move(description),
                  .indexPrefix = "IC",
                  .type = type,
                  .technology = technology,
                  .simFunction = simFunction,
                  .simRef = base,
                  .simRefs = "X\\" + base + "\\library",
                  .symbols = symbols};
}

// A table of data: the devices and their descriptions, one a line.
std::vector<Device> LinearDevices() {
    constexpr std::string_view kOpAmp = "Analog,Amplifiers,Operational";
    constexpr std::string_view kComparator = "Analog,Comparators";
    constexpr std::string_view kTimer = "Analog,Timers";
    constexpr std::string_view kFixed = "Analog,Regulators,Linear,Fixed";
    constexpr std::string_view kAdjustable = "Analog,Regulators,Linear,Adjustable";
    const auto op2 = "OPAMP,OPAMP_PWR";
    const auto op4 = "OPAMP,OPAMP_PWR";
    return {
        LinearIc("LM358", 8, kIcCodes, "Dual operational amplifier, single supply", kOpAmp, "-12",
                 op2),
        LinearIc("LM2904", 8, kIcCodes, "Dual operational amplifier, automotive grade", kOpAmp,
                 "-12", op2),
        LinearIc("LM393", 8, kIcCodes, "Dual differential comparator, open-collector outputs",
                 kComparator, "-13", "COMPARATOR,OPAMP_PWR"),
        LinearIc("LM311", 8, kIcCodes, "Differential comparator with strobe", kComparator, "-13",
                 "COMPARATOR,OPAMP_PWR"),
        LinearIc("NE555", 8, kIcCodes, "Precision timer, bipolar", kTimer, "-14", "TIMER555"),
        LinearIc("NE5532", 8, kIcCodes, "Dual low-noise operational amplifier", kOpAmp, "-12", op2),
        LinearIc("NE5534", 8, kIcCodes, "Low-noise operational amplifier", kOpAmp, "-12", "OPAMP1"),
        LinearIc("TL071", 8, kIcCodes, "Low-noise JFET-input operational amplifier", kOpAmp, "-12",
                 "OPAMP1", "BiFET"),
        LinearIc("TL072", 8, kIcCodes, "Dual low-noise JFET-input operational amplifier", kOpAmp,
                 "-12", op2, "BiFET"),
        LinearIc("TL081", 8, kIcCodes, "JFET-input operational amplifier", kOpAmp, "-12", "OPAMP1",
                 "BiFET"),
        LinearIc("TL082", 8, kIcCodes, "Dual JFET-input operational amplifier", kOpAmp, "-12", op2,
                 "BiFET"),
        LinearIc("OP07", 8, kIcCodes, "Ultra-low offset voltage operational amplifier", kOpAmp,
                 "-12", "OPAMP1"),
        LinearIc("LM741", 8, kIcCodes, "General-purpose operational amplifier", kOpAmp, "-12",
                 "OPAMP1"),
        LinearIc("LM833", 8, kIcCodes, "Dual audio operational amplifier", kOpAmp, "-12", op2),
        LinearIc("RC4558", 8, kIcCodes, "Dual general-purpose operational amplifier", kOpAmp, "-12",
                 op2),
        LinearIc("LM386", 8, kIcCodes, "Low-voltage audio power amplifier",
                 "Analog,Amplifiers,Audio", "-18", "LM386"),
        LinearIc("LMC6482", 8, kIcCodes, "Dual CMOS rail-to-rail operational amplifier", kOpAmp,
                 "-12", op2, "CMOS"),
        LinearIc("LM2903", 8, kIcCodes, "Dual differential comparator, automotive grade",
                 kComparator, "-13", "COMPARATOR,OPAMP_PWR"),
        LinearIc("MC33078", 8, kIcCodes, "Dual low-noise operational amplifier", kOpAmp, "-12",
                 op2),
        LinearIc("LM324", 14, kIcCodes, "Quad operational amplifier, single supply", kOpAmp, "-12",
                 op4),
        LinearIc("LM339", 14, kIcCodes, "Quad differential comparator", kComparator, "-13",
                 "COMPARATOR,OPAMP_PWR"),
        LinearIc("LM2902", 14, kIcCodes, "Quad operational amplifier, automotive grade", kOpAmp,
                 "-12", op4),
        LinearIc("TL074", 14, kIcCodes, "Quad low-noise JFET-input operational amplifier", kOpAmp,
                 "-12", op4, "BiFET"),
        LinearIc("TL084", 14, kIcCodes, "Quad JFET-input operational amplifier", kOpAmp, "-12", op4,
                 "BiFET"),
        LinearIc("NE556", 14, kIcCodes, "Dual precision timer", kTimer, "-14", "TIMER556"),
        LinearIc("MC3403", 14, kIcCodes, "Quad low-power operational amplifier", kOpAmp, "-12",
                 op4),
        LinearIc("LM7805", 3, kRegulatorCodes, "Positive voltage regulator 5 V, 1.5 A", kFixed,
                 "-11", "REG3"),
        LinearIc("LM7808", 3, kRegulatorCodes, "Positive voltage regulator 8 V, 1.5 A", kFixed,
                 "-11", "REG3"),
        LinearIc("LM7809", 3, kRegulatorCodes, "Positive voltage regulator 9 V, 1.5 A", kFixed,
                 "-11", "REG3"),
        LinearIc("LM7812", 3, kRegulatorCodes, "Positive voltage regulator 12 V, 1.5 A", kFixed,
                 "-11", "REG3"),
        LinearIc("LM7815", 3, kRegulatorCodes, "Positive voltage regulator 15 V, 1.5 A", kFixed,
                 "-11", "REG3"),
        LinearIc("LM7824", 3, kRegulatorCodes, "Positive voltage regulator 24 V, 1 A", kFixed,
                 "-11", "REG3"),
        LinearIc("LM7905", 3, kRegulatorCodes, "Negative voltage regulator -5 V, 1.5 A", kFixed,
                 "-11", "REG3"),
        LinearIc("LM7912", 3, kRegulatorCodes, "Negative voltage regulator -12 V, 1.5 A", kFixed,
                 "-11", "REG3"),
        LinearIc("LM7915", 3, kRegulatorCodes, "Negative voltage regulator -15 V, 1.5 A", kFixed,
                 "-11", "REG3"),
        LinearIc("LM317", 3, kRegulatorCodes, "Adjustable positive voltage regulator 1.2-37 V",
                 kAdjustable, "-11", "REG_ADJ"),
        LinearIc("LM337", 3, kRegulatorCodes, "Adjustable negative voltage regulator", kAdjustable,
                 "-11", "REG_ADJ"),
        LinearIc("TL431", 3, kSmallLinearCodes, "Programmable shunt reference 2.5-36 V",
                 "Analog,References,Shunt", "-15", "TL431"),
        LinearIc("78L05", 3, kSmallLinearCodes, "Positive voltage regulator 5 V, 100 mA", kFixed,
                 "-11", "REG3"),
        LinearIc("78L12", 3, kSmallLinearCodes, "Positive voltage regulator 12 V, 100 mA", kFixed,
                 "-11", "REG3"),
        LinearIc("79L05", 3, kSmallLinearCodes, "Negative voltage regulator -5 V, 100 mA", kFixed,
                 "-11", "REG3"),
        LinearIc("LM335", 3, kSmallLinearCodes, "Precision temperature sensor, 10 mV/K",
                 "Analog,Sensors,Temperature", "", "VREF2"),
        LinearIc("AMS1117-3.3", 3, kLdoCodes, "Low-dropout regulator 3.3 V, 1 A", kFixed, "-11",
                 "REG3"),
        LinearIc("AMS1117-5.0", 3, kLdoCodes, "Low-dropout regulator 5 V, 1 A", kFixed, "-11",
                 "REG3"),
        LinearIc("AMS1117-ADJ", 3, kLdoCodes, "Low-dropout regulator, adjustable, 1 A", kAdjustable,
                 "-11", "REG_ADJ"),
    };
}

Device Transistor(std::string base, std::span<const MakerCode> codes, std::string description,
                  std::string_view polarity) {
    const bool mos = polarity == "NMOS" || polarity == "PMOS";
    const bool npn = polarity == "NPN" || polarity == "NMOS";
    const std::string_view type =
        mos ? (npn ? "Discrete,Transistors,MOSFET,N-channel"
                   : "Discrete,Transistors,MOSFET,P-channel")
            : (npn ? "Discrete,Transistors,Bipolar,NPN" : "Discrete,Transistors,Bipolar,PNP");
    return Device{.base = base,
                  .pins = 3,
                  .codes = codes,
                  .description = std::move(description),
                  .indexPrefix = "TR",
                  .type = type,
                  .technology = mos ? "MOSFET" : "Bipolar",
                  .simFunction = mos ? (npn ? "-9" : "-10") : (npn ? "-7" : "-8"),
                  .simRef = base,
                  .simRefs = std::string(mos ? "M\\" : "Q\\") + base + "\\" + std::string(polarity),
                  .symbols = polarity};
}

std::vector<Device> TransistorDevices() {
    const auto npn = [](const char* base, std::span<const MakerCode> codes, const char* what) {
        return Transistor(base, codes, std::string("NPN ") + what, "NPN");
    };
    const auto pnp = [](const char* base, std::span<const MakerCode> codes, const char* what) {
        return Transistor(base, codes, std::string("PNP ") + what, "PNP");
    };
    const auto nmos = [](const char* base, std::span<const MakerCode> codes, const char* what) {
        return Transistor(base, codes, std::string("N-channel MOSFET ") + what, "NMOS");
    };
    const auto pmos = [](const char* base, std::span<const MakerCode> codes, const char* what) {
        return Transistor(base, codes, std::string("P-channel MOSFET ") + what, "PMOS");
    };
    return {
        npn("2N3904", kTo92Codes, "general-purpose transistor 40 V, 200 mA"),
        npn("2N4401", kTo92Codes, "general-purpose transistor 40 V, 600 mA"),
        npn("2N5551", kTo92Codes, "high-voltage transistor 160 V, 600 mA"),
        npn("PN2222A", kTo92Codes, "general-purpose transistor 40 V, 1 A"),
        npn("BC547B", kTo92Codes, "general-purpose transistor 45 V, 100 mA, hFE group B"),
        npn("BC547C", kTo92Codes, "general-purpose transistor 45 V, 100 mA, hFE group C"),
        npn("BC548B", kTo92Codes, "general-purpose transistor 30 V, 100 mA, hFE group B"),
        npn("BC549C", kTo92Codes, "low-noise transistor 30 V, 100 mA, hFE group C"),
        npn("BC337-40", kTo92Codes, "general-purpose transistor 45 V, 800 mA"),
        npn("MPSA42", kTo92Codes, "high-voltage transistor 300 V, 500 mA"),
        pnp("2N3906", kTo92Codes, "general-purpose transistor 40 V, 200 mA"),
        pnp("2N4403", kTo92Codes, "general-purpose transistor 40 V, 600 mA"),
        pnp("2N5401", kTo92Codes, "high-voltage transistor 150 V, 600 mA"),
        pnp("BC557B", kTo92Codes, "general-purpose transistor 45 V, 100 mA, hFE group B"),
        pnp("BC557C", kTo92Codes, "general-purpose transistor 45 V, 100 mA, hFE group C"),
        pnp("BC558B", kTo92Codes, "general-purpose transistor 30 V, 100 mA, hFE group B"),
        pnp("BC327-40", kTo92Codes, "general-purpose transistor 45 V, 800 mA"),
        pnp("MPSA92", kTo92Codes, "high-voltage transistor 300 V, 500 mA"),
        nmos("2N7000", kTo92Codes, "60 V, 200 mA, 5 Ohm"),
        nmos("BS170", kTo92Codes, "60 V, 500 mA, 5 Ohm"),
        npn("BC817-40", kSot23Codes, "general-purpose transistor 45 V, 500 mA, SMD"),
        npn("BC847B", kSot23Codes, "general-purpose transistor 45 V, 100 mA, SMD"),
        npn("MMBT3904", kSot23Codes, "general-purpose transistor 40 V, 200 mA, SMD"),
        npn("MMBT2222A", kSot23Codes, "general-purpose transistor 40 V, 600 mA, SMD"),
        pnp("BC807-40", kSot23Codes, "general-purpose transistor 45 V, 500 mA, SMD"),
        pnp("BC857B", kSot23Codes, "general-purpose transistor 45 V, 100 mA, SMD"),
        pnp("MMBT3906", kSot23Codes, "general-purpose transistor 40 V, 200 mA, SMD"),
        nmos("BSS138", kSot23Codes, "50 V, 220 mA, logic level, SMD"),
        nmos("2N7002", kSot23Codes, "60 V, 115 mA, SMD"),
        pmos("BSS84", kSot23Codes, "-50 V, -130 mA, SMD"),
        npn("TIP120", kTo220Codes, "Darlington transistor 60 V, 5 A"),
        npn("TIP122", kTo220Codes, "Darlington transistor 100 V, 5 A"),
        pnp("TIP127", kTo220Codes, "Darlington transistor 100 V, 5 A"),
        npn("TIP31C", kTo220Codes, "power transistor 100 V, 3 A"),
        pnp("TIP32C", kTo220Codes, "power transistor 100 V, 3 A"),
        npn("TIP41C", kTo220Codes, "power transistor 100 V, 6 A"),
        pnp("TIP42C", kTo220Codes, "power transistor 100 V, 6 A"),
        nmos("IRF540N", kTo220Codes, "100 V, 33 A, 44 mOhm"),
        nmos("IRFZ44N", kTo220Codes, "55 V, 49 A, 17.5 mOhm"),
        nmos("IRLZ44N", kTo220Codes, "55 V, 47 A, logic level"),
        pmos("IRF9540N", kTo220Codes, "-100 V, -23 A, 117 mOhm"),
        npn("BD135", kTo126Codes, "medium-power transistor 45 V, 1.5 A"),
        npn("BD137", kTo126Codes, "medium-power transistor 60 V, 1.5 A"),
        npn("BD139", kTo126Codes, "medium-power transistor 80 V, 1.5 A"),
        pnp("BD136", kTo126Codes, "medium-power transistor 45 V, 1.5 A"),
        pnp("BD138", kTo126Codes, "medium-power transistor 60 V, 1.5 A"),
        pnp("BD140", kTo126Codes, "medium-power transistor 80 V, 1.5 A"),
    };
}

Device Diode(std::string base, std::span<const MakerCode> codes, std::string description,
             std::string_view type, std::string_view simFunction, std::string_view model,
             std::string_view symbol) {
    return Device{.base = base,
                  .pins = 2,
                  .codes = codes,
                  .description = std::move(description),
                  .indexPrefix = "D",
                  .type = type,
                  .technology = symbol == "LED" ? "GaAsP" : "Silicon",
                  .simFunction = simFunction,
                  .simRef = base,
                  .simRefs = model.empty() ? std::string() : "D\\" + std::string(model) + "\\STD",
                  .symbols = symbol};
}

std::vector<Device> DiodeDevices() {
    constexpr std::string_view kSignal = "Discrete,Diodes,Small signal";
    constexpr std::string_view kRectifier = "Discrete,Diodes,Rectifier";
    constexpr std::string_view kSchottky = "Discrete,Diodes,Schottky";
    constexpr std::string_view kZener = "Discrete,Diodes,Zener";
    std::vector<Device> devices = {
        Diode("1N4148", kDo35Codes, "Small-signal fast switching diode 100 V, 200 mA", kSignal,
              "-4", "D1N4148", "DIODE"),
        Diode("1N914", kDo35Codes, "Small-signal fast switching diode 100 V, 200 mA", kSignal, "-4",
              "D1N4148", "DIODE"),
        Diode("1N4448", kDo35Codes, "Small-signal fast switching diode 100 V, 200 mA", kSignal,
              "-4", "D1N4148", "DIODE"),
        Diode("BAT85", kDo35Codes, "Schottky barrier diode 30 V, 200 mA", kSchottky, "-4",
              "DSCHOTTKY", "SCHOTTKY"),
        Diode("BAT43", kDo35Codes, "Schottky barrier diode 30 V, 200 mA", kSchottky, "-4",
              "DSCHOTTKY", "SCHOTTKY"),
        Diode("1N5817", kDo41Codes, "Schottky rectifier 20 V, 1 A", kSchottky, "-4", "DSCHOTTKY",
              "SCHOTTKY"),
        Diode("1N5818", kDo41Codes, "Schottky rectifier 30 V, 1 A", kSchottky, "-4", "DSCHOTTKY",
              "SCHOTTKY"),
        Diode("1N5819", kDo41Codes, "Schottky rectifier 40 V, 1 A", kSchottky, "-4", "DSCHOTTKY",
              "SCHOTTKY"),
        Diode("1N5820", kDo201Codes, "Schottky rectifier 20 V, 3 A", kSchottky, "-4", "DSCHOTTKY",
              "SCHOTTKY"),
        Diode("1N5822", kDo201Codes, "Schottky rectifier 40 V, 3 A", kSchottky, "-4", "DSCHOTTKY",
              "SCHOTTKY"),
        Diode("BAT54", kSot23Codes, "Schottky barrier diode 30 V, 200 mA, SMD", kSchottky, "-4",
              "DSCHOTTKY", "SCHOTTKY"),
        Diode("BAT54S", kSot23Codes, "Dual Schottky barrier diode, series, 30 V, SMD", kSchottky,
              "-4", "DSCHOTTKY", "SCHOTTKY,SCHOTTKY"),
        Diode("BAT54C", kSot23Codes, "Dual Schottky barrier diode, common cathode, 30 V, SMD",
              kSchottky, "-4", "DSCHOTTKY", "SCHOTTKY,SCHOTTKY"),
        Diode("BAV99", kSot23Codes, "Dual switching diode, series, 70 V, SMD", kSignal, "-4",
              "D1N4148", "DIODE,DIODE"),
        Diode("BAV70", kSot23Codes, "Dual switching diode, common cathode, 70 V, SMD", kSignal,
              "-4", "D1N4148", "DIODE,DIODE"),
        Diode("L-53HD", kLed5Codes, "LED 5 mm, red, diffused, 2 mcd", "Discrete,Diodes,LED", "-6",
              "LED", "LED"),
        Diode("L-53GD", kLed5Codes, "LED 5 mm, green, diffused, 10 mcd", "Discrete,Diodes,LED",
              "-6", "LED", "LED"),
        Diode("L-53YD", kLed5Codes, "LED 5 mm, yellow, diffused, 8 mcd", "Discrete,Diodes,LED",
              "-6", "LED", "LED"),
        Diode("L-934HD", kLed3Codes, "LED 3 mm, red, diffused, 2 mcd", "Discrete,Diodes,LED", "-6",
              "LED", "LED"),
        Diode("L-934GD", kLed3Codes, "LED 3 mm, green, diffused, 10 mcd", "Discrete,Diodes,LED",
              "-6", "LED", "LED"),
    };
    constexpr int kRectifierVolts[] = {50, 100, 200, 400, 600, 800, 1000};
    for (int i = 0; i < 7; ++i) {
        const std::string volts = std::to_string(kRectifierVolts[i]);
        devices.push_back(Diode("1N400" + std::to_string(i + 1), kDo41Codes,
                                "Rectifier diode " + volts + " V, 1 A", kRectifier, "-4", "D1N4001",
                                "DIODE"));
        devices.push_back(Diode("UF400" + std::to_string(i + 1), kDo41Codes,
                                "Ultrafast rectifier " + volts + " V, 1 A, 50 ns", kRectifier, "-4",
                                "D1N4001", "DIODE"));
    }
    constexpr int kPowerRectifiers[][2] = {{0, 50},  {1, 100}, {2, 200}, {4, 400},
                                           {6, 600}, {7, 800}, {8, 1000}};
    for (const auto& [digit, volts] : kPowerRectifiers)
        devices.push_back(Diode("1N540" + std::to_string(digit), kDo201Codes,
                                "Rectifier diode " + std::to_string(volts) + " V, 3 A", kRectifier,
                                "-4", "D1N5400", "DIODE"));
    // The 1 W zener series 1N4728A (3.3 V) to 1N4764A (100 V).
    constexpr std::string_view kZenerVolts[] = {
        "3.3", "3.6", "3.9", "4.3", "4.7", "5.1", "5.6", "6.2", "6.8", "7.5", "8.2", "9.1", "10",
        "11",  "12",  "13",  "15",  "16",  "18",  "20",  "22",  "24",  "27",  "30",  "33",  "36",
        "39",  "43",  "47",  "51",  "56",  "62",  "68",  "75",  "82",  "91",  "100"};
    for (int i = 0; i < static_cast<int>(std::size(kZenerVolts)); ++i)
        devices.push_back(Diode("1N" + std::to_string(4728 + i) + "A", kDo41Codes,
                                "Zener diode " + std::string(kZenerVolts[i]) +
                                    " V, 1 W, \xB1"
                                    "5%",
                                kZener, "-5", "DZENER", "ZENER"));
    return devices;
}

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
    return Families(
        Weighted<Logic74Family>(380), Weighted<Cmos4000Family>(60),
        Weighted<DeviceFamily>(95, LinearDevices()),
        Weighted<DeviceFamily>(80, TransistorDevices()), Weighted<DeviceFamily>(65, DiodeDevices()),
        WeightedFamily{140, ResistorFamily()}, WeightedFamily{95, CeramicCapacitorFamily()},
        WeightedFamily{30, ElectrolyticFamily()}, WeightedFamily{45, ConnectorFamily()},
        WeightedFamily{9, CrystalFamily()}, Weighted<OptocouplerFamily>(1));
}

} // namespace k2k::synthetic
