#include "support/SmallSuite.h"

#include "formats/ProjectBuilder.h"
#include "platform/KernelProject.h"
#include "platform/SuiteFolder.h"
#include "search/InfoText.h"

#include <stdexcept>

namespace k2k::test {

std::string PartInfo(std::string_view package, std::string_view description,
                     std::string_view symbols) {
    return ComposePartInfo(package, {description, "", "", "", "", "", "", "", "", symbols});
}

void WriteSuiteLibrary(const std::filesystem::path& root, const char* file, LibraryKind kind,
                       const std::vector<LibraryObject>& objects) {
    std::filesystem::create_directories(root / "LIB");
    if (const Status written = WriteLibrary(root / "LIB" / file, kind, objects); !written)
        throw std::runtime_error(written.Message());
}

void WriteSmallSuite(const std::filesystem::path& root) {
    WriteSuiteLibrary(root, "A.PART", LibraryKind::Part,
                      {{"74LS00", PartInfo("DIP14", "Quad NAND", "7400,PWR2"), ""},
                       {"74HC00", PartInfo("DIP14", "Quad NAND", "7400,PWR2"), ""},
                       {"SN74LS00N", PartInfo("DIP14", "Quad NAND", "7400,PWR2"), ""},
                       {"74LS02", PartInfo("DIP14", "Quad NOR", "7402,PWR2"), ""},
                       {"LM741", PartInfo("DIP8", "Op amp", "OPAMP"), ""}});
    WriteSuiteLibrary(root, "EMPTY.PART", LibraryKind::Part, {});
    WriteSuiteLibrary(root, "B.PART", LibraryKind::Part,
                      {{"74HCT00", PartInfo("DIP14", "Quad NAND", "7400,PWR2"), ""},
                       {"LM358", PartInfo("SO8", "Dual op amp", "OPAMP,OPAMP_PWR"), ""}});
    WriteSuiteLibrary(
        root, "LOGIC.SYMBOL", LibraryKind::Symbol,
        {{"7400", ComposeInfo({"NAND", "Digital,Gates", "7", ""}), ""},
         {"OPAMP", ComposeInfo({"Op amp", "Analog", "-12", "X\\LM741\\library"}), ""}});
    WriteSuiteLibrary(root, "P.PACKAGE", LibraryKind::Package,
                      {{"DIP14", ComposeInfo({"DIL 14", "PMD,DIP", "MS-001"}), ""},
                       {"DIP8", ComposeInfo({"DIL 8", "PMD,DIP", "MS-001"}), ""}});
    WriteSuiteLibrary(root, "T.PADSTACK", LibraryKind::Padstack,
                      {{"PAD60R", ComposeInfo({"", "Through-hole,Round", "Round"}), ""}});
    WriteFile(root / "kalde2000.ini",
              "[Kalde2000]\r\nProject=DEMO.K2K\r\n"
              "[DEVLIBS]\r\n1=A.PART\r\n2=MISSING.PART\r\n3=EMPTY.PART\r\n4=B.PART\r\n"
              "[SCHLIBS]\r\n1=LOGIC.SYMBOL\r\n[LAYLIBS]\r\n1=P.PACKAGE\r\n"
              "[PADLIBS]\r\n1=T.PADSTACK\r\n");
    WriteFile(root / "suite.ini", "[Kalde2K]\r\nLibDir=LIB\r\n");

    ProjectBuilder project("DEMO");
    const int ls00 = project.AddPart("74LS00", PartInfo("DIP14", "Quad NAND", "7400,PWR2"));
    const int lm741 = project.AddPart("LM741", PartInfo("DIP8", "Op amp", "OPAMP"));
    project.AddPart("SPARE", PartInfo("DIP8", "Spare op amp", "OPAMP"));
    const int symbol = project.AddSymbol("7400", ComposeInfo({"NAND"}), "", kSymbolFlags);
    const int dip8 = project.AddSymbol("DIP8", ComposeInfo({"DIL 8"}), "", kPackageFlags);
    const int top = project.AddHierarchy("TOP");
    const int second = project.AddHierarchy("SECOND");
    project.AddComponent(top, ComponentEditor::Schematic, "U1", lm741, {dip8});
    project.AddComponent(second, ComponentEditor::Layout, "U2", ls00, {});
    project.AddComponent(second, ComponentEditor::Schematic, "U2", ls00, {symbol});
    if (const Status written = project.Write(root / "DEMO.K2K"); !written)
        throw std::runtime_error(written.Message());
}

void SmallSuiteTest::SetUp() {
    WriteSmallSuite(m_dir.Path());
    if (m_extras == SuiteExtras::SystemFolder) {
        WriteFile(m_dir / "suite.ini", "[Kalde2K]\r\nLibDir=LIB\r\nSysDir=SYS\r\n");
        WriteFile(m_dir / "SYS" / "K2KBRWSR.ini", "[ENDPROFILE]");
    }
    PrepareSuite();
}

void SmallSuiteTest::OpenSuite(SuiteServices& services) {
    const SuiteOpening opening = k2k::OpenSuite(m_dir.Path(), m_kernel, services);
    ASSERT_TRUE(opening.ok) << opening.error;
    ASSERT_TRUE(opening.warnings.empty()) << opening.warnings.front();
}

void SmallSuiteTest::OpenSuite() {
    SuiteServices services(DirectorySettingsOf(m_dir.Path()), m_boxes);
    OpenSuite(services);
}

void OpenedSmallSuiteTest::SetUp() {
    SmallSuiteTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(OpenSuite(m_services));
    m_catalogue.Load(m_services);
}

} // namespace k2k::test
