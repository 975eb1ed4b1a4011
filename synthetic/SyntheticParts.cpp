// The part families of the synthetic libraries: what a large real parts catalogue holds,
// in roughly its proportions. 74-series logic is the largest family on purpose: with the
// few other names that contain "74" (LM741, TL074, the 1N474x zeners, some resistor and
// capacitor codes), about 40 % of all parts match the name pattern *74*. The PC817
// optocouplers are one part in a thousand, so *PC817* is a selective search.

#include "synthetic/SyntheticFamily.h"
#include "synthetic/SyntheticTables.h"

#include <array>
#include <span>

namespace k2k::synthetic {

namespace {

std::string PackageName(const Body& body, int pins) {
    std::string name(body.prefix);
    if (body.numbered)
        name += std::to_string(pins);
    return name;
}

// How a maker turns a base name into an order code, and the body it stands for.
struct MakerCode {
    std::string_view prefix;
    std::string_view suffix;
    std::string_view manufacturer;
    const Body* body;
};

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

// --- discrete and linear devices: base name and maker suffix ("LM358DR", "BC547BTA")

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

class ResistorFamily final : public Family {
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

class CeramicCapacitorFamily final : public Family {
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

class ElectrolyticFamily final : public Family {
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
                    Weighted<DeviceFamily>(95, LinearDevices()),
                    Weighted<DeviceFamily>(80, TransistorDevices()),
                    Weighted<DeviceFamily>(65, DiodeDevices()), Weighted<ResistorFamily>(140),
                    Weighted<CeramicCapacitorFamily>(95), Weighted<ElectrolyticFamily>(30),
                    Weighted<ConnectorFamily>(45), Weighted<CrystalFamily>(9),
                    Weighted<OptocouplerFamily>(1));
}

} // namespace k2k::synthetic
